#include "core/tick.h"

#include <cstring>

#include "core/appstate.h"
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

void drawFaceImages(HWND window)
{
    HDC face = g_app.displaySurface;
    BitBlt(face, 0, 0, kFaceWidth, kFaceHeight, g_app.backgroundSurface, 0, 0, SRCCOPY);
    SetBkMode(face, TRANSPARENT);
    const bool pushed = g_app.buttonPressed && g_app.buttonHover;
    int button;
    if (g_app.running)
        button = pushed ? StopButtonDown : StopButtonUp;
    else
        button = pushed ? StartButtonDown : StartButtonUp;
    drawSkinElement(window, face, button, nullptr, 185, 25, SRCCOPY);
    if (!g_app.running && !g_app.monitorActive)
        drawSkinElement(window, face, SpinArrows, nullptr, 48, 34, SRCCOPY);
    if (g_app.closePressed && g_app.closeHover)
        drawSkinElement(window, face, CloseBoxDown, nullptr, 208, 2, SRCCOPY);
}

void drawDateTime(int y, const SYSTEMTIME& t, COLORREF colour)
{
    char text[32];
    formatDate(text, sizeof text, t.wYear, t.wMonth, t.wDay);
    drawTextAt(g_app.displaySurface, kDateX, y, colour, text, g_app.fontBold);
    formatClock(text, sizeof text, t.wHour, t.wMinute, t.wSecond);
    drawTextAt(g_app.displaySurface, kTimeX, y, colour, text, g_app.fontBold);
}

void clockDisplay(HWND window)
{
    HDC face = g_app.displaySurface;
    SYSTEMTIME now;
    GetLocalTime(&now);
    SystemTimeToFileTime(&now, &g_app.nowTime);
    drawTextAt(face, kLabelX, kLine1Y, g_app.textColor1, "現在", g_app.fontNormal);
    drawDateTime(kLine1Y, now, g_app.textColor1);

    SYSTEMTIME target = {};
    FileTimeToSystemTime(&g_app.targetTime, &target);
    const COLORREF colour = g_app.running ? g_app.textColor3 : g_app.textColor2;
    drawTextAt(face, kLabelX, kLine2Y, colour, "設定", g_app.fontNormal);
    drawDateTime(kLine2Y, target, colour);

    if (CompareFileTime(&g_app.targetTime, &g_app.nowTime) != 1 && g_app.running)
        fireTrigger(window, false, false, Timer);
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
bool monitorDisplay(HWND window)
{
    HDC face = g_app.displaySurface;
    const int32_t mode = g_app.monitorMode;
    drawTextAt(face, kLabelX, kLine1Y, g_app.textColor1, "条件", g_app.fontBold);
    char title[60] = {};
    GetWindowTextA(g_app.watchedWindow, title, sizeof title);
    drawTextAt(face, kDateX, kLine1Y, g_app.textColor1, monitorModeLabel(mode), g_app.fontNormal);

    const int32_t remaining = ticksRemaining(g_app.countdownDeadline, GetTickCount());
    ConfirmReason reason = Timer;
    if (monitorConditionHolds(title, remaining, reason)) {
        fireTrigger(window, true, true, reason);
        if (mode == Network)
            g_app.pingStop = 1;
        return false;
    }

    char text[kStatusTextSize];
    buildMonitorText(text, sizeof text, mode, g_app.options.hostName, title, remaining, systemLeadByte);
    drawTextAt(face, kLabelX, kLine2Y, g_app.textColor3, monitorTargetLabel(mode), g_app.fontBold);
    SelectObject(face, g_app.fontNormal);
    const int x = drawCutText(text, kDateX, monitorTextBudget(mode), measureChars, drawChars, face, systemLeadByte);

    char suffix[64];
    buildStatusSuffix(suffix, sizeof suffix, mode, g_app.pingResult, g_app.pingFailures,
                      static_cast<uint32_t>(reinterpret_cast<uintptr_t>(g_app.watchedWindow)));
    if (suffix[0] != '\0')
        TextOutA(face, x, kLine2Y, suffix, static_cast<int>(std::strlen(suffix)));
    return true;
}

} // namespace

void tick(HWND window)
{
    drawFaceImages(window);
    if (!g_app.monitorActive)
        clockDisplay(window);
    else if (!monitorDisplay(window))
        return;
    presentDisplay(window);
}
