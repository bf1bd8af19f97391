#include "ui/modal.h"

#include <cstring>

#include "base/platform.h"
#include "state/appstate.h"

namespace {

// The first shown, enabled dialog window of this thread in z-order: the
// dialog or box the user is in (a dialog's owner is disabled under it).
BOOL CALLBACK takeFrontDialog(HWND window, LPARAM found)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (window == g_app.waitDialog || std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window)
        || !IsWindowEnabled(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Whatever ends a dialog or box below, the count goes back.
struct ModalScope {
    ModalScope() { ++g_app.modalDepth; }
    ~ModalScope() { --g_app.modalDepth; }
};

} // namespace

INT_PTR runModalDialog(HWND owner, int templateId, DLGPROC procedure, LPARAM parameter)
{
    if (programEnding())
        return kDialogAbandoned;
    INT_PTR result;
    {
        ModalScope scope;
        result = DialogBoxParamA(instanceOf(owner), MAKEINTRESOURCEA(templateId), owner, procedure, parameter);
    }
    // A dialog's loop that meets the quit message ends the dialog with a
    // result the dialog never chose.
    return programEnding() ? kDialogAbandoned : result;
}

int showMessageBox(HWND owner, const char* text, const char* caption, UINT style)
{
    if (programEnding())
        return 0;
    int answer;
    {
        ModalScope scope;
        answer = MessageBoxA(owner, text, caption, style);
    }
    return programEnding() ? 0 : answer;
}

bool modalOpen()
{
    return g_app.modalDepth > 0;
}

bool bringModalToFront()
{
    if (!modalOpen())
        return false;
    HWND front = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), takeFrontDialog, reinterpret_cast<LPARAM>(&front));
    if (front != nullptr)
        SetForegroundWindow(front);
    return true;
}

bool programEnding()
{
    MSG quit;
    return g_app.ending != 0 || PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

void markProgramEnding()
{
    g_app.ending = 1;
}

OtherWindowsHold::OtherWindowsHold(HWND owner) : owner_(owner), ownerWasEnabled_(IsWindowEnabled(owner) != FALSE)
{
    EnumThreadWindows(GetCurrentThreadId(), hold, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK OtherWindowsHold::hold(HWND window, LPARAM self)
{
    auto* me = reinterpret_cast<OtherWindowsHold*>(self);
    if (window == me->owner_ || !IsWindowVisible(window) || !IsWindowEnabled(window))
        return TRUE;
    if (me->count_ == static_cast<int>(sizeof me->held_ / sizeof me->held_[0]))
        return FALSE;
    EnableWindow(window, FALSE);
    me->held_[me->count_++] = window;
    return TRUE;
}

OtherWindowsHold::~OtherWindowsHold()
{
    bool heldStillOpen = false;
    for (int i = 0; i < count_; ++i)
        heldStillOpen = heldStillOpen || IsWindow(held_[i]);
    // The end of a dialog box enables its owner whatever it was before, also
    // under another dialog still open over that owner: that one keeps it,
    // before it takes input again itself.
    if (!ownerWasEnabled_ && heldStillOpen && IsWindow(owner_))
        EnableWindow(owner_, FALSE);
    for (int i = 0; i < count_; ++i) {
        if (IsWindow(held_[i]))
            EnableWindow(held_[i], TRUE);
    }
}
