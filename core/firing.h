// Firing a trigger: disarm, save, confirm, and start the power action.
#pragma once
#include <windows.h>

#include "core/appstate.h"

// The shared firing sequence. `fromMonitor` is set for the monitor display
// (it also clears monitorActive); `setReason` is false for the clock display,
// which leaves confirmReason as it is.
void fireTrigger(HWND window, bool fromMonitor, bool setReason, ConfirmReason reason);

// Stores the main window's rectangle among the options and saves them: before
// a power action, and when the system ends the session.
void saveWindowAndOptions(HWND window);

// WM_ENDSESSION of the main window: the session really ends (`ending` TRUE)
// without WM_DESTROY, so the options are saved here.
LRESULT onEndSession(HWND window, WPARAM ending);
