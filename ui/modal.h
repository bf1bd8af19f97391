// Every modal dialog and message box of the program opens through here, so
// that the program knows when one is open (the main window then takes no
// command that would open a second one or arm a trigger) and when one was
// left because the program is ending (nothing that follows it may act).
#pragma once
#include <windows.h>

// What runModalDialog returns when the dialog could not open or the program
// began to end while it was open: never a result to act on.
constexpr INT_PTR kDialogAbandoned = -1;

// Opens dialog `templateId` of the owner's module modally on `owner`.
INT_PTR runModalDialog(HWND owner, int templateId, DLGPROC procedure, LPARAM parameter = 0);

// While one lives, the other windows of this thread that take input (a
// dialog open under one that must be answered first) take none. Afterwards
// each takes input again, and an owner such a dialog held stays held.
class OtherWindowsHold {
public:
    explicit OtherWindowsHold(HWND owner);
    ~OtherWindowsHold();
    OtherWindowsHold(const OtherWindowsHold&) = delete;
    OtherWindowsHold& operator=(const OtherWindowsHold&) = delete;

private:
    static BOOL CALLBACK hold(HWND window, LPARAM self);
    HWND owner_;
    bool ownerWasEnabled_;
    HWND held_[16] = {};
    int count_ = 0;
};

// MessageBoxA, counted like a dialog; 0 when the program began to end while
// it was open.
int showMessageBox(HWND owner, const char* text, const char* caption, UINT style);

// A dialog or message box of the program is open.
bool modalOpen();

// Brings the dialog or box the user is in to the front; false when none is
// open.
bool bringModalToFront();

// The program is ending: its main window was destroyed or the Windows session
// ends (both mark it), or a quit message waits for the main loop.
bool programEnding();
void markProgramEnding();
