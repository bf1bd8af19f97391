// The window picker (dialog 121): the user drags its cursor icon onto any
// window on the screen and chooses the condition that ends the watch.
#pragma once
#include <windows.h>

#include <cstdint>

// The picker's own state, program-wide, used only while the dialog is open.
extern int32_t pickDragging; // a drag is in progress
extern HWND pickCandidate;   // the window last found under the pointer; OK takes it
extern HWND pickHighlighted; // the window that carries the frame now, or null

// Opens dialog 121 modally on the main window. On OK it stores watchedWindow
// and monitorMode and clears watchedWasActive. Always returns 0.
INT_PTR runWindowPicker(HWND owner);

