// What the user interface draws with: the face's memory surfaces, fonts and
// colours, the frame on screen, and the paint set of the dialog that paints.
// The program's decisions are in AppState; this record is the interface's own.
#pragma once
#include <windows.h>

#include <cstdint>

#include "base/codes.h"
#include "ui/faceframe.h"

struct UiState {
    // Drawing state: memory surfaces with the bitmaps selected into them.
    HDC displaySurface = nullptr;
    HDC backgroundSurface = nullptr;
    HDC skinSheet = nullptr;
    HBITMAP displayBitmap = nullptr;
    HBITMAP backgroundBitmap = nullptr;
    HBITMAP skinSheetBitmap = nullptr;
    HFONT fontNormal = nullptr;
    HFONT fontBold = nullptr;
    HFONT fontLink = nullptr;
    HCURSOR mainCursor = nullptr;
    HCURSOR arrowCursor = nullptr;
    HCURSOR ownedMainCursor = nullptr; // the same, where loaded as our own copy
    HCURSOR ownedArrowCursor = nullptr;
    // The DPI the surfaces, fonts and cursors are made for.
    int dpi = 96;
    int digitAdvance96 = 0; // a bold digit's advance at 96 DPI
    COLORREF textColor1 = kBuiltInTextColor1;
    COLORREF textColor2 = kBuiltInTextColor2;
    COLORREF textColor3 = kBuiltInTextColor3;
    // What the window shows now; faceStale asks for a full redraw (new
    // surfaces or skin) whatever the frame says.
    FaceFrame shownFrame = {};
    int32_t faceStale = 1;

    // Dialog paint set, filled by the dialog that is painting.
    HPEN dialogPen = nullptr;
    COLORREF dialogTextColor = 0;
    COLORREF dialogEditBackColor = 0;
    HBRUSH dialogBrush = nullptr;
    HBRUSH dialogEditBrush = nullptr;
};

extern UiState g_ui;

// Puts every field back to its initial value (start of the program; tests).
void resetUiState();
