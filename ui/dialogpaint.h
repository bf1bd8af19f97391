// The shared painting of the program's dialogs (confirmation, wait, about):
// one paint set in AppState (dialogPen, dialogBrush, dialogEditBrush and the
// two colours) that paintDialog reads.
#pragma once
#include <windows.h>

// The colour rows of the painted dialogs.
enum DialogPaintRow {
    ConfirmPaintRow, // dialog 110: red text
    WaitPaintRow,    // dialog 120
    AboutPaintRow,   // dialog 112
};

// Creates the pen and the two brushes of `row` for `dialog` (call it from
// WM_INITDIALOG) and makes them the paint set. A dialog opened later replaces
// the set while it is open.
void fillDialogPaintSet(HWND dialog, DialogPaintRow row);

// Deletes the pen and brushes `dialog` created (call it when the dialog
// closes). If they were the paint set, the set goes back to the one of the
// most recent painted dialog still open, or becomes empty. Safe to call
// again, or for a dialog that filled nothing.
void releaseDialogPaintSet(HWND dialog);

// Handles WM_ERASEBKGND and the WM_CTLCOLOR* messages with the dialog paint
// set; returns what the dialog procedure should return (0 for the others).
INT_PTR paintDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
