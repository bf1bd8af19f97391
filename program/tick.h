// The periodic tick: evaluates the armed trigger and redraws the face.
#pragma once
#include <windows.h>

void tick(HWND window);

// The zone or the clock was changed: the next tick works out local time afresh.
void forgetLocalTimeOffset();
