// The about box's links: where each one is hot.
#include <gtest/gtest.h>

#include "ui/aboutlinks.h"

namespace {

TEST(AboutLinks, HotRectanglesExcludeTheirEdges)
{
    struct Case { int x, y; AboutLink expected; } cases[] = {
        {241, 36, AboutLink::Web},   {384, 46, AboutLink::Web},   {384, 40, AboutLink::Web},
        {240, 40, AboutLink::None},  {385, 40, AboutLink::None},  {300, 35, AboutLink::None},
        {300, 47, AboutLink::None},  {300, 48, AboutLink::None},  {300, 49, AboutLink::None},
        {241, 50, AboutLink::Mail},  {382, 60, AboutLink::Mail},  {382, 55, AboutLink::Mail},
        {383, 55, AboutLink::None},  {240, 55, AboutLink::None},  {300, 61, AboutLink::None},
        {0, 0, AboutLink::None},     {-300, 40, AboutLink::None}, {300, -20, AboutLink::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<int>(c.expected), static_cast<int>(aboutLinkAt(c.x, c.y)))
            << "at " << c.x << ", " << c.y;
}

} // namespace
