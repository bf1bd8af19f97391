// The shared painting of the program's dialogs (confirmation, wait, about).
#pragma once
#include <windows.h>

// Handles WM_ERASEBKGND and the WM_CTLCOLOR* messages with the dialog paint
// set; returns what the dialog procedure should return.
INT_PTR paintDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
