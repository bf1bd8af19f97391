// What the program asks of the system in more than one place: the lead-byte
// test, the system family, the module a window comes from, and libraries and
// functions bound at run time.
#pragma once
#include <windows.h>

// Code page 932 lead bytes, as the system sees them.
bool systemLeadByte(unsigned char byte);

// Windows NT, 2000, XP and later (false on Windows 95, 98 and Me).
bool isNtPlatform();

// The module `window` was made from (its dialogs, menus and pictures are
// there); the program's own module when there is no window.
HINSTANCE instanceOf(HWND window);

// Binds `slot` to the function `name` of `module`; false (and a null slot)
// when the module or the function is missing.
template <typename Fn>
bool bindFunction(HMODULE module, const char* name, Fn& slot)
{
    slot = module != nullptr ? reinterpret_cast<Fn>(GetProcAddress(module, name)) : nullptr;
    return slot != nullptr;
}

// A function of a library the program has loaded already (kernel32, user32,
// ...), or null: for calls that only newer systems have.
template <typename Fn>
Fn systemFunction(const char* library, const char* name)
{
    Fn function;
    bindFunction(GetModuleHandleA(library), name, function);
    return function;
}

// Keeps the program's folder and the current directory out of the system's
// search for libraries that are loaded by name, where the system can: called
// first thing at start.
void restrictLibrarySearch();

// Loads a library of the system from the system directory, never from the
// program's folder or the current directory (a library of that name dropped
// beside the program is not code of ours). Null when it is not there.
HMODULE loadSystemLibrary(const char* name);

// The common controls the program's manifest asks for: on systems with side-by-side
// assemblies the manifest's version, else the one in the system directory.
HMODULE loadCommonControls();
