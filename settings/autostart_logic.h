// What the auto-start file noctil.ini means: which trigger to arm at start,
// what the settings dialog shows, and what it writes back. No Windows headers:
// the file is reached through the reader and writer passed in, so the same
// decisions run natively under test.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr const char kAutoStartFileName[] = "noctil.ini";
constexpr const char kAutoStartSection[] = "AUTO";
// Every value is read into a buffer of this size (at most 254 characters).
constexpr size_t kAutoStartValueSize = 255;

// Reads one key of [AUTO] into `out` (NUL-terminated, at most size - 1
// characters), or `fallback` when the key is missing.
using AutoStartReader = void (*)(void* context, const char* key, const char* fallback, char* out,
                                 size_t size);
// Writes one key of [AUTO].
using AutoStartWriter = void (*)(void* context, const char* key, const char* value);

enum class AutoStartKind { None, ClockTime, Countdown, Network };

// The first character of SEL, with its case: T, C or N; anything else is none.
AutoStartKind autoStartKindFromSel(const char* sel);
// The SEL value the dialog writes for a choice.
const char* selFromAutoStartKind(AutoStartKind kind);

// A value of the file as a number: leading blanks, an optional sign, the
// leading digits; text without digits is 0. Saturates at the 32-bit range.
int32_t autoStartNumber(const char* text);

// The longest countdown whose deadline the tick's signed 32-bit millisecond
// difference can still tell from an overdue one.
constexpr uint32_t kLongestTickCountdownSeconds = 2147483;

// What the auto-start arms.
struct AutoStartPlan {
    AutoStartKind kind;   // None: arm nothing
    uint32_t seconds;     // Countdown
    int32_t hour;         // ClockTime
    int32_t minute;       // ClockTime
    char host[kAutoStartValueSize]; // Network
};

// Reads SEL and then only the keys the chosen trigger needs, with the
// defaults used at start.
AutoStartPlan planAutoStart(AutoStartReader read, void* context);

// What the settings dialog shows and writes back.
struct AutoStartForm {
    AutoStartKind kind;
    char host[kAutoStartValueSize];
    uint32_t countdownHours;
    uint32_t countdownMinutes;
    uint32_t hour;
    uint32_t minute;
};

// The form as the dialog opens it, with the dialog's defaults.
AutoStartForm readAutoStartForm(AutoStartReader read, void* context);

// Writes the five keys in the dialog's order: SEL, HOST, COUNT, TIME_M, TIME_H.
void writeAutoStartForm(const AutoStartForm& form, AutoStartWriter write, void* context);

