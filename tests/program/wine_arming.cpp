// Arming, the start/stop toggle and the click sound, in-process under Wine.
#include <gtest/gtest.h>

#include <cstring>

#include "program/triggers.h"
#include "state/appstate.h"
#include "syscalls/seam_recorder.h"
#include "tests/support/time_support.h"
#include "tests/support/wine_support.h"

namespace {

class AppStateTest : public ::testing::Test {
protected:
    void SetUp() override { resetProgramForTest(); }
};

TEST_F(AppStateTest, ArmClockTimeTargetsTheNextOccurrence)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (now.wSecond >= 55) { // the cases must run within the minute they name
        Sleep((61 - now.wSecond) * 1000);
        GetLocalTime(&now);
    }
    // An hour ago is tomorrow; the current minute is today (and already due).
    struct Case { int hour, minute; bool tomorrow; } cases[] = {
        {(now.wHour + 23) % 24, now.wMinute, true},
        {now.wHour, now.wMinute, false},
    };
    for (const Case& c : cases) {
        resetProgramForTest();
        armClockTime(c.hour, c.minute);
        EXPECT_EQ(1, g_app.running);
        EXPECT_EQ(0, g_app.monitorActive);
        SYSTEMTIME target;
        ASSERT_TRUE(FileTimeToSystemTime(&g_app.targetTime, &target)) << GetLastError();
        EXPECT_EQ(c.hour, target.wHour);
        EXPECT_EQ(c.minute, target.wMinute);
        EXPECT_EQ(0, target.wSecond);
        const LONGLONG ahead = static_cast<LONGLONG>(units(g_app.targetTime) - units(localFromNow(0)));
        if (c.tomorrow)
            EXPECT_GT(ahead, 22LL * 3600 * 10000000) << "hour " << c.hour;
        else
            EXPECT_LE(ahead, 0) << "hour " << c.hour;
    }
}

TEST_F(AppStateTest, ArmCountdownSetsTheDeadline)
{
    g_app.monitorMode = WindowRenamed;
    const DWORD before = GetTickCount();
    armCountdown(359940);
    const DWORD after = GetTickCount();
    EXPECT_EQ(Countdown, g_app.monitorMode);
    EXPECT_EQ(1, g_app.monitorActive);
    EXPECT_EQ(1, g_app.running);
    EXPECT_GE(g_app.countdownDeadline - before, 359940000u);
    EXPECT_LE(g_app.countdownDeadline - after, 359940000u);
    EXPECT_EQ(1, g_app.pingStop.load()) << "arming a countdown leaves the ping thread's word alone";
}

TEST_F(AppStateTest, ToggleStartsAFutureTargetWithAClick)
{
    g_app.targetTime = localFromNow(60);
    g_app.nowTime = localFromNow(0);
    g_app.pingStop = 0;
    g_app.buttonPressed = 1;
    toggleRunning(nullptr);
    EXPECT_EQ(1, g_app.running);
    EXPECT_EQ(0, g_app.buttonPressed);
    EXPECT_EQ(1, g_app.pingStop.load());
    EXPECT_STREQ("Beep 37 3\n", seamRecorderLog()) << "NT plays the short 37 Hz beep";

    toggleRunning(nullptr);
    EXPECT_EQ(0, g_app.running);
}

TEST_F(AppStateTest, ToggleIsSilentWhenAskedTo)
{
    g_app.options.silent = 1;
    g_app.targetTime = localFromNow(60);
    g_app.nowTime = localFromNow(0);
    toggleRunning(nullptr);
    EXPECT_EQ(1, g_app.running);
    EXPECT_STREQ("", seamRecorderLog());
}

TEST_F(AppStateTest, ToggleStopsARunningCountdownAndCannotRestartIt)
{
    g_app.nowTime = localFromNow(0);
    g_app.targetTime = localFromNow(-5); // the default target already passed
    armCountdown(60);
    toggleRunning(nullptr);
    EXPECT_EQ(0, g_app.running);
    EXPECT_EQ(0, g_app.monitorActive) << "stopping returns to the clock display";

    g_app.pingStop = 0;
    std::string text;
    ModalDriver box("エラー", [&](HWND b) {
        text = fieldText(b, 0xFFFF);
        pressing(IDOK)(b);
    });
    toggleRunning(nullptr);
    box.finish();
    EXPECT_EQ("現在時刻より未来の時間を設定して下さい。", text) << "a past target is refused with a message box";
    EXPECT_EQ(0, g_app.running);
    EXPECT_EQ(1, g_app.pingStop.load()) << "the refusal stops the ping thread too";
}

TEST_F(AppStateTest, ToggleRefusesATargetEqualToNow)
{
    g_app.nowTime = localFromNow(0);
    g_app.targetTime = g_app.nowTime;
    ModalDriver box("エラー", pressing(IDOK));
    toggleRunning(nullptr);
    box.finish();
    EXPECT_EQ(1, box.timesFound());
    EXPECT_EQ(0, g_app.running);
    EXPECT_STREQ("", seamRecorderLog()) << "no click when refused";
}

TEST(FileTime, AddCarriesOnTheSystemRecord)
{
    FILETIME t = {0xFFFFFFF0u, 5};
    addFileTime(t, 0x20);
    EXPECT_EQ(0x10u, t.dwLowDateTime);
    EXPECT_EQ(6u, t.dwHighDateTime);
}

} // namespace
