// The dialog that names the host of the network watch (template 125).
#pragma once
#include <windows.h>

// Opens the host dialog modally on `owner`. Returns 1 when OK stored the
// edit's text in hostName, 0 when it was cancelled.
INT_PTR runHostDialog(HWND owner);
