// The auto-start file noctil.ini beside the program.
#pragma once
#include <windows.h>

#include "settings/autostart_logic.h"

// What the auto-start file names to arm; kind None when there is no file.
AutoStartPlan readAutoStartPlan();

// The auto-start settings dialog; writes the file on OK. Arms nothing.
INT_PTR runAutoStartDialog(HWND owner);
