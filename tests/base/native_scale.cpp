// The face at each display scale: its size, where the areas a click hits lie
// in pixels, the skin sheet's drawing and the text's height.
#include <gtest/gtest.h>

#include "base/scale.h"
#include "ui/faceframe.h"
#include "ui/facehit.h"
#include "ui/placement.h"
#include "ui/spinner.h"

namespace {

// The first and last pixel of a run that `hit` accepts along a line at `at`
// (a column when `vertical`), in pixels at `dpi`; -1 when none is hit.
template <typename Hit>
std::pair<int, int> hitRun(int dpi, Hit hit, int at, bool vertical)
{
    int first = -1, last = -1;
    for (int p = 0; p < scaled(kFaceWidth, dpi); ++p) {
        const int x = faceUnit(vertical ? at : p, dpi), y = faceUnit(vertical ? p : at, dpi);
        if (hit(x, y)) {
            if (first < 0)
                first = p;
            last = p;
        }
    }
    return {first, last};
}

TEST(Scale, TheFaceAtEachDpi)
{
    const struct {
        int dpi;
        int width, height, font;
        std::pair<int, int> startX, startY; // the start/stop button's pixels
        std::pair<int, int> menuIconX, closeX; // along the top bar
        std::pair<int, int> minuteUpX;         // the minute's up arrow, on its row
        bool doubleSheet, pixelExact;
        bool plainSheetExact; // where the skin has no double-size sheet
    } cases[] = {
        {96, 220, 65, 12, {186, 207}, {26, 47}, {0, 17}, {203, 219}, {143, 151}, false, true, true},
        {120, 275, 81, 15, {233, 259}, {33, 59}, {0, 22}, {254, 274}, {179, 189}, false, false, false},
        {144, 330, 98, 18, {279, 311}, {39, 71}, {0, 26}, {305, 329}, {215, 227}, false, false, false},
        {168, 385, 114, 21, {326, 363}, {46, 83}, {0, 31}, {355, 384}, {250, 265}, true, false, false},
        {192, 440, 130, 24, {372, 415}, {52, 95}, {0, 35}, {406, 439}, {286, 303}, true, true, true},
        {288, 660, 195, 36, {558, 623}, {78, 143}, {0, 53}, {609, 659}, {429, 455}, true, false, true},
        {0, 220, 65, 12, {186, 207}, {26, 47}, {0, 17}, {203, 219}, {143, 151}, false, true, true}, // no answer
        {100000, 220, 65, 12, {186, 207}, {26, 47}, {0, 17}, {203, 219}, {143, 151}, false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "dpi " << c.dpi);
        EXPECT_EQ(c.width, scaled(kFaceWidth, c.dpi));
        EXPECT_EQ(c.height, scaled(kFaceHeight, c.dpi));
        EXPECT_EQ(c.font, faceFontHeight(c.dpi));
        const int buttonMiddle = scaled(36, c.dpi), topBar = scaled(5, c.dpi);
        EXPECT_EQ(c.startX, hitRun(c.dpi, inStartButton, buttonMiddle, false));
        EXPECT_EQ(c.startY, hitRun(c.dpi, inStartButton, scaled(196, c.dpi), true));
        EXPECT_EQ(c.menuIconX, hitRun(c.dpi, inMenuIcon, topBar, false));
        EXPECT_EQ(c.closeX, hitRun(c.dpi, inClosePress, topBar, false));
        const auto minuteUp = [](int x, int y) {
            const SpinHit h = spinnerHitAt(x, y);
            return h.field == SpinMinute && h.row == SpinRowUp;
        };
        EXPECT_EQ(c.minuteUpX, hitRun(c.dpi, minuteUp, scaled(30, c.dpi), false));
        const SheetDrawing sheet = sheetDrawing(c.dpi, true);
        EXPECT_EQ(c.doubleSheet, sheet.doubleSheet);
        EXPECT_EQ(c.pixelExact, sheet.pixelExact);
        EXPECT_EQ(c.doubleSheet ? 192 : 96, sheet.sheetDpi);
        const SheetDrawing plain = sheetDrawing(c.dpi, false);
        EXPECT_FALSE(plain.doubleSheet);
        EXPECT_EQ(c.plainSheetExact, plain.pixelExact);
    }
}

// Every pixel drawn for a unit hits that unit: the edges of every area lie
// where they are drawn, at any scale, including the far edges.
TEST(Scale, EveryPixelHitsTheUnitItIsDrawnFor)
{
    for (int dpi : {96, 108, 120, 144, 168, 192, 240, 288, 480}) {
        for (int unit = -3; unit <= kFaceWidth; ++unit) {
            for (int pixel = scaled(unit, dpi); pixel < scaled(unit + 1, dpi); ++pixel)
                ASSERT_EQ(unit, faceUnit(pixel, dpi)) << "dpi " << dpi << " pixel " << pixel;
        }
    }
}

TEST(Scale, RoundingBelowZeroAndFromTheDoubleSheet)
{
    EXPECT_EQ(221, scaled(442, 96, 192)) << "a double-size figure at 100 %";
    EXPECT_EQ(-1, scaled(-1, 144)) << "halves up, below 0 too";
    EXPECT_EQ(-2, faceUnit(-3, 144)) << "a pixel left of the window is left of it";
}

// At 200 % a window whose top bar shows only 10 pixels on screen is out of
// reach (the grip is 16 there) and comes back; at 100 % it is kept.
TEST(Scale, TheTopBarReachedAtTheWindowsScale)
{
    const ScreenRect screen = {0, 0, 1920, 1080};
    const WindowPosition edge = {1920 - scaled(18, 192) - 10, 500};
    EXPECT_EQ(edge.left, placeOnScreen(edge, &screen, 1, 96).left);
    EXPECT_EQ(kDefaultWindowPosition, placeOnScreen(edge, &screen, 1, 192).left);
}

} // namespace
