#include "settings/options.h"

#include "core/appstate.h"

// The file itself comes with the options file work; until then the program
// runs on its initial values.
void loadOptions()
{
}

void saveOptions()
{
}
