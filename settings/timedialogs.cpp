#include "settings/timedialogs.h"

INT_PTR runClockTimeDialog(HWND owner)
{
    return 0;
}

INT_PTR runCountdownDialog(HWND owner)
{
    return 0;
}
