#include "ui/tray.h"

#include "base/platform.h"
#include "base/sjistext.h"
#include "resources/resource.h"
#include "state/appstate.h"

namespace {

// The first form of the record, understood by every system: 88 bytes on
// 32-bit Windows, 104 on 64-bit.
constexpr DWORD kTrayRecordSize = NOTIFYICONDATAA_V1_SIZE;
static_assert(sizeof(void*) != 4 || kTrayRecordSize == 88, "NOTIFYICONDATAA layout");
const char kTrayTip[] = "Noctil.";

NotifyIconFunction g_notifyIcon = Shell_NotifyIconA;

HICON loadStateIcon()
{
    const int id = g_app.running ? IDI_TRAY_RUNNING : IDI_TRAY_STOPPED;
    // The notification area is drawn at the system's scale: its small-icon
    // size (16 at 96 DPI, 24 at 144, 32 at 192).
    const int size = systemMetric(SM_CXSMICON);
    return static_cast<HICON>(LoadImageA(g_app.instanceHandle, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

NOTIFYICONDATAA baseRecord(HWND window)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = kTrayRecordSize;
    data.hWnd = window;
    data.uID = TRAY_ICON_ID;
    return data;
}

} // namespace

void addTrayIcon(HWND window)
{
    HICON icon = loadStateIcon();
    if (icon == nullptr)
        return;
    NOTIFYICONDATAA data = baseRecord(window);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAY_CALLBACK;
    data.hIcon = icon;
    copyText(data.szTip, sizeof data.szTip, kTrayTip);
    g_app.trayIconAdded = g_notifyIcon(NIM_ADD, &data) ? 1 : 0;
    DestroyIcon(icon);
}

void updateTrayIcon(HWND window)
{
    HICON icon = loadStateIcon();
    NOTIFYICONDATAA data = baseRecord(window);
    data.uFlags = NIF_ICON | NIF_TIP;
    data.hIcon = icon;
    copyText(data.szTip, sizeof data.szTip, kTrayTip);
    g_notifyIcon(NIM_MODIFY, &data);
    if (icon != nullptr)
        DestroyIcon(icon);
}

void removeTrayIcon(HWND window)
{
    NOTIFYICONDATAA data = baseRecord(window);
    g_notifyIcon(NIM_DELETE, &data);
    g_app.trayIconAdded = 0;
}

void restoreTrayIcon(HWND window)
{
    // The new taskbar has none of the old icons, whether our first add
    // succeeded or not.
    addTrayIcon(window);
}

UINT taskbarCreatedMessage()
{
    static UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void setNotifyIconForTest(NotifyIconFunction notify)
{
    g_notifyIcon = notify != nullptr ? notify : Shell_NotifyIconA;
}
