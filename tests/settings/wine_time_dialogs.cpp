// The clock-time (127) and countdown (126) dialogs, run modally on the test
// thread and driven from a second thread as a user would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program/triggers.h"
#include "resources/resource.h"
#include "settings/trigger_dialogs.h"
#include "state/appstate.h"
#include "tests/support/wine_support.h"

namespace {

const char kClockCaption[] = "時間を指定して開始";
const char kCountdownCaption[] = "カウントダウンタイマー";

class TimeDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgramForTest();
        resetCountdownEntry();
    }
};

// Opens 127 on this thread and arms what it returns, as the menu command
// does; `script` fills it in from the driver thread.
INT_PTR clockDialog(ModalDriver::Script script, bool* found = nullptr)
{
    ModalDriver driver(kClockCaption, std::move(script));
    const INT_PTR result = runClockTimeDialog(nullptr);
    if (result == 1)
        armClockTime(g_app.options.clockHour, g_app.options.clockMinute);
    driver.finish();
    EXPECT_TRUE(driver.found()) << "dialog 127 did not show, GetLastError " << GetLastError();
    EXPECT_FALSE(driver.leftOpen()) << "the script did not end dialog 127";
    if (found != nullptr)
        *found = driver.found();
    return result;
}

INT_PTR countdownDialog(ModalDriver::Script script)
{
    ModalDriver driver(kCountdownCaption, std::move(script));
    const INT_PTR result = runCountdownDialog(nullptr);
    driver.finish();
    EXPECT_TRUE(driver.found()) << "dialog 126 did not show, GetLastError " << GetLastError();
    EXPECT_FALSE(driver.leftOpen()) << "the script did not end dialog 126";
    return result;
}

SYSTEMTIME targetOf(const FILETIME& time)
{
    SYSTEMTIME st = {};
    FileTimeToSystemTime(&time, &st);
    return st;
}

TEST_F(TimeDialogTest, ClockTimeShowsTheStoredTimeAndArmsOnOk)
{
    std::string hour, minute;
    const INT_PTR result = clockDialog([&](HWND dialog) {
        hour = fieldText(dialog, IDC_CT_HOUR);
        minute = fieldText(dialog, IDC_CT_MINUTE);
        setField(dialog, IDC_CT_HOUR, "6");
        setField(dialog, IDC_CT_MINUTE, "45");
        clickButton(dialog, IDOK);
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ("7", hour) << "initial clockHour";
    EXPECT_EQ("55", minute) << "initial clockMinute";
    EXPECT_EQ(1, g_app.running);
    EXPECT_EQ(0, g_app.monitorActive);
    const SYSTEMTIME target = targetOf(g_app.targetTime);
    EXPECT_EQ(6, target.wHour);
    EXPECT_EQ(45, target.wMinute);
    EXPECT_EQ(6, g_app.options.clockHour);
    EXPECT_EQ(45, g_app.options.clockMinute);
}

TEST_F(TimeDialogTest, ClockTimeEntries)
{
    // What is typed, whether it arms (and what), and what is kept.
    struct Case {
        const char* hour;
        const char* minute;
        bool arms;
        int32_t keptHour, keptMinute;
        const char* shownHour; // at the next opening
    } cases[] = {
        {"24", "0", false, 24, 0, "24"},
        {"7", "60", false, 7, 60, "7"},
        {"", "", true, 0, 0, "0"},             // empty fields arm 00:00
        {"abc", "5", true, 0, 5, "0"},         // any text is allowed; no number reads as 0
        {"23", "59", true, 23, 59, "23"},
        {"4294967294", "0", false, -2, 0, "4294967294"}, // -2 as a signed number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("hour [") + c.hour + "] minute [" + c.minute + "]");
        g_app.running = 0;
        g_app.targetTime = {};
        clockDialog([&](HWND dialog) {
            setField(dialog, IDC_CT_HOUR, c.hour);
            setField(dialog, IDC_CT_MINUTE, c.minute);
            clickButton(dialog, IDOK);
        });
        EXPECT_EQ(c.arms ? 1 : 0, g_app.running);
        if (c.arms) {
            const SYSTEMTIME target = targetOf(g_app.targetTime);
            EXPECT_EQ(c.keptHour, target.wHour);
            EXPECT_EQ(c.keptMinute, target.wMinute);
        }
        EXPECT_EQ(c.keptHour, g_app.options.clockHour);
        EXPECT_EQ(c.keptMinute, g_app.options.clockMinute);

        std::string shown;
        clockDialog([&](HWND dialog) {
            shown = fieldText(dialog, IDC_CT_HOUR);
            clickButton(dialog, IDCANCEL);
        });
        EXPECT_EQ(c.shownHour, shown);
    }
}

TEST_F(TimeDialogTest, ClockTimeCancelKeepsEverything)
{
    g_app.options.clockHour = 3;
    g_app.options.clockMinute = 4;
    const INT_PTR result = clockDialog([](HWND dialog) {
        setField(dialog, IDC_CT_HOUR, "12");
        clickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, result);
    EXPECT_EQ(0, g_app.running);
    EXPECT_EQ(3, g_app.options.clockHour);
    EXPECT_EQ(4, g_app.options.clockMinute);
}

TEST_F(TimeDialogTest, ClockTimeSpinnersCountUpAndStopAtTheirEnds)
{
    struct Step { int edit; bool up; };
    struct Case { int32_t hour, minute; std::vector<Step> steps; const char* hourShown; const char* minuteShown; } cases[] = {
        {23, 0, {{IDC_CT_HOUR, true}}, "23", "0"},
        {22, 0, {{IDC_CT_HOUR, true}}, "23", "0"},
        {23, 0, {{IDC_CT_HOUR, false}, {IDC_CT_HOUR, false}}, "21", "0"},
        {0, 0, {{IDC_CT_HOUR, false}, {IDC_CT_MINUTE, false}}, "0", "0"},
        {7, 59, {{IDC_CT_MINUTE, true}}, "7", "59"},
        {7, 58, {{IDC_CT_MINUTE, true}}, "7", "59"},
        {7, 0, {{IDC_CT_MINUTE, true}, {IDC_CT_MINUTE, true}, {IDC_CT_HOUR, true}}, "8", "2"},
    };
    for (const Case& c : cases) {
        g_app.options.clockHour = c.hour;
        g_app.options.clockMinute = c.minute;
        g_app.running = 0;
        std::string hour, minute;
        clockDialog([&](HWND dialog) {
            for (const Step& s : c.steps)
                pressArrow(dialog, s.edit, s.up);
            hour = fieldText(dialog, IDC_CT_HOUR);
            minute = fieldText(dialog, IDC_CT_MINUTE);
            clickButton(dialog, IDOK);
        });
        EXPECT_EQ(c.hourShown, hour) << "from " << c.hour << ":" << c.minute;
        EXPECT_EQ(c.minuteShown, minute) << "from " << c.hour << ":" << c.minute;
        EXPECT_EQ(1, g_app.running);
    }
}

TEST_F(TimeDialogTest, CountdownFirstShowsOneHourAndReturnsSeconds)
{
    std::string hours, minutes;
    const INT_PTR result = countdownDialog([&](HWND dialog) {
        hours = fieldText(dialog, IDC_CD_HOURS);
        minutes = fieldText(dialog, IDC_CD_MINUTES);
        clickButton(dialog, IDOK);
    });
    EXPECT_EQ("1", hours);
    EXPECT_EQ("0", minutes);
    EXPECT_EQ(3600, result);
    EXPECT_EQ(0, g_app.running) << "the caller arms the countdown, not the dialog";
}

TEST_F(TimeDialogTest, CountdownEntries)
{
    struct Case { const char* hours; const char* minutes; INT_PTR seconds; } cases[] = {
        {"100", "0", 359940}, {"99", "59", 359940}, {"99", "60", 359940},
        {"0", "90", 5400},    {"0", "0", 0},        {"", "", 0},
        {"2", "30", 9000},
        // Would overflow 32 bits before the cap.
        {"1193047", "0", 359940}, {"4294967294", "59", 359940},
    };
    for (const Case& c : cases) {
        const INT_PTR result = countdownDialog([&](HWND dialog) {
            setField(dialog, IDC_CD_HOURS, c.hours);
            setField(dialog, IDC_CD_MINUTES, c.minutes);
            clickButton(dialog, IDOK);
        });
        EXPECT_EQ(c.seconds, result) << c.hours << " h " << c.minutes << " min";
    }
    // The last entry is what the next opening shows.
    std::string hours, minutes;
    countdownDialog([&](HWND dialog) {
        hours = fieldText(dialog, IDC_CD_HOURS);
        minutes = fieldText(dialog, IDC_CD_MINUTES);
        clickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ("4294967294", hours);
    EXPECT_EQ("59", minutes);
}

TEST_F(TimeDialogTest, CountdownMinutesWrapAndHoursStop)
{
    struct Step { int edit; bool up; };
    struct Case { int32_t hours, minutes; std::vector<Step> steps; const char* hoursShown; const char* minutesShown; INT_PTR seconds; } cases[] = {
        {1, 59, {{IDC_CD_MINUTES, true}}, "1", "0", 3600},
        {1, 0, {{IDC_CD_MINUTES, false}}, "1", "59", 7140},
        {99, 0, {{IDC_CD_HOURS, true}}, "99", "0", 356400},
        {0, 0, {{IDC_CD_HOURS, false}}, "0", "0", 0},
        {0, 0, {{IDC_CD_HOURS, true}, {IDC_CD_HOURS, true}, {IDC_CD_MINUTES, true}}, "2", "1", 7260},
    };
    for (const Case& c : cases) {
        countdownHours = c.hours;
        countdownMinutes = c.minutes;
        std::string hours, minutes;
        const INT_PTR result = countdownDialog([&](HWND dialog) {
            for (const Step& s : c.steps)
                pressArrow(dialog, s.edit, s.up);
            hours = fieldText(dialog, IDC_CD_HOURS);
            minutes = fieldText(dialog, IDC_CD_MINUTES);
            clickButton(dialog, IDOK);
        });
        SCOPED_TRACE(testing::Message() << "from " << c.hours << " h " << c.minutes << " min");
        EXPECT_EQ(c.hoursShown, hours);
        EXPECT_EQ(c.minutesShown, minutes);
        EXPECT_EQ(c.seconds, result);
    }
}

TEST_F(TimeDialogTest, CountdownPresetsEndAtOnceAndKeepTheFields)
{
    struct Case { int id; INT_PTR seconds; } cases[] = {
        {IDC_CD_PRESET_3MIN, 180},  {IDC_CD_PRESET_10MIN, 600}, {IDC_CD_PRESET_15MIN, 900},
        {IDC_CD_PRESET_30MIN, 1800}, {IDC_CD_PRESET_1H, 3600},  {IDC_CD_PRESET_2H, 7200},
        {IDC_CD_PRESET_5H, 18000},   {IDC_CD_PRESET_8H, 28800},
    };
    countdownHours = 4;
    countdownMinutes = 20;
    for (const Case& c : cases) {
        const INT_PTR result = countdownDialog([&](HWND dialog) {
            setField(dialog, IDC_CD_HOURS, "9"); // typed, then a preset: not kept
            clickButton(dialog, c.id);
        });
        EXPECT_EQ(c.seconds, result) << "preset " << c.id;
    }
    EXPECT_EQ(4, countdownHours);
    EXPECT_EQ(20, countdownMinutes);
}

TEST_F(TimeDialogTest, CountdownCancelReturnsZeroAndKeepsTheFields)
{
    const INT_PTR result = countdownDialog([](HWND dialog) {
        setField(dialog, IDC_CD_HOURS, "5");
        clickButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(0, result);
    EXPECT_EQ(1, countdownHours);
    EXPECT_EQ(0, countdownMinutes);
}

} // namespace
