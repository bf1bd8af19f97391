// The command line of noctil: an optional start hour and an optional token
// beginning with t or T (start in the notification area).
#pragma once
#include <cstdint>

struct CommandLine {
    int32_t startHour;   // -1 when the first token is not a number
    int32_t startInTray; // 1 when the second token begins with t or T
};

// Tokens are separated by runs of spaces (tabs are not separators). Only the
// first two tokens count; `text` may be null.
CommandLine parseCommandLine(const char* text);

// Like the C library's atol on the first `length` bytes of `text`, but
// saturating at the 32-bit range instead of overflowing.
int32_t parseLeadingLong(const char* text, int length);
