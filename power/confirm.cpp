#include "power/confirm.h"

#include "base/textformat.h"
#include "power/confirmtext.h"
#include "power/power.h"
#include "power/sleepwatch.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "syscalls/seam.h"
#include "ui/dialogpaint.h"
#include "ui/modal.h"

namespace {

constexpr int kCountdownSeconds = 10;
int g_secondsLeft = 0;
bool g_ranOut = false;   // the countdown, not anything else, ended the dialog
bool g_confirming = false;
uint32_t g_wakesAtOpen = 0;
bool g_slept = false;    // the computer slept while it counted

void showSecondsLeft(HWND dialog)
{
    char text[32];
    formatText(text, sizeof text, "あと　%d 秒", g_secondsLeft);
    SetDlgItemTextA(dialog, IDC_CONFIRM_COUNT, text);
}

void endConfirmation(HWND dialog, INT_PTR result)
{
    KillTimer(dialog, TIMER_CONFIRM);
    releaseDialogPaintSet(dialog);
    EndDialog(dialog, result);
}

// One second of the countdown: 9 .. 0 are shown, the step after 0 confirms,
// but only if the computer stayed awake: a countdown a sleep interrupted
// would act seconds after the wake, often behind the lock screen where no
// one can abort it. Between a suspend notice and the wake it stays at 0.
void countdownStep(HWND dialog)
{
    if (lookForWake() != g_wakesAtOpen) {
        g_slept = true;
        endConfirmation(dialog, 0);
        return;
    }
    --g_secondsLeft;
    if (g_secondsLeft < 0 && triggersHeld()) {
        g_secondsLeft = 0;
    } else if (g_secondsLeft < 0) {
        g_ranOut = true;
        endConfirmation(dialog, 1);
        return;
    }
    showSecondsLeft(dialog);
}

INT_PTR onInitDialog(HWND dialog)
{
    SetDlgItemTextA(dialog, IDC_CONFIRM_TEXT, confirmText(g_app.confirmReason, g_app.options.powerAction));
    g_app.confirmReason = Timer; // a later trigger that sets no reason gets the timer wording
    fillDialogPaintSet(dialog, ConfirmPaintRow);
    g_secondsLeft = kCountdownSeconds;
    g_wakesAtOpen = lookForWake();
    SetTimer(dialog, TIMER_CONFIRM, 1000, nullptr);
    SetForegroundWindow(dialog);
    if (!g_app.options.silent) {
        seamMessageBeep(MB_ICONQUESTION);
        playTick();
    }
    countdownStep(dialog);
    return 0;
}

INT_PTR onTimer(HWND dialog, WPARAM id)
{
    if (id != TIMER_CONFIRM || g_secondsLeft < 0)
        return 0;
    if (!g_app.options.silent)
        playTick();
    countdownStep(dialog);
    return 0;
}

INT_PTR CALLBACK confirmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(dialog);
    case WM_TIMER:
        return onTimer(dialog, wParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            endConfirmation(dialog, 0);
        return 0;
    case WM_DESTROY: // however it ends, its timer and paint objects go with it
        KillTimer(dialog, TIMER_CONFIRM);
        releaseDialogPaintSet(dialog);
        return 0;
    case WM_ERASEBKGND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return paintDialog(dialog, message, wParam, lParam);
    }
    return 0;
}

} // namespace

INT_PTR runConfirmDialog(HWND owner)
{
    if (g_confirming) // never a second confirmation over the first
        return 0;
    g_confirming = true;
    g_ranOut = false;
    g_slept = false;
    INT_PTR result;
    {
        OtherWindowsHold others(owner); // a dialog open when the trigger fired waits
        result = runModalDialog(owner, IDD_CONFIRM, confirmDialogProc);
    }
    g_confirming = false;
    // Only the countdown's own end confirms: a dialog left because the
    // program ends, or one that never opened, does nothing.
    return result == 1 && g_ranOut ? 1 : 0;
}

bool confirmationSlept()
{
    return g_slept;
}
