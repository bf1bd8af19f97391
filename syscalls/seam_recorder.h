// Test access to the recording seam: what was called, and failures to inject.
#pragma once
#include <winsock.h>
#include <windows.h>

#include <cstdint>

#include "base/codes.h"

// The calls recorded since the last reset, one line each ("Name arg arg\n").
const char* seamRecorderLog();
void seamRecorderReset();
// What was asked without acting, as above: the power capabilities and the
// keep-awake request (also in seam-requests.log beside the program).
const char* seamRecorderRequests();
// Makes the next calls of `name` fail with `error` (0 makes them succeed again).
void seamRecorderFailCalls(const char* name, DWORD error);
// Makes the raw ICMP socket fail to open, as for a user without the right;
// either way forgets the last raw socket.
void seamRecorderRefuseRawSockets(BOOL refuse);
// The raw socket opened last (INVALID_SOCKET if none since the last call above).
SOCKET seamRecorderLastRawSocket();
// Moves the clocks the program reads on, from now on, as a sleep or a freeze
// would: the tick count by `tickMs`, the system clock by `utcMs` and the
// unbiased time by `unbiasedMs` (added to earlier moves; a reset undoes them).
void seamRecorderMoveClocks(uint32_t tickMs, int32_t utcMs, uint32_t unbiasedMs);
// The clocks read as on a system without the unbiased time (before Windows 7).
void seamRecorderHideUnbiasedTime(BOOL hide);
// The power capabilities the program is told (a reset makes them unknown).
void seamRecorderStagePowerCapabilities(const PowerCapabilities& capabilities);
