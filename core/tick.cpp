#include "core/tick.h"

#include <cstring>

#include "core/appstate.h"
#include "core/paths.h"
#include "core/firing.h"
#include "core/statusline.h"
#include "core/timecalc.h"
#include "ui/display.h"

namespace {

constexpr int kLabelX = 10;
constexpr int kDateX = 40;
constexpr int kTimeX = 120;
constexpr int kLine1Y = 20;
constexpr int kLine2Y = 40;

bool systemLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != 0;
}

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

void drawFaceImages(HWND window, const FaceFrame& frame)
{
    HDC face = g_app.displaySurface;
    BitBlt(face, 0, 0, kFaceWidth, kFaceHeight, g_app.backgroundSurface, 0, 0, SRCCOPY);
    SetBkMode(face, TRANSPARENT);
    int button;
    if (frame.running)
        button = frame.buttonDown ? StopButtonDown : StopButtonUp;
    else
        button = frame.buttonDown ? StartButtonDown : StartButtonUp;
    drawSkinElement(window, face, button, nullptr, 185, 25, SRCCOPY);
    if (!frame.running && !frame.monitorActive)
        drawSkinElement(window, face, SpinArrows, nullptr, 48, 34, SRCCOPY);
    if (frame.closeDown)
        drawSkinElement(window, face, CloseBoxDown, nullptr, 208, 2, SRCCOPY);
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

void drawDateTime(int y, const char* dateTime, COLORREF colour)
{
    char date[16];
    copyText(date, sizeof date, dateTime);
    if (char* blank = std::strchr(date, ' '))
        *blank = '\0';
    drawTextAt(g_app.displaySurface, kDateX, y, colour, date, g_app.fontBold);
    const char* clock = std::strchr(dateTime, ' ');
    drawTextAt(g_app.displaySurface, kTimeX, y, colour, clock ? clock + 1 : "", g_app.fontBold);
}

void drawClockDisplay(const FaceFrame& frame)
{
    HDC face = g_app.displaySurface;
    drawTextAt(face, kLabelX, kLine1Y, g_app.textColor1, "現在", g_app.fontNormal);
    drawDateTime(kLine1Y, frame.line1, g_app.textColor1);
    const COLORREF colour = frame.running ? g_app.textColor3 : g_app.textColor2;
    drawTextAt(face, kLabelX, kLine2Y, colour, "設定", g_app.fontNormal);
    drawDateTime(kLine2Y, frame.line2, colour);
}

// Returns false when the trigger fired: the dialog's own ticks drew since.
bool clockDisplay(HWND window, FaceFrame& frame)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    SystemTimeToFileTime(&now, &g_app.nowTime);
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

void drawMonitorDisplay(const FaceFrame& frame)
{
    HDC face = g_app.displaySurface;
    const int32_t mode = frame.monitorMode;
    drawTextAt(face, kLabelX, kLine1Y, g_app.textColor1, "条件", g_app.fontBold);
    drawTextAt(face, kDateX, kLine1Y, g_app.textColor1, monitorModeLabel(mode), g_app.fontNormal);
    drawTextAt(face, kLabelX, kLine2Y, g_app.textColor3, monitorTargetLabel(mode), g_app.fontBold);
    SelectObject(face, g_app.fontNormal);
    const int x = drawCutText(frame.line2, kDateX, monitorTextBudget(mode), measureChars, drawChars, face,
                              systemLeadByte);
    if (frame.suffix[0] != '\0')
        TextOutA(face, x, kLine2Y, frame.suffix, static_cast<int>(std::strlen(frame.suffix)));
}

} // namespace

// The trigger is evaluated on every tick; the face is composed and copied to
// the window only when what it shows has changed.
void tick(HWND window)
{
    FaceFrame frame = frameBase();
    const bool shown = g_app.monitorActive ? monitorDisplay(window, frame) : clockDisplay(window, frame);
    if (!shown)
        return;
    if (!g_app.faceStale && sameFrame(frame, g_app.shownFrame))
        return;
    drawFaceImages(window, frame);
    if (frame.monitorActive)
        drawMonitorDisplay(frame);
    else
        drawClockDisplay(frame);
    presentDisplay(window);
    g_app.shownFrame = frame;
    g_app.faceStale = 0;
}
