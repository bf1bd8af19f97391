// Where the pointer is on the face, in client pixels (x to the right, y
// down). No Windows headers: the areas are tested natively.
#pragma once

// The top bar: the menu icon at its left, the drag area, the close box at its
// right; the drag area's right edge is inclusive.
constexpr int kTopBarHeight = 12;
constexpr int kDragAreaLeft = 18;
constexpr int kDragAreaRight = 202;

bool inDragBar(int x, int y);
bool inMenuIcon(int x, int y);
// A press here presses the close box; a release over it while the pointer is
// still in the hover area closes the program.
bool inClosePress(int x, int y);
bool inCloseHover(int x, int y);
// The start/stop button, bounds exclusive.
bool inStartButton(int x, int y);
