// What the program asks of the system in more than one place: the lead-byte
// test, the system family, the module a window comes from, the local time
// offset, and libraries and functions bound at run time.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "base/codes.h"
#include "base/sleepgap.h"

// Code page 932 lead bytes, as the system sees them.
bool systemLeadByte(unsigned char byte);

// Windows NT, 2000, XP and later (false on Windows 95, 98 and Me).
bool isNtPlatform();

// A FILETIME as one count of 100 ns, and back.
inline uint64_t fileTimeValue(const FILETIME& t)
{
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

inline FILETIME fileTimeOf(uint64_t value)
{
    return {static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

// Offsets from UTC to local time in 100 ns, shaped for the local clock's
// sources (the context is unused). The first is the one GetLocalTime applies
// now; the second the one the zone's rules give at `utc` (the NT family only:
// Windows 95, 98 and Me cannot convert a given instant, and say false).
bool systemLocalOffset(void* context, uint64_t utc, int64_t& offset);
bool zoneRuleOffset(void* context, uint64_t utc, int64_t& offset);

// The directory of the running program with its trailing backslash; empty
// when it does not fit in `size` (never a cut path, which would name another
// directory). Returns `buffer`.
char* moduleDirectory(char* buffer, size_t size);

// Hands a file or address to the shell (default verb, shown normally) with
// `directory` as its working directory; the result is ignored. Tests put a
// recorder here so that nothing is launched; null restores the shell.
void shellOpen(const char* file, const char* directory);
using ShellOpenFunction = void (*)(const char* file, const char* directory);
void setShellOpenForTest(ShellOpenFunction open);

// The module `window` was made from (its dialogs, menus and pictures are
// there); the program's own module when there is no window.
HINSTANCE instanceOf(HWND window);

// The tick count, the system clock and, from Windows 7 on, the unbiased
// interrupt time, as the system gives them now. The program reads them
// through its seam (syscalls/seam.h), which the test build can move on.
ClockSample readSystemClocks();

// What the computer can do, from powrprof's GetPwrCapabilities (bound at run
// time from the system directory); `known` false where it cannot be asked.
// The program asks through its seam, which the test build can stage.
PowerCapabilities readPowerCapabilities();

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

// The DPI `window` is drawn at: the window's own where the system has per-
// monitor scaling (Windows 10 1607 on); else the screen's, if the system
// treats this process as DPI-aware (Vista on, by the manifest); else 96, as
// on Windows 95 to XP, where the program draws exactly as it always has.
int windowDpi(HWND window);
// A system metric (icon and cursor sizes, ...) for `dpi`: the system's own
// figure for that DPI where it can give one, else the metric scaled from the
// system's DPI.
int systemMetricFor(int index, int dpi);
// A system metric at the system's own DPI (GetSystemMetrics).
int systemMetric(int index);

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
