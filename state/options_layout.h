// The persisted options and their fixed 1324-byte file layout (little-endian,
// no header). No Windows headers: the layout is tested natively.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/codes.h"

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

// The file image of the options: the ten fields in order, integers
// little-endian, strings as their whole fixed-size buffers.
void encodeOptions(const Options& options, unsigned char out[kOptionsFileSize]);

// Reads a file image of `n` bytes over `inOut`. A short file fills the fields
// it reaches (a field cut short keeps the rest of its previous bytes) and
// leaves the others alone; bytes beyond the layout are ignored. Afterwards
// the values are made safe to use (see sanitizeOptions). Returns false, with
// `inOut` untouched, when there is no byte at all.
bool decodeOptions(const unsigned char* data, size_t n, Options& inOut);

