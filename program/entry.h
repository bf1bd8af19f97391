// Entry of noctil: single instance, command line, window class, main window
// and message loop.
#pragma once
#include <windows.h>

extern const char kMainClassName[]; // "Noctil"
extern const char kMainTitle[];     // "Noctil"

// The whole program: returns the process exit code.
int noctilMain(HINSTANCE instance, const char* commandLine, int showCommand);

// Fills programDirectory with the directory of the running program (with the
// trailing backslash).
void findProgramDirectory();

ATOM registerMainClass(HINSTANCE instance);
HWND createMainWindow(HINSTANCE instance);
