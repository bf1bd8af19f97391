// The auto-start file noctil.ini beside the program.
#pragma once
#include <windows.h>

// Arms what the auto-start settings name, or nothing.
void armAutoStart();

// The auto-start settings dialog; writes the file on OK. Arms nothing.
INT_PTR runAutoStartDialog(HWND owner);
