// The command dispatch on the real main window: what each command does to the
// application state, the window and the target time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "base/sjistext.h"
#include "program/commands.h"
#include "program/triggers.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "tests/support/time_support.h"
#include "tests/support/wine_support.h"
#include "syscalls/seam_recorder.h"
#include "ui/skin.h"
#include "ui/uistate.h"
#include "winwatch/picker.h"

namespace {

const char kCountdownCaption[] = "カウントダウンタイマー";
const char kClockTimeCaption[] = "時間を指定して開始";
const char kForceIfHungCaption[] = "EWX_FORCEIFHUNG";
const char kForceIfHungQuestion[] = "この機能はWindows2000でのみ使用できます。\r\n続行しますか？";

OSVERSIONINFOA systemVersion()
{
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    GetVersionExA(&v);
    return v;
}

bool asksBeforeForceIfHung()
{
    const OSVERSIONINFOA v = systemVersion();
    return v.dwPlatformId != VER_PLATFORM_WIN32_NT && v.dwMajorVersion < 5;
}

SYSTEMTIME targetAsLocal()
{
    SYSTEMTIME t = {};
    FileTimeToSystemTime(&g_app.targetTime, &t);
    return t;
}

using CommandTest = MainWindowTest;

TEST_F(CommandTest, PowerActionEntriesChooseTheAction)
{
    struct Case { UINT id; int32_t action; } cases[] = {
        {IDM_LOGOFF, Logoff}, {IDM_REBOOT, Reboot}, {IDM_STANDBY, Standby},
        {IDM_HIBERNATE, Hibernate}, {IDM_SHUTDOWN, Shutdown},
    };
    for (const Case& c : cases) {
        command(c.id);
        EXPECT_EQ(c.action, g_app.options.powerAction) << "command " << c.id;
    }
}

TEST_F(CommandTest, TogglesFlipAndFlipBack)
{
    struct Case { UINT id; int32_t* flag; } cases[] = {
        {IDM_SILENT, &g_app.options.silent},
        {IDM_NOTIFY_BEFORE_FORCE, &g_app.notifyBeforeForce},
        {IDM_ALWAYS_ON_TOP, &g_app.options.alwaysOnTop},
    };
    for (const Case& c : cases) {
        const int32_t before = *c.flag;
        command(c.id);
        EXPECT_EQ(!before, *c.flag) << "command " << c.id;
        command(c.id);
        EXPECT_EQ(before, *c.flag) << "command " << c.id << " twice";
    }
}

TEST_F(CommandTest, AlwaysOnTopFollowsTheOption)
{
    g_app.options.alwaysOnTop = 1;
    command(IDM_ALWAYS_ON_TOP);
    EXPECT_EQ(0, g_app.options.alwaysOnTop);
    EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    command(IDM_ALWAYS_ON_TOP);
    EXPECT_EQ(1, g_app.options.alwaysOnTop);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(CommandTest, TrayCommandTwiceHidesThenShows)
{
    ASSERT_TRUE(IsWindowVisible(window));
    command(IDM_TRAY);
    EXPECT_EQ(1, g_app.trayMode);
    EXPECT_FALSE(IsWindowVisible(window));
    command(IDM_TRAY);
    EXPECT_EQ(0, g_app.trayMode);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(CommandTest, ForceIfHungAsksOnWin9x)
{
    const bool expectWin9x = std::getenv("NOCTIL_EXPECT_WIN9X") != nullptr;
    if (expectWin9x) {
        ASSERT_TRUE(asksBeforeForceIfHung()) << "Wine does not report Windows 98 to this copy: platform "
                                             << systemVersion().dwPlatformId << " major "
                                             << systemVersion().dwMajorVersion;
    }
    if (!asksBeforeForceIfHung())
        GTEST_SKIP() << "Windows 2000 or later: no question (run as Windows 98 by wine.program.win98)";

    // Cancel: stays off.
    {
        std::string question;
        ModalDriver box(kForceIfHungCaption, [&](HWND b) {
            question = fieldText(b, 0xFFFF);
            pressing(IDCANCEL)(b);
        });
        command(IDM_FORCE_IF_HUNG);
        box.finish();
        EXPECT_EQ(kForceIfHungQuestion, question) << "question shown";
        EXPECT_EQ(0, g_app.options.forceIfHung);
    }
    // OK: on, and the plain force option goes off.
    g_app.options.forceAction = 1;
    {
        ModalDriver box(kForceIfHungCaption, pressing(IDOK));
        command(IDM_FORCE_IF_HUNG);
        box.finish();
        EXPECT_TRUE(box.found());
        EXPECT_EQ(1, g_app.options.forceIfHung);
        EXPECT_EQ(0, g_app.options.forceAction);
    }
    // Switching it off again does not ask.
    {
        ModalDriver box(kForceIfHungCaption, pressing(IDCANCEL));
        command(IDM_FORCE_IF_HUNG);
        pumpMessages(300);
        box.finish();
        EXPECT_FALSE(box.found());
        EXPECT_EQ(0, g_app.options.forceIfHung);
    }
}

TEST_F(CommandTest, StartAndStop)
{
    SYSTEMTIME soon;
    GetLocalTime(&soon);
    SystemTimeToFileTime(&soon, &g_app.targetTime);
    addFileTime(g_app.targetTime, 600000000); // one minute ahead
    g_app.pingStop = 0;
    command(IDM_START);
    EXPECT_EQ(1, g_app.running);
    EXPECT_EQ(1, g_app.pingStop);

    armCountdown(600);
    g_app.pingStop = 0;
    command(IDM_STOP);
    EXPECT_EQ(0, g_app.running);
    EXPECT_EQ(0, g_app.monitorActive);
    EXPECT_EQ(1, g_app.pingStop);
}

// The calendar arithmetic is tested natively; here each entry sets its hour,
// on the hour, within the next day.
TEST_F(CommandTest, HourPresetsArmTheNextOccurrence)
{
    struct Case { UINT id; int hour; } cases[] = {
        {IDM_PRESET_AM0, 0},  {IDM_PRESET_AM3, 3},  {IDM_PRESET_AM6, 6},  {IDM_PRESET_AM9, 9},
        {IDM_PRESET_PM0, 12}, {IDM_PRESET_PM3, 15}, {IDM_PRESET_PM6, 18}, {IDM_PRESET_PM9, 21},
    };
    for (const Case& c : cases) {
        g_app.running = 0;
        command(c.id);
        const SYSTEMTIME t = targetAsLocal();
        EXPECT_EQ(c.hour, t.wHour) << "preset " << c.hour;
        EXPECT_EQ(0, t.wMinute + t.wSecond) << "preset " << c.hour;
        const LONGLONG ahead = static_cast<LONGLONG>(units(g_app.targetTime) - units(localFromNow(0)));
        EXPECT_GT(ahead, -600000000LL) << "preset " << c.hour << ": " << show(t);
        EXPECT_LE(ahead, 864000000000LL) << "preset " << c.hour << ": " << show(t);
        EXPECT_EQ(1, g_app.running) << "preset " << c.hour;
    }
}

TEST_F(CommandTest, PresetDuringCountdownOnlyPreparesTheClock)
{
    armCountdown(600);
    const uint32_t deadline = g_app.countdownDeadline;
    command(IDM_PRESET_PM9);
    EXPECT_EQ(1, g_app.monitorActive);
    EXPECT_EQ(Countdown, g_app.monitorMode);
    EXPECT_EQ(deadline, g_app.countdownDeadline);
    EXPECT_EQ(21, targetAsLocal().wHour);
}

TEST_F(CommandTest, EightOClockArmsTheClock)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    command(IDM_SET_8AM);
    EXPECT_EQ(1, g_app.running);
    const SYSTEMTIME t = targetAsLocal();
    EXPECT_EQ(8, t.wHour);
    EXPECT_EQ(0, t.wMinute);
    EXPECT_EQ(0, t.wSecond);
}

TEST_F(CommandTest, OtherCommandsKeepTheTarget)
{
    SYSTEMTIME set = {2031, 5, 0, 17, 13, 45, 12, 0};
    SystemTimeToFileTime(&set, &g_app.targetTime);
    for (UINT id : {static_cast<UINT>(IDM_SILENT), static_cast<UINT>(IDM_YEAR_2001), 12345u,
                    static_cast<UINT>(IDM_SKIN_LAST + 1)}) {
        command(id);
        EXPECT_EQ(show(set), show(targetAsLocal())) << "command " << id;
    }
}

TEST_F(CommandTest, CancelledCountdownDialogLeavesTheRunningTrigger)
{
    armCountdown(600);
    g_app.monitorMode = Network; // as if the network watch were running
    const uint32_t deadline = g_app.countdownDeadline;
    ModalDriver dialog(kCountdownCaption, pressing(IDCANCEL));
    command(IDM_COUNTDOWN);
    dialog.finish();
    ASSERT_TRUE(dialog.found()) << "dialog 126 did not open";
    EXPECT_EQ(1, g_app.running);
    EXPECT_EQ(1, g_app.monitorActive);
    EXPECT_EQ(Network, g_app.monitorMode);
    EXPECT_EQ(deadline, g_app.countdownDeadline);
}

TEST_F(CommandTest, CountdownPresetArmsTheCountdown)
{
    ModalDriver dialog(kCountdownCaption, pressing(IDC_CD_PRESET_3MIN));
    const DWORD before = GetTickCount();
    command(IDM_COUNTDOWN);
    dialog.finish();
    ASSERT_TRUE(dialog.found()) << "the countdown dialog did not open";
    EXPECT_EQ(1, g_app.running);
    EXPECT_EQ(1, g_app.monitorActive);
    EXPECT_EQ(Countdown, g_app.monitorMode);
    const int32_t ahead = static_cast<int32_t>(g_app.countdownDeadline - before);
    EXPECT_GE(ahead, 180000 - 1000);
    EXPECT_LE(ahead, 180000 + 5000);
}

TEST_F(CommandTest, ClockDialogStopsTheClockFirstAndArmsOnOk)
{
    g_app.options.clockHour = 6;
    g_app.options.clockMinute = 45;
    // Cancel leaves the clock stopped at its old target; OK arms what the
    // dialog showed, and the dispatch keeps that target.
    struct Case { int answer, running, hour, minute; } cases[] = {{IDCANCEL, 0, 8, 0}, {IDOK, 1, 6, 45}};
    for (const Case& c : cases) {
        command(IDM_SET_8AM);
        ASSERT_EQ(1, g_app.running);
        ModalDriver dialog(kClockTimeCaption, pressing(c.answer));
        command(IDM_CLOCK_TIME);
        dialog.finish();
        ASSERT_TRUE(dialog.found()) << "dialog 127 did not open";
        const SYSTEMTIME t = targetAsLocal();
        EXPECT_EQ(c.running, g_app.running) << "answer " << c.answer;
        EXPECT_EQ(c.hour, t.wHour) << "answer " << c.answer;
        EXPECT_EQ(c.minute, t.wMinute) << "answer " << c.answer;
    }
}

TEST_F(CommandTest, WatchCommandsStopEverythingFirst)
{
    ModalDriver picker("対象のｳｲﾝﾄﾞｳの選択", pressing(IDCANCEL));
    ModalDriver host("ネットワーク監視", pressing(IDCANCEL));
    for (UINT id : {static_cast<UINT>(IDM_NETWORK_WATCH), static_cast<UINT>(IDM_WINDOW_WATCH)}) {
        armCountdown(600);
        g_app.pingStop = 0;
        g_app.watchedWindow = window;
        command(id);
        EXPECT_EQ(0, g_app.running) << id;
        EXPECT_EQ(0, g_app.monitorActive) << id;
        EXPECT_EQ(1, g_app.pingStop) << id;
        if (id == IDM_WINDOW_WATCH) {
            EXPECT_EQ(nullptr, g_app.watchedWindow) << "nothing picked";
        }
    }
}

// With the host dialog open, commands that would open a second dialog or arm
// a trigger are refused, and the notification-area icon brings the dialog to
// the front instead of opening the menu over it.
TEST_F(CommandTest, WhileADialogIsOpenNothingOpensASecondOneOrArms)
{
    // What a fault would open over the host dialog is cancelled and counted.
    ModalDriver picker("対象のｳｲﾝﾄﾞｳの選択", pressing(IDCANCEL));
    ModalDriver clock(kClockTimeCaption, pressing(IDCANCEL));
    ModalDriver menu("#32768", nullptr);
    int32_t running = -1;
    HWND front = nullptr, shown = nullptr;
    ModalDriver host("ネットワーク監視", [&](HWND dialog) {
        shown = dialog;
        for (UINT id : {IDM_WINDOW_WATCH, IDM_CLOCK_TIME, IDM_SET_8AM, IDM_START, IDM_PRESET_AM9})
            SendMessageTimeoutA(window, WM_COMMAND, id, 0, SMTO_NORMAL, 2000, nullptr);
        running = g_app.running;
        HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                     nullptr, nullptr);
        SetForegroundWindow(other);
        SendMessageTimeoutA(window, WM_TRAY_CALLBACK, 0, WM_RBUTTONDOWN, SMTO_NORMAL, 2000, nullptr);
        front = GetForegroundWindow();
        DestroyWindow(other);
        pressing(IDCANCEL)(dialog);
    });
    command(IDM_NETWORK_WATCH);
    host.finish();
    ASSERT_TRUE(host.found()) << "the host dialog did not open";
    EXPECT_EQ(0, picker.timesFound() + clock.timesFound()) << "a second dialog opened over the first";
    EXPECT_EQ(0, running) << "a command armed a trigger under the dialog";
    EXPECT_EQ(0, menu.timesFound()) << "the icon opened the menu over the dialog";
    EXPECT_EQ(shown, front) << "the icon brings the dialog to the front";
    EXPECT_EQ(0, g_app.running);
}

// A dialog that cannot open (here: the owner's module holds no dialogs) is
// not a dialog that was confirmed: nothing is armed after it.
TEST_F(CommandTest, ADialogThatCannotOpenArmsNothing)
{
    HWND foreign = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   GetModuleHandleA("kernel32.dll"), nullptr);
    ASSERT_NE(nullptr, foreign);
    for (UINT id : {IDM_NETWORK_WATCH, IDM_COUNTDOWN, IDM_WINDOW_WATCH, IDM_CLOCK_TIME}) {
        dispatchCommand(foreign, id, 0);
        EXPECT_EQ(0, g_app.running) << id;
        EXPECT_EQ(0, g_app.monitorActive) << id;
    }
    EXPECT_EQ(1, g_app.pingIdle.load()) << "a ping thread was started";
    DestroyWindow(foreign);
}

TEST_F(CommandTest, ExitSendsTheDestroyHandling)
{
    command(IDM_EXIT);
    EXPECT_TRUE(takeQuitMessage()) << "the program ends";
}

// The skin commands go to the skin loader.
TEST_F(CommandTest, SkinCommandsSelectByEnumerationIndex)
{
    copyText(g_app.options.skinName, sizeof g_app.options.skinName, "x");
    command(IDM_SKIN_BUILTIN);
    ASSERT_STREQ("", g_app.options.skinName) << "the built-in skin empties the name";

    const std::string root = testDirectory() + "skins";
    if (GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "a skins directory is already beside the test program";
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((root + "\\one").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((root + "\\two").c_str(), nullptr));
    std::string first;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((root + "\\*").c_str(), &entry);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    std::string names[2];
    int count = 0;
    do {
        if (entry.cFileName[0] != '.' && count < 2)
            names[count++] = entry.cFileName;
    } while (FindNextFileA(search, &entry));
    FindClose(search);

    command(IDM_SKIN_FIRST + 1);
    EXPECT_EQ(names[1], g_app.options.skinName);
    command(IDM_SKIN_FIRST + 2); // beyond the last: nothing changes
    EXPECT_EQ(names[1], g_app.options.skinName);
    command(IDM_SKIN_FIRST);
    EXPECT_EQ(names[0], g_app.options.skinName);
    command(IDM_SKIN_BUILTIN);
    EXPECT_STREQ("", g_app.options.skinName);

    removeTree(root);
}

// A trigger fires while one of the dialogs that arm is open: one
// confirmation, over everything; the dialog takes no input meanwhile; and
// however the confirmation ends, what the dialog then returns is not armed.
TEST_F(CommandTest, ATriggerFiringUnderADialogLeavesNothingArmedBehindIt)
{
    // A window of another thread, for the picker to be given.
    HWND target = nullptr;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD targetThread = 0;
    std::thread owner([&] {
        targetThread = GetCurrentThreadId();
        target = CreateWindowExA(0, "#32770", "target", WS_POPUP | WS_CAPTION, 600, 500, 80, 40, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ShowWindow(target, SW_SHOWNOACTIVATE);
        SetEvent(ready);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            DispatchMessageA(&msg);
        DestroyWindow(target);
    });
    WaitForSingleObject(ready, 5000);
    CloseHandle(ready);

    struct Case {
        const char* what;
        UINT id;
        const char* caption;
        std::function<void(HWND dialog)> fillIn;
        bool runOut; // the confirmation runs out instead of being aborted
    } cases[] = {
        {"countdown", IDM_COUNTDOWN, kCountdownCaption, nullptr, false},
        {"countdown, confirmation ran out", IDM_COUNTDOWN, kCountdownCaption, nullptr, true},
        {"clock time", IDM_CLOCK_TIME, kClockTimeCaption, nullptr, false},
        {"host", IDM_NETWORK_WATCH, "ネットワーク監視", [](HWND d) { setField(d, IDC_NET_HOST, "127.0.0.1"); }, false},
        {"picker", IDM_WINDOW_WATCH, "対象のｳｲﾝﾄﾞｳの選択", [&target](HWND) { pickCandidate = target; }, false},
    };
    for (const Case& c : cases) {
        seamRecorderReset();
        g_app.running = 0;
        g_app.monitorActive = 0;
        g_app.options.silent = 1;
        g_app.options.powerAction = Logoff;
        int confirmations = 0;
        BOOL dialogEnabledUnder = TRUE, dialogEnabledAfter = FALSE, mainEnabledAfter = TRUE;
        ModalDriver driver(c.caption, [&](HWND dialog) {
            if (c.fillIn)
                c.fillIn(dialog);
            // The trigger comes due: a countdown that has just run out.
            g_app.countdownDeadline = GetTickCount();
            g_app.monitorMode = Countdown;
            g_app.monitorActive = 1;
            g_app.running = 1;
            HWND confirmation = nullptr;
            for (int i = 0; i < 200 && confirmation == nullptr; ++i) {
                confirmation = findOwnWindow("Noctil !");
                Sleep(10);
            }
            if (confirmation == nullptr)
                return;
            ++confirmations;
            dialogEnabledUnder = IsWindowEnabled(dialog);
            if (c.runOut) {
                for (int i = 0; IsWindow(confirmation) && i < 20; ++i)
                    SendMessageA(confirmation, WM_TIMER, TIMER_CONFIRM, 0);
            } else {
                PostMessageA(confirmation, WM_COMMAND, IDOK, 0); // abort
            }
            for (int i = 0; i < 200 && IsWindow(confirmation); ++i)
                Sleep(10);
            if (findOwnWindow("Noctil !") != nullptr)
                ++confirmations;
            for (int i = 0; i < 200 && !IsWindowEnabled(dialog); ++i)
                Sleep(10); // the confirmation's caller gives it back just after
            dialogEnabledAfter = IsWindowEnabled(dialog);
            mainEnabledAfter = IsWindowEnabled(g_app.mainWindow);
            clickButton(dialog, IDOK);
        });
        command(c.id);
        driver.finish();
        pumpMessages(300);
        EXPECT_EQ(1, driver.timesFound()) << c.what;
        EXPECT_EQ(1, confirmations) << c.what;
        EXPECT_FALSE(dialogEnabledUnder) << c.what << ": the dialog takes no input under the confirmation";
        EXPECT_TRUE(dialogEnabledAfter) << c.what << ": and takes it again afterwards";
        EXPECT_FALSE(mainEnabledAfter) << c.what << ": the main window waits for the dialog still open";
        EXPECT_EQ(0, g_app.running) << c.what << ": nothing armed after the confirmation";
        EXPECT_EQ(0, g_app.monitorActive) << c.what;
        EXPECT_EQ(0, g_ui.shownFrame.running) << c.what << ": the face shows it";
        EXPECT_EQ(c.runOut, std::string(seamRecorderLog()).find("ExitWindowsEx") != std::string::npos)
            << c.what << ": " << seamRecorderLog();
        EXPECT_TRUE(IsWindowEnabled(window)) << c.what;
    }
    PostThreadMessageA(targetThread, WM_QUIT, 0, 0);
    owner.join();
}

} // namespace
