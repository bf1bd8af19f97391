#include "power/dialogpaint.h"

INT_PTR paintDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return 0;
}
