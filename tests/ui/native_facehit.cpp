// The face's areas under the pointer, at and around their edges.
#include <gtest/gtest.h>

#include "ui/facehit.h"

namespace {

TEST(FaceHit, EachAreaEndsWhereItsNeighbourBegins)
{
    const struct {
        int x, y;
        bool drag, menu, closePress, closeHover, button;
    } cases[] = {
        {18, 0, true, false, false, false, false},   {202, 11, true, false, false, false, false},
        {100, 5, true, false, false, false, false},  {17, 5, false, true, false, false, false},
        {0, 0, false, true, false, false, false},    {203, 5, false, false, true, true, false},
        {203, 1, false, false, true, true, false},   {219, 11, false, false, true, true, false},
        {210, 0, false, false, true, false, false},  {220, 5, false, false, true, false, false},
        {202, 5, true, false, false, false, false},  {100, 12, false, false, false, false, false},
        {210, 12, false, false, false, false, false}, {186, 26, false, false, false, false, true},
        {207, 47, false, false, false, false, true}, {185, 36, false, false, false, false, false},
        {208, 36, false, false, false, false, false}, {196, 25, false, false, false, false, false},
        {196, 48, false, false, false, false, false}, {-3, -3, false, true, false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.drag, inDragBar(c.x, c.y)) << c.x << "," << c.y;
        EXPECT_EQ(c.menu, inMenuIcon(c.x, c.y)) << c.x << "," << c.y;
        EXPECT_EQ(c.closePress, inClosePress(c.x, c.y)) << c.x << "," << c.y;
        EXPECT_EQ(c.closeHover, inCloseHover(c.x, c.y)) << c.x << "," << c.y;
        EXPECT_EQ(c.button, inStartButton(c.x, c.y)) << c.x << "," << c.y;
    }
}

} // namespace
