#include "core/firing.h"

void fireTrigger(HWND window, bool fromMonitor, bool setReason, ConfirmReason reason)
{
    g_app.running = 0;
    if (fromMonitor)
        g_app.monitorActive = 0;
}
