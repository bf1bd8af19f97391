// Test access to the recording seam: what was called, and failures to inject.
#pragma once
#include <winsock.h>
#include <windows.h>

// The calls recorded since the last reset, one line each ("Name arg arg\n").
const char* seamRecorderLog();
void seamRecorderReset();
// Makes the next calls of `name` fail with `error` (0 makes them succeed again).
void seamRecorderFailCalls(const char* name, DWORD error);
// Makes the raw ICMP socket fail to open, as for a user without the right;
// either way forgets the last raw socket.
void seamRecorderRefuseRawSockets(BOOL refuse);
// The raw socket opened last (INVALID_SOCKET if none since the last call above).
SOCKET seamRecorderLastRawSocket();
