#include "core/tick.h"

#include <cstring>

#include "core/appstate.h"
#include "core/firing.h"
#include "core/localclock.h"
#include "core/paths.h"
#include "core/platform.h"
#include "core/statusline.h"
#include "core/timecalc.h"
#include "ui/display.h"

namespace {

constexpr int kLabelX = 10;
constexpr int kDateX = 40;
constexpr int kTimeX = 120;
constexpr int kLine1Y = 20;
constexpr int kLine2Y = 40;

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

// The part of a piece of the skin placed at (x, y) that lies in `area`.
void drawSkinElementIn(const RECT& area, int id, int x, int y)
{
    RECT sheet;
    if (!skinElementRect(id, sheet))
        return;
    const RECT placed = {x, y, x + sheet.right - sheet.left, y + sheet.bottom - sheet.top};
    RECT part;
    if (!IntersectRect(&part, &placed, &area))
        return;
    BitBlt(g_app.displaySurface, part.left, part.top, part.right - part.left, part.bottom - part.top, g_app.skinSheet,
           sheet.left + part.left - x, sheet.top + part.top - y, SRCCOPY);
}

void drawFaceImages(const FaceFrame& frame, const RECT& area)
{
    HDC face = g_app.displaySurface;
    BitBlt(face, area.left, area.top, area.right - area.left, area.bottom - area.top, g_app.backgroundSurface,
           area.left, area.top, SRCCOPY);
    SetBkMode(face, TRANSPARENT);
    int button;
    if (frame.running)
        button = frame.buttonDown ? StopButtonDown : StopButtonUp;
    else
        button = frame.buttonDown ? StartButtonDown : StartButtonUp;
    drawSkinElementIn(area, button, 185, 25);
    if (!frame.running && !frame.monitorActive)
        drawSkinElementIn(area, SpinArrows, 48, 34);
    if (frame.closeDown)
        drawSkinElementIn(area, CloseBoxDown, 208, 2);
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

// Whether the date as last drawn on line 1 ends before the time's column, so
// that the time can be redrawn without it.
bool g_dateClearOfTime = false;

// The date at the text column and the time at its own; `withDate` false
// leaves the date as drawn before.
void drawDateTime(int y, const char* dateTime, COLORREF colour, bool withDate)
{
    HDC face = g_app.displaySurface;
    if (withDate) {
        char date[16];
        copyText(date, sizeof date, dateTime);
        if (char* blank = std::strchr(date, ' '))
            *blank = '\0';
        drawTextAt(face, kDateX, y, colour, date, g_app.fontBold);
        if (y == kLine1Y) {
            SIZE size = {};
            GetTextExtentPoint32A(face, date, static_cast<int>(std::strlen(date)), &size);
            g_dateClearOfTime = kDateX + size.cx <= kTimeX;
        }
    }
    const char* clock = std::strchr(dateTime, ' ');
    drawTextAt(face, kTimeX, y, colour, clock ? clock + 1 : "", g_app.fontBold);
}

// Where each line's text goes: from the text column to the right edge, the
// height of the line. A text never leaves its area whatever it says, and the
// labels left of the column change only with the display mode, the running
// state or the colours, which redraw the whole face; so when only a line's
// text changes, its area alone is redrawn.
constexpr RECT kLine1Text = {kDateX, kLine1Y, kFaceWidth, kLine2Y};
constexpr RECT kLine1Time = {kTimeX, kLine1Y, kFaceWidth, kLine2Y};
constexpr RECT kLine2Text = {kDateX, kLine2Y, kFaceWidth, kFaceHeight};

bool drawsLine1(const RECT& area)
{
    return area.top < kLine2Y;
}

bool drawsLine2(const RECT& area)
{
    return area.bottom > kLine2Y;
}

bool drawsLabels(const RECT& area)
{
    return area.left < kDateX;
}

void drawClockDisplay(const FaceFrame& frame, const RECT& area)
{
    HDC face = g_app.displaySurface;
    if (drawsLine1(area)) {
        if (drawsLabels(area))
            drawTextAt(face, kLabelX, kLine1Y, g_app.textColor1, "現在", g_app.fontNormal);
        drawDateTime(kLine1Y, frame.line1, g_app.textColor1, area.left < kTimeX);
    }
    if (drawsLine2(area)) {
        const COLORREF colour = frame.running ? g_app.textColor3 : g_app.textColor2;
        if (drawsLabels(area))
            drawTextAt(face, kLabelX, kLine2Y, colour, "設定", g_app.fontNormal);
        drawDateTime(kLine2Y, frame.line2, colour, true);
    }
}

ULONGLONG fileTimeValue(const FILETIME& t)
{
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

FILETIME fileTimeOf(ULONGLONG value)
{
    return {static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

// The offset GetLocalTime applies now.
bool systemOffset(void*, uint64_t utc, int64_t& offset)
{
    const FILETIME system = fileTimeOf(utc);
    FILETIME local;
    if (!FileTimeToLocalFileTime(&system, &local))
        return false;
    offset = static_cast<int64_t>(fileTimeValue(local) - utc);
    return true;
}

// The offset the zone's rules give at `utc` (the NT family; Windows 95, 98
// and Me cannot convert a given instant, and are asked at every tick).
bool ruleOffset(void*, uint64_t utc, int64_t& offset)
{
    using Convert = BOOL(WINAPI*)(TIME_ZONE_INFORMATION*, const SYSTEMTIME*, SYSTEMTIME*);
    static const Convert convert = systemFunction<Convert>("kernel32.dll", "SystemTimeToTzSpecificLocalTime");
    const FILETIME system = fileTimeOf(utc);
    SYSTEMTIME systemFields, localFields;
    FILETIME whole, local; // both to the millisecond, as the fields hold them
    if (convert == nullptr || !FileTimeToSystemTime(&system, &systemFields)
        || !convert(nullptr, &systemFields, &localFields) || !SystemTimeToFileTime(&systemFields, &whole)
        || !SystemTimeToFileTime(&localFields, &local))
        return false;
    offset = static_cast<int64_t>(fileTimeValue(local) - fileTimeValue(whole));
    return true;
}

const OffsetSources kOffsetSources = {nullptr, systemOffset, ruleOffset};
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
        fireTrigger(window, false, false, Timer);
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

int measureChars(void* context, const char* chars, int length)
{
    SIZE size = {};
    GetTextExtentPoint32A(static_cast<HDC>(context), chars, length, &size);
    return size.cx;
}

void drawChars(void* context, int x, const char* chars, int length)
{
    TextOutA(static_cast<HDC>(context), x, kLine2Y, chars, length);
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
        fireTrigger(window, true, true, reason);
        if (mode == Network)
            g_app.pingStop = 1;
        return false;
    }
    buildMonitorText(frame.line2, sizeof frame.line2, mode, g_app.options.hostName, title, remaining,
                     systemLeadByte);
    buildStatusSuffix(frame.suffix, sizeof frame.suffix, mode, g_app.pingResult, g_app.pingFailures,
                      static_cast<uint32_t>(reinterpret_cast<uintptr_t>(g_app.watchedWindow)));
    return true;
}

void drawMonitorDisplay(const FaceFrame& frame, const RECT& area)
{
    HDC face = g_app.displaySurface;
    const int32_t mode = frame.monitorMode;
    if (drawsLine1(area)) {
        if (drawsLabels(area))
            drawTextAt(face, kLabelX, kLine1Y, g_app.textColor1, "条件", g_app.fontBold);
        drawTextAt(face, kDateX, kLine1Y, g_app.textColor1, monitorModeLabel(mode), g_app.fontNormal);
    }
    if (!drawsLine2(area))
        return;
    if (drawsLabels(area))
        drawTextAt(face, kLabelX, kLine2Y, g_app.textColor3, monitorTargetLabel(mode), g_app.fontBold);
    SetTextColor(face, g_app.textColor3);
    SelectObject(face, g_app.fontNormal);
    const int x = drawCutText(frame.line2, kDateX, monitorTextBudget(mode), measureChars, drawChars, face,
                              systemLeadByte);
    if (frame.suffix[0] != '\0')
        TextOutA(face, x, kLine2Y, frame.suffix, static_cast<int>(std::strlen(frame.suffix)));
}

// The area a change asks to redraw.
RECT changedArea(FaceChange change)
{
    switch (change) {
    case FaceChange::Line1: return kLine1Text;
    case FaceChange::Line1Time: return g_dateClearOfTime ? kLine1Time : kLine1Text;
    case FaceChange::Line2: return kLine2Text;
    default:                return kWholeFace;
    }
}

// Redraws `area` of the face from the background up; the rest of the surface
// keeps the pixels of the frame shown before. Every piece drawn stays inside
// the area: the skin is copied only in part, and each text in its own line.
void composeFace(const FaceFrame& frame, const RECT& area)
{
    drawFaceImages(frame, area);
    if (frame.monitorActive)
        drawMonitorDisplay(frame, area);
    else
        drawClockDisplay(frame, area);
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
    const RECT area = changedArea(change);
    composeFace(frame, area);
    presentDisplay(window, area);
    g_app.shownFrame = frame;
    g_app.faceStale = 0;
}
