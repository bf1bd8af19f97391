// Firing a trigger: disarmed and saved before the confirmation, the reason it
// shows, the action after it; saving at the end of the session; and how long
// the road from the deadline to the visible confirmation takes.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <cstdlib>
#include <functional>

#include "base/platform.h"
#include "power/confirm.h"
#include "power/confirmtext.h"
#include "power/power.h"
#include "program/tick.h"
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

// The computer sleeps and wakes: the power notices, the clocks the program
// reads moved on as a sleep moves them, or both. What came due while asleep
// opens no confirmation and does nothing: it stops, and one notice says so.
// A confirmation or a wait that a sleep interrupted stops too. What is still
// ahead goes on; a suspend that never came lets what came due fire.
void suspendNotice(HWND w) { SendMessageA(w, WM_POWERBROADCAST, PBT_APMSUSPEND, 0); }
void resumeNotice(HWND w, WPARAM kind = PBT_APMRESUMEAUTOMATIC) { SendMessageA(w, WM_POWERBROADCAST, kind, 0); }
constexpr uint32_t kHourMs = 3600000;
// The clocks as a sleep leaves them: in S3 the unbiased time stands still,
// frozen by Modern Standby it runs on with the others.
void sleepS3(uint32_t ms) { seamRecorderMoveClocks(ms, static_cast<int32_t>(ms), 0); }
void freeze(uint32_t ms) { seamRecorderMoveClocks(ms, static_cast<int32_t>(ms), ms); }
// Ticks that run on for `ms` of the clocks, never a gap between two.
void awakeFor(uint32_t ms)
{
    for (uint32_t t = 0; t < ms; t += 4000) {
        freeze(4000);
        pumpMessages(200);
    }
}
void clockTargetIn(LONGLONG seconds)
{
    g_app.targetTime = localFromNow(seconds);
    g_app.running = 1;
}

TEST_F(FiringTest, NothingActsAfterAWake)
{
    struct Case {
        const char* what;
        std::function<void()> arm;
        std::function<void(HWND window)> sleep;
        int confirmations;  // opened (and aborted)
        const char* notice; // a word of the one notice, or none
        bool armedAfter;
        ModalDriver::Script atConfirmation = pressing(IDOK);
    } cases[] = {
        {"suspend notice, then the gap: no resume notice", [] { armCountdown(1); },
         [](HWND w) { suspendNotice(w); sleepS3(40000); pumpMessages(500); }, 0, "スリープ", false},
        {"the resume notice before the first tick", [] { armCountdown(30); },
         [](HWND w) { suspendNotice(w); sleepS3(40000); resumeNotice(w, PBT_APMRESUMESUSPEND); resumeNotice(w); },
         0, "スリープ", false},
        {"the tick count stood still: time asleep by the clock", [] { armCountdown(30); },
         [](HWND w) { suspendNotice(w); seamRecorderMoveClocks(0, 40000, 0); resumeNotice(w); }, 0, "スリープ", false},
        {"a countdown ahead goes on", [] { armCountdown(60); },
         [](HWND w) { suspendNotice(w); sleepS3(20000); resumeNotice(w); }, 0, nullptr, true},
        {"a clock time ahead goes on", [] { armClockTime(23, 59); },
         [](HWND w) { suspendNotice(w); resumeNotice(w); }, 0, nullptr, true},
        {"Modern Standby: frozen past the clock time, no notice", [] { clockTargetIn(5); },
         [](HWND) { freeze(kHourMs); pumpMessages(500); }, 0, "スリープ", false},
        {"a critical suspend: only the resume notice", [] { armCountdown(1); },
         [](HWND w) { Sleep(1500); resumeNotice(w, PBT_APMRESUMECRITICAL); }, 0, "スリープ", false},
        {"a countdown left under the clock-time dialog", [] { armCountdown(1); g_app.running = 0; },
         [](HWND w) { suspendNotice(w); seamRecorderMoveClocks(0, kHourMs, 0); resumeNotice(w); pumpMessages(1500); },
         0, "スリープ", false},
        {"the suspend did not happen: the countdown fires after the hold", [] { armCountdown(1); },
         [](HWND w) { suspendNotice(w); awakeFor(12000); pumpMessages(300); }, 1, nullptr, false},
        {"the hold ends, then the real sleep and a late resume notice", [] { clockTargetIn(60); },
         [](HWND w) { suspendNotice(w); awakeFor(12000); freeze(2 * kHourMs); pumpMessages(300); resumeNotice(w); },
         0, "スリープ", false},
        {"a confirmation counting, frozen", [] { armCountdown(1); },
         [](HWND) { pumpMessages(3000); }, 1, "確認の途中", false,
         [](HWND) { freeze(kHourMs); }},
        {"a confirmation counting at a suspend notice", [] { armCountdown(1); },
         [](HWND) { pumpMessages(3000); }, 1, "確認の途中", false,
         [](HWND) {
             suspendNotice(g_app.mainWindow);
             Sleep(300);
             resumeNotice(g_app.mainWindow);
         }},
        {"a confirmation at 0 in a hold, then the sleep", [] { armCountdown(1); },
         [](HWND) { pumpMessages(13000); }, 1, "確認の途中", false,
         [](HWND) {
             Sleep(7000);
             suspendNotice(g_app.mainWindow);
             Sleep(4500); // its seconds run out in the hold, which still holds
             freeze(kHourMs);
         }},
        {"the wait ends in a hold, then the sleep",
         [] {
             g_app.options.forceAction = 1;
             beginPowerAction(g_app.mainWindow);
         },
         [](HWND w) { suspendNotice(w); pumpMessages(5500); freeze(kHourMs); pumpMessages(1500); }, 0, "実行を待つ間",
         false},
        {"the wait after telling all windows",
         [] {
             g_app.options.forceAction = 1;
             beginPowerAction(g_app.mainWindow);
         },
         [](HWND) { pumpMessages(1000); freeze(kHourMs); pumpMessages(5000); }, 0, "実行を待つ間", false},
        {"the fifth ping failure just before the sleep",
         [] {
             std::strcpy(g_app.options.hostName, "127.0.0.1");
             g_app.running = g_app.monitorActive = 1;
             g_app.monitorMode = Network;
             g_app.pingStop = 0;
             g_app.pingIdle = 1; // its run ended at the fifth failure
             g_app.pingFailures = 5;
         },
         [](HWND w) { freeze(kHourMs); resumeNotice(w); }, 0, nullptr, true},
    };
    for (const Case& c : cases) {
        seamRecorderReset();
        g_app.options.forceAction = 0;
        g_app.running = 0;
        g_app.monitorActive = 0;
        g_app.pingGrace = 0;
        g_app.pingFailures = 3;
        pumpMessages(200); // a look at the clocks as they are
        c.arm();
        ModalDriver confirmation(kCaption, c.atConfirmation);
        c.sleep(window);
        pumpMessages(300);
        confirmation.finish();
        EXPECT_EQ(c.confirmations, confirmation.timesFound()) << c.what;
        EXPECT_FALSE(confirmation.leftOpen()) << c.what << ": it ended by itself";
        EXPECT_EQ(c.armedAfter, g_app.running || g_app.monitorActive) << c.what;
        EXPECT_EQ(0, g_app.suspended) << c.what;
        EXPECT_STREQ("", seamRecorderLog()) << c.what;
        HWND box = nullptr;
        for (int i = 0; i < 100 && box == nullptr; ++i) {
            box = findOwnWindow(kNoticeCaption);
            if (box == nullptr && c.notice)
                pumpMessages(20);
        }
        EXPECT_EQ(c.notice != nullptr, box != nullptr) << c.what;
        if (g_app.monitorMode == Network) {
            // Armed with its thread back, and the network given its minute.
            EXPECT_EQ(0, g_app.pingIdle.load()) << c.what << ": a ping thread runs";
            EXPECT_NE(0, g_app.pingGrace.load()) << c.what;
            EXPECT_EQ(0, g_app.pingFailures.load()) << c.what;
            stopTriggers(window);
            for (int i = 0; i < 100 && g_app.pingIdle.load() == 0; ++i)
                Sleep(50);
        }
        if (box == nullptr)
            continue;
        const std::string text = fieldText(box, 0xFFFF);
        EXPECT_NE(std::string::npos, text.find(cp932(L"スリープ"))) << c.what << ": " << text;
        EXPECT_NE(std::string::npos, text.find(c.notice)) << c.what << ": " << text;
        // It blocks nothing: the menu's commands still arm, and a second
        // resume shows no second notice.
        EXPECT_FALSE(modalOpen()) << c.what;
        command(IDM_SET_8AM);
        EXPECT_EQ(1, g_app.running) << c.what << ": armed with the notice open";
        command(IDM_STOP);
        resumeNotice(window, PBT_APMRESUMECRITICAL);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 100 && noticeOpen(); ++i)
            Sleep(20);
        EXPECT_FALSE(noticeOpen()) << c.what;
        EXPECT_EQ(nullptr, findOwnWindow(kNoticeCaption)) << c.what << ": one notice only";
    }
}

// A clock set by the user is no sleep: a clock time it jumps past fires as
// it would. The local offset kept for the tick is worked out afresh after the
// clock or the zone changes.
TEST_F(FiringTest, TheClockSetIsNoSleepAndTheLocalTimeFollowsTheZone)
{
    clockTargetIn(1800);
    pumpMessages(300);
    ModalDriver confirmation(kCaption, pressing(IDOK));
    seamRecorderMoveClocks(0, kHourMs, 0);
    send(WM_TIMECHANGE);
    pumpMessages(500);
    confirmation.finish();
    EXPECT_EQ(1, confirmation.timesFound()) << "the clock time the clock was set past";
    EXPECT_EQ(nullptr, findOwnWindow(kNoticeCaption));
    seamRecorderReset();

    for (UINT message : {WM_TIMECHANGE, WM_SETTINGCHANGE}) {
        pumpMessages(300);
        tickLocalClock().offset += 5 * 36000000000LL; // what a zone five hours off would keep
        send(message);
        pumpMessages(300);
        const long long behind = static_cast<long long>(units(localFromNow(0)) - units(g_app.nowTime));
        EXPECT_GE(behind, 0) << message;
        EXPECT_LT(behind, 10000000LL) << message << ": the local time shown is the zone's";
    }
}

// The confirmation's own guards, each without the outer ones that mask it:
// it acts only when its own seconds ran out, and never opens over another.
TEST_F(FiringTest, ConfirmationActsOnlyOnItsOwnEndAndNeverOpensTwice)
{
    ModalDriver endedFromOutside(kCaption, [](HWND d) { EndDialog(d, 1); });
    EXPECT_EQ(0, runConfirmDialog(window)) << "a dialog ended with 1 by anything but its countdown";
    endedFromOutside.finish();
    EXPECT_EQ(1, endedFromOutside.timesFound());

    armCountdown(3600);
    ModalDriver second(kCaption, [](HWND d) {
        g_app.countdownDeadline = GetTickCount() - 1000; // comes due while the first is open
        Sleep(800);
        PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(0, runConfirmDialog(window));
    pumpMessages(300);
    second.finish();
    EXPECT_EQ(1, second.timesFound()) << "the trigger that fired under it opened none";
    EXPECT_STREQ("", seamRecorderLog());
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
