// The persisted options and their fixed 1324-byte file layout (little-endian,
// no header). No Windows headers: the layout is tested natively.
#pragma once
#include <cstddef>
#include <cstdint>

enum PowerAction : int32_t {
    Shutdown = 0,
    Reboot = 1,
    Standby = 2,
    Hibernate = 3,
    Logoff = 4,
};

struct WindowRect32 {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct Options {
    int32_t alwaysOnTop;
    int32_t silent;
    int32_t forceAction;
    WindowRect32 windowRect;
    char hostName[1024];
    int32_t forceIfHung;
    int32_t powerAction;
    int32_t clockMinute;
    int32_t clockHour;
    char skinName[256];
};

static_assert(sizeof(Options) == 1324, "options file layout");
static_assert(offsetof(Options, alwaysOnTop) == 0, "options file layout");
static_assert(offsetof(Options, silent) == 4, "options file layout");
static_assert(offsetof(Options, forceAction) == 8, "options file layout");
static_assert(offsetof(Options, windowRect) == 12, "options file layout");
static_assert(offsetof(Options, hostName) == 28, "options file layout");
static_assert(offsetof(Options, forceIfHung) == 1052, "options file layout");
static_assert(offsetof(Options, powerAction) == 1056, "options file layout");
static_assert(offsetof(Options, clockMinute) == 1060, "options file layout");
static_assert(offsetof(Options, clockHour) == 1064, "options file layout");
static_assert(offsetof(Options, skinName) == 1068, "options file layout");

constexpr size_t kOptionsFileSize = sizeof(Options);

// The program's initial option values (before any file is read).
Options defaultOptions();
