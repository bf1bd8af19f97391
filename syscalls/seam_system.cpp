#include "syscalls/seam.h"

#include "base/platform.h"
#include "syscalls/winsock_api.h"

BOOL seamExitWindowsEx(UINT flags, DWORD reason)
{
    return ExitWindowsEx(flags, reason);
}

BOOL seamSetSystemPowerState(BOOL suspend, BOOL force)
{
    // Bound by name: Windows NT 4.0 has no power management and no such call.
    using SetPowerStateFn = BOOL(WINAPI*)(BOOL, BOOL);
    const auto setPowerState = systemFunction<SetPowerStateFn>("kernel32.dll", "SetSystemPowerState");
    if (setPowerState == nullptr) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    return setPowerState(suspend, force);
}

BOOL seamTerminateProcess(DWORD processId, const char* exeName, UINT exitCode)
{
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
    if (process == nullptr)
        return FALSE;
    const BOOL ok = TerminateProcess(process, exitCode);
    CloseHandle(process);
    return ok;
}

BOOL seamBeep(DWORD frequency, DWORD duration)
{
    return Beep(frequency, duration);
}

BOOL seamMessageBeep(UINT type)
{
    return MessageBeep(type);
}

PowerCapabilities seamPowerCapabilities()
{
    return readPowerCapabilities();
}

void seamMonitorPower(HWND window, LPARAM state)
{
    // Our own window's default handling: a broadcast would wait on every
    // window, and a hung one would hold us.
    DefWindowProcA(window, WM_SYSCOMMAND, SC_MONITORPOWER, state);
}

void seamKeepSystemAwake(BOOL awake)
{
    // Windows 98 and 2000 and later; bound by name so that 95 and NT 4.0 start.
    using ExecutionStateFn = DWORD(WINAPI*)(DWORD);
    const auto setState = systemFunction<ExecutionStateFn>("kernel32.dll", "SetThreadExecutionState");
    if (setState != nullptr)
        setState(awake ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
}

ClockSample seamReadClock()
{
    return readSystemClocks();
}

SOCKET seamOpenRawIcmpSocket()
{
    return winsockApi()->openSocket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
}
