#include "settings/autostart.h"

void armAutoStart()
{
}
