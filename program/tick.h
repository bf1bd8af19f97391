// The periodic tick: evaluates the armed trigger and redraws the face.
#pragma once
#include <windows.h>

#include "base/localclock.h"

void tick(HWND window);

// The local time now, from the system clock as the program reads it and the
// kept local offset; false when the system could not tell it.
bool readLocalTime(SYSTEMTIME& now);

// The zone or the clock was changed: the next tick works out local time afresh.
void forgetLocalTimeOffset();

// The kept local offset (tests).
LocalClock& tickLocalClock();
