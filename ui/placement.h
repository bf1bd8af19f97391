// Where the main window opens: a stored position is kept when the user can
// still reach the window's top bar on one of the screens, and is brought back
// otherwise (a monitor unplugged, another screen set-up). No Windows headers.
#pragma once
#include <cstddef>
#include <cstdint>

struct ScreenRect {
    int32_t left, top, right, bottom; // right and bottom exclusive
};

struct WindowPosition {
    int32_t left, top;
};

// Where a new window opens, and where a lost one is brought back to.
constexpr int32_t kDefaultWindowPosition = 100;

// The stored position when its top bar is reachable; else the first of these
// that is: the default left with the stored top, the stored left with the
// default top, the default position.
// `dpi` is the scale the window is drawn at: its top bar is that much larger.
WindowPosition placeOnScreen(WindowPosition stored, const ScreenRect* screens, size_t count, int dpi = 96);
