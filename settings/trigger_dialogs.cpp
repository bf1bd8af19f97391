#include "settings/trigger_dialogs.h"

#include "resources/resource.h"
#include "settings/settings_dialog.h"
#include "settings/time_entry.h"
#include "state/appstate.h"

int32_t countdownHours = 1;
int32_t countdownMinutes = 0;

namespace {

void initClockTime(HWND dialog)
{
    initInvertedSpinner(dialog, IDC_CT_HOUR, IDC_CT_HOUR_SPIN, kHourMaximum,
                        static_cast<UINT>(g_app.options.clockHour));
    initInvertedSpinner(dialog, IDC_CT_MINUTE, IDC_CT_MINUTE_SPIN, kMinuteMaximum,
                        static_cast<UINT>(g_app.options.clockMinute));
}

void confirmClockTime(HWND dialog)
{
    const UINT hour = readUnsignedField(dialog, IDC_CT_HOUR);
    const UINT minute = readUnsignedField(dialog, IDC_CT_MINUTE);
    // Kept even when out of range, so the next opening shows what was typed.
    g_app.options.clockHour = static_cast<int32_t>(hour);
    g_app.options.clockMinute = static_cast<int32_t>(minute);
    EndDialog(dialog, isClockTime(hour, minute) ? 1 : 0);
}

INT_PTR CALLBACK clockTimeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        initClockTime(dialog);
        break;
    case WM_VSCROLL:
        if (!showInvertedSpinnerValue(dialog, IDC_CT_HOUR, IDC_CT_HOUR_SPIN, kHourMaximum, wParam, lParam))
            showInvertedSpinnerValue(dialog, IDC_CT_MINUTE, IDC_CT_MINUTE_SPIN, kMinuteMaximum, wParam, lParam);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            confirmClockTime(dialog);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 0);
        break;
    }
    return 0;
}

void initCountdown(HWND dialog)
{
    initInvertedSpinner(dialog, IDC_CD_HOURS, IDC_CD_HOURS_SPIN, kCountdownHourMaximum,
                        static_cast<UINT>(countdownHours));
    initInvertedSpinner(dialog, IDC_CD_MINUTES, IDC_CD_MINUTES_SPIN, kMinuteMaximum,
                        static_cast<UINT>(countdownMinutes));
}

void confirmCountdown(HWND dialog)
{
    const UINT hours = readUnsignedField(dialog, IDC_CD_HOURS);
    const UINT minutes = readUnsignedField(dialog, IDC_CD_MINUTES);
    countdownHours = static_cast<int32_t>(hours);
    countdownMinutes = static_cast<int32_t>(minutes);
    EndDialog(dialog, static_cast<INT_PTR>(countdownSecondsFor(hours, minutes)));
}

INT_PTR CALLBACK countdownDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        initCountdown(dialog);
        break;
    case WM_VSCROLL:
        if (!showInvertedSpinnerValue(dialog, IDC_CD_HOURS, IDC_CD_HOURS_SPIN, kCountdownHourMaximum, wParam,
                                      lParam))
            showInvertedSpinnerValue(dialog, IDC_CD_MINUTES, IDC_CD_MINUTES_SPIN, kMinuteMaximum, wParam, lParam);
        break;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDOK) {
            confirmCountdown(dialog);
        } else if (id == IDCANCEL) {
            EndDialog(dialog, 0);
        } else if (const uint32_t preset = countdownPresetSeconds(id)) {
            // A preset ends at once; the fields are not kept.
            EndDialog(dialog, static_cast<INT_PTR>(preset));
        }
        break;
    }
    }
    return 0;
}

} // namespace

void resetCountdownEntry()
{
    countdownHours = 1;
    countdownMinutes = 0;
}

INT_PTR runClockTimeDialog(HWND owner)
{
    return runSettingsDialog(owner, IDD_CLOCK_TIME, clockTimeDialogProc);
}

INT_PTR runCountdownDialog(HWND owner)
{
    return runSettingsDialog(owner, IDD_COUNTDOWN, countdownDialogProc);
}
