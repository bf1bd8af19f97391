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

ClockSample seamReadClock()
{
    return readSystemClocks();
}

SOCKET seamOpenRawIcmpSocket()
{
    return winsockApi()->openSocket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
}
