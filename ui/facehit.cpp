#include "ui/facehit.h"

#include "ui/faceframe.h"

bool inDragBar(int x, int y)
{
    return y < kTopBarHeight && kDragAreaLeft <= x && x <= kDragAreaRight;
}

bool inMenuIcon(int x, int y)
{
    return y < kTopBarHeight && x < kDragAreaLeft;
}

bool inClosePress(int x, int y)
{
    return y < kTopBarHeight && x > kDragAreaRight;
}

bool inCloseHover(int x, int y)
{
    return kDragAreaRight < x && x < kFaceWidth && 0 < y && y < kTopBarHeight;
}

bool inStartButton(int x, int y)
{
    return 185 < x && x < 208 && 25 < y && y < 48;
}
