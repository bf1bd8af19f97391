#include <windows.h>

#include "core/entry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    return noctilMain(instance, commandLine, showCommand);
}
