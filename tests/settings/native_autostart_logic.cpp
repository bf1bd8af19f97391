// The decisions behind noctil.ini: what is armed at start, what the dialog
// shows and what it writes, over an in-memory [AUTO] section.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/sjistext.h"
#include "resources/resource.h"
#include "settings/autostart_logic.h"
#include "settings/time_entry.h"

namespace {

struct FakeIni {
    std::map<std::string, std::string> keys;
    std::vector<std::string> reads;
    std::vector<std::pair<std::string, std::string>> writes;
};

void readFake(void* context, const char* key, const char* fallback, char* out, size_t size)
{
    FakeIni* ini = static_cast<FakeIni*>(context);
    ini->reads.push_back(key);
    auto it = ini->keys.find(key);
    copyText(out, size, it == ini->keys.end() ? fallback : it->second.c_str());
}

void writeFake(void* context, const char* key, const char* value)
{
    static_cast<FakeIni*>(context)->writes.emplace_back(key, value);
}

std::string describe(const FakeIni& ini)
{
    std::string text;
    for (const auto& kv : ini.keys)
        text += kv.first + "=[" + kv.second + "] ";
    return text;
}

const char* kindName(AutoStartKind kind)
{
    switch (kind) {
    case AutoStartKind::None: return "none";
    case AutoStartKind::ClockTime: return "clock";
    case AutoStartKind::Countdown: return "countdown";
    case AutoStartKind::Network: return "network";
    }
    return "?";
}

TEST(AutoStartNumber, ReadsLikeAtolAndSaturates)
{
    struct Case { const char* text; int32_t value; } cases[] = {
        {"90", 90}, {"  90", 90}, {"\t+7", 7}, {"-5", -5}, {"abc", 0}, {"", 0}, {"12abc", 12},
        {"- 5", 0}, {"0x10", 0}, {"007", 7}, {"１２", 0} /* full-width digits are no digits */,
        {"2147483647", 2147483647}, {"2147483648", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"99999999999999999999", 2147483647},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, autoStartNumber(c.text)) << "[" << c.text << "]";
}

TEST(AutoStartSel, FirstCharacterWithItsCase)
{
    struct Case { const char* sel; AutoStartKind kind; } cases[] = {
        {"T", AutoStartKind::ClockTime}, {"C", AutoStartKind::Countdown}, {"N", AutoStartKind::Network},
        {"Countdown", AutoStartKind::Countdown}, {"Tx", AutoStartKind::ClockTime},
        {"t", AutoStartKind::None}, {"c", AutoStartKind::None}, {"n", AutoStartKind::None},
        {"0", AutoStartKind::None}, {"", AutoStartKind::None}, {" C", AutoStartKind::None},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(kindName(c.kind), kindName(autoStartKindFromSel(c.sel))) << "SEL [" << c.sel << "]";
    EXPECT_STREQ("T", selFromAutoStartKind(AutoStartKind::ClockTime));
    EXPECT_STREQ("C", selFromAutoStartKind(AutoStartKind::Countdown));
    EXPECT_STREQ("N", selFromAutoStartKind(AutoStartKind::Network));
    EXPECT_STREQ("0", selFromAutoStartKind(AutoStartKind::None));
}

TEST(AutoStartPlan, WhatIsArmedAtStart)
{
    struct Case {
        std::map<std::string, std::string> keys;
        AutoStartKind kind;
        uint32_t seconds;
        int hour, minute;
        const char* host;
    } cases[] = {
        {{}, AutoStartKind::None, 0, 0, 0, ""},
        {{{"SEL", "C"}, {"COUNT", "90"}}, AutoStartKind::Countdown, 5400, 0, 0, ""},
        {{{"SEL", "C"}, {"COUNT", "1"}}, AutoStartKind::Countdown, 60, 0, 0, ""},
        {{{"SEL", "C"}, {"COUNT", "0"}}, AutoStartKind::None, 0, 0, 0, ""},
        {{{"SEL", "C"}, {"COUNT", "-5"}}, AutoStartKind::None, 0, 0, 0, ""},
        {{{"SEL", "C"}, {"COUNT", "abc"}}, AutoStartKind::None, 0, 0, 0, ""},
        {{{"SEL", "C"}}, AutoStartKind::None, 0, 0, 0, ""},
        // The longest countdown; a larger COUNT would wrap the tick deadline.
        {{{"SEL", "C"}, {"COUNT", "5999"}}, AutoStartKind::Countdown, 359940, 0, 0, ""},
        {{{"SEL", "C"}, {"COUNT", "6039"}}, AutoStartKind::Countdown, 362340, 0, 0, ""},
        {{{"SEL", "C"}, {"COUNT", "2147483647"}}, AutoStartKind::Countdown, 2147483, 0, 0, ""},
        {{{"SEL", "C"}, {"COUNT", "35791"}}, AutoStartKind::Countdown, 2147460, 0, 0, ""},
        {{{"SEL", "C"}, {"COUNT", "35792"}}, AutoStartKind::Countdown, 2147483, 0, 0, ""},
        {{{"SEL", "c"}, {"COUNT", "90"}}, AutoStartKind::None, 0, 0, 0, ""},
        {{{"SEL", "T"}, {"TIME_H", "0"}, {"TIME_M", "0"}}, AutoStartKind::ClockTime, 0, 0, 0, ""},
        {{{"SEL", "T"}, {"TIME_H", "23"}, {"TIME_M", "59"}}, AutoStartKind::ClockTime, 0, 23, 59, ""},
        {{{"SEL", "T"}, {"TIME_H", " 7"}, {"TIME_M", "55min"}}, AutoStartKind::ClockTime, 0, 7, 55, ""},
        {{{"SEL", "T"}, {"TIME_H", "24"}, {"TIME_M", "0"}}, AutoStartKind::None, 0, 0, 0, ""},
        {{{"SEL", "T"}, {"TIME_H", "7"}, {"TIME_M", "60"}}, AutoStartKind::None, 0, 0, 0, ""},
        {{{"SEL", "T"}, {"TIME_H", "-1"}, {"TIME_M", "0"}}, AutoStartKind::None, 0, 0, 0, ""},
        {{{"SEL", "T"}, {"TIME_H", "7"}}, AutoStartKind::None, 0, 0, 0, ""},
        {{{"SEL", "T"}, {"TIME_M", "0"}}, AutoStartKind::None, 0, 0, 0, ""},
        {{{"SEL", "T"}, {"TIME_H", "abc"}, {"TIME_M", ""}}, AutoStartKind::ClockTime, 0, 0, 0, ""},
        {{{"SEL", "N"}}, AutoStartKind::Network, 0, 0, 0, "localhost"},
        {{{"SEL", "N"}, {"HOST", "192.0.2.1"}}, AutoStartKind::Network, 0, 0, 0, "192.0.2.1"},
        {{{"SEL", "N"}, {"HOST", ""}}, AutoStartKind::Network, 0, 0, 0, ""},
        {{{"SEL", "n"}, {"HOST", "x"}}, AutoStartKind::None, 0, 0, 0, ""},
        {{{"SEL", "0"}, {"COUNT", "90"}, {"TIME_H", "7"}, {"TIME_M", "0"}}, AutoStartKind::None, 0, 0, 0, ""},
        {{{"SEL", ""}}, AutoStartKind::None, 0, 0, 0, ""},
    };
    for (const Case& c : cases) {
        FakeIni ini;
        ini.keys = c.keys;
        const AutoStartPlan plan = planAutoStart(readFake, &ini);
        SCOPED_TRACE(describe(ini));
        EXPECT_STREQ(kindName(c.kind), kindName(plan.kind));
        if (c.kind == AutoStartKind::Countdown) {
            EXPECT_EQ(c.seconds, plan.seconds);
        }
        if (c.kind == AutoStartKind::ClockTime) {
            EXPECT_EQ(c.hour, plan.hour);
            EXPECT_EQ(c.minute, plan.minute);
        }
        if (c.kind == AutoStartKind::Network) {
            EXPECT_STREQ(c.host, plan.host);
        }
    }
}

TEST(AutoStartPlan, ReadsOnlyTheKeysTheTriggerNeeds)
{
    struct Case { std::map<std::string, std::string> keys; std::vector<std::string> reads; } cases[] = {
        {{}, {"SEL"}},
        {{{"SEL", "C"}}, {"SEL", "COUNT"}},
        {{{"SEL", "N"}}, {"SEL", "HOST"}},
        {{{"SEL", "T"}, {"TIME_H", "7"}}, {"SEL", "TIME_H", "TIME_M"}},
        {{{"SEL", "T"}, {"TIME_H", "24"}}, {"SEL", "TIME_H"}},
    };
    for (const Case& c : cases) {
        FakeIni ini;
        ini.keys = c.keys;
        planAutoStart(readFake, &ini);
        EXPECT_EQ(c.reads, ini.reads) << describe(ini);
    }
}

TEST(AutoStartPlan, LongValuesAreCutAt254Characters)
{
    FakeIni ini;
    const std::string host(600, 'h');
    ini.keys = {{"SEL", "N"}, {"HOST", host}};
    const AutoStartPlan plan = planAutoStart(readFake, &ini);
    EXPECT_EQ(254u, std::strlen(plan.host));
}

TEST(AutoStartForm, DialogDefaultsAndSplitCount)
{
    struct Case {
        std::map<std::string, std::string> keys;
        AutoStartKind kind;
        const char* host;
        uint32_t cdHours, cdMinutes, hour, minute;
    } cases[] = {
        {{}, AutoStartKind::None, "localhost", 5, 0, 7, 55},
        {{{"SEL", "C"}, {"COUNT", "125"}}, AutoStartKind::Countdown, "localhost", 2, 5, 7, 55},
        {{{"SEL", "N"}, {"HOST", "example"}}, AutoStartKind::Network, "example", 5, 0, 7, 55},
        {{{"SEL", "T"}, {"TIME_H", "0"}, {"TIME_M", "0"}}, AutoStartKind::ClockTime, "localhost", 5, 0, 0, 0},
        {{{"SEL", "t"}, {"COUNT", "59"}}, AutoStartKind::None, "localhost", 0, 59, 7, 55},
        {{{"COUNT", "0"}}, AutoStartKind::None, "localhost", 0, 0, 7, 55},
        {{{"COUNT", "abc"}}, AutoStartKind::None, "localhost", 0, 0, 7, 55},
        // A negative length is shown as no time at all.
        {{{"COUNT", "-5"}}, AutoStartKind::None, "localhost", 0, 0, 7, 55},
        {{{"COUNT", "-125"}}, AutoStartKind::None, "localhost", 0, 0, 7, 55},
        {{{"COUNT", "6039"}}, AutoStartKind::None, "localhost", 100, 39, 7, 55},
        // Out-of-range times are shown as they are (as unsigned numbers).
        {{{"TIME_H", "24"}, {"TIME_M", "60"}}, AutoStartKind::None, "localhost", 5, 0, 24, 60},
        {{{"TIME_H", "-1"}}, AutoStartKind::None, "localhost", 5, 0, 4294967295u, 55},
    };
    for (const Case& c : cases) {
        FakeIni ini;
        ini.keys = c.keys;
        const AutoStartForm form = readAutoStartForm(readFake, &ini);
        SCOPED_TRACE(describe(ini));
        EXPECT_STREQ(kindName(c.kind), kindName(form.kind));
        EXPECT_STREQ(c.host, form.host);
        EXPECT_EQ(c.cdHours, form.countdownHours);
        EXPECT_EQ(c.cdMinutes, form.countdownMinutes);
        EXPECT_EQ(c.hour, form.hour);
        EXPECT_EQ(c.minute, form.minute);
    }
}

TEST(AutoStartForm, WritesFiveKeysInOrder)
{
    struct Case {
        AutoStartForm form;
        std::vector<std::pair<std::string, std::string>> writes;
    } cases[] = {
        {{AutoStartKind::Countdown, "localhost", 2, 5, 7, 55},
         {{"SEL", "C"}, {"HOST", "localhost"}, {"COUNT", "125"}, {"TIME_M", "55"}, {"TIME_H", "7"}}},
        {{AutoStartKind::None, "", 0, 0, 0, 0},
         {{"SEL", "0"}, {"HOST", ""}, {"COUNT", "0"}, {"TIME_M", "0"}, {"TIME_H", "0"}}},
        {{AutoStartKind::ClockTime, "h", 0, 90, 24, 60},
         {{"SEL", "T"}, {"HOST", "h"}, {"COUNT", "90"}, {"TIME_M", "60"}, {"TIME_H", "24"}}},
        {{AutoStartKind::Network, "192.0.2.1", 99, 99, 23, 59},
         {{"SEL", "N"}, {"HOST", "192.0.2.1"}, {"COUNT", "6039"}, {"TIME_M", "59"}, {"TIME_H", "23"}}},
        // Hand-typed hours beyond 32 bits of minutes: written in full, not wrapped.
        {{AutoStartKind::Countdown, "x", 4294967295u, 4294967295u, 4294967295u, 4294967295u},
         {{"SEL", "C"}, {"HOST", "x"}, {"COUNT", "261993004995"}, {"TIME_M", "-1"}, {"TIME_H", "-1"}}},
    };
    for (const Case& c : cases) {
        FakeIni ini;
        writeAutoStartForm(c.form, writeFake, &ini);
        EXPECT_EQ(c.writes, ini.writes) << "SEL " << kindName(c.form.kind);
    }
}

TEST(AutoStartForm, WhatTheDialogWritesIsWhatStartArms)
{
    struct Case { AutoStartForm form; AutoStartKind armed; uint32_t seconds; } cases[] = {
        {{AutoStartKind::Countdown, "localhost", 0, 0, 7, 55}, AutoStartKind::None, 0},
        {{AutoStartKind::Countdown, "localhost", 2, 5, 7, 55}, AutoStartKind::Countdown, 7500},
        {{AutoStartKind::Countdown, "x", 4294967295u, 0, 7, 55}, AutoStartKind::Countdown, 2147483},
        {{AutoStartKind::Countdown, "x", 99, 99, 7, 55}, AutoStartKind::Countdown, 362340},
        {{AutoStartKind::ClockTime, "localhost", 5, 0, 24, 0}, AutoStartKind::None, 0},
        {{AutoStartKind::ClockTime, "localhost", 5, 0, 4294967295u, 0}, AutoStartKind::None, 0},
        {{AutoStartKind::Network, "host", 5, 0, 7, 55}, AutoStartKind::Network, 0},
    };
    for (const Case& c : cases) {
        FakeIni ini;
        writeAutoStartForm(c.form, writeFake, &ini);
        for (const auto& kv : ini.writes)
            ini.keys[kv.first] = kv.second;
        const AutoStartPlan plan = planAutoStart(readFake, &ini);
        EXPECT_STREQ(kindName(c.armed), kindName(plan.kind)) << describe(ini);
        if (c.armed == AutoStartKind::Countdown) {
            EXPECT_EQ(c.seconds, plan.seconds) << describe(ini);
        }
    }
}

TEST(TimeEntry, CountdownSecondsAreComputedWideAndCapped)
{
    struct Case { uint32_t hours, minutes, seconds; } cases[] = {
        {0, 0, 0}, {1, 0, 3600}, {0, 90, 5400}, {99, 59, 359940}, {99, 60, 359940}, {100, 0, 359940},
        {0, 5999, 359940}, {0, 6000, 359940},
        // 32-bit arithmetic would wrap these to small counts.
        {1193047, 0, 359940}, {4294967295u, 4294967295u, 359940}, {0, 71582789, 359940},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.seconds, countdownSecondsFor(c.hours, c.minutes)) << c.hours << " h " << c.minutes << " min";
}

TEST(TimeEntry, ClockTimeRangeIsSigned)
{
    struct Case { uint32_t hour, minute; bool valid; } cases[] = {
        {0, 0, true}, {23, 59, true}, {24, 0, false}, {0, 60, false},
        {4294967295u, 0, false}, {0, 4294967295u, false}, {2147483648u, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.valid, isClockTime(c.hour, c.minute)) << c.hour << ":" << c.minute;
}

TEST(TimeEntry, PresetsByButtonId)
{
    struct Case { int id; uint32_t seconds; } cases[] = {
        {IDC_CD_PRESET_3MIN, 180}, {IDC_CD_PRESET_10MIN, 600}, {IDC_CD_PRESET_15MIN, 900},
        {IDC_CD_PRESET_30MIN, 1800}, {IDC_CD_PRESET_1H, 3600}, {IDC_CD_PRESET_2H, 7200},
        {IDC_CD_PRESET_5H, 18000}, {IDC_CD_PRESET_8H, 28800},
        {1018, 600}, {1021, 18000}, {1, 0}, {2, 0}, {1013, 0}, {1024, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.seconds, countdownPresetSeconds(c.id)) << "button " << c.id;
}

TEST(TimeEntry, InvertedSpinnerMapsBothWays)
{
    struct Case { int maximum; uint32_t value; int position; } cases[] = {
        {23, 0, 23}, {23, 23, 0}, {23, 7, 16}, {59, 55, 4}, {99, 1, 98},
        {23, 24, 0}, {99, 4294967295u, 0}, // beyond the range: the top end
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.position, spinnerPositionFor(c.maximum, c.value)) << "max " << c.maximum << " value " << c.value;
    struct Back { int maximum, position; uint32_t value; } backs[] = {
        {23, 0, 23}, {23, 23, 0}, {59, 4, 55}, {59, -1, 59}, {59, 60, 0},
    };
    for (const Back& b : backs)
        EXPECT_EQ(b.value, spinnerValueAt(b.maximum, b.position)) << "max " << b.maximum << " pos " << b.position;
}

} // namespace
