// The description of a window's kind: class names whole and in their own
// letter case first, then a system menu with either caption bit.
#include <gtest/gtest.h>

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
