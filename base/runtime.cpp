// The little run-time the shipped programs need, in place of the C library:
// the process entry, static constructors and exit handlers here, the memory
// and string routines the compiler and our code call in runtime_text.cpp. With it the programs
// import only system DLLs that every 32-bit Windows has (msvcrt.dll is not
// one of them on the first Windows 95). The test programs keep the C library.
#include <windows.h>

#include <cstddef>

#include "base/runtime.h"

extern "C" {

// The linker's list of static constructors: -1, the functions, 0.
extern void (*__CTOR_LIST__[])();

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

namespace {

constexpr int kMaxExitHandlers = 8;
void (*g_exitHandlers[kMaxExitHandlers])();
int g_exitHandlerCount;

void runConstructors()
{
    size_t count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr)
        ++count;
    while (count > 0) // in the order the C library runs them: last first
        __CTOR_LIST__[count--]();
}

} // namespace

int atexit(void (*handler)())
{
    if (g_exitHandlerCount == kMaxExitHandlers)
        return -1;
    g_exitHandlers[g_exitHandlerCount++] = handler;
    return 0;
}

void noctilEntry()
{
    runConstructors();
    STARTUPINFOA startup;
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
    const int code = WinMain(GetModuleHandleA(nullptr), nullptr, runtimeArguments(GetCommandLineA()), show);
    while (g_exitHandlerCount > 0)
        g_exitHandlers[--g_exitHandlerCount]();
    ExitProcess(static_cast<UINT>(code));
}

} // extern "C"
