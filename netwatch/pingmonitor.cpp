#include "netwatch/pingmonitor.h"

// The ping thread comes with the network watch; until then arming it does nothing.
void armNetwork(HWND window)
{
}
