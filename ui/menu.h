// The popup menu of all commands.
#pragma once
#include <windows.h>

#include <cstdint>

// The menu's power-action entries and the action each chooses (the menu
// checks the entry of the current one).
struct PowerActionCommand {
    UINT id;
    int32_t action;
};
extern const PowerActionCommand kPowerActionCommands[5];

// Skin entries of the skin sub-menu: one id per skin directory, in
// enumeration order. Directories beyond the hundredth get no entry.
constexpr int kMaxSkinEntries = 100;

// Opens the menu at `screenPoint`, or at the cursor when it is null.
void showPopupMenu(HWND window, const POINT* screenPoint);
// Opens the menu just below the menu icon of the face.
void showPopupMenuAtIcon(HWND window);

// Loads menu 102 afresh and prepares popup 0 (skin entries, check marks) as it
// is shown. The caller owns the returned menu and destroys it; the popup is
// GetSubMenu(menu, 0).
HMENU buildPopupMenu(HWND window);

