// The real main window created in-process: creation order results, the
// start-up trigger, the tray callback and the destroy handling.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "state/appstate.h"
#include "tests/support/time_support.h"
#include "tests/support/wine_support.h"
#include "ui/uistate.h"

namespace {

TEST_F(MainWindowTest, CreationBuildsTheFaceAndDefaults)
{
    close();
    const ULONGLONG before = units(localFromNow(0));
    open();
    EXPECT_EQ(window, g_app.mainWindow);
    EXPECT_EQ(window, FindWindowA("Noctil", "Noctil"));

    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(220, r.right - r.left);
    EXPECT_EQ(65, r.bottom - r.top);
    EXPECT_EQ(100, r.left);
    EXPECT_EQ(100, r.top);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) << "always on top by default";

    const LONGLONG ahead = static_cast<LONGLONG>(units(g_app.targetTime) - before);
    EXPECT_GE(ahead, 200000000LL - 10000000) << "default target about 20 s ahead";
    EXPECT_LE(ahead, 200000000LL + 10000000);
    EXPECT_EQ(0, g_app.running);
    EXPECT_EQ(0, g_app.activationGuard);
    EXPECT_STRNE("", g_ui.shownFrame.line1) << "the face is drawn before the first timer tick";
    EXPECT_NE(nullptr, g_ui.displaySurface);
    EXPECT_NE(nullptr, g_ui.backgroundSurface);
    EXPECT_NE(nullptr, g_ui.skinSheet);
    EXPECT_NE(nullptr, g_ui.fontNormal);
    EXPECT_NE(nullptr, g_ui.fontBold);
    EXPECT_NE(nullptr, g_ui.fontLink);
    EXPECT_NE(nullptr, reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0)));
}

TEST_F(MainWindowTest, DestroySavesReleasesAndQuits)
{
    HICON smallIcon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    ASSERT_NE(nullptr, smallIcon);
    DestroyWindow(window);
    ICONINFO info = {};
    const BOOL iconAlive = GetIconInfo(smallIcon, &info);
    if (iconAlive) {
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    EXPECT_FALSE(iconAlive) << "the small window icon loaded at creation is released";
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "quit message posted";
    EXPECT_EQ(0u, msg.wParam) << "the exit code";
    EXPECT_EQ(nullptr, g_ui.displaySurface);
    EXPECT_EQ(nullptr, g_ui.fontLink);
    EXPECT_EQ(100, g_app.options.windowRect.left) << "window rectangle kept for saving";
    EXPECT_EQ(320, g_app.options.windowRect.right);
    window = nullptr;
}

TEST_F(MainWindowTest, StartHourArmsTheClockAndTrayTokenHides)
{
    struct Case { int hour, tray; int running, hidden; } cases[] = {
        {7, 1, 1, 1}, {0, 0, 1, 0}, {23, 0, 1, 0}, {24, 1, 0, 0}, {-1, 1, 0, 0},
    };
    // In an hour's first minute that hour's start is already due and fires at
    // once: the cases run clear of it.
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (now.wMinute == 0 || (now.wMinute == 59 && now.wSecond >= 55))
        Sleep(((now.wMinute == 0 ? 61 : 121) - now.wSecond) * 1000);
    for (const Case& c : cases) {
        close();
        open([&c] {
            g_app.startHour = c.hour;
            g_app.startInTray = c.tray;
        });
        pumpMessages(200);
        EXPECT_EQ(c.running, g_app.running) << "start hour " << c.hour;
        EXPECT_EQ(c.hidden, g_app.trayMode) << "start hour " << c.hour;
        EXPECT_EQ(!c.hidden, IsWindowVisible(window) != 0) << "start hour " << c.hour;
        if (c.running) {
            SYSTEMTIME target;
            FileTimeToSystemTime(&g_app.targetTime, &target);
            EXPECT_EQ(c.hour, target.wHour);
            EXPECT_EQ(0, target.wMinute);
        }
    }
}

TEST_F(MainWindowTest, TrayCallbackShowsTheWindowAndIgnoresOthers)
{
    SendMessageA(window, WM_COMMAND, IDM_TRAY, 0);
    EXPECT_EQ(1, g_app.trayMode);
    EXPECT_FALSE(IsWindowVisible(window));

    SendMessageA(window, WM_TRAY_CALLBACK, TRAY_ICON_ID, WM_MOUSEMOVE);
    EXPECT_FALSE(IsWindowVisible(window)) << "other mouse messages are ignored";
    SendMessageA(window, WM_TRAY_CALLBACK, TRAY_ICON_ID, WM_LBUTTONDOWN);
    EXPECT_EQ(0, g_app.trayMode);
    EXPECT_TRUE(IsWindowVisible(window));

    // A left click while the window is already shown still clears the mode.
    g_app.trayMode = 1;
    SendMessageA(window, WM_TRAY_CALLBACK, TRAY_ICON_ID, WM_LBUTTONDOWN);
    EXPECT_EQ(0, g_app.trayMode);
}

TEST_F(MainWindowTest, ActivationShowsTheWindowOnlyWithoutTheGuard)
{
    struct Case { int guard; WPARAM state; bool shown; } cases[] = {
        {0, WA_ACTIVE, true}, {1, WA_ACTIVE, false}, {0, WA_CLICKACTIVE, false}, {0, WA_INACTIVE, false},
    };
    for (const Case& c : cases) {
        ShowWindow(window, SW_HIDE);
        g_app.activationGuard = c.guard;
        SendMessageA(window, WM_ACTIVATE, c.state, 0);
        EXPECT_EQ(c.shown, IsWindowVisible(window) != 0) << "guard " << c.guard << " state " << c.state;
    }
}

} // namespace
