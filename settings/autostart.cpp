#include "settings/autostart.h"

#include "base/sjistext.h"
#include "resources/resource.h"
#include "settings/autostart_logic.h"
#include "settings/settings_dialog.h"
#include "settings/time_entry.h"
#include "state/appstate.h"

namespace {

// Both countdown fields of this dialog take 0..99.
constexpr int kCountdownFieldMaximum = 99;


// noctil.ini in the program directory; false (and an empty path) when it
// does not fit.
bool autoStartFilePath(char* path, size_t size)
{
    if (copyText(path, size, g_app.programDirectory) && appendText(path, size, kAutoStartFileName))
        return true;
    if (size != 0)
        path[0] = '\0';
    return false;
}

constexpr size_t kPathSize = sizeof(AppState::programDirectory) + sizeof(kAutoStartFileName);

void readProfileKey(void* context, const char* key, const char* fallback, char* out, size_t size)
{
    const char* path = static_cast<const char*>(context);
    if (path[0] == '\0') { // no usable path: the defaults, never some other file
        copyText(out, size, fallback);
        return;
    }
    GetPrivateProfileStringA(kAutoStartSection, key, fallback, out, static_cast<DWORD>(size), path);
}

void writeProfileKey(void* context, const char* key, const char* value)
{
    WritePrivateProfileStringA(kAutoStartSection, key, value, static_cast<const char*>(context));
}

int radioFor(AutoStartKind kind)
{
    switch (kind) {
    case AutoStartKind::ClockTime: return IDC_AUTO_TIME;
    case AutoStartKind::Countdown: return IDC_AUTO_COUNTDOWN;
    case AutoStartKind::Network:   return IDC_AUTO_NETWORK;
    case AutoStartKind::None:      break;
    }
    return IDC_AUTO_NONE;
}

AutoStartKind checkedKind(HWND dialog)
{
    if (IsDlgButtonChecked(dialog, IDC_AUTO_TIME) == BST_CHECKED)
        return AutoStartKind::ClockTime;
    if (IsDlgButtonChecked(dialog, IDC_AUTO_COUNTDOWN) == BST_CHECKED)
        return AutoStartKind::Countdown;
    if (IsDlgButtonChecked(dialog, IDC_AUTO_NETWORK) == BST_CHECKED)
        return AutoStartKind::Network;
    return AutoStartKind::None;
}

void initAutoStartDialog(HWND dialog)
{
    char path[kPathSize];
    autoStartFilePath(path, sizeof path); // an empty path reads the defaults
    const AutoStartForm form = readAutoStartForm(readProfileKey, path);
    CheckRadioButton(dialog, IDC_AUTO_TIME, IDC_AUTO_NONE, radioFor(form.kind));
    SetDlgItemTextA(dialog, IDC_AUTO_HOST, form.host);
    initInvertedSpinner(dialog, IDC_AUTO_CD_HOURS, IDC_AUTO_CD_HOURS_SPIN, kCountdownFieldMaximum,
                        form.countdownHours);
    initInvertedSpinner(dialog, IDC_AUTO_CD_MINUTES, IDC_AUTO_CD_MINUTES_SPIN, kCountdownFieldMaximum,
                        form.countdownMinutes);
    initInvertedSpinner(dialog, IDC_AUTO_HOUR, IDC_AUTO_HOUR_SPIN, kHourMaximum, form.hour);
    initInvertedSpinner(dialog, IDC_AUTO_MINUTE, IDC_AUTO_MINUTE_SPIN, kMinuteMaximum, form.minute);
}

void confirmAutoStartDialog(HWND dialog)
{
    AutoStartForm form = {};
    form.kind = checkedKind(dialog);
    GetDlgItemTextA(dialog, IDC_AUTO_HOST, form.host, sizeof form.host);
    form.countdownHours = readUnsignedField(dialog, IDC_AUTO_CD_HOURS);
    form.countdownMinutes = readUnsignedField(dialog, IDC_AUTO_CD_MINUTES);
    form.hour = readUnsignedField(dialog, IDC_AUTO_HOUR);
    form.minute = readUnsignedField(dialog, IDC_AUTO_MINUTE);
    char path[kPathSize];
    // Without a usable path nothing is written: an empty name would put the
    // file into the Windows directory.
    if (autoStartFilePath(path, sizeof path))
        writeAutoStartForm(form, writeProfileKey, path);
    EndDialog(dialog, 0);
}

void onAutoStartSpinner(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    struct Pair { int edit, spin, maximum; };
    static const Pair pairs[] = {
        {IDC_AUTO_CD_HOURS, IDC_AUTO_CD_HOURS_SPIN, kCountdownFieldMaximum},
        {IDC_AUTO_CD_MINUTES, IDC_AUTO_CD_MINUTES_SPIN, kCountdownFieldMaximum},
        {IDC_AUTO_HOUR, IDC_AUTO_HOUR_SPIN, kHourMaximum},
        {IDC_AUTO_MINUTE, IDC_AUTO_MINUTE_SPIN, kMinuteMaximum},
    };
    for (const Pair& pair : pairs) {
        if (showInvertedSpinnerValue(dialog, pair.edit, pair.spin, pair.maximum, wParam, lParam))
            return;
    }
}

INT_PTR CALLBACK autoStartDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        initAutoStartDialog(dialog);
        break;
    case WM_VSCROLL:
        onAutoStartSpinner(dialog, wParam, lParam);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            confirmAutoStartDialog(dialog);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 0);
        break;
    }
    return 0;
}

} // namespace

AutoStartPlan readAutoStartPlan()
{
    char path[kPathSize];
    if (!autoStartFilePath(path, sizeof path))
        return {}; // no file to read: as after a start without auto-start
    return planAutoStart(readProfileKey, path);
}

INT_PTR runAutoStartDialog(HWND owner)
{
    runSettingsDialog(owner, IDD_AUTOSTART, autoStartDialogProc);
    return 0;
}
