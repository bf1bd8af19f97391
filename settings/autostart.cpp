#include "settings/autostart.h"

void armAutoStart()
{
}

INT_PTR runAutoStartDialog(HWND owner)
{
    return 0;
}
