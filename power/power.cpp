#include "power/power.h"

void beginPowerAction(HWND window)
{
}

void performPowerAction(UINT exitFlags, HWND window)
{
}
