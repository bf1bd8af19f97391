// What the process entry of our run-time takes from runtime_text.cpp.
#pragma once

extern "C" {

// The command line without the program's own name (quoted or not) and the
// blanks after it, as WinMain receives it.
char* runtimeArguments(char* line);

} // extern "C"
