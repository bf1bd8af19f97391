// The about box: its version text, the hot rectangles of the two links at
// their exact edges, hover colours and cursor, clicks handed to the shell
// (recorded, nothing is launched), and the release of its picture, pen and
// brushes however it closes. Also the help file hand-over.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/platform.h"
#include "base/scale.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "tests/support/wine_support.h"
#include "ui/about.h"
#include "ui/uistate.h"

namespace {

const char kAboutCaption[] = "このソフトについて";

std::vector<std::pair<std::string, std::string>> g_opened;

void recordShellOpen(const char* file, const char* directory)
{
    g_opened.emplace_back(file, directory != nullptr ? directory : "(null)");
}

// Pixels of exactly `color` in the band where a link is drawn.
int pixelsOf(HWND dialog, int top, COLORREF color)
{
    HDC dc = GetDC(dialog);
    int count = 0;
    for (int y = top; y < top + 13; ++y) {
        for (int x = 240; x < 386; ++x) {
            if (GetPixel(dc, x, y) == color)
                ++count;
        }
    }
    ReleaseDC(dialog, dc);
    return count;
}

struct Hover {
    bool hand;
    int hot;    // hot-coloured pixels in the hovered link's band
    int normal; // link-coloured pixels in the other link's band
};

// The box runs on the test's main thread, so between this move and the
// reading it may take a late paint or a pointer move of its own, both of
// which draw the links blue again. The move is repeated until a reading
// shows the hover, for up to a second.
Hover hoverAt(HWND dialog, int y, int hotTop, int otherTop)
{
    Hover seen = {};
    for (int tries = 0; tries < 20; ++tries) {
        SendMessageA(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(300, y));
        seen = {shownCursor() == LoadCursorA(nullptr, IDC_HAND), pixelsOf(dialog, hotTop, kLinkHotColor),
            pixelsOf(dialog, otherTop, kLinkColor)};
        if (seen.hand && seen.hot > 0 && seen.normal > 0)
            break;
        Sleep(50);
    }
    return seen;
}

struct Seen {
    std::string version;
    std::string caption;
    int activationGuard = -1;
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HBRUSH editBrush = nullptr;
    HGDIOBJ picture = nullptr;
    COLORREF penColor = 0, brushColor = 0, editBrushColor = 0;
    COLORREF textColor = 0, editBackColor = 0;
    int webHotPixels = 0, mailNormalPixels = 0; // pointer over the web link
    int webNormalPixels = 0, mailHotPixels = 0; // then over the mail link
    bool handCursor = false;
    std::vector<std::pair<std::string, std::string>> opened;
    int closeWith = IDCANCEL;
    bool lendTest = false;
    bool otherSetKept = false;
};

COLORREF brushColor(HBRUSH brush)
{
    LOGBRUSH lb = {};
    GetObjectA(brush, sizeof lb, &lb);
    return lb.lbColor;
}

void inspectAbout(HWND dialog, void* context)
{
    Seen* seen = static_cast<Seen*>(context);
    char text[256] = {};
    GetDlgItemTextA(dialog, IDC_ABOUT_VERSION, text, sizeof text);
    seen->version = text;
    GetWindowTextA(dialog, text, sizeof text);
    seen->caption = text;
    seen->activationGuard = g_app.activationGuard;

    seen->pen = g_ui.dialogPen;
    seen->brush = g_ui.dialogBrush;
    seen->editBrush = g_ui.dialogEditBrush;
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr && seen->picture == nullptr; c = GetWindow(c, GW_HWNDNEXT))
        seen->picture = reinterpret_cast<HGDIOBJ>(SendMessageA(c, STM_GETIMAGE, IMAGE_BITMAP, 0));
    LOGPEN lp = {};
    GetObjectA(seen->pen, sizeof lp, &lp);
    seen->penColor = lp.lopnColor;
    seen->brushColor = brushColor(seen->brush);
    seen->editBrushColor = brushColor(seen->editBrush);
    seen->textColor = g_ui.dialogTextColor;
    seen->editBackColor = g_ui.dialogEditBackColor;

    UpdateWindow(dialog);
    const Hover overWeb = hoverAt(dialog, 40, 35, 49);
    seen->handCursor = overWeb.hand;
    seen->webHotPixels = overWeb.hot;
    seen->mailNormalPixels = overWeb.normal;
    const Hover overMail = hoverAt(dialog, 55, 49, 35);
    seen->webNormalPixels = overMail.normal;
    seen->mailHotPixels = overMail.hot;

    g_opened.clear();
    const POINT clicks[] = {{300, 40}, {240, 40}, {384, 40}, {300, 48}, {300, 55}, {383, 55}, {100, 100}};
    for (const POINT& p : clicks)
        SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    seen->opened = g_opened;

    if (seen->lendTest) {
        // Another painted dialog took the paint set meanwhile: painting the
        // box must not leave its own objects there, closing it must not
        // delete the other dialog's.
        HPEN otherPen = CreatePen(PS_SOLID, 0, RGB(1, 2, 3));
        g_ui.dialogPen = otherPen;
        HDC dc = GetDC(dialog);
        SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0);
        SendMessageA(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ReleaseDC(dialog, dc);
        seen->otherSetKept = g_ui.dialogPen == otherPen;
        SendMessageA(dialog, WM_COMMAND, seen->closeWith, 0);
        seen->otherSetKept = seen->otherSetKept && g_ui.dialogPen == otherPen
            && GetObjectType(otherPen) == OBJ_PEN;
        DeleteObject(otherPen);
        g_ui.dialogPen = nullptr;
        return;
    }
    PostMessageA(dialog, WM_COMMAND, seen->closeWith, 0);
}

class AboutTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        setShellOpenForTest(recordShellOpen);
        g_opened.clear();
        MainWindowTest::SetUp();
        pumpMessages(100);
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        setShellOpenForTest(nullptr);
    }
    // Opens the about box as `open` does it; `seen` records what it showed.
    void inspect(void (*open)(HWND), Seen& seen)
    {
        ModalDriver driver(kAboutCaption, [&seen](HWND dialog) { inspectAbout(dialog, &seen); });
        open(window);
        driver.finish();
        ASSERT_TRUE(driver.found()) << "no about box";
    }
};

TEST_F(AboutTest, ShowsVersionLinksAndFreesItsObjects)
{
    for (int closeWith : {IDCANCEL, IDOK}) {
        Seen seen;
        seen.closeWith = closeWith;
        inspect([](HWND w) { SendMessageA(w, WM_COMMAND, IDM_ABOUT, 0); }, seen);
        EXPECT_EQ("Version 1.95", seen.version);
        EXPECT_EQ(kAboutCaption, seen.caption);
        EXPECT_EQ(1, seen.activationGuard) << "activation does not show the window meanwhile";
        EXPECT_EQ(0, g_app.activationGuard) << "guard cleared after the box";

        EXPECT_EQ(0x000098ECu, seen.penColor);
        EXPECT_EQ(0x009EF0FFu, seen.brushColor);
        EXPECT_EQ(0x009EF0FFu, seen.editBrushColor);
        EXPECT_NE(seen.brush, seen.editBrush) << "two brushes";
        EXPECT_EQ(0x00004C76u, seen.textColor);
        EXPECT_EQ(0x00FFFFFFu, seen.editBackColor);

        EXPECT_TRUE(seen.handCursor) << "hand cursor over a link";
        EXPECT_GT(seen.webHotPixels, 0) << "web link red under the pointer";
        EXPECT_GT(seen.mailNormalPixels, 0) << "mail link blue meanwhile";
        EXPECT_GT(seen.webNormalPixels, 0) << "web link back to blue";
        EXPECT_GT(seen.mailHotPixels, 0) << "mail link red under the pointer";

        const std::vector<std::pair<std::string, std::string>> expected = {
            {kAboutWebLink, "(null)"}, {kAboutWebLink, "(null)"}, {kAboutMailLink, "(null)"}};
        EXPECT_EQ(expected, seen.opened) << "clicks at 300,40 / 384,40 / 300,55 open; the edges do not";

        // The picture, pen and brushes are deleted, not left in the paint set.
        EXPECT_NE(nullptr, seen.picture) << "bitmap 113 shown";
        EXPECT_EQ(0u, GetObjectType(seen.picture)) << "picture deleted (closed with " << closeWith << ")";
        EXPECT_EQ(0u, GetObjectType(seen.pen)) << "pen deleted (closed with " << closeWith << ")";
        EXPECT_EQ(0u, GetObjectType(seen.brush));
        EXPECT_EQ(0u, GetObjectType(seen.editBrush));
        EXPECT_EQ(nullptr, g_ui.dialogPen);
        EXPECT_EQ(nullptr, g_ui.dialogBrush);
        EXPECT_EQ(nullptr, g_ui.dialogEditBrush);
    }
}

TEST_F(AboutTest, LeavesAnotherDialogsPaintSetAlone)
{
    Seen seen;
    seen.lendTest = true;
    inspect([](HWND w) { runAboutDialog(w); }, seen);
    EXPECT_TRUE(seen.otherSetKept);
    EXPECT_EQ(0u, GetObjectType(seen.pen)) << "the box's own pen is still released";
}

// On a screen at 150 % the picture is drawn at that scale, and the links lie
// where they are drawn there; the scaled picture goes with the box.
TEST_F(AboutTest, AtAnotherScaleThePictureAndLinksScale)
{
    send(0x02E0, MAKEWPARAM(144, 144), 0); // WM_DPICHANGED
    BITMAP picture = {};
    HGDIOBJ shown = nullptr;
    ModalDriver driver(kAboutCaption, [&](HWND dialog) {
        for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr && shown == nullptr; c = GetWindow(c, GW_HWNDNEXT))
            shown = reinterpret_cast<HGDIOBJ>(SendMessageA(c, STM_GETIMAGE, IMAGE_BITMAP, 0));
        GetObjectA(shown, sizeof picture, &picture);
        SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(375, 81)); // the mail link's 250,54 at 150 %
        SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(300, 55)); // where it lies at 100 %
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    runAboutDialog(window);
    driver.finish();
    HBITMAP plain = LoadBitmapA(g_app.instanceHandle, MAKEINTRESOURCEA(IDB_ABOUT));
    BITMAP original = {};
    GetObjectA(plain, sizeof original, &original);
    DeleteObject(plain);
    EXPECT_EQ(scaled(original.bmWidth, 144), picture.bmWidth);
    EXPECT_EQ(scaled(original.bmHeight, 144), picture.bmHeight);
    EXPECT_EQ(0u, GetObjectType(shown)) << "the scaled picture is freed with the box";
    const std::vector<std::pair<std::string, std::string>> expected = {{kAboutMailLink, "(null)"}};
    EXPECT_EQ(expected, g_opened);
}

TEST_F(AboutTest, HelpOpensTheFileBesideTheProgram)
{
    SendMessageA(window, WM_COMMAND, IDM_HELP, 0);
    ASSERT_EQ(1u, g_opened.size());
    EXPECT_EQ("noctilhelp.chm", g_opened[0].first);
    EXPECT_EQ(std::string(g_app.programDirectory), g_opened[0].second);
    EXPECT_FALSE(g_opened[0].second.empty());
}

} // namespace
