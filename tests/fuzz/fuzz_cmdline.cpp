// Fuzzes the command-line and path cutting code with arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/cmdline.h"
#include "base/sjistext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    const CommandLine parsed = parseCommandLine(text.data());
    if (parsed.startInTray != 0 && parsed.startInTray != 1)
        __builtin_trap();

    std::vector<char> path = text;
    stripFileNameWith(path.data(), isCp932LeadByte);
    if (std::strlen(path.data()) > std::strlen(text.data()))
        __builtin_trap();
    removeTrailingBackslashWith(path.data(), isCp932LeadByte);

    char small[16] = {};
    copyText(small, sizeof small, text.data());
    appendText(small, sizeof small, text.data());
    if (std::strlen(small) >= sizeof small)
        __builtin_trap();
    return 0;
}
