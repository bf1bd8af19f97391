// The menu command dispatch of the main window.
#pragma once
#include <windows.h>

#include <cstdint>

void dispatchCommand(HWND window, WPARAM wParam, LPARAM lParam);

// The menu's power-action entries and the action each chooses (the menu
// checks the entry of the current one).
struct PowerActionCommand {
    UINT id;
    int32_t action;
};
extern const PowerActionCommand kPowerActionCommands[5];
