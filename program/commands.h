// The menu command dispatch of the main window.
#pragma once
#include <windows.h>

void dispatchCommand(HWND window, WPARAM wParam, LPARAM lParam);
