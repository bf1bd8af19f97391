// The window picker (dialog 121): the user drags its cursor icon onto any
// window on the screen and chooses the condition that ends the watch.
#pragma once
#include <windows.h>

#include <cstdint>

// The picker's own state, program-wide, used only while the dialog is open.
extern int32_t pickDragging; // a drag is in progress
extern HWND pickCandidate;   // the window last found under the pointer; OK takes it
extern HWND pickHighlighted; // the window that carries the frame now, or null

// The window to watch and the condition; window is null when the dialog was
// cancelled or nothing was picked.
struct WindowWatchChoice {
    HWND window;
    int32_t mode;
};

// Opens dialog 121 modally on the main window; it opens on the current
// monitorMode and arms nothing.
WindowWatchChoice runWindowPicker(HWND owner);

