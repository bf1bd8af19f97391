// The off-screen surfaces and fonts of the main window's face, the copies of
// bitmaps and skin pieces onto them, and the face's painting.
#pragma once
#include <windows.h>

#include "base/scale.h"
#include "ui/faceframe.h"

constexpr int kSheetWidth = 220;
constexpr int kSheetHeight = 121;

// Pieces of a skin sheet; the values are the ids of the built-in bitmaps.
enum SkinElement : int {
    Panel = 101,
    StartButtonUp = 103,
    StartButtonDown = 104,
    StopButtonUp = 105,
    StopButtonDown = 106,
    SpinArrows = 108,
    CloseBoxDown = 111,
};

// Where a piece lies on the sheet. False for an id that is not a piece.
bool skinElementRect(int id, RECT& sheetRect);
// Draws the built-in pictures onto the sheet (colours and name untouched), at
// the face's DPI.
void drawBuiltInSheet(HWND window);
// Loads a bitmap as drawBitmap does and draws it at (x, y) in pixels, sized
// for the face's DPI from the sheet scale `how` names, pixel-exact or
// resampled as it says. Returns 1 when drawn, 0 when it could not be loaded.
int stretchBitmap(HWND window, HDC target, int id, const char* file, int x, int y, const SheetDrawing& how);
// A copy of `bitmap` at `dpi` by the sheet's rule, or null; the caller owns it.
HBITMAP scaledBitmap(HBITMAP bitmap, int dpi);
// A whole sheet (resource `id` or file) onto the face's sheet surface.
int drawSheet(HWND window, int id, const char* file, const SheetDrawing& how);

// Face units (the 96-DPI layout) in pixels of the face's current DPI.
int facePixels(int faceUnits);
RECT facePixels(const RECT& faceRect);

// Creates the fonts, then the three surfaces (display, background, sheet) for
// `window`; the sheet starts with the built-in pictures.
void createDisplayObjects(HWND window);
// Releases the surfaces (each context before its bitmap), then the fonts.
void releaseDisplayObjects();

// Loads bitmap resource `id` (when its low word is not 0) or the bitmap file
// `file`, and copies it whole onto `target` at (x, y) with `rop`. Returns 1
// when drawn, 0 when it could not be loaded (nothing drawn).
int drawBitmap(HWND window, HDC target, int id, const char* file, int x, int y, DWORD rop);
// A piece of the current sheet onto `target` at (x, y) in face units, always
// SRCCOPY; any
// other id goes to drawBitmap with all arguments. Returns 1.
int drawSkinElement(HWND window, HDC target, int id, const char* file, int x, int y, DWORD rop);

// Text in `font` and `colour` over a transparent background; the font stays
// selected. Returns 0.
int drawTextAt(HDC target, int x, int y, COLORREF colour, const char* text, HFONT font);

// Fixed-pitch text whose characters stand where they do at 96 DPI, scaled
// (`faceX` in face units, `y` in pixels): the date and time under the digit
// arrows. Returns the width drawn, in pixels.
constexpr int kMaxGridText = 32;
int drawGridText(HDC target, int faceX, int y, COLORREF colour, const char* text, HFONT font);

// WM_PAINT: copies the invalid part of the composed face to the window.
void paintDisplay(HWND window);
constexpr RECT kWholeFace = {0, 0, kFaceWidth, kFaceHeight};
// Copies the composed face, or `area` of it (in pixels), to the window.
void presentDisplay(HWND window);
void presentDisplay(HWND window, const RECT& area);

// The face's cursors at the system's cursor size for the face's DPI, loaded
// with the surfaces and released with them.
enum class FaceCursor { Main, Arrow };
HCURSOR faceCursor(FaceCursor which);
void loadFaceCursors(HWND window);
// WM_SETCURSOR over the face: the main cursor at the face's scale, in place
// of the class's one. False where the system's handling is wanted.
bool setFaceCursor(LPARAM hitTest);
void releaseFaceCursors();
