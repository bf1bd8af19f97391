// Fuzzes what the program reads from its side files: the options file as raw
// bytes, and the auto-start values as arbitrary text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "settings/autostart_logic.h"
#include "state/options_layout.h"

namespace {

struct Input {
    const uint8_t* data;
    size_t size;
};

// Every key reads the same fuzzed text, cut to the reader's buffer.
void readFuzzed(void* context, const char* key, const char* fallback, char* out, size_t size)
{
    const Input* in = static_cast<const Input*>(context);
    if (size == 0)
        return;
    const size_t n = in->size < size - 1 ? in->size : size - 1;
    std::memcpy(out, in->data, n);
    out[n] = '\0';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Options options = defaultOptions();
    decodeOptions(data, size, options);
    if (std::memchr(options.hostName, 0, sizeof options.hostName) == nullptr
        || std::memchr(options.skinName, 0, sizeof options.skinName) == nullptr
        || options.powerAction < 0 || options.powerAction > 4)
        __builtin_trap();
    unsigned char image[kOptionsFileSize];
    encodeOptions(options, image);

    Input in = {data, size};
    const AutoStartPlan plan = planAutoStart(readFuzzed, &in);
    if (std::memchr(plan.host, 0, sizeof plan.host) == nullptr)
        __builtin_trap();
    readAutoStartForm(readFuzzed, &in);
    return 0;
}
