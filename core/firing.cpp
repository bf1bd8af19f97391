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

namespace {

// Disarmed and saved before the confirmation; the action only if it ran out.
void confirmAndAct(HWND window)
{
    saveWindowAndOptions(window); // on disk before any power action
    updateTrayIcon(window);
    // Modal: the tick keeps running meanwhile, but finds nothing armed.
    if (runConfirmDialog(window) == 1)
        beginPowerAction(window);
}

} // namespace

void fireClockTrigger(HWND window)
{
    g_app.running = 0;
    confirmAndAct(window);
}

void fireMonitorTrigger(HWND window, ConfirmReason reason)
{
    g_app.running = 0;
    g_app.monitorActive = 0;
    g_app.confirmReason = reason;
    confirmAndAct(window);
    if (reason == Ping)
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
