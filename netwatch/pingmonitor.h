// The network watch: arming it and the ping thread.
#pragma once
#include <windows.h>

// Arms the network watch on hostName and starts the ping thread unless one
// is still running (which then carries on with the reset count).
void armNetwork(HWND window);

