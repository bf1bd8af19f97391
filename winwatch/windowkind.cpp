#include "winwatch/windowkind.h"

#include <cstring>

namespace {

struct KnownClass {
    const char* name;
    const char* text;
};

// Compared whole and case-sensitively, first match wins: "RICHEDIT" is the
// first rich edit only, "RichEdit20A" and other versions fall through.
const KnownClass kKnownClasses[] = {
    {"Button", "ボタンが選択されています。"},
    {"#32770", "ダイアログが選択されています。"},
    {"ComboBox", "コンボボックスが選択されています。"},
    {"Edit", "エディットボックスが選択されています。"},
    {"RICHEDIT", "リッチエディットボックスが選択されています。"},
};

constexpr uint32_t kSystemMenu = 0x00080000;  // WS_SYSMENU
constexpr uint32_t kCaptionBits = 0x00C00000; // WS_BORDER | WS_DLGFRAME

} // namespace

const char* windowKindText(const char* className, uint32_t style)
{
    for (const KnownClass& known : kKnownClasses) {
        if (className != nullptr && std::strcmp(className, known.name) == 0)
            return known.text;
    }
    if ((style & kSystemMenu) != 0 && (style & kCaptionBits) != 0)
        return "ウインドウが選択されています。";
    return "";
}

uint64_t titleFingerprint(const uint16_t* text, size_t length)
{
    uint64_t hash = 14695981039346656037ull;
    const auto mix = [&hash](uint64_t value) {
        hash ^= value;
        hash *= 1099511628211ull;
    };
    for (size_t i = 0; i < length; ++i) {
        mix(text[i] & 0xFF);
        mix(text[i] >> 8);
    }
    return hash;
}
