#include "ui/placement.h"

#include "base/scale.h"
#include "ui/facehit.h"

namespace {

// The drag area of the top bar, relative to the window, and the least of it
// that must show to be taken hold of, in face units.
constexpr int kDragLeft = kDragAreaLeft;
constexpr int kDragRight = kDragAreaRight + 1;
constexpr int kDragBottom = kTopBarHeight;
constexpr int kGripWidth = 8;
constexpr int kGripHeight = 6;

// How much of [from, to) lies in [screenFrom, screenTo); negative when none.
// In 64 bits: a damaged options file may hold any 32-bit position.
int64_t overlap(int64_t from, int64_t to, int64_t screenFrom, int64_t screenTo)
{
    return (to < screenTo ? to : screenTo) - (from > screenFrom ? from : screenFrom);
}

// True when one screen shows a piece of the drag area of the top bar of a
// window at (left, top) big enough to take hold of.
bool topBarReachable(WindowPosition position, const ScreenRect* screens, size_t count, int dpi)
{
    const int64_t left = position.left, top = position.top;
    const int64_t dragLeft = scaled(kDragLeft, dpi), dragRight = scaled(kDragRight, dpi);
    const int64_t dragBottom = scaled(kDragBottom, dpi);
    const int64_t gripWidth = scaled(kGripWidth, dpi), gripHeight = scaled(kGripHeight, dpi);
    for (size_t i = 0; i < count; ++i) {
        const ScreenRect& s = screens[i];
        if (overlap(left + dragLeft, left + dragRight, s.left, s.right) >= gripWidth
            && overlap(top, top + dragBottom, s.top, s.bottom) >= gripHeight)
            return true;
    }
    return false;
}

} // namespace

WindowPosition placeOnScreen(WindowPosition stored, const ScreenRect* screens, size_t count, int dpi)
{
    const WindowPosition candidates[] = {
        stored,
        {kDefaultWindowPosition, stored.top},
        {stored.left, kDefaultWindowPosition},
    };
    for (const WindowPosition& candidate : candidates) {
        if (topBarReachable(candidate, screens, count, dpi))
            return candidate;
    }
    return {kDefaultWindowPosition, kDefaultWindowPosition};
}
