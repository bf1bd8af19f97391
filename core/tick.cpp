#include "core/tick.h"

#include "core/appstate.h"
#include "ui/display.h"

void tick(HWND window)
{
    BitBlt(g_app.displaySurface, 0, 0, kFaceWidth, kFaceHeight, g_app.backgroundSurface, 0, 0, SRCCOPY);
    presentDisplay(window);
}
