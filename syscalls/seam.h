// The one narrow seam for calls that change the system or another process.
// noctil.exe links seam_system.cpp; its test build links seam_recorder.cpp,
// which records each call (one line per call) instead of performing it.
#pragma once
#include <winsock.h>
#include <windows.h>

#include "base/codes.h"
#include "base/sleepgap.h"

BOOL seamExitWindowsEx(UINT flags, DWORD reason);
BOOL seamSetSystemPowerState(BOOL suspend, BOOL force);
// Ends the process `processId`; `exeName` is the name it was found under.
BOOL seamTerminateProcess(DWORD processId, const char* exeName, UINT exitCode);
BOOL seamBeep(DWORD frequency, DWORD duration);
// What the computer can do (powrprof's GetPwrCapabilities, bound at run
// time); `known` false where it cannot be asked.
PowerCapabilities seamPowerCapabilities();
// SC_MONITORPOWER with `state` (2: off) through `window`'s own default
// handling: on Modern Standby the system then goes to sleep by itself.
void seamMonitorPower(HWND window, LPARAM state);
// Asks the system to keep out of idle sleep (the display may still go off),
// or gives the request back; nothing where the system has no such request
// (Windows 95, NT 4.0).
void seamKeepSystemAwake(BOOL awake);
BOOL seamMessageBeep(UINT type);

// The program's clocks, read in this one place: the tick count, the system
// clock (UTC) and, where the system has it, the unbiased interrupt time. The
// test build can move them on, as a sleep would.
ClockSample seamReadClock();

// The raw ICMP socket of one ping (performed in both builds; the test build
// can refuse it, as the system does for a user without the right).
SOCKET seamOpenRawIcmpSocket();
