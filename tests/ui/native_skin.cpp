// The skin format without Windows: colour syntax, directory entries, names
// and the paths formed from them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/sjistext.h"
#include "ui/skincolor.h"
#include "ui/skinpath.h"

namespace {

TEST(SkinColor, HexDigitValues)
{
    struct Case { char ch; int value; } cases[] = {
        {'0', 0}, {'9', 9}, {'A', 10}, {'F', 15}, {'a', 10}, {'f', 15},
        {'G', 0}, {'g', 0}, {'/', 0}, {':', 0}, {'@', 0}, {'`', 0}, {' ', 0}, {'\0', 0}, {'#', 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, hexDigitValue(c.ch)) << "character " << static_cast<int>(c.ch);
    // Bytes from 0x80 up are negative as a signed char and never digits, even
    // those that would be 'A'..'F' or '0'..'9' with the top bit cut away.
    for (int b = 0x80; b <= 0xFF; ++b)
        EXPECT_EQ(0, hexDigitValue(static_cast<char>(b))) << "byte " << b;
}

TEST(SkinColor, ParsesHashAndSixDigits)
{
    struct Case { const char* text; uint32_t colour; } cases[] = {
        {"#00ff00", 0x0000FF00}, {"#00FF00", 0x0000FF00},
        {"#1A3C6E", 0x006E3C1A}, {"#FFFFFF", 0x00FFFFFF}, {"#000000", 0},
        {"#FF0000", 0x000000FF}, {"#0000ff", 0x00FF0000},
        {"#0F0", 0}, {"00FF00", 0}, {"", 0}, {"#12345", 0}, {"#", 0}, {" #FF0000", 0},
        {"#GG0000", 0}, {"#GGFF00", 0x0000FF00}, {"#12 456", 0x00560412},
        {"#FF000080", 0x000000FF}, {"#FF0000\x82\xA0", 0x000000FF},
        {"#\x82\xA0\x82\xA0\x82\xA0", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.colour, parseHexColor(c.text)) << "text [" << c.text << "]";
    EXPECT_EQ(0u, parseHexColor(nullptr));
}

TEST(SkinPath, OnlyPlainDirectoriesWithoutLeadingDotAreSkins)
{
    struct Case { uint32_t attributes; const char* name; bool skin; } cases[] = {
        {0x10, "aozora", true}, {0x10, "墨", true},
        {0x11, "readonly", false}, {0x12, "hidden", false}, {0x14, "system", false},
        {0x30, "archive", false}, {0x20, "file.bmp", false}, {0x80, "normal", false},
        {0x10, ".", false}, {0x10, "..", false}, {0x10, ".git", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.skin, isSkinDirectoryEntry(c.attributes, c.name)) << c.name << " " << c.attributes;
}

TEST(SkinPath, ComposesPathsOnlyForUsableNamesThatFit)
{
    const char* dir = "C:\\prog\\";
    struct Case { const char* name; const char* path; } cases[] = {
        {"aozora", "C:\\prog\\skins\\aozora\\skin.ini"},
        {"ソフト", "C:\\prog\\skins\\ソフト\\skin.ini"},
        {"a b", "C:\\prog\\skins\\a b\\skin.ini"},
        {"", nullptr}, {".", nullptr}, {"..", nullptr}, {".hidden", nullptr},
        {"a\\b", nullptr}, {"..\\..\\windows", nullptr}, {"a/b", nullptr}, {"c:x", nullptr},
    };
    for (const Case& c : cases) {
        char out[260];
        std::memset(out, 'Z', sizeof out);
        const bool ok = composeSkinFilePath(out, sizeof out, dir, c.name, "skin.ini", isCp932LeadByte);
        EXPECT_EQ(c.path != nullptr, ok) << "name [" << c.name << "]";
        EXPECT_STREQ(c.path ? c.path : "", out) << "name [" << c.name << "]";
    }
    char out[260];
    EXPECT_FALSE(composeSkinFilePath(out, sizeof out, "", "aozora", "skin.ini", isCp932LeadByte))
        << "no program directory, no skin";
}

TEST(SkinPath, PathLengthLimit)
{
    // "<dir>skins\<name>\skin.bmp": the directory and the fixed parts take
    // strlen(dir) + 6 + 1 + 8 bytes.
    const std::string dir = "C:\\" + std::string(200, 'd') + "\\"; // 204 bytes
    const size_t fixed = dir.size() + 15;
    for (size_t nameLength : {size_t(1), 259 - fixed - 1, 259 - fixed, 259 - fixed + 1, size_t(255)}) {
        const std::string name(nameLength, 'n');
        char out[260];
        const bool ok = composeSkinFilePath(out, sizeof out, dir.c_str(), name.c_str(), "skin.bmp", isCp932LeadByte);
        EXPECT_EQ(fixed + nameLength <= 259, ok) << "name length " << nameLength;
        if (ok)
            EXPECT_EQ(fixed + nameLength, std::strlen(out));
        else
            EXPECT_STREQ("", out);
    }
}

TEST(SkinPath, NameLimitIsTheSkinNameBuffer)
{
    struct {
        char name[256];
        char after[8];
    } stored;
    std::memset(stored.after, 'X', sizeof stored.after);

    std::memset(stored.name, 'a', 255);
    stored.name[255] = '\0';
    EXPECT_TRUE(isUsableSkinName(stored.name, isCp932LeadByte)) << "255 bytes and the zero";

    stored.name[255] = 'a';
    EXPECT_FALSE(isUsableSkinName(stored.name, isCp932LeadByte)) << "no terminator within 256 bytes";

    // A double-byte character whose trail byte would be byte 256.
    std::memset(stored.name, 'a', 255);
    stored.name[254] = '\x8A';
    stored.name[255] = '\x5C';
    EXPECT_FALSE(isUsableSkinName(stored.name, isCp932LeadByte));
    stored.name[253] = '\x83';
    stored.name[254] = '\x5C'; // ソ ending at byte 254, then the terminator
    stored.name[255] = '\0';
    EXPECT_TRUE(isUsableSkinName(stored.name, isCp932LeadByte)) << "a trail 0x5C is no separator";
}

} // namespace
