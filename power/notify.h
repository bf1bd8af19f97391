// Telling every other top-level window that the session is ending, and the
// five-second wait notice before a forced exit.
#pragma once
#include <windows.h>

// How long the notice stays before the deferred action (timer 5000).
constexpr UINT kNotifyWaitMs = 5000;

// Posts the end-session pair to every other top-level window, shows the wait
// notice centred and topmost, and starts the main window's wait timer.
void notifyAllWindows();


// The main window's wait timer: the deferred action, unless the session is
// ending, or the computer slept during the wait (then a notice says what was
// stopped). Between a suspend notice and the wake it waits on.
void endNotifyWait(HWND window);
