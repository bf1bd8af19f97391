#include "settings/settings_dialog.h"

#include <commctrl.h>

#include "base/platform.h"
#include "settings/time_entry.h"
#include "ui/modal.h"

namespace {

// The up-down class lives in the common controls library, which only these
// dialogs need: it is loaded when the first of them opens, not at start-up,
// and stays loaded. Registering the classes once per process is enough.
void ensureCommonControls()
{
    static bool registered = false;
    if (registered)
        return;
    using InitFunction = void(WINAPI*)();
    InitFunction init;
    if (bindFunction(loadCommonControls(), "InitCommonControls", init)) {
        init();
        registered = true;
    }
}

} // namespace

INT_PTR runSettingsDialog(HWND owner, int templateId, DLGPROC procedure)
{
    ensureCommonControls();
    return runModalDialog(owner, templateId, procedure);
}

void initInvertedSpinner(HWND dialog, int editId, int spinId, int maximum, UINT value)
{
    // Lower end = maximum, upper end = 0: the up arrow moves towards 0.
    SendDlgItemMessageA(dialog, spinId, UDM_SETRANGE, 0, MAKELPARAM(0, maximum));
    SendDlgItemMessageA(dialog, spinId, UDM_SETPOS, 0, MAKELPARAM(spinnerPositionFor(maximum, value), 0));
    SetDlgItemInt(dialog, editId, value, FALSE);
}

bool showInvertedSpinnerValue(HWND dialog, int editId, int spinId, int maximum, WPARAM wParam, LPARAM lParam)
{
    HWND sender = reinterpret_cast<HWND>(lParam);
    if (sender == nullptr || sender != GetDlgItem(dialog, spinId))
        return false;
    const int position = static_cast<short>(HIWORD(wParam));
    SetDlgItemInt(dialog, editId, spinnerValueAt(maximum, position), FALSE);
    return true;
}

UINT readUnsignedField(HWND dialog, int editId)
{
    return GetDlgItemInt(dialog, editId, nullptr, FALSE);
}
