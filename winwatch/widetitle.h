// A window's whole title as Unicode, where the system keeps titles so (the
// NT family). Windows 95, 98 and Me, and a system without the calls, say no,
// and the watch compares the ANSI title as before.
#pragma once
#include <windows.h>

#include <cstdint>

// The fingerprint of `window`'s whole title; false where titles are not
// Unicode or it could not be read.
bool wideTitleFingerprint(HWND window, uint64_t& fingerprint);
