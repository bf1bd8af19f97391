// The clock-time dialog and the countdown dialog.
#pragma once
#include <windows.h>

// Clock-time dialog: on OK arms the clock time. Returns the dialog's end code.
INT_PTR runClockTimeDialog(HWND owner);
// Countdown dialog: returns the chosen number of seconds, 0 when cancelled.
INT_PTR runCountdownDialog(HWND owner);
