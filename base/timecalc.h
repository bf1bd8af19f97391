// Calendar and tick arithmetic on local date-times. No Windows headers here:
// these are tested natively with fixed dates.
#pragma once
#include <cstdint>

// Same field order and size as the system's SYSTEMTIME, so the Win32 side can
// copy one into the other.
struct DateTime {
    uint16_t wYear;
    uint16_t wMonth;
    uint16_t wDayOfWeek;
    uint16_t wDay;
    uint16_t wHour;
    uint16_t wMinute;
    uint16_t wSecond;
    uint16_t wMilliseconds;
};
static_assert(sizeof(DateTime) == 16, "DateTime must match SYSTEMTIME");

// Days of a month. Every year divisible by 4 is a leap year (no century rule);
// a month outside 1..12 returns the month value itself.
int daysInMonth(int month, int year);

// Moves the date one day forward in place, carrying into month and year.
void advanceOneDay(DateTime& d);

// The next hour:minute:00 at or after `now` at minute resolution: the current
// minute itself counts as "next" (up to 59.999 s in the past). Milliseconds are
// kept from `now`.
DateTime nextOccurrenceAfter(const DateTime& now, int hour, int minute);

// Adds an unsigned 32-bit count of 100 ns units to a 64-bit time held as two
// 32-bit halves, carrying into the high half. Returns 1.
int addFileTimeParts(uint32_t& low, uint32_t& high, uint32_t units);

// Milliseconds left until a tick-count deadline, as the signed difference of
// two wrapping 32-bit counters.
int32_t ticksRemaining(uint32_t deadline, uint32_t now);

// Deadline of a countdown of `seconds` started at tick `now` (wraps like the
// tick counter).
uint32_t countdownDeadlineFrom(uint32_t now, uint32_t seconds);
