#include "netwatch/hostdialog.h"

#include "resources/resource.h"
#include "state/appstate.h"
#include "ui/modal.h"

namespace {

// The current host, wholly selected, so that typing replaces it at once.
void onInitDialog(HWND dialog)
{
    SetDlgItemTextA(dialog, IDC_NET_HOST, g_app.options.hostName);
    HWND edit = GetDlgItem(dialog, IDC_NET_HOST);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, GetWindowTextLengthA(edit));
}

// The text is stored as it stands, empty or not: it is only resolved when
// each request is sent.
void onOk(HWND dialog)
{
    GetDlgItemTextA(dialog, IDC_NET_HOST, g_app.options.hostName, sizeof g_app.options.hostName);
    EndDialog(dialog, 1);
}

void onCommand(HWND dialog, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        onOk(dialog);
        break;
    case IDCANCEL:
        EndDialog(dialog, 0);
        break;
    }
}

INT_PTR CALLBACK hostDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog(dialog);
        break;
    case WM_COMMAND:
        onCommand(dialog, wParam);
        break;
    }
    return 0;
}

} // namespace

INT_PTR runHostDialog(HWND owner)
{
    return runModalDialog(owner, IDD_NETWORK, hostDialogProc);
}
