// The auto-start file noctil.ini beside the program.
#pragma once

// Arms what the auto-start settings name, or nothing.
void armAutoStart();
