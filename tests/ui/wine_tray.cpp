// The notification-area icon: present for the main window's whole life, two
// pictures, and back after the taskbar is re-created.
#include <gtest/gtest.h>

#include "core/appstate.h"
#include "resources/resource.h"
#include "tests/support/wine_support.h"
#include "ui/tray.h"

namespace {

// The shell refuses a second add of an icon it already shows, so a probing add
// tells whether our icon is there (and is removed again if it was not).
bool trayIconPresent(HWND window)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = 88;
    data.hWnd = window;
    data.uID = TRAY_ICON_ID;
    if (!Shell_NotifyIconA(NIM_ADD, &data))
        return true;
    Shell_NotifyIconA(NIM_DELETE, &data);
    return false;
}

class TrayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgramForTest();
        window = createMainWindowForTest();
        ASSERT_NE(nullptr, window);
    }
    void TearDown() override { destroyMainWindowForTest(window); }
    HWND window = nullptr;
};

TEST(TrayIcons, BothPicturesAre16x16)
{
    for (int id : {IDI_TRAY_STOPPED, IDI_TRAY_RUNNING, IDI_PROGRAM}) {
        HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
        ASSERT_NE(nullptr, icon) << "icon " << id << " error " << GetLastError();
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm = {};
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
        EXPECT_EQ(16, bm.bmWidth) << "icon " << id;
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST_F(TrayTest, PresentFromCreationToDestruction)
{
    EXPECT_EQ(1, g_app.trayIconAdded);
    EXPECT_TRUE(trayIconPresent(window));

    // Tray mode hides the window, never the icon.
    SendMessageA(window, WM_COMMAND, IDM_TRAY, 0);
    EXPECT_TRUE(trayIconPresent(window));

    armCountdown(60); // switches the picture; the icon stays
    EXPECT_TRUE(trayIconPresent(window));

    DestroyWindow(window);
    EXPECT_FALSE(trayIconPresent(window));
    window = nullptr;
}

TEST_F(TrayTest, ComesBackWhenTheTaskbarIsRecreated)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = 88;
    data.hWnd = window;
    data.uID = TRAY_ICON_ID;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data)) << "the icon was not there: " << GetLastError();
    ASSERT_NE(0u, taskbarCreatedMessage());

    SendMessageA(window, taskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(trayIconPresent(window));
    EXPECT_EQ(1, g_app.trayIconAdded);
}

} // namespace
