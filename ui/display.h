// The off-screen surfaces and fonts of the main window's face, and its painting.
#pragma once
#include <windows.h>

constexpr int kFaceWidth = 220;
constexpr int kFaceHeight = 65;
constexpr int kSheetWidth = 220;
constexpr int kSheetHeight = 121;

// Creates the fonts and the three surfaces (in that order) for `window`.
void createDisplayObjects(HWND window);
// Releases the surfaces with their bitmaps, then the fonts.
void releaseDisplayObjects();

HFONT createDisplayFont(HDC dc, const char* face, int height, int weight, BOOL underline);

// WM_PAINT: copies the invalid part of the composed face to the window.
void paintDisplay(HWND window);
// Copies the whole composed face to the window.
void presentDisplay(HWND window);
