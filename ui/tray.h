// The notification-area icon: its picture tells whether a trigger is armed.
#pragma once
#include <windows.h>

void addTrayIcon(HWND window);
void updateTrayIcon(HWND window);
void removeTrayIcon(HWND window);

// The taskbar was re-created (Explorer restarted): our icon is gone, add it again.
void restoreTrayIcon(HWND window);

// The registered "TaskbarCreated" message (0 if it could not be registered).
UINT taskbarCreatedMessage();

// The call that hands the icon to the shell. Tests put a recorder here that
// looks at each picture and tip; null restores the shell's own.
using NotifyIconFunction = BOOL(WINAPI*)(DWORD message, NOTIFYICONDATAA* data);
void setNotifyIconForTest(NotifyIconFunction notify);
