#include "ui/menu.h"

#include <cstring>

#include "base/platform.h"
#include "base/sjistext.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "ui/display.h"
#include "ui/skin.h"

const PowerActionCommand kPowerActionCommands[5] = {
    {IDM_SHUTDOWN, Shutdown}, {IDM_REBOOT, Reboot}, {IDM_STANDBY, Standby},
    {IDM_HIBERNATE, Hibernate}, {IDM_LOGOFF, Logoff},
};

namespace {

// The first form of the record (without hbmpItem), which every system
// understands: 44 bytes on 32-bit Windows, 72 on 64-bit.
constexpr UINT kMenuItemInfoSize = offsetof(MENUITEMINFOA, hbmpItem);
static_assert(sizeof(void*) != 4 || kMenuItemInfoSize == 44, "MENUITEMINFOA layout");

// Client point of the face just below the menu icon.
constexpr POINT kIconMenuPoint = {2, 12};

struct CheckRow {
    UINT id;
    bool checked;
};

struct FillContext {
    HMENU popup;
};

bool insertSkinEntry(void* context, int index, const char* directoryName)
{
    if (index >= kMaxSkinEntries)
        return false;
    HMENU popup = static_cast<FillContext*>(context)->popup;
    char displayName[256];
    readSkinDisplayName(directoryName, displayName, sizeof displayName);

    MENUITEMINFOA item = {};
    item.cbSize = kMenuItemInfoSize;
    item.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE | MIIM_DATA;
    item.fType = MFT_STRING;
    item.fState = std::strcmp(directoryName, g_app.options.skinName) == 0 ? MFS_CHECKED : 0;
    item.wID = IDM_SKIN_FIRST + index;
    item.dwTypeData = displayName;
    // Before [Noctil!] by command, so the skins keep their order above it.
    InsertMenuItemA(popup, IDM_SKIN_BUILTIN, FALSE, &item);
    return true;
}

void checkItem(HMENU popup, UINT id, bool checked)
{
    CheckMenuItem(popup, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

POINT cursorPoint()
{
    POINT point = {};
    GetCursorPos(&point);
    return point;
}

void trackAt(HWND window, POINT point)
{
    HMENU menu = buildPopupMenu(window);
    if (menu == nullptr)
        return;
    // Without the foreground the menu would stay open after a click elsewhere
    // (notably when opened from the notification area); the posted null
    // message lets the next one to the window close it properly. Taking the
    // foreground activates the window, which must stay hidden if it is.
    ActivationHold hold;
    SetForegroundWindow(window);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_RIGHTBUTTON, point.x, point.y, 0, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

// Inserts one entry per skin directory before [Noctil!]. Returns 0.
int fillSkinMenu(HMENU popup)
{
    FillContext context = {popup};
    forEachSkinDirectory(insertSkinEntry, &context);
    return 0;
}

// Checks the entries that match the options and the application state.
void setMenuChecks(HMENU popup)
{
    const Options& o = g_app.options;
    const CheckRow rows[] = {
        {IDM_ALWAYS_ON_TOP, o.alwaysOnTop != 0},
        {IDM_FORCE, o.forceAction != 0},
        {IDM_NOTIFY_BEFORE_FORCE, g_app.notifyBeforeForce != 0},
        {IDM_FORCE_IF_HUNG, o.forceIfHung != 0},
        {IDM_SILENT, o.silent != 0},
        {IDM_TRAY, g_app.trayMode != 0},
        {IDM_START, g_app.running != 0},
        {IDM_STOP, g_app.running == 0},
        {IDM_SKIN_BUILTIN, o.skinName[0] == '\0'},
    };
    for (const CheckRow& row : rows)
        checkItem(popup, row.id, row.checked);
    for (const PowerActionCommand& command : kPowerActionCommands)
        checkItem(popup, command.id, o.powerAction == command.action);
}

} // namespace

HMENU buildPopupMenu(HWND window)
{
    HMENU menu = LoadMenuA(instanceOf(window), MAKEINTRESOURCEA(IDR_POPUP_MENU));
    if (menu == nullptr)
        return nullptr;
    HMENU popup = GetSubMenu(menu, 0);
    fillSkinMenu(popup);
    setMenuChecks(popup);
    return menu;
}

void showPopupMenu(HWND window, const POINT* screenPoint)
{
    trackAt(window, screenPoint != nullptr ? *screenPoint : cursorPoint());
}

void showPopupMenuAtIcon(HWND window)
{
    POINT point = {facePixels(kIconMenuPoint.x), facePixels(kIconMenuPoint.y)};
    ClientToScreen(window, &point);
    trackAt(window, point);
}
