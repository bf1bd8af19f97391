#include "ui/about.h"

INT_PTR runAboutDialog(HWND owner)
{
    return 0;
}
