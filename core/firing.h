// Firing a trigger: disarm, save, confirm, and start the power action.
#pragma once
#include <windows.h>

#include "core/appstate.h"

// The firing sequence: disarm, save the options, confirm and, if the
// confirmation ran out, start the power action. The clock time leaves
// confirmReason as it is (the confirmation resets it after every use); a
// monitor trigger also leaves the monitor display and names its reason, and
// the network watch's ping thread is asked to end afterwards.
void fireClockTrigger(HWND window);
void fireMonitorTrigger(HWND window, ConfirmReason reason);

// Stores the main window's rectangle among the options and saves them: before
// a power action, and when the system ends the session.
void saveWindowAndOptions(HWND window);

// WM_ENDSESSION of the main window: the session really ends (`ending` TRUE)
// without WM_DESTROY, so the options are saved here.
LRESULT onEndSession(HWND window, WPARAM ending);
