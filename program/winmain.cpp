#include <windows.h>

#include "program/entry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    return noctilMain(instance, commandLine, showCommand);
}
