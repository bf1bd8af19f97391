// Carrying out the power action: the shutdown privilege, the exit flag word,
// acting at once or after the end-of-session notice, and the failure box.
#pragma once
#include <windows.h>

#include <cstdint>

// Starts the configured power action after a confirmed trigger. Forced exits
// with notifyBeforeForce set wait behind notifyAllWindows; the main window's
// wait timer then calls performPowerAction with pendingExitFlags.
void beginPowerAction(HWND window);

// The action came to nothing (aborted, failed, stopped by a sleep): the
// computer may sleep on idle again unless something is armed.
void endPowerAction();

// The menu chose `powerAction`: hibernate on a computer whose hibernation
// is off says so at once (the choice is still made).
void warnIfPowerActionMissing(HWND owner, int32_t powerAction);

// The short click of the start/stop toggle and the confirmation countdown.
void playTick();

// Performs the action now: SetSystemPowerState for stand-by and hibernate
// (then the program ends through WM_DESTROY), ExitWindowsEx with `exitFlags`
// for the others. Returns 1 on success, 0 after showing the failure box.
int performPowerAction(UINT exitFlags, HWND window);


// Tells the user that a sleep stopped the action: during the confirmation
// (`waiting` false) or the wait after telling all windows.
void showSleptNotice(bool waiting);
