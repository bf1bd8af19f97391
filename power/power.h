// Carrying out the power action: the shutdown privilege, the exit flag word,
// acting at once or after the end-of-session notice, and the failure box.
#pragma once
#include <windows.h>

// Starts the configured power action after a confirmed trigger. Forced exits
// with notifyBeforeForce set wait behind notifyAllWindows; the main window's
// wait timer then calls performPowerAction with pendingExitFlags.
void beginPowerAction(HWND window);

// Performs the action now: SetSystemPowerState for stand-by and hibernate
// (then the program ends through WM_DESTROY), ExitWindowsEx with `exitFlags`
// for the others. Returns 1 on success, 0 after showing the failure box.
int performPowerAction(UINT exitFlags, HWND window);

// ExitWindowsEx on NT; the Windows 95/98/Me path elsewhere.
BOOL exitWindows(UINT exitFlags);

// Windows 95/98/Me: a forced exit first ends every explorer.exe process.
// Returns 0 without exiting when the process list cannot be read.
BOOL exitWindows9x(UINT exitFlags);
