// What the settings dialogs (clock time, countdown, auto-start) share: the
// modal runner and the inverted edit/up-down pairs.
#pragma once
#include <windows.h>

// Opens dialog template `templateId` modally on `owner` (instance from the
// owner, or the program's when there is none); the common controls are
// registered first. Returns the dialog's end code.
INT_PTR runSettingsDialog(HWND owner, int templateId, DLGPROC procedure);

// Sets the edit `editId` to `value` (unsigned) and its up-down `spinId` to
// count 0..maximum with the up arrow raising the number.
void initInvertedSpinner(HWND dialog, int editId, int spinId, int maximum, UINT value);

// For WM_VSCROLL from the up-down `spinId`: writes maximum - new position
// into `editId`. Returns false when the message came from another control.
bool showInvertedSpinnerValue(HWND dialog, int editId, int spinId, int maximum, WPARAM wParam, LPARAM lParam);

// A field read as an unsigned number; empty or unreadable text gives 0.
UINT readUnsignedField(HWND dialog, int editId);
