#include "settings/options_layout.h"

Options defaultOptions()
{
    Options o = {};
    o.alwaysOnTop = 1;
    o.powerAction = Shutdown;
    o.clockMinute = 55;
    o.clockHour = 7;
    return o;
}
