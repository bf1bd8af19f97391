// Display scale: the program's pictures, hit areas and text are laid out in
// units of a 96-DPI screen ("face units") and drawn at the screen's DPI. No
// Windows headers: the arithmetic is tested natively.
#pragma once

constexpr int kBaseDpi = 96;
// What the program accepts from the system: a figure outside (a broken or
// hostile report) is taken as 96, the unscaled face.
constexpr int kLeastDpi = 48;
constexpr int kMostDpi = 960;

int saneDpi(int dpi);

// A length or coordinate in face units at `dpi`, rounded to the nearest
// pixel (halves up, on either side of 0), so that a rectangle's edges scale
// alike wherever it lies. `fromDpi` is the scale the figure is drawn for (192 for
// the double-size skin sheet).
int scaled(int value, int dpi, int fromDpi = kBaseDpi);

// The face unit a screen pixel lies in: the inverse of scaled(), so every
// pixel drawn for a unit hits that unit, and no other.
int faceUnit(int pixel, int dpi);

// How a skin sheet is drawn at `dpi`: which sheet (the double-size one from
// 175 % on, where there is one) and whether each of its pixels becomes a
// whole block of pixels (a whole-number scale of that sheet: 100, 200, 300 %
// from the plain sheet, 200, 400 % from the double one) or the sheet is
// resampled smoothly (every scale in between).
struct SheetDrawing {
    bool doubleSheet;
    bool pixelExact;
    int sheetDpi; // 96 or 192
};
constexpr int kDoubleSheetFromDpi = 168; // 175 %
SheetDrawing sheetDrawing(int dpi, bool doubleSheetAvailable);

// The face's text: 12 pixels at 96 DPI.
constexpr int kFaceFontHeight = 12;
inline int faceFontHeight(int dpi)
{
    return scaled(kFaceFontHeight, dpi);
}
