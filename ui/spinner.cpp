#include "ui/spinner.h"

namespace {

// Left edge of each column's 9-pixel arrow, minus 49: year, month, day, hour,
// minute, second.
constexpr int kColumnOffsets[6] = {0, 28, 49, 73, 94, 116};

uint16_t u16(int v)
{
    return static_cast<uint16_t>(v);
}

// One step in a closed range lo..hi that wraps at both ends.
uint16_t wrapUp(uint16_t value, int lo, int hi)
{
    return value >= hi ? u16(lo) : u16(value + 1);
}

uint16_t wrapDown(uint16_t value, int lo, int hi)
{
    return value <= lo ? u16(hi) : u16(value - 1);
}

} // namespace

SpinHit spinnerHitAt(int x, int y)
{
    SpinHit hit = {SpinNone, SpinRowNone};
    if (y <= 27 || y >= 63)
        return hit;
    for (int i = 0; i < 6; ++i) {
        const int offset = kColumnOffsets[i];
        if (offset + 48 < x && x < offset + 58) {
            hit.field = static_cast<SpinField>(i);
            break;
        }
    }
    if (hit.field == SpinNone)
        return hit;
    if (y < 39)
        hit.row = SpinRowUp;
    else if (y > 51)
        hit.row = SpinRowDown;
    else
        hit.field = SpinNone;
    return hit;
}

bool inSpinnerArea(int x, int y)
{
    return 48 < x && x < 174 && 27 < y && y < 63;
}

int tensUp(int value)
{
    const int t = value - value % 10;
    return t == 50 ? 0 : t + 10;
}

int tensDown(int value)
{
    if (value % 10 != 0)
        value += 10;
    const int t = value - value % 10;
    return t == 0 ? 50 : t - 10;
}

void spinUp(DateTime& d, SpinField field, bool fast)
{
    switch (field) {
    case SpinYear:
        d.wYear = u16(d.wYear + 1);
        break;
    case SpinMonth:
        d.wMonth = wrapUp(d.wMonth, 1, 12);
        break;
    case SpinDay:
        // The last day of the month wraps to the first; the month stays.
        d.wDay = d.wDay == daysInMonth(d.wMonth, d.wYear) ? 1 : u16(d.wDay + 1);
        break;
    case SpinHour:
        d.wHour = wrapUp(d.wHour, 0, 23);
        break;
    case SpinMinute:
        if (fast) {
            d.wMinute = u16(tensUp(d.wMinute));
            d.wSecond = 0;
        } else {
            d.wMinute = wrapUp(d.wMinute, 0, 59);
        }
        break;
    case SpinSecond:
        d.wSecond = fast ? u16(tensUp(d.wSecond)) : wrapUp(d.wSecond, 0, 59);
        break;
    case SpinNone:
        break;
    }
}

void spinDown(DateTime& d, SpinField field, bool fast)
{
    switch (field) {
    case SpinYear:
        d.wYear = u16(d.wYear - 1);
        break;
    case SpinMonth:
        d.wMonth = wrapDown(d.wMonth, 1, 12);
        break;
    case SpinDay:
        d.wDay = d.wDay == 1 ? u16(daysInMonth(d.wMonth, d.wYear)) : u16(d.wDay - 1);
        break;
    case SpinHour:
        d.wHour = wrapDown(d.wHour, 0, 23);
        break;
    case SpinMinute:
        if (fast) {
            d.wMinute = u16(tensDown(d.wMinute));
            d.wSecond = 0;
        } else {
            d.wMinute = wrapDown(d.wMinute, 0, 59);
        }
        break;
    case SpinSecond:
        d.wSecond = fast ? u16(tensDown(d.wSecond)) : wrapDown(d.wSecond, 0, 59);
        break;
    case SpinNone:
        break;
    }
}

bool isConvertibleDate(const DateTime& d)
{
    if (d.wYear < 1601 || d.wYear > 30827 || d.wMonth < 1 || d.wMonth > 12)
        return false;
    const int y = d.wYear;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    const int days = d.wMonth == 2 ? (leap ? 29 : 28) : daysInMonth(d.wMonth, y);
    return d.wDay >= 1 && d.wDay <= days && d.wHour < 24 && d.wMinute < 60 && d.wSecond < 60 &&
           d.wMilliseconds < 1000;
}

bool keypadStep(DateTime& d, int digit)
{
    switch (digit) {
    case 1: spinDown(d, SpinDay, false); break;
    case 2: spinDown(d, SpinHour, false); break;
    case 3: spinDown(d, SpinMinute, false); d.wSecond = 0; break;
    case 4: spinUp(d, SpinDay, false); break;
    case 5: spinUp(d, SpinHour, false); break;
    case 6: spinUp(d, SpinMinute, false); d.wSecond = 0; break;
    default: return false;
    }
    return true;
}
