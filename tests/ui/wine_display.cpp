// The composed face: which sheet pieces a tick puts where, the copy
// operations, fonts and painting.
#include <gtest/gtest.h>

#include <string>

#include "program/tick.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "tests/support/face_support.h"
#include "tests/support/time_support.h"
#include "tests/support/wine_support.h"
#include "ui/display.h"
#include "ui/skin.h"
#include "ui/uistate.h"

namespace {

class FaceTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        loadBuiltInSkin(window);
        setTarget(at(2099, 1, 1, 0, 0));
    }
    // The sheet piece `id` against the display at (x, y).
    std::string pieceOnFace(int id, int x, int y)
    {
        RECT r;
        EXPECT_TRUE(skinElementRect(id, r)) << id;
        return compareRegions(g_ui.displaySurface, x, y, g_ui.skinSheet, r.left, r.top, r.right - r.left,
                              r.bottom - r.top);
    }
    std::string backgroundOnFace(int x, int y, int w, int h)
    {
        return compareRegions(g_ui.displaySurface, x, y, g_ui.backgroundSurface, x, y, w, h);
    }
};

TEST_F(FaceTest, BuiltInPiecesDifferSoTheFrameTestsMeanSomething)
{
    const int ids[] = {StartButtonUp, StartButtonDown, StopButtonUp, StopButtonDown};
    for (int a : ids) {
        for (int b : ids) {
            if (a == b)
                continue;
            RECT ra, rb;
            skinElementRect(a, ra);
            skinElementRect(b, rb);
            EXPECT_GT(countDifferences(g_ui.skinSheet, ra.left, ra.top, g_ui.skinSheet, rb.left, rb.top, 23, 23), 0)
                << a << " vs " << b;
        }
    }
}

TEST_F(FaceTest, ButtonImageFollowsRunningPressedAndHover)
{
    struct Case { int running, pressed, hover, element; } cases[] = {
        {0, 0, 0, StartButtonUp}, {0, 1, 0, StartButtonUp}, {0, 0, 1, StartButtonUp}, {0, 1, 1, StartButtonDown},
        {1, 0, 0, StopButtonUp},  {1, 1, 0, StopButtonUp},  {1, 0, 1, StopButtonUp},  {1, 1, 1, StopButtonDown},
    };
    for (const Case& c : cases) {
        g_app.running = c.running;
        g_app.buttonPressed = c.pressed;
        g_app.buttonHover = c.hover;
        tick(window);
        EXPECT_EQ("", pieceOnFace(c.element, 185, 25))
            << "running " << c.running << " pressed " << c.pressed << " hover " << c.hover;
        EXPECT_EQ(c.running, g_app.running) << "a future target never fires";
    }
}

TEST_F(FaceTest, ArrowsOnlyWhileStoppedOnTheClock)
{
    // Rows 34..39 and 52..57 of the arrows lie between and below the text lines.
    RECT arrows;
    skinElementRect(SpinArrows, arrows);
    ASSERT_GT(countDifferences(g_ui.skinSheet, arrows.left, arrows.top, g_ui.backgroundSurface, 48, 34, 125, 6), 0)
        << "the built-in arrows must show against the panel";

    struct Case { int running, monitorActive; bool arrows; } cases[] = {
        {0, 0, true}, {1, 0, false}, {1, 1, false}, {0, 1, false},
    };
    for (const Case& c : cases) {
        g_app.running = c.running;
        g_app.monitorActive = c.monitorActive;
        g_app.monitorMode = Countdown;
        g_app.countdownDeadline = GetTickCount() + 3600000;
        tick(window);
        for (int band : {0, 18}) {
            const std::string onFace = c.arrows
                ? compareRegions(g_ui.displaySurface, 48, 34 + band, g_ui.skinSheet, arrows.left, arrows.top + band, 125, 6)
                : backgroundOnFace(48, 34 + band, 125, 6);
            EXPECT_EQ("", onFace) << "running " << c.running << " monitor " << c.monitorActive << " band " << band;
        }
    }
}

TEST_F(FaceTest, CloseBoxOnlyWhilePressedAndHovered)
{
    struct Case { int pressed, hover; } cases[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (const Case& c : cases) {
        g_app.closePressed = c.pressed;
        g_app.closeHover = c.hover;
        tick(window);
        if (c.pressed && c.hover)
            EXPECT_EQ("", pieceOnFace(CloseBoxDown, 208, 2));
        else
            EXPECT_EQ("", backgroundOnFace(208, 2, 10, 9)) << "pressed " << c.pressed << " hover " << c.hover;
        // The rest of the top bar is always the plain panel.
        EXPECT_EQ("", backgroundOnFace(0, 0, 208, 12)) << "pressed " << c.pressed << " hover " << c.hover;
    }
    RECT box;
    skinElementRect(CloseBoxDown, box);
    EXPECT_GT(countDifferences(g_ui.skinSheet, box.left, box.top, g_ui.backgroundSurface, 208, 2, 10, 9), 0)
        << "the pressed close box must differ from the panel";
}

TEST_F(FaceTest, BuiltInSheetIsTheResourceBitmaps)
{
    struct Piece { int id, x, y, w, h; } pieces[] = {
        {IDB_START_UP, 0, 0, 23, 23},   {IDB_START_DOWN, 32, 0, 23, 23}, {IDB_STOP_UP, 64, 0, 23, 23},
        {IDB_STOP_DOWN, 96, 0, 23, 23}, {IDB_CLOSE_DOWN, 128, 0, 10, 9}, {IDB_SPIN_ARROWS, 0, 32, 125, 24},
        {IDB_PANEL, 0, 56, 220, 65},
    };
    for (const Piece& p : pieces) {
        ScratchSurface scratch(p.w, p.h);
        ASSERT_EQ(1, drawBitmap(window, scratch.dc(), p.id, nullptr, 0, 0, SRCCOPY)) << p.id << " " << GetLastError();
        EXPECT_EQ("", compareRegions(scratch.dc(), 0, 0, g_ui.skinSheet, p.x, p.y, p.w, p.h)) << "bitmap " << p.id;
    }
    EXPECT_EQ("", compareRegions(g_ui.backgroundSurface, 0, 0, g_ui.skinSheet, 0, 56, 220, 65));
}

TEST_F(FaceTest, SkinElementIgnoresRopAndFileForSheetPieces)
{
    ScratchSurface scratch(30, 30);
    scratch.fill(RGB(1, 2, 3));
    drawSkinElement(window, scratch.dc(), StopButtonUp, "C:\\no\\such.bmp", 2, 3, BLACKNESS);
    EXPECT_EQ("", compareRegions(scratch.dc(), 2, 3, g_ui.skinSheet, 64, 0, 23, 23));
    EXPECT_EQ(RGB(1, 2, 3), GetPixel(scratch.dc(), 1, 1)) << "nothing outside the piece";
}

TEST_F(FaceTest, BitmapFromFileWithTheCallersRop)
{
    const std::string path = testDirectory() + "face_test.bmp";
    ASSERT_TRUE(writeBitmapFile(path, 4, 3, [](int x, int) { return x < 2 ? RGB(255, 0, 0) : RGB(0, 0, 255); }));
    ScratchSurface scratch(10, 10);
    scratch.fill(RGB(0, 255, 0));
    // Id 0 with a file is not a sheet piece: the file is drawn, with the rop.
    drawSkinElement(window, scratch.dc(), 0, path.c_str(), 1, 1, NOTSRCCOPY);
    EXPECT_EQ(RGB(0, 255, 255), GetPixel(scratch.dc(), 1, 1));
    EXPECT_EQ(RGB(255, 255, 0), GetPixel(scratch.dc(), 4, 3));
    EXPECT_EQ(RGB(0, 255, 0), GetPixel(scratch.dc(), 5, 1)) << "drawn at its own size";
    EXPECT_EQ(RGB(0, 255, 0), GetPixel(scratch.dc(), 1, 4));
    EXPECT_EQ(1, drawBitmap(window, scratch.dc(), 0, path.c_str(), 0, 0, SRCCOPY));
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(scratch.dc(), 0, 0));
    DeleteFileA(path.c_str());

    // What cannot be loaded draws nothing and says so.
    scratch.fill(RGB(0, 255, 0));
    EXPECT_EQ(0, drawBitmap(window, scratch.dc(), 0, path.c_str(), 0, 0, SRCCOPY));
    EXPECT_EQ(0, drawBitmap(window, scratch.dc(), 9999, nullptr, 0, 0, SRCCOPY));
    EXPECT_EQ(0, drawBitmap(window, scratch.dc(), 0, nullptr, 0, 0, SRCCOPY));
    drawSkinElement(window, scratch.dc(), 0, path.c_str(), 0, 0, SRCCOPY);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(RGB(0, 255, 0), GetPixel(scratch.dc(), x, y)) << x << "," << y;
}

TEST_F(FaceTest, DisplayFontsAndText)
{
    struct Case { HFONT font; LONG weight; BYTE underline; } cases[] = {
        {g_ui.fontNormal, 0, 0}, {g_ui.fontBold, 700, 0}, {g_ui.fontLink, 0, 1},
    };
    for (const Case& c : cases) {
        LOGFONTA lf = {};
        ASSERT_EQ(static_cast<int>(sizeof lf), GetObjectA(c.font, sizeof lf, &lf));
        EXPECT_EQ(12, lf.lfHeight);
        EXPECT_EQ(c.weight, lf.lfWeight);
        EXPECT_EQ(c.underline, lf.lfUnderline);
        EXPECT_EQ(SHIFTJIS_CHARSET, lf.lfCharSet);
        EXPECT_EQ(FIXED_PITCH | FF_MODERN, lf.lfPitchAndFamily);
        EXPECT_STREQ("ＭＳ ゴシック", lf.lfFaceName);
    }

    ScratchSurface scratch(60, 20);
    scratch.fill(RGB(255, 255, 255));
    SetBkMode(scratch.dc(), OPAQUE);
    drawTextAt(scratch.dc(), 2, 2, RGB(255, 0, 0), "現在", g_ui.fontBold);
    EXPECT_EQ(g_ui.fontBold, GetCurrentObject(scratch.dc(), OBJ_FONT)) << "the font stays selected";
    EXPECT_EQ(TRANSPARENT, GetBkMode(scratch.dc()));
    EXPECT_EQ(RGB(255, 0, 0), GetTextColor(scratch.dc()));
    int red = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            red += GetPixel(scratch.dc(), x, y) == RGB(255, 0, 0);
    EXPECT_GT(red, 10) << "text drawn in its colour";
}

TEST_F(FaceTest, PaintCopiesOnlyTheInvalidRectangle)
{
    HDC face = g_ui.displaySurface;
    HBRUSH first = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH second = CreateSolidBrush(RGB(0, 0, 255));
    RECT all = {0, 0, kFaceWidth, kFaceHeight};
    FillRect(face, &all, first);
    presentDisplay(window);
    ValidateRect(window, nullptr);
    FillRect(face, &all, second);
    DeleteObject(first);
    DeleteObject(second);

    RECT part = {10, 20, 30, 25};
    InvalidateRect(window, &part, FALSE);
    UpdateWindow(window);
    HDC screen = GetDC(window);
    const COLORREF inside = GetPixel(screen, 15, 22);
    const COLORREF outside = GetPixel(screen, 50, 50);
    ReleaseDC(window, screen);
    if (inside == CLR_INVALID || outside == CLR_INVALID)
        GTEST_SKIP() << "window pixels cannot be read back here";
    EXPECT_EQ(RGB(0, 0, 255), inside);
    EXPECT_EQ(RGB(255, 0, 0), outside) << "outside the invalid rectangle nothing is copied";

    presentDisplay(window);
    screen = GetDC(window);
    EXPECT_EQ(RGB(0, 0, 255), GetPixel(screen, 219, 64)) << "present copies the whole face";
    ReleaseDC(window, screen);
}

} // namespace
