// The periodic tick: evaluates the armed trigger and redraws the face.
#pragma once
#include <windows.h>

void tick(HWND window);
