#include "core/firing.h"

#include "core/modal.h"
#include "power/confirm.h"
#include "power/power.h"
#include "settings/options.h"
#include "ui/tray.h"

void saveWindowAndOptions(HWND window)
{
    RECT r;
    if (GetWindowRect(window, &r))
        g_app.options.windowRect = {r.left, r.top, r.right, r.bottom};
    saveOptions();
}

void fireTrigger(HWND window, bool fromMonitor, bool setReason, ConfirmReason reason)
{
    g_app.running = 0;
    if (fromMonitor)
        g_app.monitorActive = 0;
    saveWindowAndOptions(window); // on disk before any power action
    updateTrayIcon(window);
    if (setReason)
        g_app.confirmReason = reason;
    // Modal: the tick keeps running meanwhile, but finds nothing armed.
    if (runConfirmDialog(window) == 1)
        beginPowerAction(window);
    if (setReason && reason == Ping)
        g_app.pingStop = 1;
}

LRESULT onEndSession(HWND window, WPARAM ending)
{
    if (ending) {
        markProgramEnding(); // an open confirmation must not act any more
        saveWindowAndOptions(window);
    }
    return 0;
}
