// The power action on an NT system (Wine's default): each path reaches its
// call or waits behind the notice; stand-by and hibernate end the program;
// failures are shown once.
#include <gtest/gtest.h>

#include <algorithm>

#include "power/power.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "syscalls/seam_recorder.h"
#include "tests/power/power_testing.h"
#include "ui/uistate.h"

namespace {

const char kFailureCaption[] = "シャットダウン処理中のエラー";

class PowerTest : public MainWindowTest {
protected:
    void freshProgram(int action, int force, int ifHung, int notify)
    {
        restart();
        g_app.options.powerAction = action;
        g_app.options.forceAction = force;
        g_app.options.forceIfHung = ifHung;
        g_app.notifyBeforeForce = notify;
        g_app.options.silent = 1;
    }

    // Ends a wait that a case started, as the end of the program would.
    void cancelWait()
    {
        KillTimer(window, TIMER_NOTIFY_WAIT);
        if (g_app.waitDialog != nullptr)
            DestroyWindow(g_app.waitDialog);
    }
};

TEST_F(PowerTest, EachPathReachesItsCall)
{
    // A privilege box would block the table: count them instead.
    ModalDriver privilegeBoxes("エラー", pressing(IDOK));
    struct Case {
        int action, force, ifHung, notify;
        const char* call;  // the recorded call, or nullptr when it waits
        UINT pending;      // pendingExitFlags of a waiting case
    } cases[] = {
        // The flag words and the choice of path are tested natively; here
        // one case of each path reaches its call.
        {0, 0, 0, 1, "ExitWindowsEx 0x09 0x0", 0}, // unforced: at once, notice or not
        {1, 1, 0, 1, nullptr, 0x07},               // forced with the notice: waits
        {1, 1, 0, 0, "ExitWindowsEx 0x07 0x0", 0}, // forced without it: at once
        {4, 0, 1, 1, "ExitWindowsEx 0x10 0x0", 0}, // force-if-hung never waits
        {2, 1, 0, 1, "SetSystemPowerState 1 1", 0}, // stand-by never waits, passes the force
        {3, 0, 0, 0, "SetSystemPowerState 0 0", 0},
    };
    for (const Case& c : cases) {
        freshProgram(c.action, c.force, c.ifHung, c.notify);
        const std::string what = "action " + std::to_string(c.action) + " force " + std::to_string(c.force) +
                                 " ifHung " + std::to_string(c.ifHung) + " notify " + std::to_string(c.notify);
        const DWORD start = GetTickCount();
        beginPowerAction(window);
        const DWORD took = GetTickCount() - start;
        const bool powerState = c.action == 2 || c.action == 3;
        if (c.call == nullptr) {
            EXPECT_STREQ("", seamRecorderLog()) << what << ": nothing yet";
            EXPECT_EQ(c.pending, g_app.pendingExitFlags) << what;
            EXPECT_NE(nullptr, g_app.waitDialog) << what << ": the notice is shown";
            cancelWait();
        } else {
            EXPECT_EQ(std::string(c.call) + "\n", seamRecorderLog()) << what;
            EXPECT_EQ(nullptr, g_app.waitDialog) << what;
        }
        // Only stand-by and hibernate end the program (the others end the session).
        EXPECT_EQ(powerState, takeQuitMessage()) << what;
        EXPECT_EQ(powerState, g_ui.displaySurface == nullptr) << what << ": destroy handling ran";
        if (powerState) {
            EXPECT_GE(took, 490u) << what << ": half a second before the power state";
        }
    }
    privilegeBoxes.finish();
    EXPECT_EQ(0, privilegeBoxes.timesFound()) << "privilege boxes";
}

TEST_F(PowerTest, FailedCallShowsTheSystemTextOnceAndTheProgramRunsOn)
{
    struct Case { int action; const char* call; DWORD error; const char* line; } cases[] = {
        {0, "ExitWindowsEx", ERROR_PRIVILEGE_NOT_HELD, "ExitWindowsEx 0x09 0x0"},
        {4, "ExitWindowsEx", ERROR_ACCESS_DENIED, "ExitWindowsEx 0x00 0x0"},
        {2, "SetSystemPowerState", ERROR_NOT_SUPPORTED, "SetSystemPowerState 1 0"},
        {3, "SetSystemPowerState", ERROR_NOT_READY, "SetSystemPowerState 0 0"},
    };
    for (const Case& c : cases) {
        freshProgram(c.action, 0, 0, 1);
        seamRecorderFailCalls(c.call, c.error);
        char* expected = nullptr;
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM,
                       nullptr, c.error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                       reinterpret_cast<LPSTR>(&expected), 0, nullptr);
        ASSERT_NE(nullptr, expected) << "no system text for " << c.error;
        const std::string text = expected;
        LocalFree(expected);

        std::string shown;
        ModalDriver box(kFailureCaption, pressing(IDOK, &shown));
        beginPowerAction(window);
        pumpMessages(300);
        box.finish();
        EXPECT_EQ(1, box.timesFound()) << c.call << " " << c.error;
        EXPECT_EQ(text, shown) << c.call << " " << c.error;
        EXPECT_EQ(std::string(c.line) + "\n", seamRecorderLog()) << "not retried";
        EXPECT_FALSE(takeQuitMessage()) << c.call;
        EXPECT_TRUE(IsWindow(window));
        EXPECT_NE(nullptr, g_ui.displaySurface) << "the program keeps running";
        EXPECT_EQ(0, g_app.running);
    }
}

TEST_F(PowerTest, PerformReportsSuccessAndFailure)
{
    freshProgram(0, 1, 0, 1);
    EXPECT_EQ(1, performPowerAction(0x0D, window));
    EXPECT_STREQ("ExitWindowsEx 0x0D 0x0\n", seamRecorderLog()) << "given flags are used as they are";
    seamRecorderFailCalls("ExitWindowsEx", ERROR_ACCESS_DENIED);
    ModalDriver box(kFailureCaption, pressing(IDOK));
    EXPECT_EQ(0, performPowerAction(0x0D, window));
    box.finish();
    EXPECT_EQ(1, box.timesFound());
}

// The highest of 64 handles made now. Handles kept open meanwhile push it up
// (a few may fill holes below it, so it is compared with a margin).
uintptr_t handleCeiling()
{
    HANDLE handles[64];
    uintptr_t highest = 0;
    for (HANDLE& h : handles) {
        h = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        highest = std::max(highest, reinterpret_cast<uintptr_t>(h));
    }
    for (HANDLE h : handles)
        CloseHandle(h);
    return highest;
}

// Switches the process's shutdown privilege on or off; reads whether it is on.
bool shutdownPrivilege(int enable = -1)
{
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token);
    PRIVILEGE_SET set = {1, PRIVILEGE_SET_ALL_NECESSARY, {}};
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &set.Privilege[0].Luid);
    if (enable >= 0) {
        TOKEN_PRIVILEGES change = {1, {{set.Privilege[0].Luid, enable ? SE_PRIVILEGE_ENABLED : 0u}}};
        AdjustTokenPrivileges(token, FALSE, &change, 0, nullptr, nullptr);
    }
    BOOL held = FALSE;
    PrivilegeCheck(token, &set, &held);
    CloseHandle(token);
    return held != FALSE;
}

TEST_F(PowerTest, TheShutdownPrivilegeIsSwitchedOnBeforeTheAction)
{
    freshProgram(0, 0, 0, 0);
    ASSERT_FALSE(shutdownPrivilege(0)) << "the test cannot switch the privilege off";
    beginPowerAction(window);
    EXPECT_TRUE(shutdownPrivilege()) << "without it ExitWindowsEx fails on the NT family";
}

TEST_F(PowerTest, PrivilegeStepLeavesNoHandleOpen)
{
    freshProgram(0, 0, 0, 1);
    ModalDriver privilegeBoxes("エラー", pressing(IDOK));
    beginPowerAction(window); // whatever is opened once and kept is open now
    const uintptr_t before = handleCeiling();
    for (int i = 0; i < 50; ++i)
        beginPowerAction(window);
    const uintptr_t after = handleCeiling();
    privilegeBoxes.finish();
    // Handle values step by 4 on 32-bit and 64-bit Windows alike.
    EXPECT_LT((after - before) / 4, 10u) << "handles left open: one per action would be 50";
    EXPECT_EQ(51, countLines(seamRecorderLog(), "ExitWindowsEx 0x09 0x0"));
    EXPECT_EQ(0, privilegeBoxes.timesFound());
}

TEST_F(PowerTest, ClickIsTheShortLowBeepOnNt)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExA(&version));
    ASSERT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_NT), version.dwPlatformId);
    playTick();
    EXPECT_STREQ("Beep 37 3\n", seamRecorderLog());
}

} // namespace
