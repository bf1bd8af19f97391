// The description of a window's kind: class names whole and in their own
// letter case first, then a system menu with either caption bit.
#include <gtest/gtest.h>

#include <string>

#include "winwatch/windowkind.h"

TEST(WindowKind, ClassTableThenStyle)
{
    const char kWindow[] = "ウインドウが選択されています。";
    const uint32_t kCaptioned = 0x00CF0000, kChild = 0x40800000; // WS_OVERLAPPEDWINDOW; WS_CHILD | WS_BORDER
    struct Row { const char* cls; uint32_t style; const char* text; } rows[] = {
        {"Button", kCaptioned, "ボタンが選択されています。"},
        {"#32770", kCaptioned, "ダイアログが選択されています。"},
        {"ComboBox", kChild, "コンボボックスが選択されています。"},
        {"Edit", kChild, "エディットボックスが選択されています。"},
        {"RICHEDIT", kChild, "リッチエディットボックスが選択されています。"},
        {"RICHEDIT2", kChild, ""},
        {"RichEdit20A", kChild, ""},
        {"RichEdit20A", kCaptioned, kWindow},
        {"button", 0x00880000, kWindow}, // system menu and border
        {"Frame", 0x00480000, kWindow},  // system menu and dialog frame
        {"Frame", 0x00080000, ""},       // system menu alone
        {"Frame", 0x00C00000, ""},       // caption without system menu
        {nullptr, kCaptioned, kWindow},
    };
    for (const Row& row : rows)
        EXPECT_STREQ(row.text, windowKindText(row.cls, row.style)) << (row.cls ? row.cls : "null") << " " << row.style;
}

// Titles that code page 932 shows alike (Hangul, check marks: all "?") or
// that differ only far along still differ in their fingerprints.
TEST(WindowKind, TitleFingerprintSeesEveryCodeUnit)
{
    std::u16string base(300, u'a');
    std::u16string late = base;
    late[250] = u'b';
    const std::u16string titles[] = {
        u"", u"빌드 성공", u"빌드 실패", u"\u2713 build", u"\u2717 build", base, late,
        base.substr(0, 299), std::u16string(1, u'\u0100'), std::u16string(1, u'\u0001'), u"a",
    };
    const auto print = [](const std::u16string& t) {
        return titleFingerprint(reinterpret_cast<const uint16_t*>(t.data()), t.size());
    };
    for (size_t i = 0; i < sizeof titles / sizeof titles[0]; ++i) {
        EXPECT_EQ(print(titles[i]), print(std::u16string(titles[i]))) << "title " << i << " the same again";
        for (size_t j = i + 1; j < sizeof titles / sizeof titles[0]; ++j)
            EXPECT_NE(print(titles[i]), print(titles[j])) << "titles " << i << " and " << j;
    }
}
