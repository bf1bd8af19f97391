// The wait behind a forced exit: every other top-level window is told once,
// the notice sits centred on top, the action follows five seconds later, once;
// leaving the program during the wait cancels it.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <thread>

#include "power/notify.h"
#include "power/power.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "syscalls/seam_recorder.h"
#include "tests/power/power_testing.h"
#include "ui/uistate.h"

namespace {

const char kExitCall[] = "ExitWindowsEx 0x0D 0x0";

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Posted& o) const
    {
        return message == o.message && wParam == o.wParam && lParam == o.lParam;
    }
};

std::ostream& operator<<(std::ostream& out, const Posted& p)
{
    return out << std::hex << "{0x" << p.message << ", " << p.wParam << ", 0x" << p.lParam << "}" << std::dec;
}

// Takes the end-session messages waiting in this thread's queue for `window`.
std::vector<Posted> takeSessionMessages(HWND window)
{
    std::vector<Posted> taken;
    MSG msg;
    while (PeekMessageA(&msg, window, WM_QUERYENDSESSION, WM_ENDSESSION, PM_REMOVE)) {
        if (msg.message == WM_QUERYENDSESSION || msg.message == WM_ENDSESSION)
            taken.push_back({msg.message, msg.wParam, msg.lParam});
    }
    return taken;
}

// Pumps until `line` is in the seam log or `ms` have passed; returns the time
// it took, or ~0u.
DWORD pumpUntilLogged(const char* line, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        if (countLines(seamRecorderLog(), line) > 0)
            return GetTickCount() - start;
        pumpMessages(10);
    }
    return ~0u;
}

class NotifyTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        g_app.options.forceAction = 1; // a forced shutdown, other options as at start
        g_app.options.silent = 1;
    }
    void TearDown() override
    {
        KillTimer(window, TIMER_NOTIFY_WAIT);
        if (g_app.waitDialog != nullptr)
            DestroyWindow(g_app.waitDialog);
        MainWindowTest::TearDown();
    }
};

TEST_F(NotifyTest, EveryOtherWindowIsToldOnceAndTheNoticeSitsCentredOnTop)
{
    const std::string log = makeTempDirectory("nwl") + "messages.log";
    HelperProcess helper;
    ASSERT_TRUE(helper.start(helperExe(), "windows \"" + log + "\" 3")) << helperExe() << " " << GetLastError();
    HWND other = CreateWindowExA(0, "STATIC", "hidden own window", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(nullptr, other);
    pumpMessages(100);
    takeSessionMessages(other);

    const DWORD start = GetTickCount();
    beginPowerAction(window);
    const DWORD begun = GetTickCount() - start;
    HWND notice = g_app.waitDialog;

    // In our own queue, before anything is dispatched.
    const std::vector<Posted> pair = {{WM_QUERYENDSESSION, 0, LPARAM(ENDSESSION_LOGOFF)},
                                      {WM_ENDSESSION, 0, LPARAM(ENDSESSION_LOGOFF)}};
    EXPECT_EQ(pair, takeSessionMessages(other)) << "our other top-level window";
    EXPECT_TRUE(takeSessionMessages(window).empty()) << "never the main window";
    EXPECT_TRUE(takeSessionMessages(notice).empty()) << "never the notice itself";
    EXPECT_EQ(0x0Du, g_app.pendingExitFlags);

    // The notice (template 120, whose texts are checked with every other
    // template): centred on the desktop, topmost.
    ASSERT_NE(nullptr, notice);
    EXPECT_TRUE(IsWindowVisible(notice));
    EXPECT_EQ(nullptr, GetWindow(notice, GW_OWNER)) << "not owned by the main window";
    EXPECT_TRUE(GetWindowLongA(notice, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT desktop, r;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(notice, &r);
    EXPECT_EQ(desktop.right / 2 - (r.right - r.left) / 2, r.left);
    EXPECT_EQ(desktop.bottom / 2 - (r.bottom - r.top) / 2, r.top);
    char last[16] = {};
    GetWindowTextA(GetWindow(GetWindow(notice, GW_CHILD), GW_HWNDLAST), last, sizeof last);
    EXPECT_STREQ("Noctil!:", last) << "the notice is dialog 120";
    EXPECT_EQ(RGB(118, 76, 0), g_ui.dialogTextColor) << "the wait colours";
    EXPECT_STREQ("", seamRecorderLog()) << "nothing done yet";

    // The helper's three windows (shown, hidden, tool window): one pair each.
    std::string received;
    for (int i = 0; i < 300 && std::count(received.begin(), received.end(), '\n') < 6; ++i) {
        pumpMessages(10);
        received = readWholeFile(log);
    }
    pumpMessages(300);
    received = readWholeFile(log);
    for (int w = 0; w < 3; ++w) {
        std::string mine;
        std::istringstream lines(received);
        for (std::string line; std::getline(lines, line);) {
            if (line.compare(0, 2, std::to_string(w) + " ") == 0)
                mine += line + "\n";
        }
        const std::string expected = std::to_string(w) + " QUERY 0 80000000\n" + std::to_string(w) + " END 0 80000000\n";
        EXPECT_EQ(expected, mine) << "helper window " << w << "; all received:\n" << received;
    }

    // The action itself, about five seconds after it began.
    const DWORD after = pumpUntilLogged(kExitCall, 9000 - (GetTickCount() - start));
    ASSERT_NE(~0u, after) << seamRecorderLog();
    const DWORD waited = GetTickCount() - start - begun;
    EXPECT_GE(waited + 100, 5000u);
    EXPECT_LE(waited, 6500u);
    std::printf("[   INFO   ] the forced shutdown came %lu ms after the notice\n", static_cast<unsigned long>(waited));
    EXPECT_FALSE(IsWindow(notice)) << "the notice is gone";
    EXPECT_EQ(nullptr, g_app.waitDialog);
    EXPECT_EQ(nullptr, g_ui.dialogPen) << "its pen and brushes with it";
    pumpMessages(200);
    EXPECT_EQ(std::string(kExitCall) + "\n", seamRecorderLog());
    DestroyWindow(other);
}

TEST_F(NotifyTest, FailedActionAfterTheWaitIsReportedOnceAndNotRepeated)
{
    seamRecorderFailCalls("ExitWindowsEx", ERROR_ACCESS_DENIED);
    ModalDriver box("シャットダウン処理中のエラー", pressing(IDOK));
    beginPowerAction(window);
    SendMessageA(window, WM_TIMER, TIMER_NOTIFY_WAIT, 0); // the end of the wait
    box.finish();
    EXPECT_EQ(1, box.timesFound());
    EXPECT_FALSE(KillTimer(window, TIMER_NOTIFY_WAIT)) << "the wait timer acts once: it is gone";
    EXPECT_EQ(1, countLines(seamRecorderLog(), kExitCall)) << seamRecorderLog();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_NE(nullptr, g_ui.displaySurface) << "the program keeps running";
}

// The session ends while the notice waits (another program ended it): the
// end of the wait then does nothing, and the notice goes.
TEST_F(NotifyTest, TheSessionEndingDuringTheWaitPerformsNothing)
{
    beginPowerAction(window);
    ASSERT_NE(nullptr, g_app.waitDialog);
    SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    SendMessageA(window, WM_TIMER, TIMER_NOTIFY_WAIT, 0); // the end of the wait
    pumpMessages(200);
    EXPECT_STREQ("", seamRecorderLog());
    EXPECT_EQ(nullptr, g_app.waitDialog);
}

// The program's message loop (as in its entry) ends at the quit message of
// the Exit command, long before the wait is over; the process, and the wait
// timer with it, end there.
TEST_F(NotifyTest, ExitDuringTheWaitEndsTheProgramBeforeTheAction)
{
    beginPowerAction(window);
    pumpMessages(1000);
    const DWORD threadId = GetCurrentThreadId();
    HANDLE ended = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread guard([threadId, ended] {
        if (WaitForSingleObject(ended, 8000) == WAIT_TIMEOUT)
            PostThreadMessageA(threadId, WM_QUIT, 99, 0); // the loop never ended
    });
    const DWORD start = GetTickCount();
    SendMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    const DWORD loopEnded = GetTickCount() - start;
    SetEvent(ended);
    EXPECT_EQ(0u, msg.wParam) << "ended by the Exit command";
    EXPECT_LT(loopEnded, 1000u);
    EXPECT_STREQ("", seamRecorderLog()) << "no action before the program ended";
    guard.join();
    CloseHandle(ended);
    MSG stray;
    PeekMessageA(&stray, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

} // namespace
