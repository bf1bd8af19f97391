#include "ui/skin.h"

void loadSkin(HWND window, const char* name)
{
}
