// The popup menu of all commands.
#pragma once
#include <windows.h>

// Opens the menu at `screenPoint`, or at the cursor when it is null.
void showPopupMenu(HWND window, const POINT* screenPoint);
// Opens the menu just below the menu icon of the face.
void showPopupMenuAtIcon(HWND window);
