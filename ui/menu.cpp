#include "ui/menu.h"

void showPopupMenu(HWND window, const POINT* screenPoint)
{
}

void showPopupMenuAtIcon(HWND window)
{
}
