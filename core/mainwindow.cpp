#include "core/mainwindow.h"

#include "core/appstate.h"
#include "core/commands.h"
#include "core/firing.h"
#include "core/tick.h"
#include "netwatch/winsock_session.h"
#include "power/power.h"
#include "resources/resource.h"
#include "settings/autostart.h"
#include "settings/options.h"
#include "ui/display.h"
#include "ui/menu.h"
#include "ui/skin.h"
#include "ui/tray.h"

namespace {

constexpr DWORD kDefaultTargetUnits = 200000000; // 20 s in 100 ns units
constexpr int kDefaultPosition = 100;

void setWindowIcons(HWND window)
{
    HICON small = static_cast<HICON>(
        LoadImageA(g_app.instanceHandle, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 16, 16, 0));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    HICON big = LoadIconA(g_app.instanceHandle, MAKEINTRESOURCEA(IDI_PROGRAM));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
}

void setDefaultTarget()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    SystemTimeToFileTime(&now, &g_app.targetTime);
    addFileTime(g_app.targetTime, kDefaultTargetUnits);
}

// A stored position beyond the desktop's right or bottom edge (another screen
// set-up) is put back where a new window would open.
void keepOnScreen(HWND window)
{
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    WindowRect32& r = g_app.options.windowRect;
    if (r.left > desktop.right)
        r.left = kDefaultPosition;
    if (r.top > desktop.bottom)
        r.top = kDefaultPosition;
    SetWindowPos(window, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void armStartupTrigger(HWND window)
{
    if (g_app.startHour >= 0 && g_app.startHour <= 23) {
        armClockTime(g_app.startHour, 0);
        if (g_app.startInTray == 1)
            PostMessageA(window, WM_COMMAND, IDM_TRAY, 0);
    } else {
        armAutoStart();
    }
}

void storeWindowRect(HWND window)
{
    RECT r;
    if (GetWindowRect(window, &r)) {
        g_app.options.windowRect = {r.left, r.top, r.right, r.bottom};
    }
}

LRESULT onCreate(HWND window)
{
    g_app.mainWindow = window;
    addTrayIcon(window);
    GetSystemMenu(window, TRUE);
    setWindowIcons(window);
    createDisplayObjects(window);
    SetTimer(window, TIMER_TICK, 150, nullptr);
    setDefaultTarget();
    g_app.options.windowRect.left = kDefaultPosition;
    g_app.options.windowRect.top = kDefaultPosition;
    loadOptions();
    if (g_app.options.alwaysOnTop)
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    keepOnScreen(window);
    g_app.activationGuard = 0;
    loadSkin(window, g_app.options.skinName);
    tick(window);
    armStartupTrigger(window);
    return 0;
}

LRESULT onDestroy(HWND window)
{
    sharedSession.cleanup();
    removeTrayIcon(window);
    storeWindowRect(window);
    saveOptions();
    releaseDisplayObjects();
    KillTimer(window, TIMER_TICK);
    PostQuitMessage(0);
    return 0;
}

LRESULT onActivate(HWND window, WPARAM wParam)
{
    if (LOWORD(wParam) == WA_ACTIVE && g_app.activationGuard == 0)
        ShowWindow(window, SW_SHOW);
    return 0;
}

LRESULT onPaint(HWND window)
{
    paintDisplay(window);
    return 0;
}

LRESULT onTrayCallback(HWND window, LPARAM lParam)
{
    switch (lParam) {
    case WM_LBUTTONDOWN:
        g_app.trayMode = 0;
        ShowWindow(window, SW_SHOW);
        break;
    case WM_RBUTTONDOWN:
        showPopupMenu(window, nullptr);
        break;
    }
    return 0;
}

LRESULT onTimer(HWND window, WPARAM id)
{
    switch (id) {
    case TIMER_NOTIFY_WAIT:
        KillTimer(window, TIMER_NOTIFY_WAIT);
        DestroyWindow(g_app.waitDialog);
        g_app.waitDialog = nullptr;
        performPowerAction(g_app.pendingExitFlags, window);
        break;
    case TIMER_SPIN_REPEAT:
        break;
    default:
        tick(window);
        break;
    }
    return 0;
}

LRESULT onTaskbarCreated(HWND window)
{
    restoreTrayIcon(window);
    return 0;
}

} // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:         return onCreate(window);
    case WM_DESTROY:        return onDestroy(window);
    case WM_ACTIVATE:       return onActivate(window, wParam);
    case WM_PAINT:          return onPaint(window);
    case WM_TRAY_CALLBACK:  return onTrayCallback(window, lParam);
    case WM_TIMER:          return onTimer(window, wParam);
    case WM_COMMAND:        dispatchCommand(window, wParam, lParam); return 0;
    case WM_ENDSESSION:     return onEndSession(window, wParam);
    }
    if (message != 0 && message == taskbarCreatedMessage())
        return onTaskbarCreated(window);
    return DefWindowProcA(window, message, wParam, lParam);
}
