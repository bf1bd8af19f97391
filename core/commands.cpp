#include "core/commands.h"

#include "core/appstate.h"
#include "resources/resource.h"
#include "ui/tray.h"

namespace {

void onTrayToggle(HWND window)
{
    ShowWindow(window, g_app.trayMode ? SW_SHOW : SW_HIDE);
    g_app.trayMode = !g_app.trayMode;
}

} // namespace

void dispatchCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDM_EXIT:
        SendMessageA(window, WM_DESTROY, 0, 0);
        break;
    case IDM_START:
        toggleRunning(window);
        updateTrayIcon(window);
        break;
    case IDM_STOP:
        g_app.running = 0;
        g_app.monitorActive = 0;
        updateTrayIcon(window);
        g_app.pingStop = 1;
        break;
    case IDM_TRAY:
        onTrayToggle(window);
        break;
    }
}
