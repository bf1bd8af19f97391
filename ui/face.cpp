#include "ui/face.h"

#include <cstring>

#include "base/platform.h"
#include "base/sjistext.h"
#include "state/appstate.h"
#include "ui/display.h"
#include "ui/statusline.h"
#include "ui/uistate.h"

namespace {

constexpr int kLabelX = 10;
constexpr int kDateX = 40;
constexpr int kTimeX = 120;
constexpr int kLine1Y = 20;
constexpr int kLine2Y = 40;


// The part of a piece of the skin placed at (x, y) in face units that lies
// in `area` (pixels).
void drawSkinElementIn(const RECT& area, int id, int faceX, int faceY)
{
    RECT pieceRect;
    if (!skinElementRect(id, pieceRect))
        return;
    const RECT sheet = facePixels(pieceRect);
    const int x = facePixels(faceX), y = facePixels(faceY);
    const RECT placed = {x, y, x + sheet.right - sheet.left, y + sheet.bottom - sheet.top};
    RECT part;
    if (!IntersectRect(&part, &placed, &area))
        return;
    BitBlt(g_ui.displaySurface, part.left, part.top, part.right - part.left, part.bottom - part.top, g_ui.skinSheet,
           sheet.left + part.left - x, sheet.top + part.top - y, SRCCOPY);
}

void drawFaceImages(const FaceFrame& frame, const RECT& area)
{
    HDC face = g_ui.displaySurface;
    BitBlt(face, area.left, area.top, area.right - area.left, area.bottom - area.top, g_ui.backgroundSurface,
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


// Whether the date as last drawn on line 1 ends before the time's column, so
// that the time can be redrawn without it.
bool g_dateClearOfTime = false;

// The date at the text column and the time at its own; `withDate` false
// leaves the date as drawn before.
void drawDateTime(int y, const char* dateTime, COLORREF colour, bool withDate)
{
    HDC face = g_ui.displaySurface;
    if (withDate) {
        char date[16];
        copyText(date, sizeof date, dateTime);
        if (char* blank = std::strchr(date, ' '))
            *blank = '\0';
        const int width = drawGridText(face, kDateX, facePixels(y), colour, date, g_ui.fontBold);
        if (y == kLine1Y)
            g_dateClearOfTime = facePixels(kDateX) + width <= facePixels(kTimeX);
    }
    const char* clock = std::strchr(dateTime, ' ');
    drawGridText(face, kTimeX, facePixels(y), colour, clock ? clock + 1 : "", g_ui.fontBold);
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
    return area.top < facePixels(kLine2Y);
}

bool drawsLine2(const RECT& area)
{
    return area.bottom > facePixels(kLine2Y);
}

bool drawsLabels(const RECT& area)
{
    return area.left < facePixels(kDateX);
}

void drawLabel(int faceY, COLORREF colour, const char* text, HFONT font)
{
    drawTextAt(g_ui.displaySurface, facePixels(kLabelX), facePixels(faceY), colour, text, font);
}

void drawClockDisplay(const FaceFrame& frame, const RECT& area)
{
    if (drawsLine1(area)) {
        if (drawsLabels(area))
            drawLabel(kLine1Y, frame.colours[0], "現在", g_ui.fontNormal);
        drawDateTime(kLine1Y, frame.line1, frame.colours[0], area.left < facePixels(kTimeX));
    }
    if (drawsLine2(area)) {
        const COLORREF colour = frame.running ? frame.colours[2] : frame.colours[1];
        if (drawsLabels(area))
            drawLabel(kLine2Y, colour, "設定", g_ui.fontNormal);
        drawDateTime(kLine2Y, frame.line2, colour, true);
    }
}


int measureChars(void* context, const char* chars, int length)
{
    SIZE size = {};
    GetTextExtentPoint32A(static_cast<HDC>(context), chars, length, &size);
    return size.cx;
}

void drawChars(void* context, int x, const char* chars, int length)
{
    TextOutA(static_cast<HDC>(context), x, facePixels(kLine2Y), chars, length);
}


void drawMonitorDisplay(const FaceFrame& frame, const RECT& area)
{
    HDC face = g_ui.displaySurface;
    const int32_t mode = frame.monitorMode;
    if (drawsLine1(area)) {
        if (drawsLabels(area))
            drawLabel(kLine1Y, frame.colours[0], "条件", g_ui.fontBold);
        drawTextAt(face, facePixels(kDateX), facePixels(kLine1Y), frame.colours[0], monitorModeLabel(mode),
                   g_ui.fontNormal);
    }
    if (!drawsLine2(area))
        return;
    if (drawsLabels(area))
        drawLabel(kLine2Y, frame.colours[2], monitorTargetLabel(mode), g_ui.fontBold);
    SetTextColor(face, frame.colours[2]);
    SelectObject(face, g_ui.fontNormal);
    const int x = drawCutText(frame.line2, facePixels(kDateX), facePixels(monitorTextBudget(mode)), measureChars,
                              drawChars, face, systemLeadByte, facePixels(kCutMarkWidth));
    if (frame.suffix[0] != '\0')
        TextOutA(face, x, facePixels(kLine2Y), frame.suffix, static_cast<int>(std::strlen(frame.suffix)));
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

} // namespace

// Redraws `area` of the face from the background up; the rest of the surface
// keeps the pixels of the frame shown before. Every piece drawn stays inside
// the area: the skin is copied only in part, and each text in its own line.
void presentFace(HWND window, const FaceFrame& frame, FaceChange change)
{
    const RECT area = facePixels(changedArea(change));
    drawFaceImages(frame, area);
    if (frame.monitorActive)
        drawMonitorDisplay(frame, area);
    else
        drawClockDisplay(frame, area);
    presentDisplay(window, area);
}
