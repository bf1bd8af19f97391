#include "core/tick.h"

#include <cstring>

#include "core/appstate.h"
#include "core/firing.h"
#include "core/localclock.h"
#include "core/paths.h"
#include "core/platform.h"
#include "core/statusline.h"
#include "core/timecalc.h"
#include "ui/face.h"

namespace {

// The parts of the frame every display has.
FaceFrame frameBase()
{
    FaceFrame frame = {};
    frame.running = g_app.running;
    frame.monitorActive = g_app.monitorActive;
    frame.monitorMode = g_app.monitorMode;
    frame.buttonDown = g_app.buttonPressed && g_app.buttonHover;
    frame.closeDown = g_app.closePressed && g_app.closeHover;
    frame.colours[0] = g_app.textColor1;
    frame.colours[1] = g_app.textColor2;
    frame.colours[2] = g_app.textColor3;
    return frame;
}

// "2024/03/05" then "07:08:09", split at the first blank.
void formatDateTime(char* out, size_t size, const SYSTEMTIME& t)
{
    char clock[16];
    formatDate(out, size, t.wYear, t.wMonth, t.wDay);
    formatClock(clock, sizeof clock, t.wHour, t.wMinute, t.wSecond);
    appendText(out, size, " ");
    appendText(out, size, clock);
}

const OffsetSources kOffsetSources = {nullptr, systemLocalOffset, zoneRuleOffset};
LocalClock g_localClock;

// The local time now, as GetLocalTime gives it; false when the system could
// not tell it.
bool readLocalTime(SYSTEMTIME& now)
{
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc);
    uint64_t local = 0;
    if (!localTimeAt(g_localClock, fileTimeValue(utc), kOffsetSources, local))
        return false;
    const FILETIME localTime = fileTimeOf(local);
    return FileTimeToSystemTime(&localTime, &now) != 0;
}

// Returns false when the trigger fired (the dialog's own ticks drew since) or
// the time could not be read (a time the system could not tell is neither
// shown nor acted on).
bool clockDisplay(HWND window, FaceFrame& frame)
{
    SYSTEMTIME now;
    if (!readLocalTime(now) || !SystemTimeToFileTime(&now, &g_app.nowTime))
        return false;
    SYSTEMTIME target = {};
    FileTimeToSystemTime(&g_app.targetTime, &target);
    formatDateTime(frame.line1, sizeof frame.line1, now);
    formatDateTime(frame.line2, sizeof frame.line2, target);

    if (CompareFileTime(&g_app.targetTime, &g_app.nowTime) != 1 && g_app.running) {
        fireClockTrigger(window);
        return false;
    }
    return true;
}

// The monitor condition of the current mode; the mode 2 bookkeeping is done
// on the way. Returns true when it fires, with the reason.
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

// Returns false when the trigger fired: that tick shows nothing.
bool monitorDisplay(HWND window, FaceFrame& frame)
{
    const int32_t mode = g_app.monitorMode;
    char title[60] = {};
    GetWindowTextA(g_app.watchedWindow, title, sizeof title);
    const int32_t remaining = ticksRemaining(g_app.countdownDeadline, GetTickCount());
    ConfirmReason reason = Timer;
    if (monitorConditionHolds(title, remaining, reason)) {
        fireMonitorTrigger(window, reason);
        return false;
    }
    buildMonitorText(frame.line2, sizeof frame.line2, mode, g_app.options.hostName, title, remaining,
                     systemLeadByte);
    buildStatusSuffix(frame.suffix, sizeof frame.suffix, mode, g_app.pingResult, g_app.pingFailures,
                      static_cast<uint32_t>(reinterpret_cast<uintptr_t>(g_app.watchedWindow)));
    return true;
}

} // namespace

void forgetLocalTimeOffset()
{
    g_localClock = LocalClock();
}

// The trigger is evaluated on every tick; the face is composed and copied to
// the window only where what it shows has changed.
void tick(HWND window)
{
    FaceFrame frame = frameBase();
    const bool shown = g_app.monitorActive ? monitorDisplay(window, frame) : clockDisplay(window, frame);
    if (!shown)
        return;
    const FaceChange change = g_app.faceStale ? FaceChange::Whole : faceChange(g_app.shownFrame, frame);
    if (change == FaceChange::None)
        return;
    presentFace(window, frame, change);
    g_app.shownFrame = frame;
    g_app.faceStale = 0;
}
