#include "program/commands.h"

#include "base/platform.h"
#include "netwatch/hostdialog.h"
#include "power/power.h"
#include "power/powerflags.h"
#include "program/triggers.h"
#include "resources/resource.h"
#include "settings/autostart.h"
#include "settings/trigger_dialogs.h"
#include "state/appstate.h"
#include "ui/about.h"
#include "ui/menu.h"
#include "ui/modal.h"
#include "ui/skin.h"
#include "winwatch/picker.h"

namespace {

// The dispatch works on a local date-time copy of targetTime: the hour presets
// change only the copy, which is stored back when the command is done.
struct Dispatch {
    HWND window;
    SYSTEMTIME target;

    // Commands that set targetTime themselves (or open a modal dialog, in
    // whose message loop anything may have set it) take it up again, so that
    // the store-back keeps their target.
    void reloadTarget() { FileTimeToSystemTime(&g_app.targetTime, &target); }
    void storeTarget() { SystemTimeToFileTime(&target, &g_app.targetTime); }
};

struct HourPreset {
    UINT id;
    int hour;
};

const HourPreset kHourPresets[] = {
    {IDM_PRESET_AM0, 0},  {IDM_PRESET_AM3, 3},  {IDM_PRESET_AM6, 6},  {IDM_PRESET_AM9, 9},
    {IDM_PRESET_PM0, 12}, {IDM_PRESET_PM3, 15}, {IDM_PRESET_PM6, 18}, {IDM_PRESET_PM9, 21},
};

const char kForceIfHungQuestion[] = "この機能はWindows2000でのみ使用できます。\r\n続行しますか？";
const char kForceIfHungCaption[] = "EWX_FORCEIFHUNG";

void flip(int32_t& flag)
{
    flag = !flag;
}

// The preset only prepares the clock target when another trigger is active:
// monitorActive and monitorMode stay as they are.
void onHourPreset(Dispatch& d, int hour)
{
    armClockTime(hour, 0);
    d.reloadTarget();
}

// A trigger fired while the dialog was open: what it chose is not armed,
// whichever way the confirmation ended.
struct FiringWatch {
    int32_t firings = g_app.firings;
    bool firedSince() const { return g_app.firings != firings; }
};

void onClockTime(Dispatch& d)
{
    stopClock(d.window);
    const FiringWatch watch;
    if (runClockTimeDialog(d.window) == 1 && !watch.firedSince())
        armClockTime(g_app.options.clockHour, g_app.options.clockMinute);
    d.reloadTarget();
}

// Nothing is stopped before the dialog: cancelling it leaves the current
// trigger running.
void onCountdown(Dispatch& d)
{
    const FiringWatch watch;
    const INT_PTR seconds = runCountdownDialog(d.window);
    d.reloadTarget();
    if (seconds > 0 && !watch.firedSince())
        armCountdown(static_cast<uint32_t>(seconds));
}

// The running watch is asked to stop before the dialog opens, so that
// cancelling it leaves everything stopped.
void onNetworkWatch(Dispatch& d)
{
    stopTriggers(d.window);
    const FiringWatch watch;
    if (runHostDialog(d.window) == 1 && !watch.firedSince()) // not when it failed to open or was left by Exit
        armNetwork(d.window);
    d.reloadTarget();
}

void onWindowWatch(Dispatch& d)
{
    stopTriggers(d.window);
    g_app.watchedWindow = nullptr;
    const FiringWatch watch;
    const WindowWatchChoice choice = runWindowPicker(d.window);
    d.reloadTarget();
    if (choice.window != nullptr && !watch.firedSince())
        armWindowWatch(d.window, choice.window, choice.mode);
}

void onAlwaysOnTop(HWND window)
{
    flip(g_app.options.alwaysOnTop);
    SetWindowPos(window, g_app.options.alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

void onTrayToggle(HWND window)
{
    ShowWindow(window, g_app.trayMode ? SW_SHOW : SW_HIDE);
    flip(g_app.trayMode);
}

void toggleForceIfHung()
{
    flipForceOption(g_app.options.forceIfHung, g_app.options.forceAction);
}

// The flag is only honoured by the NT family (Windows 2000 and later); on
// Windows 95, 98 and Me the user is asked before it is switched on.
void onForceIfHung(HWND window)
{
    if (isNtPlatform() || g_app.options.forceIfHung == 1) {
        toggleForceIfHung();
        return;
    }
    if (showMessageBox(window, kForceIfHungQuestion, kForceIfHungCaption, MB_OKCANCEL | MB_ICONQUESTION) == IDOK)
        toggleForceIfHung();
    else
        g_app.options.forceIfHung = 0;
}

void onAbout(Dispatch& d)
{
    {
        ActivationHold hold;
        runAboutDialog(d.window);
    }
    d.reloadTarget();
}

bool runHourPreset(Dispatch& d, UINT id)
{
    for (const HourPreset& preset : kHourPresets) {
        if (preset.id == id) {
            onHourPreset(d, preset.hour);
            return true;
        }
    }
    return false;
}

bool choosePowerAction(HWND window, UINT id)
{
    for (const PowerActionCommand& command : kPowerActionCommands) {
        if (command.id == id) {
            g_app.options.powerAction = command.action;
            warnIfPowerActionMissing(window, command.action);
            return true;
        }
    }
    return false;
}

} // namespace

void dispatchCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    // While a dialog or box is open only Exit is taken: the rest could open a
    // second one or arm a trigger under it (the menu cannot open then, but a
    // command can still be sent).
    if (modalOpen() && id != IDM_EXIT)
        return;
    Dispatch d = {window, {}};
    d.reloadTarget();

    switch (id) {
    case IDM_EXIT:
        SendMessageA(window, WM_DESTROY, 0, 0);
        break;
    case IDM_SET_8AM:
        armClockTime(8, 0);
        d.reloadTarget();
        break;
    case IDM_CLOCK_TIME:
        onClockTime(d);
        break;
    case IDM_COUNTDOWN:
        onCountdown(d);
        break;
    case IDM_NETWORK_WATCH:
        onNetworkWatch(d);
        break;
    case IDM_WINDOW_WATCH:
        onWindowWatch(d);
        break;
    case IDM_START:
        toggleRunning(window);
        break;
    case IDM_STOP:
        stopTriggers(window);
        break;
    case IDM_ALWAYS_ON_TOP:
        onAlwaysOnTop(window);
        break;
    case IDM_SILENT:
        flip(g_app.options.silent);
        break;
    case IDM_TRAY:
        onTrayToggle(window);
        break;
    case IDM_FORCE:
        flipForceOption(g_app.options.forceAction, g_app.options.forceIfHung);
        break;
    case IDM_NOTIFY_BEFORE_FORCE:
        flip(g_app.notifyBeforeForce);
        break;
    case IDM_FORCE_IF_HUNG:
        onForceIfHung(window);
        break;
    case IDM_SKIN_BUILTIN:
        loadSkin(window, "");
        break;
    case IDM_ABOUT:
        onAbout(d);
        break;
    case IDM_HELP:
        openHelpFile();
        break;
    case IDM_AUTOSTART:
        runAutoStartDialog(window);
        d.reloadTarget();
        break;
    default:
        if (id >= IDM_SKIN_FIRST && id <= IDM_SKIN_LAST)
            selectSkinByIndex(window, static_cast<int>(id - IDM_SKIN_FIRST));
        else if (!choosePowerAction(window, id))
            runHourPreset(d, id);
        break;
    }

    d.storeTarget();
}
