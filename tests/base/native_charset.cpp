// The program's texts must reach the system as Shift-JIS bytes, including the
// characters whose trail byte is a backslash (0x5C).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <string>

namespace {

std::string hex(const char* s)
{
    std::string out;
    char b[4];
    for (; *s; ++s) {
        std::snprintf(b, sizeof b, "%02X ", static_cast<unsigned char>(*s));
        out += b;
    }
    if (!out.empty())
        out.pop_back();
    return out;
}

TEST(Charset, LiteralsAreShiftJis)
{
    struct Case { const char* literal; const char* bytes; } cases[] = {
        {"ソフト表示", "83 5C 83 74 83 67 95 5C 8E A6"},
        {"エラー", "83 47 83 89 81 5B"},
        {"現在", "8C BB 8D DD"},
        {"能", "94 5C"},
        {"ｷｬﾝｾﾙ", "B7 AC DD BE D9"},                       // half-width katakana: one byte each
        {"午前８時に終了", "8C DF 91 4F 82 57 8E 9E 82 C9 8F 49 97 B9"},
        {"ＭＳ ゴシック", "82 6C 82 72 20 83 53 83 56 83 62 83 4E"},
        {"└", "84 A4"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(c.bytes), hex(c.literal)) << "literal " << c.bytes;
}

} // namespace
