// Status texts of the face and the cut of line 2, with a fake fixed-pitch font:
// 6 pixels for a single-byte character, 12 for a double-byte one.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/sjistext.h"
#include "base/textformat.h"
#include "base/timecalc.h"
#include "ui/statusline.h"

namespace {

struct Drawn {
    int x;
    std::string chars;
};

struct FakeFont {
    std::vector<Drawn> drawn;
};

int fakeWidth(void*, const char* chars, int length)
{
    int width = 0;
    for (int i = 0; i < length; ++i) {
        const bool wide = i + 1 < length && isCp932LeadByte(static_cast<unsigned char>(chars[i]));
        width += wide ? 12 : 6;
        i += wide ? 1 : 0;
    }
    return width;
}

void fakeDraw(void* context, int x, const char* chars, int length)
{
    static_cast<FakeFont*>(context)->drawn.push_back({x, std::string(chars, length)});
}

std::string describe(const std::vector<Drawn>& drawn)
{
    std::string out;
    for (const Drawn& d : drawn)
        out += std::to_string(d.x) + ":[" + d.chars + "] ";
    return out;
}

TEST(StatusLine, ModeLabelsAndBudgets)
{
    struct Case { int mode; const char* label; const char* target; int budget; } cases[] = {
        {0, "[Windowの名称変更]", "対象", 90},
        {1, "[Windowの破棄,選択不能]", "対象", 90},
        {2, "[Windowが非アクティブに]", "対象", 90},
        {3, "[Windowの破棄]", "対象", 90},
        {101, "[PINGの失敗]", "対象", 70},
        {201, "[カウントダウン]", "残り", 130},
        {4, "", "対象", 90}, {-1, "", "対象", 90}, {202, "", "対象", 90},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(c.label, monitorModeLabel(c.mode)) << "mode " << c.mode;
        EXPECT_STREQ(c.target, monitorTargetLabel(c.mode)) << "mode " << c.mode;
        EXPECT_EQ(c.budget, monitorTextBudget(c.mode)) << "mode " << c.mode;
    }
}

TEST(StatusLine, DateAndClockFormats)
{
    char text[32];
    formatDate(text, sizeof text, 2024, 3, 5);
    EXPECT_STREQ("2024/03/05", text);
    formatDate(text, sizeof text, 999, 12, 31);
    EXPECT_STREQ(" 999/12/31", text);
    formatClock(text, sizeof text, 7, 8, 9);
    EXPECT_STREQ("07:08:09", text);
    formatClock(text, 4, 23, 59, 59);
    EXPECT_STREQ("23:", text) << "a short buffer is cut and terminated";
}

TEST(StatusLine, CountdownFieldsTruncateTowardZero)
{
    struct Case { int32_t ms; int h, m, s; const char* text; } cases[] = {
        {359940000, 99, 59, 0, " 99 時間 59 分 00 秒"},
        {3723000, 1, 2, 3, " 1 時間 02 分 03 秒"},
        {3723999, 1, 2, 3, " 1 時間 02 分 03 秒"},
        {999, 0, 0, 0, " 0 時間 00 分 00 秒"},
        {0, 0, 0, 0, " 0 時間 00 分 00 秒"},
        {-999, 0, 0, 0, " 0 時間 00 分 00 秒"},
        {-5000, 0, 0, -5, " 0 時間 00 分 -5 秒"},
        {-15500, 0, 0, -15, " 0 時間 00 分 -15 秒"},
        {-3723000, -1, -2, -3, " -1 時間 -2 分 -3 秒"},
        {INT32_MIN, -596, -31, -23, " -596 時間 -31 分 -23 秒"},
    };
    for (const Case& c : cases) {
        const CountdownFields f = splitRemaining(c.ms);
        EXPECT_EQ(c.h, f.hours) << c.ms;
        EXPECT_EQ(c.m, f.minutes) << c.ms;
        EXPECT_EQ(c.s, f.seconds) << c.ms;
        char text[kStatusTextSize];
        buildMonitorText(text, sizeof text, 201, "host", "title", c.ms, isCp932LeadByte);
        EXPECT_STREQ(c.text, text) << c.ms;
    }
}

TEST(StatusLine, SuffixByModeAndPingResult)
{
    struct Case { int mode; int32_t result, failures; uint32_t handle; const char* text; } cases[] = {
        {101, 12, 0, 0, "\"(12ms/0)"},
        {101, 0, 3, 0, "\"(0ms/3)"},
        {101, -11, 4, 0, "\"(LOST/4)"},
        {101, -1, 2, 0, "\"(ERROR/2)"},
        {101, -10, 5, 0, "\"(ERROR/5)"},
        {101, -2, 1, 0, "\"(ERROR/1)"},
        {201, 12, 0, 0x1234, ""},
        {0, 12, 0, 0x1A, "\"(001A)"},
        {3, -11, 0, 0xABCDE, "\"(ABCDE)"},
        {2, 0, 0, 0, "\"(0000)"},
        {7, 5, 5, 0xFFFFFFFFu, "\"(FFFFFFFF)"},
    };
    for (const Case& c : cases) {
        char text[64];
        buildStatusSuffix(text, sizeof text, c.mode, c.result, c.failures, c.handle);
        EXPECT_STREQ(c.text, text) << "mode " << c.mode << " result " << c.result;
    }
    char edge[2] = {'x', 'x'}; // no room at all is left alone; one byte is terminated
    buildStatusSuffix(edge, 0, 201, 0, 0, 0);
    buildStatusSuffix(edge + 1, 1, 201, 0, 0, 0);
    EXPECT_EQ('x', edge[0]);
    EXPECT_EQ('\0', edge[1]);
}

TEST(StatusLine, MonitorTextQuotesTheNameOrSaysNoName)
{
    struct Case { int mode; const char* host; const char* title; const char* text; } cases[] = {
        {101, "example.org", "ignored", "\"example.org"},
        {101, "", "ignored", "\""},
        {0, "host", "メモ帳", "\"メモ帳"},
        {3, "host", "", "\"名前なし"},
        {1, "host", "", "\"名前なし"},
        {9, "host", "abc", "\"abc"},
    };
    for (const Case& c : cases) {
        char text[kStatusTextSize];
        EXPECT_TRUE(buildMonitorText(text, sizeof text, c.mode, c.host, c.title, 0, isCp932LeadByte));
        EXPECT_STREQ(c.text, text) << "mode " << c.mode;
    }
}

TEST(StatusLine, LongHostNameIsCutTo255CharactersWithoutHalfCharacters)
{
    char host[1024];
    std::memset(host, 'a', sizeof host - 1);
    host[sizeof host - 1] = '\0';
    char text[kStatusTextSize];
    std::memset(text, 'Z', sizeof text);
    EXPECT_FALSE(buildMonitorText(text, sizeof text, 101, host, "", 0, isCp932LeadByte));
    EXPECT_EQ(255u, std::strlen(text));
    EXPECT_EQ('"', text[0]);

    // 253 letters and a double-byte character: the character would need bytes
    // 255 and 256, so it is left out whole.
    std::string name(253, 'a');
    name += "漢";
    buildMonitorText(text, sizeof text, 101, name.c_str(), "", 0, isCp932LeadByte);
    EXPECT_EQ(254u, std::strlen(text));
    EXPECT_EQ('a', text[253]);

    // 252 letters: the character ends exactly at byte 255.
    name = std::string(252, 'a') + "漢";
    buildMonitorText(text, sizeof text, 101, name.c_str(), "", 0, isCp932LeadByte);
    EXPECT_EQ(255u, std::strlen(text));

    char small[4];
    buildMonitorText(small, sizeof small, 3, "", "漢字", 0, isCp932LeadByte);
    EXPECT_STREQ("\"漢", small);
    buildMonitorText(small, 3, 3, "", "漢字", 0, isCp932LeadByte);
    EXPECT_STREQ("\"", small) << "no room for a whole character after the quote";
}

TEST(StatusLine, CutMeasuresEachCharacterAndDrawsOneRun)
{
    struct Case {
        const char* text;
        int budget;
        std::vector<Drawn> expected;
        int endX;
    } cases[] = {
        {"\"abc", 70, {{40, "\"abc"}}, 64},
        // 11 characters leave 4 pixels; the 12th takes the budget below zero.
        {"\"abcdefghijklmnopqrstuvwxyz", 70, {{40, "\"abcdefghij"}, {106, ".."}}, 116},
        // A budget used up exactly is not "above 0": that character is cut.
        {"abcdefghijklmnop", 90, {{40, "abcdefghijklmn"}, {124, ".."}}, 134},
        // The first character is drawn whatever it costs.
        {"漢x", 5, {{40, "漢"}, {52, ".."}}, 62},
        {"漢", 1, {{40, "漢"}}, 52},
        {"", 90, {}, 40},
        // A lead byte cut off at the end of the text is a character of its own.
        {"ab\x8A", 90, {{40, "ab\x8A"}}, 58},
        // As wide as the budget as a whole: measured again and cut.
        {"ソabc", 31, {{40, "ソabc"}}, 70},
        {"ソabc", 30, {{40, "ソab"}, {64, ".."}}, 74},
    };
    for (const Case& c : cases) {
        FakeFont font;
        const int endX = drawCutText(c.text, 40, c.budget, fakeWidth, fakeDraw, &font, isCp932LeadByte);
        EXPECT_EQ(c.endX, endX) << "text [" << c.text << "]";
        ASSERT_EQ(c.expected.size(), font.drawn.size()) << "text [" << c.text << "]: " << describe(font.drawn);
        for (size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(c.expected[i].x, font.drawn[i].x) << "text [" << c.text << "] piece " << i;
            EXPECT_EQ(c.expected[i].chars, font.drawn[i].chars) << "text [" << c.text << "] piece " << i;
        }
    }
}

TEST(StatusLine, CutNeverSplitsADoubleByteCharacter)
{
    // A quote and 12 letters take 78 of 90 pixels; "漢" would take the rest
    // exactly, so the line is cut before it, not inside it.
    FakeFont font;
    int endX = drawCutText("\"abcdefghijkl漢字", 40, 90, fakeWidth, fakeDraw, &font, isCp932LeadByte);
    EXPECT_EQ(128, endX) << describe(font.drawn);
    EXPECT_EQ("40:[\"abcdefghijkl] 118:[..] ", describe(font.drawn));

    // With 11 letters "漢" fits (6 pixels left) and "字" is cut; the "ソ"
    // character has a trail byte 0x5C and is still one character.
    font = FakeFont();
    endX = drawCutText("\"abcdefghijk漢ソ", 40, 90, fakeWidth, fakeDraw, &font, isCp932LeadByte);
    EXPECT_EQ(134, endX) << describe(font.drawn);
    EXPECT_EQ("40:[\"abcdefghijk漢] 124:[..] ", describe(font.drawn));
}

} // namespace

// The formatter behind these texts: a cut text stays terminated and reports
// the length it needed; signs, zero padding and 64-bit values as printf.
TEST(StatusLine, FormatterCutsLikeSnprintf)
{
    char out[6];
    EXPECT_EQ(8, formatText(out, sizeof out, "%s\\%s", "ab", "cdefg"));
    EXPECT_STREQ("ab\\cd", out);
    char wide[56];
    formatText(wide, sizeof wide, "%03d|%4d|%lld|%lu|%04X|%d|%10d", -5, 7, -9000000000LL, 4294967295UL, 0xBEEFu, 0,
               3);
    EXPECT_STREQ("-05|   7|-9000000000|4294967295|BEEF|0|         3", wide);
}
