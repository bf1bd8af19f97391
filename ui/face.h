// Composing the main window's face from what it shows (a FaceFrame): the
// skin's background and pieces, the labels and the two lines of text, in the
// off-screen surface, then onto the window.
#pragma once
#include <windows.h>

#include "ui/faceframe.h"

// Redraws the part of the face that `change` asks for and copies it to the
// window (FaceChange::Whole: all of it).
void presentFace(HWND window, const FaceFrame& frame, FaceChange change);
