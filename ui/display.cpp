#include "ui/display.h"

#include <cstring>

#include "base/platform.h"
#include "state/appstate.h"
#include "ui/uistate.h"

namespace {

const char kDisplayFontFace[] = "ＭＳ ゴシック";

struct ElementPlace {
    int id;
    RECT rect; // left, top, right, bottom on the sheet
};

// The sheet's layout, in the order the built-in pictures are drawn onto it.
const ElementPlace kElementPlaces[] = {
    {StartButtonUp, {0, 0, 23, 23}},
    {StartButtonDown, {32, 0, 55, 23}},
    {StopButtonUp, {64, 0, 87, 23}},
    {StopButtonDown, {96, 0, 119, 23}},
    {CloseBoxDown, {128, 0, 138, 9}},
    {SpinArrows, {0, 32, 125, 56}},
    {Panel, {0, 56, 220, 121}},
};

HDC createSurface(HDC windowDc, int width, int height, HBITMAP& bitmap)
{
    HDC surface = CreateCompatibleDC(windowDc);
    bitmap = CreateCompatibleBitmap(windowDc, width, height);
    SelectObject(surface, bitmap);
    return surface;
}

void releaseSurface(HDC& surface, HBITMAP& bitmap)
{
    if (surface != nullptr)
        DeleteDC(surface); // first, so the bitmap is no longer selected
    if (bitmap != nullptr)
        DeleteObject(bitmap);
    surface = nullptr;
    bitmap = nullptr;
}

void releaseFont(HFONT& font)
{
    if (font != nullptr)
        DeleteObject(font);
    font = nullptr;
}

} // namespace

bool skinElementRect(int id, RECT& sheetRect)
{
    for (const ElementPlace& place : kElementPlaces) {
        if (place.id == id) {
            sheetRect = place.rect;
            return true;
        }
    }
    return false;
}

namespace {

// A font of the face: fixed pitch, Shift-JIS, the given face, height, weight.
HFONT createDisplayFont(const char* face, int height, int weight, BOOL underlined)
{
    return CreateFontA(height, 0, 0, 0, weight, FALSE, underlined ? TRUE : FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0,
                       FIXED_PITCH | FF_MODERN, face);
}

} // namespace

void createDisplayObjects(HWND window)
{
    g_ui.faceStale = 1;
    g_ui.fontNormal = createDisplayFont(kDisplayFontFace, 12, 0, FALSE);
    g_ui.fontBold = createDisplayFont(kDisplayFontFace, 12, FW_BOLD, FALSE);
    g_ui.fontLink = createDisplayFont(kDisplayFontFace, 12, 0, TRUE);
    HDC windowDc = GetDC(window);
    g_ui.displaySurface = createSurface(windowDc, kFaceWidth, kFaceHeight, g_ui.displayBitmap);
    g_ui.backgroundSurface = createSurface(windowDc, kFaceWidth, kFaceHeight, g_ui.backgroundBitmap);
    g_ui.skinSheet = createSurface(windowDc, kSheetWidth, kSheetHeight, g_ui.skinSheetBitmap);
    ReleaseDC(window, windowDc);
    // A skin whose skin.bmp is missing keeps the sheet it finds; at start-up
    // that is the built-in one rather than an empty bitmap.
    drawBuiltInSheet(window);
    drawSkinElement(window, g_ui.backgroundSurface, Panel, nullptr, 0, 0, SRCCOPY);
}

void drawBuiltInSheet(HWND window)
{
    for (const ElementPlace& place : kElementPlaces)
        drawBitmap(window, g_ui.skinSheet, place.id, nullptr, place.rect.left, place.rect.top, SRCCOPY);
}

void releaseDisplayObjects()
{
    releaseSurface(g_ui.displaySurface, g_ui.displayBitmap);
    releaseSurface(g_ui.backgroundSurface, g_ui.backgroundBitmap);
    releaseSurface(g_ui.skinSheet, g_ui.skinSheetBitmap);
    releaseFont(g_ui.fontNormal);
    releaseFont(g_ui.fontBold);
    releaseFont(g_ui.fontLink);
}

int drawBitmap(HWND window, HDC target, int id, const char* file, int x, int y, DWORD rop)
{
    HBITMAP bitmap = nullptr;
    if (LOWORD(id) != 0)
        bitmap = LoadBitmapA(instanceOf(window), MAKEINTRESOURCEA(LOWORD(id)));
    else if (file != nullptr && file[0] != '\0')
        bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, file, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (bitmap == nullptr)
        return 0;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(target, x, y, info.bmWidth, info.bmHeight, source, 0, 0, rop);
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(bitmap);
    return 1;
}

int drawSkinElement(HWND window, HDC target, int id, const char* file, int x, int y, DWORD rop)
{
    RECT r;
    if (skinElementRect(id, r))
        BitBlt(target, x, y, r.right - r.left, r.bottom - r.top, g_ui.skinSheet, r.left, r.top, SRCCOPY);
    else
        drawBitmap(window, target, id, file, x, y, rop);
    return 1;
}

int drawTextAt(HDC target, int x, int y, COLORREF colour, const char* text, HFONT font)
{
    SelectObject(target, font);
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, colour);
    TextOutA(target, x, y, text, static_cast<int>(std::strlen(text)));
    return 0;
}

void paintDisplay(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const RECT& r = ps.rcPaint;
    if (r.right > r.left && r.bottom > r.top)
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, g_ui.displaySurface, r.left, r.top, SRCCOPY);
    EndPaint(window, &ps);
}

void presentDisplay(HWND window, const RECT& area)
{
    HDC dc = GetDC(window);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, g_ui.displaySurface, area.left,
           area.top, SRCCOPY);
    ReleaseDC(window, dc);
}
