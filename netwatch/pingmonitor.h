// The network watch: arming it and the ping thread.
#pragma once
#include <windows.h>

// Arms the network watch on hostName.
void armNetwork(HWND window);
