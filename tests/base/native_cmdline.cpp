#include <gtest/gtest.h>

#include <cstring>

#include "base/cmdline.h"
#include "base/sjistext.h"

namespace {

TEST(CommandLine, StartHourAndTrayToken)
{
    struct Case { const char* text; int hour, tray; } cases[] = {
        {nullptr, -1, 0}, {"", -1, 0}, {"   ", -1, 0},
        {"8", 8, 0}, {"0", 0, 0}, {"00", -1, 0}, {"abc", -1, 0}, {"8abc", 8, 0},
        {"25", 25, 0}, {"-3", -3, 0}, {"+7", 7, 0},
        {"8 t", 8, 1}, {"8 T", 8, 1}, {"8 tray", 8, 1}, {"8 Tomorrow", 8, 1}, {"8 x", 8, 0},
        {"abc t", -1, 1}, {"   7    t   ", 7, 1}, {"7 t extra words", 7, 1},
        {"7\tt", 7, 0},   // tabs do not separate tokens
        {"\t7 t", 7, 1},  // but the number parser skips leading blanks
        {"99999999999999999999", 2147483647, 0}, {"-99999999999999999999", -2147483647 - 1, 0},
    };
    for (const Case& c : cases) {
        const CommandLine parsed = parseCommandLine(c.text);
        EXPECT_EQ(c.hour, parsed.startHour) << "command line [" << (c.text ? c.text : "(null)") << "]";
        EXPECT_EQ(c.tray, parsed.startInTray) << "command line [" << (c.text ? c.text : "(null)") << "]";
    }
}

TEST(StripFileName, CutsAfterTheLastRealSeparator)
{
    struct Case { const char* path; const char* expected; } cases[] = {
        {"C:\\dir\\noctil.exe", "C:\\dir\\"},
        {"noctil.exe", ""},
        {"", ""},
        {"C:\\dir\\", "C:\\dir\\"},
        {"C:noctil.exe", "C:"},
        {"/unix/style/file", "/unix/style/"},
        // "ソ" is 0x83 0x5C and "表" is 0x95 0x5C: their trail bytes are no separators.
        {"C:\\ソフト\\表.exe", "C:\\ソフト\\"},
        {"C:\\表", "C:\\"},
        {"C:\\dir\\ソ", "C:\\dir\\"},
        {"\x83", ""}, // a lone lead byte at the end is a character of its own
        {"C:\\dir\\a\x83", "C:\\dir\\"},
        {"\\", "\\"},
    };
    for (const Case& c : cases) {
        char buffer[64];
        ASSERT_TRUE(copyText(buffer, sizeof buffer, c.path));
        stripFileNameWith(buffer, isCp932LeadByte);
        EXPECT_STREQ(c.expected, buffer) << "path [" << c.path << "]";
    }
}

TEST(RemoveTrailingBackslash, OnlyARealBackslash)
{
    struct Case { const char* path; const char* expected; } cases[] = {
        {"C:\\", "C:"}, {"C:\\dir\\", "C:\\dir"}, {"C:\\dir", "C:\\dir"}, {"", ""},
        {"C:\\ソ", "C:\\ソ"}, {"C:\\表\\", "C:\\表"},
    };
    for (const Case& c : cases) {
        char buffer[64];
        ASSERT_TRUE(copyText(buffer, sizeof buffer, c.path));
        removeTrailingBackslashWith(buffer, isCp932LeadByte);
        EXPECT_STREQ(c.expected, buffer) << "path [" << c.path << "]";
    }
}

TEST(BoundedText, NeverWritesPastTheBuffer)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(copyText(buffer, 8, "abcdefg"));
    EXPECT_STREQ("abcdefg", buffer);
    EXPECT_FALSE(appendText(buffer, 8, "h"));
    EXPECT_STREQ("abcdefg", buffer);
    EXPECT_FALSE(copyText(buffer, 4, "abcdef"));
    EXPECT_STREQ("abc", buffer);
    EXPECT_FALSE(copyText(buffer, 0, "a"));
    EXPECT_TRUE(copyText(buffer, 1, "")) << "room for the terminator alone";
    EXPECT_STREQ("", buffer);
    buffer[0] = 'x';
    EXPECT_FALSE(copyText(buffer, 1, "a"));
    EXPECT_STREQ("", buffer);

    char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_FALSE(appendText(unterminated, sizeof unterminated, "e"));
    EXPECT_EQ('\0', unterminated[3]);
}

} // namespace
