#include "program/triggers.h"

#include <cstring>

#include "program/trigger_rules.h"
#include "base/sjistext.h"
#include "base/timecalc.h"
#include "netwatch/ping_loop.h"
#include "netwatch/pingmonitor.h"
#include "power/confirm.h"
#include "power/power.h"
#include "settings/autostart.h"
#include "settings/options.h"
#include "ui/modal.h"
#include "ui/tray.h"

namespace {

// The notification icon shows whether anything is armed: it follows every
// change made here, once.
void showArmedState(HWND window)
{
    updateTrayIcon(window);
}

// Local date-time of the next hour:minute:00.
void nextOccurrence(int hour, int minute, SYSTEMTIME& out)
{
    // One reading of the clock serves as both "now" and the start of the
    // result, so a second boundary (or midnight) between two readings cannot
    // skew the day.
    SYSTEMTIME now;
    GetLocalTime(&now);
    out = toSystemTime(nextOccurrenceAfter(toDateTime(now), hour, minute));
}

// The condition of the current monitor mode; the mode 2 bookkeeping is done
// on the way. Returns true when it holds, with the reason.
bool monitorConditionHolds(const char* currentTitle, int32_t remaining, ConfirmReason& reason)
{
    HWND watched = g_app.watchedWindow;
    reason = Window;
    switch (g_app.monitorMode) {
    case WindowRenamed:
        return std::strcmp(currentTitle, g_app.watchedTitle) != 0;
    case WindowDestroyedOrDisabled:
        return !IsWindowEnabled(watched) || !IsWindowVisible(watched);
    case WindowDestroyed:
        return !IsWindow(watched) || !IsWindowVisible(watched);
    case WindowInactive:
        if (GetForegroundWindow() == watched) {
            g_app.watchedWasActive = 1;
            return false;
        }
        return g_app.watchedWasActive == 1;
    case Network:
        reason = Ping;
        return pingTriggerDue(g_app.pingFailures);
    case Countdown:
        reason = Timer;
        return countdownTriggerDue(remaining);
    }
    return false;
}

// Disarmed and saved before the confirmation; the action only if it ran out.
void confirmAndAct(HWND window)
{
    saveWindowAndOptions(window); // on disk before any power action
    showArmedState(window);
    // Modal: the tick keeps running meanwhile, but finds nothing armed.
    if (runConfirmDialog(window) == 1)
        beginPowerAction(window);
}

} // namespace

void armClockTime(int hour, int minute)
{
    g_app.running = 1;
    SYSTEMTIME target;
    nextOccurrence(hour, minute, target);
    SystemTimeToFileTime(&target, &g_app.targetTime);
    showArmedState(g_app.mainWindow);
}

void armCountdown(uint32_t seconds)
{
    g_app.monitorMode = Countdown;
    g_app.monitorActive = 1;
    g_app.running = 1;
    g_app.countdownDeadline = countdownDeadlineFrom(GetTickCount(), seconds);
    showArmedState(g_app.mainWindow);
}

void armNetwork(HWND window)
{
    g_app.monitorMode = Network;
    g_app.running = 1;
    g_app.monitorActive = 1;
    startPinging();
    showArmedState(window);
}

void armWindowWatch(HWND window, HWND watched, int32_t mode)
{
    g_app.watchedWindow = watched;
    g_app.monitorMode = mode;
    g_app.watchedWasActive = 0;
    g_app.running = 1;
    g_app.monitorActive = 1;
    GetWindowTextA(watched, g_app.watchedTitle, sizeof g_app.watchedTitle);
    showArmedState(window);
}

void armAutoStart()
{
    const AutoStartPlan plan = readAutoStartPlan();
    switch (plan.kind) {
    case AutoStartKind::Countdown:
        armCountdown(plan.seconds);
        break;
    case AutoStartKind::ClockTime:
        armClockTime(plan.hour, plan.minute);
        break;
    case AutoStartKind::Network:
        copyText(g_app.options.hostName, sizeof g_app.options.hostName, plan.host);
        armNetwork(g_app.mainWindow);
        break;
    case AutoStartKind::None:
        break;
    }
}

void stopClock(HWND window)
{
    g_app.running = 0;
    showArmedState(window);
}

void stopTriggers(HWND window)
{
    g_app.running = 0;
    g_app.monitorActive = 0;
    g_app.pingStop = 1;
    showArmedState(window);
}

void toggleRunning(HWND window)
{
    g_app.buttonPressed = 0;
    if (CompareFileTime(&g_app.targetTime, &g_app.nowTime) == 1 || g_app.monitorActive == 1) {
        g_app.running = !g_app.running;
        if (!g_app.running)
            g_app.monitorActive = 0;
        if (!g_app.options.silent)
            playTick();
        g_app.pingStop = 1;
        showArmedState(window);
    } else {
        g_app.pingStop = 1;
        showMessageBox(window, "現在時刻より未来の時間を設定して下さい。", "エラー", MB_ICONERROR);
    }
}

bool fireClockIfDue(HWND window)
{
    if (CompareFileTime(&g_app.targetTime, &g_app.nowTime) == 1 || !g_app.running)
        return false;
    fireClockTrigger(window);
    return true;
}

bool fireMonitorIfDue(HWND window, const char* title, int32_t remaining)
{
    ConfirmReason reason = Timer;
    if (!monitorConditionHolds(title, remaining, reason))
        return false;
    fireMonitorTrigger(window, reason);
    return true;
}

void saveWindowAndOptions(HWND window)
{
    RECT r;
    if (GetWindowRect(window, &r))
        g_app.options.windowRect = {r.left, r.top, r.right, r.bottom};
    saveOptions();
}

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
