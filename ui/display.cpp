#include "ui/display.h"

#include <cstring>

#include "base/platform.h"
#include "base/scale.h"
#include "resources/resource.h"
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

// The advance of a digit of the bold face font at 96 DPI, the one the face's
// layout (the digit arrows over the date and time) is made for.
int digitAdvanceAt96(HDC surface)
{
    HFONT font = createDisplayFont(kDisplayFontFace, kFaceFontHeight, FW_BOLD, FALSE);
    HGDIOBJ previous = SelectObject(surface, font);
    SIZE size = {};
    GetTextExtentPoint32A(surface, "0", 1, &size);
    SelectObject(surface, previous);
    DeleteObject(font);
    return size.cx;
}

} // namespace

int facePixels(int faceUnits)
{
    return scaled(faceUnits, g_ui.dpi);
}

RECT facePixels(const RECT& faceRect)
{
    return {facePixels(faceRect.left), facePixels(faceRect.top), facePixels(faceRect.right),
            facePixels(faceRect.bottom)};
}

void createDisplayObjects(HWND window)
{
    g_ui.faceStale = 1;
    const int fontHeight = faceFontHeight(g_ui.dpi);
    g_ui.fontNormal = createDisplayFont(kDisplayFontFace, fontHeight, 0, FALSE);
    g_ui.fontBold = createDisplayFont(kDisplayFontFace, fontHeight, FW_BOLD, FALSE);
    g_ui.fontLink = createDisplayFont(kDisplayFontFace, fontHeight, 0, TRUE);
    HDC windowDc = GetDC(window);
    const int width = facePixels(kFaceWidth), height = facePixels(kFaceHeight);
    g_ui.displaySurface = createSurface(windowDc, width, height, g_ui.displayBitmap);
    g_ui.backgroundSurface = createSurface(windowDc, width, height, g_ui.backgroundBitmap);
    g_ui.skinSheet = createSurface(windowDc, facePixels(kSheetWidth), facePixels(kSheetHeight), g_ui.skinSheetBitmap);
    ReleaseDC(window, windowDc);
    g_ui.digitAdvance96 = digitAdvanceAt96(g_ui.displaySurface);
    loadFaceCursors(window);
    // A skin whose skin.bmp is missing keeps the sheet it finds; at start-up
    // that is the built-in one rather than an empty bitmap.
    drawBuiltInSheet(window);
    drawSkinElement(window, g_ui.backgroundSurface, Panel, nullptr, 0, 0, SRCCOPY);
}

void drawBuiltInSheet(HWND window)
{
    const SheetDrawing how = sheetDrawing(g_ui.dpi, true);
    if (how.doubleSheet && drawSheet(window, IDB_SHEET_2X, nullptr, how))
        return;
    const SheetDrawing plain = sheetDrawing(g_ui.dpi, false);
    for (const ElementPlace& place : kElementPlaces)
        stretchBitmap(window, g_ui.skinSheet, place.id, nullptr, facePixels(place.rect.left),
                      facePixels(place.rect.top), plain);
}

namespace {

HBITMAP loadBitmap(HWND window, int id, const char* file)
{
    if (LOWORD(id) != 0)
        return LoadBitmapA(instanceOf(window), MAKEINTRESOURCEA(LOWORD(id)));
    if (file != nullptr && file[0] != '\0')
        return static_cast<HBITMAP>(LoadImageA(nullptr, file, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    return nullptr;
}

// Calls only a scaled face makes, bound by name: a face at 96 DPI (every face
// on Windows 95 to XP) runs on the calls it always has.
struct ScalingCalls {
    BOOL(WINAPI* stretchBlt)(HDC, int, int, int, int, HDC, int, int, int, int, DWORD);
    int(WINAPI* setStretchMode)(HDC, int);
    BOOL(WINAPI* setBrushOrigin)(HDC, int, int, LPPOINT);
    BOOL(WINAPI* destroyCursor)(HCURSOR);
    BOOL(WINAPI* extTextOut)(HDC, int, int, UINT, const RECT*, LPCSTR, UINT, const INT*);
};

const ScalingCalls& scalingCalls()
{
    static ScalingCalls calls = [] {
        ScalingCalls bound = {};
        HMODULE gdi = GetModuleHandleA("gdi32.dll");
        bindFunction(gdi, "StretchBlt", bound.stretchBlt);
        bindFunction(gdi, "SetStretchBltMode", bound.setStretchMode);
        bindFunction(gdi, "SetBrushOrgEx", bound.setBrushOrigin);
        bindFunction(gdi, "ExtTextOutA", bound.extTextOut);
        bindFunction(GetModuleHandleA("user32.dll"), "DestroyCursor", bound.destroyCursor);
        return bound;
    }();
    return calls;
}

// `bitmap` whole onto `target` at (x, y), at `dpi` from the sheet scale
// `how` names. Whole-number scales copy each pixel to a block; the rest are
// resampled (on systems without resampling, the nearest pixel again).
void stretchOnto(HDC target, HBITMAP bitmap, int x, int y, int dpi, const SheetDrawing& how)
{
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, bitmap);
    const int width = scaled(info.bmWidth, dpi, how.sheetDpi);
    const int height = scaled(info.bmHeight, dpi, how.sheetDpi);
    const ScalingCalls& calls = scalingCalls();
    if ((width == info.bmWidth && height == info.bmHeight) || calls.stretchBlt == nullptr
        || calls.setStretchMode == nullptr || calls.setBrushOrigin == nullptr) {
        BitBlt(target, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    } else {
        const int oldMode = calls.setStretchMode(target, how.pixelExact ? COLORONCOLOR : HALFTONE);
        POINT oldOrigin;
        calls.setBrushOrigin(target, 0, 0, &oldOrigin); // HALFTONE asks for it
        calls.stretchBlt(target, x, y, width, height, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        calls.setBrushOrigin(target, oldOrigin.x, oldOrigin.y, nullptr);
        calls.setStretchMode(target, oldMode);
    }
    SelectObject(source, previous);
    DeleteDC(source);
}

} // namespace

int stretchBitmap(HWND window, HDC target, int id, const char* file, int x, int y, const SheetDrawing& how)
{
    HBITMAP bitmap = loadBitmap(window, id, file);
    if (bitmap == nullptr)
        return 0;
    stretchOnto(target, bitmap, x, y, g_ui.dpi, how);
    DeleteObject(bitmap);
    return 1;
}

HBITMAP scaledBitmap(HBITMAP bitmap, int dpi)
{
    BITMAP info = {};
    if (GetObjectA(bitmap, sizeof info, &info) == 0)
        return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, scaled(info.bmWidth, dpi), scaled(info.bmHeight, dpi));
    HDC target = copy != nullptr ? CreateCompatibleDC(screen) : nullptr;
    ReleaseDC(nullptr, screen);
    if (target == nullptr) {
        if (copy != nullptr)
            DeleteObject(copy);
        return nullptr;
    }
    HGDIOBJ previous = SelectObject(target, copy);
    stretchOnto(target, bitmap, 0, 0, dpi, sheetDrawing(dpi, false));
    SelectObject(target, previous);
    DeleteDC(target);
    return copy;
}

int drawSheet(HWND window, int id, const char* file, const SheetDrawing& how)
{
    return stretchBitmap(window, g_ui.skinSheet, id, file, 0, 0, how);
}

void releaseDisplayObjects()
{
    releaseFaceCursors();
    releaseSurface(g_ui.displaySurface, g_ui.displayBitmap);
    releaseSurface(g_ui.backgroundSurface, g_ui.backgroundBitmap);
    releaseSurface(g_ui.skinSheet, g_ui.skinSheetBitmap);
    releaseFont(g_ui.fontNormal);
    releaseFont(g_ui.fontBold);
    releaseFont(g_ui.fontLink);
}

int drawBitmap(HWND window, HDC target, int id, const char* file, int x, int y, DWORD rop)
{
    HBITMAP bitmap = loadBitmap(window, id, file);
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
    if (skinElementRect(id, r)) {
        const RECT onSheet = facePixels(r);
        BitBlt(target, facePixels(x), facePixels(y), onSheet.right - onSheet.left, onSheet.bottom - onSheet.top,
               g_ui.skinSheet, onSheet.left, onSheet.top, SRCCOPY);
    }
    else
        drawBitmap(window, target, id, file, x, y, rop);
    return 1;
}

int drawGridText(HDC target, int faceX, int y, COLORREF colour, const char* text, HFONT font)
{
    const int length = static_cast<int>(std::strlen(text));
    const auto extTextOut = scalingCalls().extTextOut;
    if (g_ui.dpi == kBaseDpi || g_ui.digitAdvance96 <= 0 || extTextOut == nullptr || length > kMaxGridText) {
        drawTextAt(target, facePixels(faceX), y, colour, text, font);
        SIZE size = {};
        GetTextExtentPoint32A(target, text, length, &size);
        return size.cx;
    }
    // A font drawn at another size does not grow exactly in step (a bold
    // face is one pixel wider at any size): each character is set where it
    // stands at 96 DPI, scaled, so the digits stay under their arrows.
    INT advances[kMaxGridText];
    for (int i = 0; i < length; ++i)
        advances[i] = facePixels(faceX + (i + 1) * g_ui.digitAdvance96) - facePixels(faceX + i * g_ui.digitAdvance96);
    SelectObject(target, font);
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, colour);
    extTextOut(target, facePixels(faceX), y, 0, nullptr, text, static_cast<UINT>(length), advances);
    return facePixels(faceX + length * g_ui.digitAdvance96) - facePixels(faceX);
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

void presentDisplay(HWND window)
{
    presentDisplay(window, facePixels(kWholeFace));
}

void presentDisplay(HWND window, const RECT& area)
{
    HDC dc = GetDC(window);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, g_ui.displaySurface, area.left,
           area.top, SRCCOPY);
    ReleaseDC(window, dc);
}

namespace {

// At the system's size for the face's DPI. At the system's own size that is
// the shared cursor LoadCursor gives, which nobody frees (null `owned`).
HCURSOR loadCursorForDpi(HWND window, int id, HCURSOR& owned)
{
    owned = nullptr;
    const int size = systemMetricFor(SM_CXCURSOR, g_ui.dpi);
    if (size == systemMetric(SM_CXCURSOR) || scalingCalls().destroyCursor == nullptr)
        return LoadCursorA(instanceOf(window), MAKEINTRESOURCEA(id));
    owned = static_cast<HCURSOR>(LoadImageA(instanceOf(window), MAKEINTRESOURCEA(id), IMAGE_CURSOR, size, size, 0));
    return owned;
}

void destroyCursor(HCURSOR& cursor, HCURSOR& owned)
{
    if (owned != nullptr) {
        // Never the cursor on show: SetCursor hands that one back.
        HCURSOR shown = SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        if (shown != owned)
            SetCursor(shown);
        scalingCalls().destroyCursor(owned);
    }
    cursor = nullptr;
    owned = nullptr;
}

} // namespace

void loadFaceCursors(HWND window)
{
    g_ui.mainCursor = loadCursorForDpi(window, IDC_MAIN_CURSOR, g_ui.ownedMainCursor);
    g_ui.arrowCursor = loadCursorForDpi(window, IDC_ARROW_CURSOR, g_ui.ownedArrowCursor);
}

void releaseFaceCursors()
{
    destroyCursor(g_ui.mainCursor, g_ui.ownedMainCursor);
    destroyCursor(g_ui.arrowCursor, g_ui.ownedArrowCursor);
}

HCURSOR faceCursor(FaceCursor which)
{
    return which == FaceCursor::Main ? g_ui.mainCursor : g_ui.arrowCursor;
}

bool setFaceCursor(LPARAM hitTest)
{
    if (LOWORD(hitTest) != HTCLIENT || g_ui.mainCursor == nullptr)
        return false;
    SetCursor(g_ui.mainCursor);
    return true;
}
