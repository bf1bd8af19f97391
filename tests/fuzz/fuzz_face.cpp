// libFuzzer target for the face's text and skin-name rules (memory safety of
// the bounded builders, the cut and the name checks). Built by
// tests/fuzz/CMakeLists.txt; clang keeps the literals in UTF-8, the byte
// values do not matter here.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/sjistext.h"
#include "ui/skincolor.h"
#include "ui/skinpath.h"
#include "ui/statusline.h"

namespace {

int widthFromByte(void* context, const char* chars, int length)
{
    int* calls = static_cast<int*>(context);
    ++*calls;
    return (static_cast<unsigned char>(chars[0]) % 16) * length;
}

void drawNothing(void*, int, const char*, int) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const int32_t modes[] = {0, 1, 2, 3, 101, 201, 7};
    const int32_t mode = modes[data[0] % 7];
    const int budget = static_cast<int8_t>(data[1]);
    const uint8_t split = data[2];
    data += 3;
    size -= 3;

    // Exactly sized heap copies, so any read past them is caught.
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    const size_t half = size ? split % (size + 1) : 0;
    std::vector<char> second(text.begin() + half, text.end());

    char line[kStatusTextSize];
    buildMonitorText(line, sizeof line, mode, text.data(), second.data(),
                     static_cast<int32_t>(size * 7919 - 50000), isCp932LeadByte);
    char suffix[64];
    buildStatusSuffix(suffix, sizeof suffix, mode, budget, static_cast<int32_t>(size), split * 0x01010101u);
    int calls = 0;
    drawCutText(text.data(), 40, budget, widthFromByte, drawNothing, &calls, isCp932LeadByte);
    drawCutText(line, 40, monitorTextBudget(mode), widthFromByte, drawNothing, &calls, isCp932LeadByte);

    parseHexColor(text.data());

    // A stored skinName: 256 bytes, terminated or not.
    char* name = new char[kSkinNameSize];
    std::memset(name, 'a', kSkinNameSize);
    std::memcpy(name, data, size < kSkinNameSize ? size : kSkinNameSize);
    isUsableSkinName(name, isCp932LeadByte);
    char path[kSkinPathSize];
    composeSkinFilePath(path, sizeof path, second.data(), name, "skin.bmp", isCp932LeadByte);
    delete[] name;
    return 0;
}
