// The about box.
#pragma once
#include <windows.h>

INT_PTR runAboutDialog(HWND owner);
