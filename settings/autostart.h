// The auto-start file noctil.ini beside the program.
#pragma once
#include <windows.h>

#include <cstddef>

// Arms what the auto-start settings name, or nothing.
void armAutoStart();

// The auto-start settings dialog; writes the file on OK. Arms nothing.
INT_PTR runAutoStartDialog(HWND owner);

// The path of noctil.ini in the program directory; false (and an empty
// path) when it does not fit.
bool autoStartFilePath(char* path, size_t size);
