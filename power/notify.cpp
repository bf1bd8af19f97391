#include "power/notify.h"

#include "base/platform.h"
#include "power/power.h"
#include "power/sleepwatch.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "ui/dialogpaint.h"
#include "ui/modal.h"

namespace {

// EnumWindows callback: the pair for one window (the main window is skipped).
BOOL CALLBACK postEndSessionNotice(HWND window, LPARAM)
{
    if (window == g_app.mainWindow)
        return TRUE;
    // Posted, so no answer is awaited and no window can veto; the second
    // message says at once that the session is not ending after all.
    PostMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
    PostMessageA(window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    return TRUE;
}

INT_PTR CALLBACK waitDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        g_app.waitDialog = dialog;
        fillDialogPaintSet(dialog, WaitPaintRow);
        return 0;
    case WM_COMMAND: // no buttons: a close request arrives as IDCANCEL
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            releaseDialogPaintSet(dialog);
            EndDialog(dialog, 0);
        }
        return 0;
    case WM_DESTROY:
        releaseDialogPaintSet(dialog);
        if (g_app.waitDialog == dialog)
            g_app.waitDialog = nullptr;
        return 0;
    case WM_ERASEBKGND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return paintDialog(dialog, message, wParam, lParam);
    }
    return 0;
}

} // namespace

void notifyAllWindows()
{
    // Before the notice exists, so the notice itself is never told.
    EnumWindows(postEndSessionNotice, 0);

    HWND dialog = CreateDialogParamA(instanceOf(g_app.mainWindow), MAKEINTRESOURCEA(IDD_WAIT), nullptr,
                                     waitDialogProc, 0);
    g_app.waitDialog = dialog;
    if (dialog != nullptr) {
        RECT desktop, own;
        GetWindowRect(GetDesktopWindow(), &desktop);
        GetWindowRect(dialog, &own);
        const int x = desktop.right / 2 - (own.right - own.left) / 2;
        const int y = desktop.bottom / 2 - (own.bottom - own.top) / 2;
        SetWindowPos(dialog, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
        ShowWindow(dialog, SW_SHOW);
    }
    // Without a notice the action still comes after the wait.
    g_app.wakesAtWait = lookForWake();
    SetTimer(g_app.mainWindow, TIMER_NOTIFY_WAIT, kNotifyWaitMs, nullptr);
}

void endNotifyWait(HWND window)
{
    KillTimer(window, TIMER_NOTIFY_WAIT);
    const bool slept = lookForWake() != g_app.wakesAtWait;
    if (!slept && triggersHeld() && !programEnding()) {
        SetTimer(window, TIMER_NOTIFY_WAIT, 1000, nullptr); // the wake, or the hold's end, decides
        return;
    }
    DestroyWindow(g_app.waitDialog);
    g_app.waitDialog = nullptr;
    if (programEnding()) // the session ended during the wait: nothing more to do
        return;
    if (slept) {
        showSleptNotice(true);
        endPowerAction();
    } else {
        performPowerAction(g_app.pendingExitFlags, window);
    }
}
