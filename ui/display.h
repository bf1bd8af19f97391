// The off-screen surfaces and fonts of the main window's face, the copies of
// bitmaps and skin pieces onto them, and the face's painting.
#pragma once
#include <windows.h>

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
// Draws the built-in pictures onto the sheet (colours and name untouched).
void drawBuiltInSheet(HWND window);

// Creates the fonts, then the three surfaces (display, background, sheet) for
// `window`; the sheet starts with the built-in pictures.
void createDisplayObjects(HWND window);
// Releases the surfaces (each context before its bitmap), then the fonts.
void releaseDisplayObjects();

// Loads bitmap resource `id` (when its low word is not 0) or the bitmap file
// `file`, and copies it whole onto `target` at (x, y) with `rop`. Returns 1
// when drawn, 0 when it could not be loaded (nothing drawn).
int drawBitmap(HWND window, HDC target, int id, const char* file, int x, int y, DWORD rop);
// A piece of the current sheet onto `target` at (x, y), always SRCCOPY; any
// other id goes to drawBitmap with all arguments. Returns 1.
int drawSkinElement(HWND window, HDC target, int id, const char* file, int x, int y, DWORD rop);

// Text in `font` and `colour` over a transparent background; the font stays
// selected. Returns 0.
int drawTextAt(HDC target, int x, int y, COLORREF colour, const char* text, HFONT font);

// WM_PAINT: copies the invalid part of the composed face to the window.
void paintDisplay(HWND window);
constexpr RECT kWholeFace = {0, 0, kFaceWidth, kFaceHeight};
// Copies `area` of the composed face to the window.
void presentDisplay(HWND window, const RECT& area = kWholeFace);
