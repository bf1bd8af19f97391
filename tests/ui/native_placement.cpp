// Where the window opens: kept where its top bar can be taken hold of on some
// screen, brought back otherwise.
#include <gtest/gtest.h>

#include "ui/placement.h"

namespace {

TEST(Placement, KeepsWhatCanBeReachedAndBringsBackTheRest)
{
    const ScreenRect primary = {0, 0, 1024, 768};
    const ScreenRect leftOfIt = {-1280, -200, 0, 824}; // a second monitor, to the left
    const ScreenRect both[] = {primary, leftOfIt};
    const struct {
        const char* what;
        size_t screens;
        WindowPosition stored, expected;
    } cases[] = {
        {"on the primary screen", 1, {300, 200}, {300, 200}},
        {"on the monitor to the left", 2, {-900, -100}, {-900, -100}},
        {"that monitor unplugged", 1, {-900, 200}, {100, 200}},
        {"far left", 1, {-5000, 300}, {100, 300}},
        {"far above", 1, {300, -5000}, {300, 100}},
        {"past the right edge", 1, {5000, 300}, {100, 300}},
        {"past the bottom edge", 1, {300, 3000}, {300, 100}},
        {"past both", 2, {5000, 3000}, {100, 100}},
        {"the extremes of a damaged file", 1, {INT32_MIN, INT32_MAX}, {100, 100}},
        // The drag area (x 18..202, y 0..11 of the window) needs 8 x 6 pixels
        // on one screen: the last ones that still show that much are kept.
        {"right edge, 8 pixels of the bar", 1, {998, 300}, {998, 300}},
        {"right edge, 7 pixels", 1, {999, 300}, {100, 300}},
        {"left edge, 8 pixels", 1, {-195, 300}, {-195, 300}},
        {"left edge, 7 pixels", 1, {-196, 300}, {100, 300}},
        {"top edge, 6 rows", 1, {300, -6}, {300, -6}},
        {"top edge, 5 rows", 1, {300, -7}, {300, 100}},
        {"bottom edge, 6 rows", 1, {300, 762}, {300, 762}},
        {"bottom edge, 5 rows", 1, {300, 763}, {300, 100}},
        {"across the two monitors", 2, {-100, 300}, {-100, 300}},
    };
    for (const auto& c : cases) {
        const WindowPosition got = placeOnScreen(c.stored, both, c.screens);
        EXPECT_EQ(c.expected.left, got.left) << c.what;
        EXPECT_EQ(c.expected.top, got.top) << c.what;
    }
}

} // namespace
