// The main window at the screen's scale: run at 96 DPI with the other tests,
// and again in prefixes at 144 and 192 DPI (NOCTIL_TEST_DPI names the one
// expected, so a prefix that did not take it fails rather than passes at 96).
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/scale.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "tests/support/time_support.h"
#include "tests/support/wine_support.h"
#include "ui/tray.h"
#include "ui/uistate.h"

namespace {

int expectedDpi()
{
    const char* dpi = std::getenv("NOCTIL_TEST_DPI");
    return dpi != nullptr ? std::atoi(dpi) : 96;
}

int g_shownIconWidth = 0;
BOOL WINAPI keepIcon(DWORD, NOTIFYICONDATAA* data)
{
    ICONINFO info = {};
    BITMAP picture = {};
    if (GetIconInfo(data->hIcon, &info)) {
        GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof picture, &picture);
        g_shownIconWidth = picture.bmWidth;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    return TRUE;
}

class ScaleTest : public MainWindowTest {
protected:
    // A message at the face's point (x, y) in 96-DPI units, plus `nudge`
    // pixels to the right.
    LRESULT at(UINT message, int x, int y, int nudge = 0, WPARAM keys = 0)
    {
        const int dpi = g_ui.dpi;
        return send(message, keys, MAKELPARAM(scaled(x, dpi) + nudge, scaled(y, dpi)));
    }
    void click(int x, int y)
    {
        at(WM_MOUSEMOVE, x, y);
        at(WM_LBUTTONDOWN, x, y, 0, MK_LBUTTON);
        at(WM_LBUTTONUP, x, y);
    }
};

TEST_F(ScaleTest, AtScaleTheWindowItsIconAndEveryAreaFollowTheDpi)
{
    const int dpi = expectedDpi();
    ASSERT_EQ(dpi, g_ui.dpi);
    RECT r = {};
    GetWindowRect(window, &r);
    EXPECT_EQ(scaled(220, dpi), r.right - r.left);
    EXPECT_EQ(scaled(65, dpi), r.bottom - r.top);
    setNotifyIconForTest(keepIcon);
    addTrayIcon(window);
    setNotifyIconForTest(nullptr);
    EXPECT_EQ(scaled(16, dpi), g_shownIconWidth) << "the notification icon at the small-icon size";

    // The first pixel of the start button's area hovers it, the one before not.
    at(WM_MOUSEMOVE, 186, 36, -1);
    EXPECT_EQ(0, g_app.buttonHover);
    at(WM_MOUSEMOVE, 186, 36);
    EXPECT_EQ(1, g_app.buttonHover);

    POINT bar = {scaled(100, dpi), scaled(5, dpi)}, icon = {scaled(17, dpi), scaled(5, dpi)};
    ClientToScreen(window, &bar);
    ClientToScreen(window, &icon);
    EXPECT_EQ(HTCAPTION, send(WM_NCHITTEST, 0, MAKELPARAM(bar.x, bar.y)));
    EXPECT_EQ(HTCLIENT, send(WM_NCHITTEST, 0, MAKELPARAM(icon.x, icon.y)));

    click(196, 36);
    EXPECT_EQ(1, g_app.running);
    click(196, 36);
    EXPECT_EQ(0, g_app.running);
    ASSERT_TRUE(setTarget(::at(2026, 5, 15, 12, 37, 45)));
    click(147, 33); // the minute's up arrow
    EXPECT_EQ("2026-05-15 12:38:45", target());
    click(53, 57); // the year's down arrow
    EXPECT_EQ("2025-05-15 12:38:45", target());
    // The held arrow repeats where it was pressed, in pixels as it came.
    at(WM_LBUTTONDOWN, 147, 57, 0, MK_LBUTTON);
    SendMessageA(window, WM_TIMER, TIMER_SPIN_REPEAT, 0);
    at(WM_LBUTTONUP, 147, 57);
    EXPECT_EQ("2025-05-15 12:36:45", target());

    click(210, 5);
    EXPECT_TRUE(takeQuitMessage()) << "the close box";
}

// The rightmost column of line 2 (the target's time) holding the text colour.
int rightmostInkOfLine2()
{
    const int top = scaled(40, g_ui.dpi), bottom = scaled(65, g_ui.dpi), width = scaled(220, g_ui.dpi);
    for (int x = width - 1; x >= 0; --x) {
        for (int y = top; y < bottom; ++y) {
            if (GetPixel(g_ui.displaySurface, x, y) == g_ui.textColor2)
                return x;
        }
    }
    return -1;
}

// Each change rebuilds at the new scale and releases what the last one had.
// The digits stay under their arrows: the time's last digit ends where it
// ends at 96 DPI, scaled, though the font does not grow exactly in step.
TEST_F(ScaleTest, AtScaleAChangeOfDpiRebuildsAndReleasesWhatItHad)
{
    const int from = g_ui.dpi;
    send(0x02E0, MAKEWPARAM(96, 96), 0);
    const int inkAt96 = rightmostInkOfLine2();
    send(0x02E0, MAKEWPARAM(from, from), 0);
    for (int to : {from * 2, 120, from, 168, from}) {
        SCOPED_TRACE(testing::Message() << from << " to " << to);
        const HGDIOBJ before[] = {g_ui.displayBitmap, g_ui.backgroundBitmap, g_ui.skinSheetBitmap, g_ui.displaySurface,
                                  g_ui.backgroundSurface, g_ui.skinSheet, g_ui.fontNormal, g_ui.fontBold,
                                  g_ui.fontLink};
        const HCURSOR cursor = g_ui.ownedMainCursor; // null: the system's shared one
        SetCursor(g_ui.mainCursor); // on show while it goes
        const HICON small = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
        RECT suggested = {40, 30, 40 + scaled(220, to), 30 + scaled(65, to)};
        send(0x02E0, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));

        ASSERT_EQ(to, g_ui.dpi);
        RECT r = {};
        GetWindowRect(window, &r);
        EXPECT_EQ(40, r.left);
        EXPECT_EQ(30, r.top);
        EXPECT_EQ(scaled(220, to), r.right - r.left);
        EXPECT_EQ(scaled(65, to), r.bottom - r.top);
        BITMAP surface = {};
        GetObjectA(g_ui.displayBitmap, sizeof surface, &surface);
        EXPECT_EQ(scaled(220, to), surface.bmWidth);
        EXPECT_EQ(scaled(65, to), surface.bmHeight);
        LOGFONTA font = {};
        GetObjectA(g_ui.fontBold, sizeof font, &font);
        EXPECT_EQ(faceFontHeight(to), font.lfHeight);
        for (HGDIOBJ old : before)
            EXPECT_EQ(0u, GetObjectType(old)) << old;
        ICONINFO info = {};
        EXPECT_FALSE(cursor != nullptr && GetIconInfo(cursor, &info)) << "the cursor of the last scale";
        EXPECT_TRUE(cursor == nullptr || GetCursor() != cursor) << "a cursor gone is not left on show";
        EXPECT_FALSE(small != nullptr && GetIconInfo(small, &info)) << "the small icon of the last scale";
        EXPECT_NE(nullptr, g_ui.mainCursor);
        EXPECT_NEAR(scaled(inkAt96 + 1, to) - 1, rightmostInkOfLine2(), scaled(1, to)) << "at 96: " << inkAt96;
        EXPECT_EQ(g_ui.fontBold, GetCurrentObject(g_ui.displaySurface, OBJ_FONT)) << "the time is set in bold, last";
        // Over the face, its own cursor for the new scale (the images are 32, 48
        // and 64 pixels), not the class's of the system's.
        send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(g_ui.mainCursor, GetCursor());
    }
}

} // namespace
