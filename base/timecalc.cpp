#include "base/timecalc.h"

int daysInMonth(int month, int year)
{
    switch (month) {
    case 2:
        return (year % 4 == 0) ? 29 : 28;
    case 4: case 6: case 9: case 11:
        return 30;
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    default:
        return month;
    }
}

void advanceOneDay(DateTime& d)
{
    d.wDayOfWeek = (d.wDayOfWeek == 6) ? 0 : static_cast<uint16_t>(d.wDayOfWeek + 1);
    if (d.wDay == daysInMonth(d.wMonth, d.wYear)) {
        d.wDay = 1;
        if (d.wMonth == 12) {
            d.wYear = static_cast<uint16_t>(d.wYear + 1);
            d.wMonth = 1;
        } else {
            d.wMonth = static_cast<uint16_t>(d.wMonth + 1);
        }
    } else {
        d.wDay = static_cast<uint16_t>(d.wDay + 1);
    }
}

DateTime nextOccurrenceAfter(const DateTime& now, int hour, int minute)
{
    const uint16_t h = static_cast<uint16_t>(hour);
    const uint16_t m = static_cast<uint16_t>(minute);
    DateTime out = now;
    out.wHour = h;
    out.wMinute = m;
    out.wSecond = 0;
    if (now.wHour > h || (now.wHour == h && now.wMinute > m))
        advanceOneDay(out);
    return out;
}

int addFileTimeParts(uint32_t& low, uint32_t& high, uint32_t units)
{
    low += units;
    if (low < units)
        ++high;
    return 1;
}

int32_t ticksRemaining(uint32_t deadline, uint32_t now)
{
    return static_cast<int32_t>(deadline - now);
}

uint32_t countdownDeadlineFrom(uint32_t now, uint32_t seconds)
{
    return now + seconds * 1000u;
}
