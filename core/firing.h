// Firing a trigger: disarm, save, confirm, and start the power action.
#pragma once
#include <windows.h>

#include "core/appstate.h"

// The shared firing sequence. `fromMonitor` is set for the monitor display
// (it also clears monitorActive); `setReason` is false for the clock display,
// which leaves confirmReason as it is.
void fireTrigger(HWND window, bool fromMonitor, bool setReason, ConfirmReason reason);
