// The options file noctil.gid beside the program.
#pragma once

void loadOptions();
void saveOptions();
