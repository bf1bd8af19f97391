// Date-times in tests: made from their fields and shown as text in failure
// messages; under Windows also the target time and local times from now.
#pragma once
#include <cstdio>
#include <string>

#include "base/timecalc.h"

inline DateTime at(int year, int month, int day, int hour, int minute, int second = 0, int dayOfWeek = 0,
                   int milliseconds = 0)
{
    return DateTime{static_cast<uint16_t>(year),   static_cast<uint16_t>(month),     static_cast<uint16_t>(dayOfWeek),
                    static_cast<uint16_t>(day),    static_cast<uint16_t>(hour),      static_cast<uint16_t>(minute),
                    static_cast<uint16_t>(second), static_cast<uint16_t>(milliseconds)};
}

// "2026-12-07 10:00:00"
inline std::string show(const DateTime& t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return text;
}

// The same with the milliseconds and the day of the week, which the date
// arithmetic must carry along.
inline std::string showAll(const DateTime& t)
{
    return show(t) + "." + std::to_string(t.wMilliseconds) + " dow " + std::to_string(t.wDayOfWeek);
}

#ifdef _WIN32
#include <windows.h>

#include "state/appstate.h"

inline std::string show(const SYSTEMTIME& t)
{
    return show(toDateTime(t));
}

inline ULONGLONG units(const FILETIME& t)
{
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// The local time `seconds` from now.
inline FILETIME localFromNow(LONGLONG seconds)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME t;
    SystemTimeToFileTime(&now, &t);
    const ULONGLONG moved = units(t) + seconds * 10000000LL;
    return {static_cast<DWORD>(moved), static_cast<DWORD>(moved >> 32)};
}

// The clock target as text, or "invalid".
inline std::string target()
{
    SYSTEMTIME t;
    return FileTimeToSystemTime(&g_app.targetTime, &t) ? show(t) : "invalid";
}

inline bool setTarget(const DateTime& fields)
{
    const SYSTEMTIME t = toSystemTime(fields);
    return SystemTimeToFileTime(&t, &g_app.targetTime) != 0;
}
#endif
