#include "program/tick.h"

#include "base/localclock.h"
#include "base/platform.h"
#include "base/sjistext.h"
#include "base/timecalc.h"
#include "program/triggers.h"
#include "state/appstate.h"
#include "syscalls/seam.h"
#include "ui/face.h"
#include "ui/statusline.h"
#include "ui/uistate.h"

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
    frame.colours[0] = g_ui.textColor1;
    frame.colours[1] = g_ui.textColor2;
    frame.colours[2] = g_ui.textColor3;
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

    return !fireClockIfDue(window);
}

// Returns false when the trigger fired: that tick shows nothing.
bool monitorDisplay(HWND window, FaceFrame& frame)
{
    const int32_t mode = g_app.monitorMode;
    char title[60] = {};
    GetWindowTextA(g_app.watchedWindow, title, sizeof title);
    const int32_t remaining = ticksRemaining(g_app.countdownDeadline, seamReadClock().tickMs);
    if (fireMonitorIfDue(window, title, remaining))
        return false;
    buildMonitorText(frame.line2, sizeof frame.line2, mode, g_app.options.hostName, title, remaining,
                     systemLeadByte);
    buildStatusSuffix(frame.suffix, sizeof frame.suffix, mode, g_app.pingResult, g_app.pingFailures,
                      static_cast<uint32_t>(reinterpret_cast<uintptr_t>(g_app.watchedWindow)));
    return true;
}

} // namespace

bool readLocalTime(SYSTEMTIME& now)
{
    uint64_t local = 0;
    if (!localTimeAt(g_localClock, seamReadClock().utc, kOffsetSources, local))
        return false;
    const FILETIME localTime = fileTimeOf(local);
    return FileTimeToSystemTime(&localTime, &now) != 0;
}

LocalClock& tickLocalClock()
{
    return g_localClock;
}

void forgetLocalTimeOffset()
{
    g_localClock = LocalClock();
}

// The trigger is evaluated on every tick; the face is composed and copied to
// the window only where what it shows has changed.
void tick(HWND window)
{
    takeWakes(window);
    FaceFrame frame = frameBase();
    const bool shown = g_app.monitorActive ? monitorDisplay(window, frame) : clockDisplay(window, frame);
    if (!shown)
        return;
    const FaceChange change = g_ui.faceStale ? FaceChange::Whole : faceChange(g_ui.shownFrame, frame);
    if (change == FaceChange::None)
        return;
    presentFace(window, frame, change);
    g_ui.shownFrame = frame;
    g_ui.faceStale = 0;
}
