#include "ui/placement.h"

#include "ui/facehit.h"

namespace {

// The drag area of the top bar, relative to the window, and the least of it
// that must show to be taken hold of.
constexpr int64_t kDragLeft = kDragAreaLeft;
constexpr int64_t kDragRight = kDragAreaRight + 1;
constexpr int64_t kDragBottom = kTopBarHeight;
constexpr int64_t kGripWidth = 8;
constexpr int64_t kGripHeight = 6;

// How much of [from, to) lies in [screenFrom, screenTo); negative when none.
// In 64 bits: a damaged options file may hold any 32-bit position.
int64_t overlap(int64_t from, int64_t to, int64_t screenFrom, int64_t screenTo)
{
    return (to < screenTo ? to : screenTo) - (from > screenFrom ? from : screenFrom);
}

// True when one screen shows a piece of the drag area of the top bar of a
// window at (left, top) big enough to take hold of.
bool topBarReachable(WindowPosition position, const ScreenRect* screens, size_t count)
{
    const int64_t left = position.left, top = position.top;
    for (size_t i = 0; i < count; ++i) {
        const ScreenRect& s = screens[i];
        if (overlap(left + kDragLeft, left + kDragRight, s.left, s.right) >= kGripWidth
            && overlap(top, top + kDragBottom, s.top, s.bottom) >= kGripHeight)
            return true;
    }
    return false;
}

} // namespace

WindowPosition placeOnScreen(WindowPosition stored, const ScreenRect* screens, size_t count)
{
    const WindowPosition candidates[] = {
        stored,
        {kDefaultWindowPosition, stored.top},
        {stored.left, kDefaultWindowPosition},
    };
    for (const WindowPosition& candidate : candidates) {
        if (topBarReachable(candidate, screens, count))
            return candidate;
    }
    return {kDefaultWindowPosition, kDefaultWindowPosition};
}
