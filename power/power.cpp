#include "power/power.h"

#include <tlhelp32.h>

#include "base/platform.h"
#include "base/textformat.h"
#include "power/confirmtext.h"
#include "power/keepawake.h"
#include "power/notify.h"
#include "power/powerflags.h"
#include "state/appstate.h"
#include "syscalls/seam.h"
#include "ui/modal.h"
#include "ui/notice.h"

namespace {

// NT: the process needs SeShutdownPrivilege enabled for ExitWindowsEx and
// SetSystemPowerState. A failure is shown but never stops the action.
void enableShutdownPrivilege(HWND window)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        showMessageBox(window, "OpenProcessTokenでエラー", "エラー", MB_OK);
        token = nullptr;
    }
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    // A successful adjustment reports ERROR_NOT_ALL_ASSIGNED through the last
    // error; some systems leave an older code there on full success.
    SetLastError(ERROR_SUCCESS);
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    if (GetLastError() != ERROR_SUCCESS)
        showMessageBox(window, "AdjustTokenPrivileges", "エラー", MB_OK);
    if (token != nullptr)
        CloseHandle(token);
}

// The box of an action that failed or could not be made, owned by no window.
void showFailureText(const char* text)
{
    showMessageBox(nullptr, text, "シャットダウン処理中のエラー", MB_ICONINFORMATION | MB_OK);
}

void showFailureBox(DWORD error)
{
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM,
                   nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                   reinterpret_cast<LPSTR>(&text), 0, nullptr);
    char number[16];
    if (text == nullptr) // a code without system text still says which it was
        formatText(number, sizeof number, "%lu", static_cast<unsigned long>(error));
    showFailureText(text != nullptr ? text : number);
    if (text != nullptr)
        LocalFree(text);
}

// SC_MONITORPOWER's state for the display off (1 is low power, -1 on).
constexpr LPARAM kMonitorOff = 2;

static_assert(sizeof(PROCESSENTRY32) == (sizeof(void*) == 4 ? 296 : 304), "ANSI process entry");

using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using WalkProcessFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

// Windows 95/98/Me: a forced exit first ends every explorer.exe process.
// Returns 0 without exiting when the process list cannot be read.
BOOL exitWindows9x(UINT exitFlags)
{
    if ((exitFlags & kExitForce) == 0)
        return seamExitWindowsEx(exitFlags, 0);

    // Bound at run time: NT 4.0's kernel32 has no toolhelp functions, and an
    // import of them would keep the program from starting there.
    const auto createSnapshot = systemFunction<CreateSnapshotFn>("kernel32.dll", "CreateToolhelp32Snapshot");
    const auto first = systemFunction<WalkProcessFn>("kernel32.dll", "Process32First");
    const auto next = systemFunction<WalkProcessFn>("kernel32.dll", "Process32Next");
    if (createSnapshot == nullptr || first == nullptr || next == nullptr)
        return 0;
    HANDLE snapshot = createSnapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry; // 296
    for (BOOL more = first(snapshot, &entry); more; more = next(snapshot, &entry)) {
        if (isShellProcessName(entry.szExeFile, systemLeadByte))
            seamTerminateProcess(entry.th32ProcessID, entry.szExeFile, 1);
        entry.dwSize = sizeof entry;
    }
    CloseHandle(snapshot);
    return seamExitWindowsEx(exitFlags, 0);
}

// ExitWindowsEx on NT; the Windows 95/98/Me path elsewhere.
BOOL exitWindows(UINT exitFlags)
{
    if (isNtPlatform())
        return seamExitWindowsEx(exitFlags, 0);
    return exitWindows9x(exitFlags);
}

} // namespace

void beginPowerAction(HWND window)
{
    if (isNtPlatform())
        enableShutdownPrivilege(window);
    if (programEnding()) // left through one of the privilege boxes
        return;
    const Options& o = g_app.options;
    const UINT flags = exitFlagsFor(o.powerAction, o.forceAction, o.forceIfHung);
    if (defersBehindNotice(o.powerAction, o.forceAction, o.forceIfHung, g_app.notifyBeforeForce)) {
        notifyAllWindows();
        g_app.pendingExitFlags = flags;
        return;
    }
    performPowerAction(flags, window);
}

int performPowerAction(UINT exitFlags, HWND window)
{
    const int32_t action = g_app.options.powerAction;
    const bool force = g_app.options.forceAction != 0;
    const PowerPath path = isPowerStateAction(action) ? choosePowerPath(action, force, seamPowerCapabilities())
                                                      : PowerPath::ExitWindows;
    switch (path) {
    case PowerPath::SystemCall:
        Sleep(500);
        if (seamSetSystemPowerState(action == Standby, force)) {
            // Back from the power state: the program ends as after Exit.
            SendMessageA(window, WM_DESTROY, 0, 0);
            return 1;
        }
        break;
    case PowerPath::DisplayOff:
        Sleep(500);
        seamMonitorPower(window, kMonitorOff);
        SendMessageA(window, WM_DESTROY, 0, 0); // as after a stand-by
        return 1;
    case PowerPath::CannotStandBy:
    case PowerPath::HibernationOff:
        showFailureText(powerPathMessage(path));
        endPowerAction();
        return 0;
    case PowerPath::ExitWindows:
        if (exitWindows(exitFlags))
            return 1; // the system ends the session, and the program with it
        break;
    }
    showFailureBox(GetLastError());
    endPowerAction();
    return 0;
}

void endPowerAction()
{
    g_app.acting = 0;
    keepAwakeWhileArmed();
}

void warnIfPowerActionMissing(HWND owner, int32_t powerAction)
{
    if (powerAction != Hibernate)
        return;
    const PowerPath path = choosePowerPath(powerAction, false, seamPowerCapabilities());
    if (path == PowerPath::HibernationOff)
        showMessageBox(owner, powerPathMessage(path), "Noctil - 休止状態", MB_ICONINFORMATION | MB_OK);
}

void playTick()
{
    if (isNtPlatform())
        seamBeep(37, 3);
    else
        seamMessageBeep(0xFFFFFFFF);
}

void showSleptNotice(bool waiting)
{
    char text[256];
    formatSleptNotice(text, sizeof text, g_app.options.powerAction, waiting);
    showNotice(text);
}
