// The confirmation countdown (dialog 110): names the reason and the action,
// counts ten seconds down with a click each second, and can be aborted.
#pragma once
#include <windows.h>

#include <cstdint>

// Opens the confirmation modally on `owner`. Returns 1 when the countdown ran
// out, 0 when the user aborted (button, Enter, Escape or the close box), the
// program began to end meanwhile (Exit, the quit message, the end of the
// session), the computer slept while it counted, or the dialog did not open;
// 0 at once while one is open already.
INT_PTR runConfirmDialog(HWND owner);

// The last confirmation ended because the computer slept while it counted.
bool confirmationSlept();
