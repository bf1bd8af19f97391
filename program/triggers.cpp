#include "program/triggers.h"

#include <cstring>

#include "base/platform.h"
#include "base/textformat.h"
#include "program/tick.h"
#include "program/trigger_rules.h"
#include "ui/notice.h"
#include "winwatch/widetitle.h"
#include "base/sjistext.h"
#include "base/timecalc.h"
#include "netwatch/ping_loop.h"
#include "netwatch/pingmonitor.h"
#include "power/confirm.h"
#include "power/keepawake.h"
#include "power/power.h"
#include "power/sleepwatch.h"
#include "settings/autostart.h"
#include "settings/options.h"
#include "syscalls/seam.h"
#include "ui/modal.h"
#include "ui/tray.h"

namespace {

// The notification icon shows whether anything is armed: it follows every
// change made here, once.
void showArmedState(HWND window)
{
    updateTrayIcon(window);
    keepAwakeWhileArmed();
}

// Local date-time of the next hour:minute:00.
void nextOccurrence(int hour, int minute, SYSTEMTIME& out)
{
    // One reading of the clock serves as both "now" and the start of the
    // result, so a second boundary (or midnight) between two readings cannot
    // skew the day.
    SYSTEMTIME now;
    if (!readLocalTime(now))
        GetLocalTime(&now);
    out = toSystemTime(nextOccurrenceAfter(toDateTime(now), hour, minute));
}

// A renamed window: where the system keeps titles as Unicode, a change
// anywhere along the whole title; elsewhere the ANSI title kept at arming.
bool titleChanged(const char* currentTitle)
{
    uint64_t fingerprint = 0;
    if (g_app.watchedTitleWide && wideTitleFingerprint(g_app.watchedWindow, fingerprint))
        return fingerprint != g_app.watchedTitleFingerprint;
    return std::strcmp(currentTitle, g_app.watchedTitle) != 0;
}

// The condition of the current monitor mode; the mode 2 bookkeeping is done
// on the way. Returns true when it holds, with the reason.
bool monitorConditionHolds(const char* currentTitle, int32_t remaining, ConfirmReason& reason)
{
    HWND watched = g_app.watchedWindow;
    reason = Window;
    switch (g_app.monitorMode) {
    case WindowRenamed:
        return titleChanged(currentTitle);
    case WindowDestroyedOrDisabled:
        return !IsWindowEnabled(watched) || !IsWindowVisible(watched);
    case WindowDestroyed:
        return !IsWindow(watched) || !IsWindowVisible(watched);
    case WindowInactive: {
        HWND foreground = GetForegroundWindow();
        if (foreground == watched)
            g_app.watchedWasActive = 1;
        return inactiveWatchDue(foreground == watched   ? Foreground::Watched
                                : foreground == nullptr ? Foreground::None
                                                        : Foreground::Other,
                                g_app.watchedWasActive == 1);
    }
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
    ++g_app.firings; // a dialog open now arms nothing when it ends
    g_app.acting = 1; // awake until the action ends
    saveWindowAndOptions(window); // on disk before any power action
    showArmedState(window);
    // Modal: the tick keeps running meanwhile, but finds nothing armed.
    if (runConfirmDialog(window) == 1) {
        beginPowerAction(window); // a failed action ends it
        return;
    }
    if (confirmationSlept())
        showSleptNotice(false);
    endPowerAction();
}

// A clock time or countdown that came due while the computer slept: stopped
// as after an abort, and the user told once when it was due (local time).
void stopMissedTrigger(HWND window, const SYSTEMTIME& due)
{
    g_app.running = 0;
    g_app.monitorActive = 0;
    showArmedState(window);
    char text[256];
    formatMissedNotice(text, sizeof text, due.wYear, due.wMonth, due.wDay, due.wHour, due.wMinute, due.wSecond);
    showNotice(text);
}

// The countdown after a sleep of `sleptMs` that began at `from`: time asleep
// counts as time passed, whatever the tick count did meanwhile.
void resumeCountdownTrigger(HWND window, const ClockSample& from, uint64_t sleptMs)
{
    const ResumedCountdown resumed =
        resumeCountdown(g_app.countdownDeadline, from.tickMs, seamReadClock().tickMs, sleptMs);
    if (!resumed.cameDue) {
        g_app.countdownDeadline = resumed.deadline;
        return;
    }
    const FILETIME dueUtc = fileTimeOf(from.utc + static_cast<int64_t>(resumed.leftAtSuspend) * 10000);
    FILETIME dueLocal;
    SYSTEMTIME due = {};
    FileTimeToLocalFileTime(&dueUtc, &dueLocal);
    FileTimeToSystemTime(&dueLocal, &due);
    stopMissedTrigger(window, due);
}

void resumeClockTrigger(HWND window)
{
    SYSTEMTIME now;
    FILETIME nowLocal;
    if (readLocalTime(now) && SystemTimeToFileTime(&now, &nowLocal) &&
        CompareFileTime(&g_app.targetTime, &nowLocal) == 1)
        return; // still ahead: carries on as armed
    SYSTEMTIME due = {};
    FileTimeToSystemTime(&g_app.targetTime, &due);
    stopMissedTrigger(window, due);
}

// The computer woke (g_app.wokeFrom, sleptMs). What is armed is judged as the
// tick judges it, the monitor display's trigger before the clock's: a
// countdown left running under the clock-time dialog counts although
// `running` is clear.
void resumeTriggers(HWND window)
{
    pingGraceAfterResume(g_app.monitorActive && g_app.monitorMode == Network);
    if (g_app.monitorActive) {
        if (g_app.monitorMode == Countdown)
            resumeCountdownTrigger(window, g_app.wokeFrom, g_app.sleptMs);
    } else if (g_app.running) {
        resumeClockTrigger(window);
    }
}

// The hold of a suspend notice ended with no sleep: the computer was awake
// all along, and a countdown that came due in the hold fires now, however
// long the hold was.
void fireWhatTheHoldKept()
{
    const uint32_t now = seamReadClock().tickMs;
    if (g_app.monitorActive && g_app.monitorMode == Countdown && ticksRemaining(g_app.countdownDeadline, now) < 0)
        g_app.countdownDeadline = now - 1;
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
    g_app.countdownDeadline = countdownDeadlineFrom(seamReadClock().tickMs, seconds);
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
    g_app.watchedTitleWide = wideTitleFingerprint(watched, g_app.watchedTitleFingerprint) ? 1 : 0;
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
    // Between the suspend notice and the wake a due time is the wake's to
    // handle: it must not open the confirmation as the computer wakes.
    if (CompareFileTime(&g_app.targetTime, &g_app.nowTime) == 1 || !g_app.running || triggersHeld())
        return false;
    fireClockTrigger(window);
    return true;
}

bool fireMonitorIfDue(HWND window, const char* title, int32_t remaining)
{
    if (triggersHeld())
        return false;
    ConfirmReason reason = Timer;
    if (!monitorConditionHolds(title, remaining, reason))
        return false;
    fireMonitorTrigger(window, reason);
    return true;
}

LRESULT onPowerBroadcast(HWND window, WPARAM event)
{
    switch (event) {
    case PBT_APMSUSPEND:
        noteSuspendNotice();
        break;
    case PBT_APMRESUMESUSPEND:
    case PBT_APMRESUMEAUTOMATIC: // Windows 2000 and later send both, in this order or the other
        noteResumeNotice(false);
        takeWakes(window);
        break;
    case PBT_APMRESUMECRITICAL: // woken from a suspend that sent no notice first
        noteResumeNotice(true);
        takeWakes(window);
        break;
    }
    return TRUE;
}

void takeWakes(HWND window)
{
    const bool held = triggersHeld();
    if (lookForWake() != g_app.wakesHandled) {
        g_app.wakesHandled = g_app.wakes;
        resumeTriggers(window);
    } else if (held && !triggersHeld()) {
        fireWhatTheHoldKept();
    }
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
        giveBackKeepAwake();
        saveWindowAndOptions(window);
    }
    return 0;
}
