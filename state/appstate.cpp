#include "state/appstate.h"

#include <cstring>
#include <new>

AppState g_app;

static_assert(sizeof(SYSTEMTIME) == sizeof(DateTime), "SYSTEMTIME layout");

void resetAppState()
{
    g_app.~AppState();
    new (&g_app) AppState();
}

DateTime toDateTime(const SYSTEMTIME& st)
{
    DateTime dt;
    std::memcpy(&dt, &st, sizeof dt);
    return dt;
}

SYSTEMTIME toSystemTime(const DateTime& dt)
{
    SYSTEMTIME st;
    std::memcpy(&st, &dt, sizeof st);
    return st;
}

int addFileTime(FILETIME& time, DWORD units)
{
    uint32_t low = time.dwLowDateTime;
    uint32_t high = time.dwHighDateTime;
    const int result = addFileTimeParts(low, high, units);
    time.dwLowDateTime = low;
    time.dwHighDateTime = high;
    return result;
}
