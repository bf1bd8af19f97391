// Firing a trigger: disarmed and saved before the confirmation, the reason it
// shows, the action after it; saving at the end of the session; and how long
// the road from the deadline to the visible confirmation takes.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "power/confirm.h"
#include "power/confirmtext.h"
#include "program/triggers.h"
#include "resources/resource.h"
#include "settings/options.h"
#include "state/appstate.h"
#include "syscalls/seam_recorder.h"
#include "tests/support/time_support.h"
#include "tests/support/wine_support.h"

namespace {

const char kCaption[] = "Noctil !";

// The options as the file beside the program holds them (zeros if none).
Options optionsOnDisk()
{
    Options o = {};
    readOptionsFile(o);
    return o;
}

class FiringTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        SetWindowPos(window, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        g_app.options.silent = 1;
    }
};

TEST_F(FiringTest, DisarmsAndStoresTheWindowBeforeTheConfirmationAndShowsTheReason)
{
    struct Case {
        const char* name;
        bool fromMonitor;
        ConfirmReason reason;
        int32_t reasonBefore; // left by an earlier firing that set one
        ConfirmReason shown;
        int32_t pingStopAfter;
    } cases[] = {
        {"clock time", false, Timer, Timer, Timer, 0},
        {"clock time keeps a reason set before", false, Timer, Window, Window, 0},
        {"countdown", true, Timer, Ping, Timer, 0},
        {"window watch", true, Window, Timer, Window, 0},
        {"network watch", true, Ping, Timer, Ping, 1},
    };
    for (const Case& c : cases) {
        g_app.running = 1;
        g_app.monitorActive = c.fromMonitor ? 1 : 0;
        g_app.options.windowRect = {};
        g_app.confirmReason = c.reasonBefore;
        g_app.pingStop = 0;
        int32_t running = -1, monitorActive = -1;
        WindowRect32 stored = {}, onDisk = {};
        std::string text;
        ModalDriver driver(kCaption, [&](HWND d) {
            running = g_app.running;
            monitorActive = g_app.monitorActive;
            stored = g_app.options.windowRect;
            onDisk = optionsOnDisk().windowRect;
            text = fieldText(d, IDC_CONFIRM_TEXT);
            PostMessageA(d, WM_COMMAND, IDOK, 0);
        });
        if (c.fromMonitor)
            fireMonitorTrigger(window, c.reason);
        else
            fireClockTrigger(window);
        driver.finish();
        EXPECT_EQ(0, running) << c.name;
        EXPECT_EQ(0, monitorActive) << c.name;
        EXPECT_EQ(300, stored.left) << c.name;
        EXPECT_EQ(200, stored.top) << c.name;
        EXPECT_EQ(520, stored.right) << c.name;
        EXPECT_EQ(265, stored.bottom) << c.name;
        EXPECT_EQ(300, onDisk.left) << c.name << ": saved before the confirmation";
        EXPECT_EQ(265, onDisk.bottom) << c.name;
        EXPECT_STREQ(confirmText(c.shown, 0), text.c_str()) << c.name;
        EXPECT_EQ(Timer, g_app.confirmReason) << c.name;
        EXPECT_EQ(c.pingStopAfter, g_app.pingStop.load()) << c.name;
        EXPECT_STREQ("", seamRecorderLog()) << c.name << ": aborted, nothing done";
    }
}

TEST_F(FiringTest, RunOutConfirmationStartsTheAction)
{
    g_app.running = 1;
    g_app.options.powerAction = 1; // restart, unforced
    ModalDriver driver(kCaption, [](HWND d) {
        for (int i = 0; IsWindow(d) && i < 20; ++i)
            SendMessageA(d, WM_TIMER, TIMER_CONFIRM, 0);
    });
    fireClockTrigger(window);
    driver.finish();
    EXPECT_STREQ("ExitWindowsEx 0x03 0x0\n", seamRecorderLog());
}

// Only the countdown's own end acts. Ended by Exit, a quit message, the end of
// the session or the main window closing, the confirmation does nothing, and
// the program then ends (the quit message waits for the main loop) or, with
// the session ending, waits to be ended.
TEST_F(FiringTest, AConfirmationEndedByAnythingButItsCountdownDoesNothing)
{
    const DWORD mainThread = GetCurrentThreadId();
    const auto runOut = [](HWND d) {
        for (int i = 0; IsWindow(d) && i < 20; ++i)
            SendMessageA(d, WM_TIMER, TIMER_CONFIRM, 0);
    };
    struct Case {
        const char* what;
        std::function<void(HWND dialog)> interrupt;
        bool quitWaits;
    } cases[] = {
        {"Exit", [&](HWND) { SendMessageA(window, WM_COMMAND, IDM_EXIT, 0); }, true},
        {"a quit message", [&](HWND) { PostThreadMessageA(mainThread, WM_QUIT, 0, 0); }, true},
        {"the session ending, then the countdown",
         [&](HWND d) {
             SendMessageA(window, WM_ENDSESSION, TRUE, 0);
             runOut(d);
         },
         false},
        {"the main window closed", [&](HWND) { PostMessageA(window, WM_CLOSE, 0, 0); }, true},
    };
    for (const Case& c : cases) {
        g_app.running = 1;
        g_app.options.powerAction = Reboot;
        ModalDriver driver(kCaption, c.interrupt);
        fireClockTrigger(window);
        driver.finish();
        EXPECT_TRUE(driver.found()) << c.what;
        EXPECT_STREQ("", seamRecorderLog()) << c.what;
        MSG quit;
        EXPECT_EQ(c.quitWaits, PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0) << c.what;
        restart();
    }
}

TEST_F(FiringTest, EndOfSessionSavesTheOptionsOnlyWhenItReallyEnds)
{
    SetWindowPos(window, nullptr, 400, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const std::string file = testDirectory() + kOptionsFileName;
    DeleteFileA(file.c_str());
    g_app.options.windowRect = {1, 2, 3, 4};
    g_app.options.forceAction = 1; // changed in the menu since the last save
    SendMessageA(window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_EQ(1, g_app.options.windowRect.left) << "the session goes on";
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.c_str())) << "nothing saved";
    SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    const Options saved = optionsOnDisk();
    EXPECT_EQ(400, saved.windowRect.left);
    EXPECT_EQ(300, saved.windowRect.top);
    EXPECT_EQ(620, saved.windowRect.right);
    EXPECT_EQ(365, saved.windowRect.bottom);
    EXPECT_EQ(1, saved.forceAction);
}

// Through the real tick: a trigger armed one second ahead, and the time from
// its deadline to the visible confirmation.
TEST_F(FiringTest, LatencyFromTheDeadlineToTheVisibleConfirmation)
{
    struct Case { const char* name; bool countdown; } cases[] = {{"countdown", true}, {"clock time", false}};
    for (const Case& c : cases) {
        DWORD deadline;
        if (c.countdown) {
            armCountdown(1);
            deadline = g_app.countdownDeadline;
        } else {
            deadline = GetTickCount() + 1000;
            g_app.targetTime = localFromNow(1);
            g_app.running = 1;
        }
        std::atomic<DWORD> seen{0};
        ModalDriver driver(kCaption, [&](HWND d) {
            seen = GetTickCount();
            PostMessageA(d, WM_COMMAND, IDOK, 0);
        });
        for (int waited = 0; seen == 0 && waited < 6000; waited += 5)
            pumpMessages(5);
        driver.finish();
        ASSERT_NE(0u, seen) << c.name << ": the tick never opened the confirmation";
        const LONG latency = static_cast<LONG>(seen - deadline);
        std::printf("[   INFO   ] %s: confirmation visible %ld ms after the deadline\n", c.name, latency);
        EXPECT_GE(latency, -5) << c.name << ": not before the deadline";
        // One tick (150 ms) plus saving the options and creating the dialog,
        // with room for a loaded machine.
        EXPECT_LT(latency, 500) << c.name;
        EXPECT_EQ(0, g_app.running);
        pumpMessages(50);
    }
}

// A countdown of two seconds, left to the real timer: the confirmation opens
// exactly once (the ticks during and after it find nothing armed), and the
// face is back on the stopped clock display with its arrows.
TEST_F(FiringTest, CountdownFiresOnceThenShowsTheStoppedClock)
{
    armCountdown(2);
    ModalDriver abort(kCaption, pressing(IDCANCEL));
    pumpMessages(4500);
    abort.finish();
    EXPECT_EQ(1, abort.timesFound()) << "confirmations opened";
    EXPECT_EQ(0, g_app.running);
    EXPECT_EQ(0, g_app.monitorActive);
    EXPECT_STREQ("", seamRecorderLog()) << "an aborted confirmation starts nothing";

    // The clock display stores the time of its last tick in nowTime.
    const long long behind = static_cast<long long>(units(localFromNow(0)) - units(g_app.nowTime));
    EXPECT_GE(behind, 0);
    EXPECT_LT(behind, 5000000LL) << "the last tick drew the clock less than 0.5 s ago";
}

} // namespace
