// Our run-time's memory and string routines, built here under rt_ names,
// held against the host's C library on the same inputs; and the command line
// WinMain receives.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/runtime.h"

extern "C" {
void* rt_memcpy(void* to, const void* from, size_t n);
void* rt_memmove(void* to, const void* from, size_t n);
void* rt_memset(void* to, int value, size_t n);
int rt_memcmp(const void* a, const void* b, size_t n);
void* rt_memchr(const void* from, int value, size_t n);
size_t rt_strlen(const char* s);
int rt_strncmp(const char* a, const char* b, size_t n);
int rt_strcmp(const char* a, const char* b);
char* rt_strchr(const char* s, int c);
}

namespace {

int sign(int v)
{
    return (v > 0) - (v < 0);
}

// Bytes with the high bit set compare as unsigned, as the C library's do.
const std::vector<std::string> kTexts = {
    "", "a", "ab", "abc", "abd", "b", "\x80", "\xFF", "a\xFF", "\x82\xA0\x82\xA2", std::string("a\0b", 3),
};

TEST(Runtime, ComparisonsAgreeWithTheCLibrary)
{
    for (const std::string& a : kTexts) {
        for (const std::string& b : kTexts) {
            const std::string what = "[" + a + "] [" + b + "]";
            EXPECT_EQ(sign(std::strcmp(a.c_str(), b.c_str())), rt_strcmp(a.c_str(), b.c_str())) << what;
            for (size_t n : {size_t(0), size_t(1), size_t(2), size_t(5)}) {
                EXPECT_EQ(sign(std::strncmp(a.c_str(), b.c_str(), n)), rt_strncmp(a.c_str(), b.c_str(), n))
                    << what << " n " << n;
                const size_t bytes = std::min(n, std::min(a.size(), b.size()) + 1);
                EXPECT_EQ(sign(std::memcmp(a.c_str(), b.c_str(), bytes)), rt_memcmp(a.c_str(), b.c_str(), bytes))
                    << what << " bytes " << bytes;
            }
        }
        EXPECT_EQ(std::strlen(a.c_str()), rt_strlen(a.c_str())) << a;
    }
}

TEST(Runtime, SearchesFindWhatTheCLibraryFinds)
{
    const char text[] = "ab\x82\xA0" "c\0d";
    const size_t size = sizeof text;
    const int values[] = {'a', 'c', 'd', 'z', 0, 0x82, 0xA0, 0x182, -126 /* 0x82 as a signed char */};
    for (int c : values) {
        EXPECT_EQ(std::strchr(text, c), rt_strchr(text, c)) << "strchr " << c;
        for (size_t n : {size_t(0), size_t(1), size_t(3), size}) {
            EXPECT_EQ(std::memchr(text, c, n), rt_memchr(text, c, n)) << "memchr " << c << " n " << n;
        }
    }
}

TEST(Runtime, CopiesMovesAndFills)
{
    struct Case { const char* name; size_t to, from, n; } cases[] = {
        {"apart", 10, 0, 6}, {"overlap forward", 2, 0, 8}, {"overlap backward", 0, 2, 8},
        {"same place", 3, 3, 5}, {"nothing", 1, 0, 0}, {"touching", 4, 0, 4},
    };
    for (const Case& c : cases) {
        char ours[20], theirs[20];
        for (int i = 0; i < 20; ++i)
            ours[i] = theirs[i] = static_cast<char>('A' + i);
        EXPECT_EQ(ours + c.to, rt_memmove(ours + c.to, ours + c.from, c.n)) << c.name;
        std::memmove(theirs + c.to, theirs + c.from, c.n);
        EXPECT_EQ(std::string(theirs, 20), std::string(ours, 20)) << "memmove " << c.name;
        const char source[20] = "abcdefghijklmnopqrs";
        EXPECT_EQ(ours + c.to, rt_memcpy(ours + c.to, source + c.from, c.n)) << c.name;
        std::memcpy(theirs + c.to, source + c.from, c.n);
        EXPECT_EQ(std::string(theirs, 20), std::string(ours, 20)) << "memcpy " << c.name;
    }
    for (int value : {0, 0x41, 0xFF, 0x141, -1}) {
        char ours[8] = "0123456", theirs[8] = "0123456";
        EXPECT_EQ(ours + 1, rt_memset(ours + 1, value, 5));
        std::memset(theirs + 1, value, 5);
        EXPECT_EQ(std::string(theirs, 8), std::string(ours, 8)) << "memset " << value;
    }
}

TEST(Runtime, WinMainGetsTheArgumentsAlone)
{
    struct Case { const char* line; const char* arguments; } cases[] = {
        {"noctil.exe 8 t", "8 t"},
        {"\"C:\\Program Files\\noctil.exe\" 8", "8"},
        {"\"C:\\a b\\noctil.exe\"", ""},
        {"noctil.exe", ""},
        {"noctil.exe \t  7", "7"},
        {"noctil.exe\t7 ", "7 "},
        {"\"unterminated 8", ""},
        {"\"\"8", "8"},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string line = c.line;
        EXPECT_STREQ(c.arguments, runtimeArguments(&line[0])) << "line [" << c.line << "]";
    }
}

} // namespace
