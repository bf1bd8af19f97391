#include "ui/display.h"

#include "core/appstate.h"

namespace {

const char kDisplayFontFace[] = "ＭＳ ゴシック";

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

HFONT createDisplayFont(HDC dc, const char* face, int height, int weight, BOOL underline)
{
    LOGFONTA lf = {};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfUnderline = static_cast<BYTE>(underline ? 1 : 0);
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

void createDisplayObjects(HWND window)
{
    HDC windowDc = GetDC(window);
    g_app.fontNormal = createDisplayFont(windowDc, kDisplayFontFace, 12, FW_NORMAL, FALSE);
    g_app.fontBold = createDisplayFont(windowDc, kDisplayFontFace, 12, FW_BOLD, FALSE);
    g_app.fontLink = createDisplayFont(windowDc, kDisplayFontFace, 12, FW_NORMAL, TRUE);
    g_app.displaySurface = createSurface(windowDc, kFaceWidth, kFaceHeight, g_app.displayBitmap);
    g_app.backgroundSurface = createSurface(windowDc, kFaceWidth, kFaceHeight, g_app.backgroundBitmap);
    g_app.skinSheet = createSurface(windowDc, kSheetWidth, kSheetHeight, g_app.skinSheetBitmap);
    ReleaseDC(window, windowDc);
}

void releaseDisplayObjects()
{
    releaseSurface(g_app.displaySurface, g_app.displayBitmap);
    releaseSurface(g_app.backgroundSurface, g_app.backgroundBitmap);
    releaseSurface(g_app.skinSheet, g_app.skinSheetBitmap);
    releaseFont(g_app.fontNormal);
    releaseFont(g_app.fontBold);
    releaseFont(g_app.fontLink);
}

void paintDisplay(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    const RECT& r = ps.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, g_app.displaySurface, r.left, r.top, SRCCOPY);
    EndPaint(window, &ps);
}

void presentDisplay(HWND window)
{
    HDC dc = GetDC(window);
    BitBlt(dc, 0, 0, kFaceWidth, kFaceHeight, g_app.displaySurface, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
}
