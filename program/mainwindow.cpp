#include "program/mainwindow.h"

#include "base/platform.h"
#include "netwatch/winsock_session.h"
#include "power/keepawake.h"
#include "power/notify.h"
#include "power/power.h"
#include "power/sleepwatch.h"
#include "program/commands.h"
#include "program/tick.h"
#include "program/triggers.h"
#include "resources/resource.h"
#include "settings/autostart.h"
#include "settings/options.h"
#include "state/appstate.h"
#include "ui/display.h"
#include "ui/uistate.h"
#include "ui/face.h"
#include "ui/facehit.h"
#include "ui/menu.h"
#include "ui/modal.h"
#include "ui/placement.h"
#include "ui/skin.h"
#include "ui/spinner.h"
#include "ui/tray.h"

#include <windowsx.h>

namespace {

constexpr DWORD kDefaultTargetUnits = 200000000; // 20 s in 100 ns units
constexpr size_t kMaxScreens = 16;
constexpr UINT kDpiChangedMessage = 0x02E0; // WM_DPICHANGED, Windows 8.1 on

// The small icon is loaded as the window's own copy at the small-icon size
// of the window's DPI (the large one is the system's shared one), so the
// window gives it back when it goes or changes scale.
void releaseSmallIcon(HWND window)
{
    HICON small = reinterpret_cast<HICON>(SendMessageA(window, WM_SETICON, ICON_SMALL, 0));
    if (small != nullptr)
        DestroyIcon(small);
}

void setSmallIcon(HWND window)
{
    const int size = systemMetricFor(SM_CXSMICON, g_ui.dpi);
    HICON small = static_cast<HICON>(
        LoadImageA(g_app.instanceHandle, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, size, size, 0));
    releaseSmallIcon(window);
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void setWindowIcons(HWND window)
{
    setSmallIcon(window);
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

struct ScreenList {
    ScreenRect rects[kMaxScreens];
    size_t count;
};

BOOL CALLBACK addScreen(HANDLE, HDC, LPRECT rect, LPARAM list)
{
    ScreenList& screens = *reinterpret_cast<ScreenList*>(list);
    if (screens.count < kMaxScreens)
        screens.rects[screens.count++] = {rect->left, rect->top, rect->right, rect->bottom};
    return TRUE;
}

// Every monitor where the system can list them (Windows 98 and 2000 on), else
// the desktop window, which is the one screen there.
void listScreens(ScreenList& screens)
{
    screens.count = 0;
    using EnumMonitors = BOOL(WINAPI*)(HDC, LPCRECT, BOOL(CALLBACK*)(HANDLE, HDC, LPRECT, LPARAM), LPARAM);
    if (const auto enumMonitors = systemFunction<EnumMonitors>("user32.dll", "EnumDisplayMonitors"))
        enumMonitors(nullptr, nullptr, addScreen, reinterpret_cast<LPARAM>(&screens));
    if (screens.count == 0) {
        RECT desktop;
        GetWindowRect(GetDesktopWindow(), &desktop);
        addScreen(nullptr, nullptr, &desktop, reinterpret_cast<LPARAM>(&screens));
    }
}

// A stored position whose top bar no screen shows (a monitor unplugged,
// another screen set-up) is brought back where the user can reach it.
void keepOnScreen(HWND window)
{
    ScreenList screens;
    listScreens(screens);
    WindowRect32& r = g_app.options.windowRect;
    const WindowPosition place = placeOnScreen({r.left, r.top}, screens.rects, screens.count, g_ui.dpi);
    r.left = place.left;
    r.top = place.top;
    SetWindowPos(window, nullptr, r.left, r.top, facePixels(kFaceWidth), facePixels(kFaceHeight), SWP_NOZORDER);
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

LRESULT onCreate(HWND window)
{
    g_app.mainWindow = window;
    addTrayIcon(window);
    GetSystemMenu(window, TRUE);
    g_ui.dpi = windowDpi(window);
    setWindowIcons(window);
    createDisplayObjects(window);
    SetTimer(window, TIMER_TICK, 150, nullptr);
    setDefaultTarget();
    g_app.options.windowRect.left = kDefaultWindowPosition;
    g_app.options.windowRect.top = kDefaultWindowPosition;
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

// Exiting during the wait after notifying all windows cancels the action:
// the timer that would carry it out and its notice go with the program.
void cancelPendingPowerAction(HWND window)
{
    KillTimer(window, TIMER_NOTIFY_WAIT);
    if (g_app.waitDialog != nullptr) {
        DestroyWindow(g_app.waitDialog);
        g_app.waitDialog = nullptr;
    }
}

LRESULT onDestroy(HWND window)
{
    markProgramEnding(); // a dialog open under us now ends without acting
    // Cleaning up the library closes the socket of a ping in progress; the
    // thread is not waited for, but stops at its next pause.
    g_app.pingStop = 1;
    sharedSession.cleanup();
    removeTrayIcon(window);
    saveWindowAndOptions(window);
    releaseDisplayObjects();
    releaseSmallIcon(window);
    KillTimer(window, TIMER_TICK);
    cancelPendingPowerAction(window);
    giveBackKeepAwake();
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
    if (lParam != WM_LBUTTONDOWN && lParam != WM_RBUTTONDOWN)
        return 0;
    // With a dialog or box open the icon brings it forward, as the taskbar
    // does: the menu would open a second one over it.
    if (bringModalToFront())
        return 0;
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

POINT pointFrom(LPARAM lParam)
{
    // Signed: with the mouse captured, points left of or above the window
    // are negative.
    POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return p;
}

// A client point in pixels as a point of the face's 96-DPI layout, where
// every area is tested.
POINT facePoint(POINT client)
{
    return {faceUnit(client.x, g_ui.dpi), faceUnit(client.y, g_ui.dpi)};
}

// Applies `step` to the target's calendar fields; a result that is no date
// (31 February, a year before 1601) leaves the target as it was. The date is
// checked before the conversion too, because some systems' conversion rolls
// 29 February of a common year over into March instead of refusing it.
template <typename Step>
void changeTarget(Step step)
{
    SYSTEMTIME st;
    if (!FileTimeToSystemTime(&g_app.targetTime, &st))
        return;
    DateTime fields = toDateTime(st);
    step(fields);
    if (!isConvertibleDate(fields))
        return;
    const SYSTEMTIME changed = toSystemTime(fields);
    FILETIME result;
    if (SystemTimeToFileTime(&changed, &result))
        g_app.targetTime = result;
}

LRESULT onNcHitTest(HWND window, LPARAM lParam)
{
    POINT client = pointFrom(lParam);
    ScreenToClient(window, &client);
    const POINT p = facePoint(client);
    if (inDragBar(p.x, p.y)) {
        g_app.closeHover = 0;
        return HTCAPTION;
    }
    return HTCLIENT;
}

// The right button pressed on the top bar: taken here so that the default
// handling (which may track the press itself and swallow the release) never
// runs; the menu opens on the release.
LRESULT onNcRightButtonDown()
{
    return 0;
}

LRESULT onNcRightButtonUp(HWND window, LPARAM lParam)
{
    const POINT screen = pointFrom(lParam);
    showPopupMenu(window, &screen);
    return 0;
}

LRESULT onRightButtonUp(HWND window)
{
    showPopupMenu(window, nullptr);
    return 0;
}

LRESULT onMouseMove(HWND window, LPARAM lParam)
{
    const POINT p = facePoint(pointFrom(lParam));
    if (inSpinnerArea(p.x, p.y) && g_app.running == 0 && g_app.monitorActive == 0)
        SetCursor(faceCursor(FaceCursor::Arrow));
    g_app.closeHover = inCloseHover(p.x, p.y) ? 1 : 0;
    g_app.buttonHover = inStartButton(p.x, p.y) ? 1 : 0;
    return 0;
}

void onMenuIconClick(HWND window)
{
    const DWORD now = GetTickCount();
    if (now - g_app.lastIconClick < GetDoubleClickTime()) {
        SendMessageA(window, WM_DESTROY, 0, 0);
        return;
    }
    g_app.lastIconClick = now;
    showPopupMenuAtIcon(window);
}

// A digit arrow steps its field of the target; fast from the second repeat
// of a held arrow on.
void spinAt(const POINT& p)
{
    const SpinHit hit = spinnerHitAt(p.x, p.y);
    if (hit.field == SpinNone)
        return;
    g_app.spinnerHeld = 1;
    const bool fast = g_app.spinnerRepeat == 2;
    changeTarget([&](DateTime& d) {
        if (hit.row == SpinRowUp)
            spinUp(d, hit.field, fast);
        else
            spinDown(d, hit.field, fast);
    });
}

LRESULT onLeftButtonDown(HWND window, LPARAM lParam)
{
    const POINT client = pointFrom(lParam);
    const POINT p = facePoint(client);
    SetTimer(window, TIMER_SPIN_REPEAT, 500, nullptr);
    g_app.lastButtonDown = client; // sent again as it came
    SetCapture(window);
    if (inStartButton(p.x, p.y))
        g_app.buttonPressed = 1;
    if (inMenuIcon(p.x, p.y))
        onMenuIconClick(window);
    else if (inClosePress(p.x, p.y))
        g_app.closePressed = 1;
    if (g_app.running == 1 || g_app.monitorActive == 1)
        return 0;
    spinAt(p);
    return 0;
}

// The held arrow repeats its button-down every 500 ms.
void onSpinRepeat(HWND window)
{
    if (g_app.spinnerHeld != 1)
        return;
    if (g_app.spinnerRepeat < 2)
        ++g_app.spinnerRepeat;
    const POINT p = g_app.lastButtonDown;
    SendMessageA(window, WM_LBUTTONDOWN, 0, MAKELPARAM(p.x, p.y));
}

// The clock was set: the local offset is worked out afresh, and the jump is
// no sleep.
void onTimeChange()
{
    noteClockSet();
    forgetLocalTimeOffset();
}

LRESULT onTimer(HWND window, WPARAM id)
{
    switch (id) {
    case TIMER_NOTIFY_WAIT:
        endNotifyWait(window);
        break;
    case TIMER_SPIN_REPEAT:
        onSpinRepeat(window);
        break;
    default:
        tick(window);
        break;
    }
    return 0;
}

void endSpinRepeat(HWND window)
{
    KillTimer(window, TIMER_SPIN_REPEAT);
    g_app.spinnerRepeat = 0;
    g_app.spinnerHeld = 0;
}

LRESULT onLeftButtonUp(HWND window)
{
    ReleaseCapture();
    endSpinRepeat(window);
    if (g_app.buttonPressed == 1 && g_app.buttonHover == 1 && !modalOpen()) {
        toggleRunning(window);
    }
    if (g_app.closePressed == 1 && g_app.closeHover == 1)
        SendMessageA(window, WM_DESTROY, 0, 0);
    return 0;
}

// The button may never come up here once another window has the mouse (a
// capture taken elsewhere, Alt+Tab, or WM_CANCELMODE, whose default handling
// releases it): a held arrow must not go on repeating. The repeat's own
// SetCapture on this window changes nothing.
LRESULT onCaptureChanged(HWND window, LPARAM newCapture)
{
    if (reinterpret_cast<HWND>(newCapture) != window)
        endSpinRepeat(window);
    return 0;
}

// Keypad 1..6 move the target in every state, running or not.
LRESULT onKeyDown(WPARAM key)
{
    if (key < VK_NUMPAD1 || key > VK_NUMPAD6)
        return 0;
    const int digit = static_cast<int>(key - VK_NUMPAD0);
    changeTarget([digit](DateTime& d) { keypadStep(d, digit); });
    return 0;
}

// The window is now on a screen of another scale, or the scale was changed:
// everything drawn is made afresh for the new DPI, the window takes the place
// the system suggests at the face's size there, and the face is drawn once.
LRESULT onDpiChanged(HWND window, WPARAM wParam, LPARAM lParam)
{
    const int dpi = saneDpi(LOWORD(wParam));
    if (dpi != g_ui.dpi) {
        releaseDisplayObjects();
        g_ui.dpi = dpi;
        createDisplayObjects(window);
        loadSkin(window, g_app.options.skinName);
        setSmallIcon(window);
        updateTrayIcon(window);
    }
    // The face is a picture of its own size: the system's suggestion gives the
    // place (its size is the same, but for rounding); without one the window
    // stays where it is.
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    const UINT keepPlace = suggested != nullptr ? 0 : SWP_NOMOVE;
    SetWindowPos(window, nullptr, suggested != nullptr ? suggested->left : 0, suggested != nullptr ? suggested->top : 0,
                 facePixels(kFaceWidth), facePixels(kFaceHeight), SWP_NOZORDER | SWP_NOACTIVATE | keepPlace);
    presentFace(window, g_ui.shownFrame, FaceChange::Whole);
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
    case WM_NCHITTEST:      return onNcHitTest(window, lParam);
    case WM_NCRBUTTONDOWN:  return onNcRightButtonDown();
    case WM_NCRBUTTONUP:    return onNcRightButtonUp(window, lParam);
    case WM_RBUTTONUP:      return onRightButtonUp(window);
    case WM_TRAY_CALLBACK:  return onTrayCallback(window, lParam);
    case WM_MOUSEMOVE:      return onMouseMove(window, lParam);
    case WM_LBUTTONDOWN:    return onLeftButtonDown(window, lParam);
    case WM_TIMER:          return onTimer(window, wParam);
    case WM_LBUTTONUP:      return onLeftButtonUp(window);
    case WM_CAPTURECHANGED: return onCaptureChanged(window, lParam);
    case WM_KEYDOWN:        return onKeyDown(wParam);
    case WM_COMMAND:        dispatchCommand(window, wParam, lParam); return 0;
    case WM_TIMECHANGE:     onTimeChange(); break;
    case WM_SETTINGCHANGE:  forgetLocalTimeOffset(); break;
    case WM_ENDSESSION:     return onEndSession(window, wParam);
    case WM_POWERBROADCAST: return onPowerBroadcast(window, wParam);
    case WM_SETCURSOR:
        if (setFaceCursor(lParam))
            return TRUE;
        break;
    case kDpiChangedMessage: return onDpiChanged(window, wParam, lParam);
    }
    if (message != 0 && message == taskbarCreatedMessage())
        return onTaskbarCreated(window);
    return DefWindowProcA(window, message, wParam, lParam);
}
