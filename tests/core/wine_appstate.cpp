// Arming, the start/stop toggle and the click sound, in-process under Wine.
#include <gtest/gtest.h>

#include <cstring>

#include "core/appstate.h"
#include "power/seam_recorder.h"
#include "tests/support/wine_support.h"

namespace {

ULONGLONG asUnits(const FILETIME& t)
{
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

FILETIME localNowPlusSeconds(int seconds)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME t;
    SystemTimeToFileTime(&now, &t);
    ULONGLONG units = asUnits(t) + static_cast<LONGLONG>(seconds) * 10000000LL;
    t.dwLowDateTime = static_cast<DWORD>(units);
    t.dwHighDateTime = static_cast<DWORD>(units >> 32);
    return t;
}

class AppStateTest : public ::testing::Test {
protected:
    void SetUp() override { resetProgramForTest(); }
};

TEST(Environment, AnsiCodePageIsJapanese)
{
    ASSERT_EQ(932u, GetACP()) << "Wine must run with LANG=ja_JP.UTF-8 (locale generated)";
    EXPECT_TRUE(IsDBCSLeadByte(0x83));
    EXPECT_FALSE(IsDBCSLeadByte(0x5C));
}

TEST_F(AppStateTest, InitialValues)
{
    EXPECT_EQ(1, g_app.options.alwaysOnTop);
    EXPECT_EQ(55, g_app.options.clockMinute);
    EXPECT_EQ(7, g_app.options.clockHour);
    EXPECT_EQ(WindowDestroyed, g_app.monitorMode);
    EXPECT_EQ(1, g_app.pingStop.load());
    EXPECT_EQ(1, g_app.pingIdle.load());
    EXPECT_EQ(-1, g_app.startHour);
    EXPECT_EQ(1, g_app.notifyBeforeForce);
    EXPECT_EQ(1, g_app.activationGuard);
    EXPECT_EQ(2719488u, g_app.textColor1);
    EXPECT_EQ(2718363u, g_app.textColor2);
    EXPECT_EQ(767u, g_app.textColor3);
    EXPECT_TRUE(g_app.pingResult.is_lock_free());
}

TEST_F(AppStateTest, ArmClockTimeTargetsTheNextOccurrence)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
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
        const LONGLONG ahead = static_cast<LONGLONG>(asUnits(g_app.targetTime) - asUnits(localNowPlusSeconds(0)));
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
    g_app.targetTime = localNowPlusSeconds(60);
    g_app.nowTime = localNowPlusSeconds(0);
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
    g_app.targetTime = localNowPlusSeconds(60);
    g_app.nowTime = localNowPlusSeconds(0);
    toggleRunning(nullptr);
    EXPECT_EQ(1, g_app.running);
    EXPECT_STREQ("", seamRecorderLog());
}

TEST_F(AppStateTest, ToggleStopsARunningCountdownAndCannotRestartIt)
{
    g_app.nowTime = localNowPlusSeconds(0);
    g_app.targetTime = localNowPlusSeconds(-5); // the default target already passed
    armCountdown(60);
    toggleRunning(nullptr);
    EXPECT_EQ(0, g_app.running);
    EXPECT_EQ(0, g_app.monitorActive) << "stopping returns to the clock display";

    g_app.pingStop = 0;
    DialogAnswerer answer("エラー", IDOK);
    toggleRunning(nullptr);
    answer.stop();
    EXPECT_TRUE(answer.seen()) << "a past target is refused with a message box";
    EXPECT_EQ("現在時刻より未来の時間を設定して下さい。", answer.text());
    EXPECT_EQ(0, g_app.running);
    EXPECT_EQ(1, g_app.pingStop.load()) << "the refusal stops the ping thread too";
}

TEST_F(AppStateTest, ToggleRefusesATargetEqualToNow)
{
    g_app.nowTime = localNowPlusSeconds(0);
    g_app.targetTime = g_app.nowTime;
    DialogAnswerer answer("エラー", IDOK);
    toggleRunning(nullptr);
    answer.stop();
    EXPECT_EQ(1, answer.timesSeen());
    EXPECT_EQ(0, g_app.running);
    EXPECT_STREQ("", seamRecorderLog()) << "no click when refused";
}

TEST(FileTime, AddCarriesOnTheSystemRecord)
{
    FILETIME t = {0xFFFFFFF0u, 5};
    EXPECT_EQ(1, addFileTime(t, 0x20));
    EXPECT_EQ(0x10u, t.dwLowDateTime);
    EXPECT_EQ(6u, t.dwHighDateTime);
}

} // namespace
