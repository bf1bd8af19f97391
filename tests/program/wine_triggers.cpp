// Firing a trigger: disarmed and saved before the confirmation, the reason it
// shows, the action after it; saving at the end of the session; and how long
// the road from the deadline to the visible confirmation takes.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>

#include "base/platform.h"
#include "power/confirm.h"
#include "power/confirmtext.h"
#include "program/triggers.h"
#include "resources/resource.h"
#include "settings/options.h"
#include "state/appstate.h"
#include "syscalls/seam_recorder.h"
#include "tests/support/time_support.h"
#include "tests/support/wine_support.h"
#include "ui/modal.h"
#include "ui/notice.h"
#include "ui/uistate.h"

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
        EXPECT_EQ(nullptr, g_ui.dialogPen) << c.what << ": its pen and brushes went with it";
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

// The computer sleeps and wakes, as the power notifications tell the main
// window; "asleep" here is the suspend notice, some time, and a resume
// notice. What came due meanwhile opens no confirmation and does nothing:
// it stops, and one notice says when it was due. What is still ahead goes on.
// Every resume starts the network watch's grace period.
TEST_F(FiringTest, WhatCameDueWhileAsleepStopsWithOneNotice)
{
    const uint64_t kSecond = 10000000;
    struct Case {
        const char* what;
        std::function<void()> arm;
        std::function<void(HWND window)> sleep; // from the suspend notice to the resume notice
        bool notice;
        int32_t runningAfter;
    } cases[] = {
        {"countdown due asleep", [] { armCountdown(1); },
         [](HWND w) {
             SendMessageA(w, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
             pumpMessages(2000); // the ticks go on, but fire nothing
             SendMessageA(w, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
             SendMessageA(w, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
         }, true, 0},
        {"countdown ahead", [] { armCountdown(60); },
         [](HWND w) {
             SendMessageA(w, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
             SendMessageA(w, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
         }, false, 1},
        {"time asleep counts for the countdown, whatever the tick count did", [] { armCountdown(30); },
         [kSecond](HWND w) {
             SendMessageA(w, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
             g_app.suspendedAtUtc -= 40 * kSecond; // slept 40 s by the clock, the tick count stood still
             SendMessageA(w, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
         }, true, 0},
        {"clock time due asleep",
         [kSecond] {
             SYSTEMTIME now;
             GetLocalTime(&now);
             SystemTimeToFileTime(&now, &g_app.targetTime);
             g_app.targetTime = fileTimeOf(fileTimeValue(g_app.targetTime) + kSecond);
             g_app.running = 1;
         },
         [](HWND w) {
             SendMessageA(w, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
             pumpMessages(1500);
             SendMessageA(w, WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
         }, true, 0},
        {"clock time ahead", [] { armClockTime(23, 59); },
         [](HWND w) {
             SendMessageA(w, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
             SendMessageA(w, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
         }, false, 1},
        {"no suspend notice: a critical suspend", [] { armCountdown(1); },
         [](HWND w) {
             Sleep(1500); // no tick meanwhile, as in a suspend
             SendMessageA(w, WM_POWERBROADCAST, PBT_APMRESUMECRITICAL, 0);
         }, true, 0},
        {"the resume notice is late: the tick resumes", [] { armCountdown(1); },
         [kSecond](HWND w) {
             SendMessageA(w, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
             g_app.suspendedAtUtc -= 11 * kSecond;
             pumpMessages(500);
         }, true, 0},
    };
    for (const Case& c : cases) {
        g_app.running = 0;
        g_app.monitorActive = 0;
        g_app.pingGrace = 0;
        g_app.pingFailures = 3;
        c.arm();
        ModalDriver confirmation(kCaption, pressing(IDOK));
        c.sleep(window);
        pumpMessages(500);
        confirmation.finish();
        EXPECT_EQ(0, confirmation.timesFound()) << c.what << ": no confirmation";
        EXPECT_EQ(c.runningAfter, g_app.running) << c.what;
        EXPECT_EQ(0, g_app.suspended) << c.what;
        // The network watch, had it run, would give the network its minute.
        EXPECT_EQ(1, g_app.pingGrace.load()) << c.what;
        EXPECT_EQ(0, g_app.pingFailures.load()) << c.what;
        EXPECT_LT(GetTickCount() - g_app.pingGraceFrom.load(), 5000u) << c.what << ": from the resume";
        EXPECT_STREQ("", seamRecorderLog()) << c.what;
        HWND box = nullptr;
        for (int i = 0; i < 100 && box == nullptr; ++i) {
            box = findOwnWindow(kNoticeCaption);
            if (box == nullptr && c.notice)
                pumpMessages(20);
        }
        EXPECT_EQ(c.notice, box != nullptr) << c.what;
        if (box == nullptr)
            continue;
        const std::string text = fieldText(box, 0xFFFF);
        EXPECT_NE(std::string::npos, text.find(cp932(L"スリープ"))) << c.what << ": " << text;
        // It blocks nothing: the menu's commands still arm, and a second
        // resume shows no second notice.
        EXPECT_FALSE(modalOpen()) << c.what;
        command(IDM_SET_8AM);
        EXPECT_EQ(1, g_app.running) << c.what << ": armed with the notice open";
        command(IDM_STOP);
        SendMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMECRITICAL, 0);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 100 && noticeOpen(); ++i)
            Sleep(20);
        EXPECT_FALSE(noticeOpen()) << c.what;
        EXPECT_EQ(nullptr, findOwnWindow(kNoticeCaption)) << c.what << ": one notice only";
    }
}

// The renamed-window watch on the NT family compares the whole Unicode
// title; Windows 95, 98 and Me compare the first 59 bytes of the ANSI title,
// where code page 932 shows many titles alike (wine.program.win98 runs this
// as Windows 98).
TEST_F(FiringTest, RenamedWatchSeesTheWholeUnicodeTitleExceptOnWin9x)
{
    const bool win9x = std::getenv("NOCTIL_EXPECT_WIN9X") != nullptr;
    const std::wstring longTitle(70, L'a');
    struct Case {
        const char* what;
        std::wstring before, after;
        bool firesOnNt, firesOnWin9x;
    } cases[] = {
        {"a plain rename", L"build 1", L"build 2", true, true},
        {"the same title", L"build 1", L"build 1", false, false},
        {"Hangul only", L"\ube4c\ub4dc \uc131\uacf5", L"\ube4c\ub4dc \uc2e4\ud328", true, false},
        {"a check mark for a cross", L"\u2713 build", L"\u2717 build", true, false},
        {"after the 60th character", longTitle + L"1", longTitle + L"2", true, false},
    };
    HWND watched = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, watched);
    for (const Case& c : cases) {
        SetWindowTextW(watched, c.before.c_str());
        armWindowWatch(window, watched, WindowRenamed);
        ModalDriver confirmation(kCaption, pressing(IDOK));
        SetWindowTextW(watched, c.after.c_str());
        pumpMessages(500); // the ticks look
        confirmation.finish();
        EXPECT_EQ(win9x ? c.firesOnWin9x : c.firesOnNt, confirmation.found()) << c.what << (win9x ? " (Windows 98)" : "");
        g_app.running = 0;
        g_app.monitorActive = 0;
    }
    DestroyWindow(watched);
}

} // namespace
