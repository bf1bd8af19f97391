// Digit arrows and keypad keys: hit geometry and per-field steps.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/spinner.h"

namespace {

DateTime at(int y, int mo, int d, int h, int mi, int s)
{
    return DateTime{static_cast<uint16_t>(y), static_cast<uint16_t>(mo), 3, static_cast<uint16_t>(d),
                    static_cast<uint16_t>(h), static_cast<uint16_t>(mi), static_cast<uint16_t>(s), 123};
}

std::string show(const DateTime& t)
{
    char b[64];
    std::snprintf(b, sizeof b, "%04u-%02u-%02u %02u:%02u:%02u.%03u dow %u", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond, t.wMilliseconds, t.wDayOfWeek);
    return b;
}

TEST(SpinnerHit, ColumnsRowsAndTheirEdges)
{
    struct Case { int x, y; SpinField field; SpinRow row; } cases[] = {
        // Each column's first and last pixel, up row.
        {49, 28, SpinYear, SpinRowUp}, {57, 38, SpinYear, SpinRowUp},
        {77, 30, SpinMonth, SpinRowUp}, {85, 30, SpinMonth, SpinRowUp},
        {98, 30, SpinDay, SpinRowUp}, {106, 30, SpinDay, SpinRowUp},
        {122, 30, SpinHour, SpinRowUp}, {130, 30, SpinHour, SpinRowUp},
        {143, 30, SpinMinute, SpinRowUp}, {151, 30, SpinMinute, SpinRowUp},
        {165, 30, SpinSecond, SpinRowUp}, {173, 30, SpinSecond, SpinRowUp},
        // Down row edges.
        {50, 52, SpinYear, SpinRowDown}, {170, 62, SpinSecond, SpinRowDown},
        // Just outside a column, between the rows, above and below the block.
        {48, 30, SpinNone, SpinRowNone}, {58, 30, SpinNone, SpinRowNone}, {76, 30, SpinNone, SpinRowNone},
        {164, 30, SpinNone, SpinRowNone}, {174, 30, SpinNone, SpinRowNone},
        {145, 39, SpinNone, SpinRowNone}, {145, 45, SpinNone, SpinRowNone}, {145, 51, SpinNone, SpinRowNone},
        {145, 27, SpinNone, SpinRowNone}, {145, 63, SpinNone, SpinRowNone}, {-5, 30, SpinNone, SpinRowNone},
    };
    for (const Case& c : cases) {
        const SpinHit hit = spinnerHitAt(c.x, c.y);
        EXPECT_EQ(c.field, hit.field) << "x " << c.x << " y " << c.y;
        EXPECT_EQ(c.row, hit.row) << "x " << c.x << " y " << c.y;
    }
}

TEST(SpinnerHit, CursorArea)
{
    struct Case { int x, y; bool in; } cases[] = {
        {49, 28, true}, {173, 62, true}, {110, 45, true},
        {48, 40, false}, {174, 40, false}, {100, 27, false}, {100, 63, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.in, inSpinnerArea(c.x, c.y)) << "x " << c.x << " y " << c.y;
}

TEST(SpinnerTens, EveryValueOfAMinute)
{
    for (int v = 0; v < 60; ++v) {
        const int up = (v / 10 == 5) ? 0 : (v / 10 + 1) * 10;
        const int down = (v == 0) ? 50 : ((v - 1) / 10) * 10;
        EXPECT_EQ(up, tensUp(v)) << "up from " << v;
        EXPECT_EQ(down, tensDown(v)) << "down from " << v;
    }
    // The worked examples, in a row as a held arrow produces them.
    int v = 37;
    const int downs[] = {30, 20, 10, 0, 50, 40};
    for (int expected : downs) {
        v = tensDown(v);
        EXPECT_EQ(expected, v);
    }
    EXPECT_EQ(0, tensDown(5));
    EXPECT_EQ(40, tensUp(37));
    EXPECT_EQ(0, tensUp(59));
}

struct StepCase {
    DateTime from;
    SpinField field;
    bool up, fast;
    DateTime to;
};

TEST(SpinnerStep, EveryFieldBothWaysAndItsWraps)
{
    const StepCase cases[] = {
        // Year: no bound either way.
        {at(2026, 5, 10, 12, 7, 30), SpinYear, true, false, at(2027, 5, 10, 12, 7, 30)},
        {at(2026, 5, 10, 12, 7, 30), SpinYear, false, true, at(2025, 5, 10, 12, 7, 30)},
        {at(1601, 1, 1, 0, 0, 0), SpinYear, false, false, at(1600, 1, 1, 0, 0, 0)},
        {at(30827, 1, 1, 0, 0, 0), SpinYear, true, false, at(30828, 1, 1, 0, 0, 0)},
        // Month wraps without touching the year; the day is not adjusted.
        {at(2026, 12, 15, 0, 0, 0), SpinMonth, true, false, at(2026, 1, 15, 0, 0, 0)},
        {at(2026, 1, 15, 0, 0, 0), SpinMonth, false, false, at(2026, 12, 15, 0, 0, 0)},
        {at(2026, 1, 31, 0, 0, 0), SpinMonth, true, false, at(2026, 2, 31, 0, 0, 0)},
        {at(2026, 6, 15, 0, 0, 0), SpinMonth, true, true, at(2026, 7, 15, 0, 0, 0)},
        // Day wraps by the length of its month; the month stays.
        {at(2026, 1, 31, 0, 0, 0), SpinDay, true, false, at(2026, 1, 1, 0, 0, 0)},
        {at(2026, 4, 30, 0, 0, 0), SpinDay, true, false, at(2026, 4, 1, 0, 0, 0)},
        {at(2026, 2, 28, 0, 0, 0), SpinDay, true, false, at(2026, 2, 1, 0, 0, 0)},
        {at(2024, 2, 28, 0, 0, 0), SpinDay, true, false, at(2024, 2, 29, 0, 0, 0)},
        {at(2100, 2, 28, 0, 0, 0), SpinDay, true, false, at(2100, 2, 29, 0, 0, 0)},
        {at(2026, 2, 1, 0, 0, 0), SpinDay, false, false, at(2026, 2, 28, 0, 0, 0)},
        {at(2024, 2, 1, 0, 0, 0), SpinDay, false, false, at(2024, 2, 29, 0, 0, 0)},
        {at(2026, 11, 1, 0, 0, 0), SpinDay, false, true, at(2026, 11, 30, 0, 0, 0)},
        {at(2026, 11, 14, 0, 0, 0), SpinDay, false, true, at(2026, 11, 13, 0, 0, 0)},
        // Hour.
        {at(2026, 5, 10, 23, 7, 30), SpinHour, true, false, at(2026, 5, 10, 0, 7, 30)},
        {at(2026, 5, 10, 0, 7, 30), SpinHour, false, false, at(2026, 5, 10, 23, 7, 30)},
        {at(2026, 5, 10, 9, 7, 30), SpinHour, true, true, at(2026, 5, 10, 10, 7, 30)},
        // Minute, slow: seconds untouched, no carry into the hour.
        {at(2026, 5, 10, 12, 59, 30), SpinMinute, true, false, at(2026, 5, 10, 12, 0, 30)},
        {at(2026, 5, 10, 12, 0, 30), SpinMinute, false, false, at(2026, 5, 10, 12, 59, 30)},
        {at(2026, 5, 10, 12, 7, 30), SpinMinute, true, false, at(2026, 5, 10, 12, 8, 30)},
        // Minute, fast: tens, seconds cleared.
        {at(2026, 5, 10, 12, 7, 30), SpinMinute, true, true, at(2026, 5, 10, 12, 10, 0)},
        {at(2026, 5, 10, 12, 55, 30), SpinMinute, true, true, at(2026, 5, 10, 12, 0, 0)},
        {at(2026, 5, 10, 12, 37, 30), SpinMinute, false, true, at(2026, 5, 10, 12, 30, 0)},
        {at(2026, 5, 10, 12, 0, 30), SpinMinute, false, true, at(2026, 5, 10, 12, 50, 0)},
        // Second, slow and fast: the minute stays.
        {at(2026, 5, 10, 12, 7, 59), SpinSecond, true, false, at(2026, 5, 10, 12, 7, 0)},
        {at(2026, 5, 10, 12, 7, 0), SpinSecond, false, false, at(2026, 5, 10, 12, 7, 59)},
        {at(2026, 5, 10, 12, 7, 52), SpinSecond, true, true, at(2026, 5, 10, 12, 7, 0)},
        {at(2026, 5, 10, 12, 7, 0), SpinSecond, false, true, at(2026, 5, 10, 12, 7, 50)},
        {at(2026, 5, 10, 12, 7, 21), SpinSecond, false, true, at(2026, 5, 10, 12, 7, 20)},
        // Nothing hit, nothing changes.
        {at(2026, 5, 10, 12, 7, 21), SpinNone, true, true, at(2026, 5, 10, 12, 7, 21)},
    };
    for (const StepCase& c : cases) {
        DateTime d = c.from;
        if (c.up)
            spinUp(d, c.field, c.fast);
        else
            spinDown(d, c.field, c.fast);
        EXPECT_EQ(show(c.to), show(d)) << "field " << c.field << (c.up ? " up" : " down")
                                       << (c.fast ? " fast" : " slow") << " from " << show(c.from);
    }
}

TEST(SpinnerStep, HeldMinuteArrowFromSevenPastTwelve)
{
    // Press, first repeat (slow), then the fast repeats.
    DateTime d = at(2026, 5, 10, 12, 7, 30);
    const bool fast[] = {false, false, true, true, true};
    const int minutes[] = {8, 9, 10, 20, 30};
    for (int i = 0; i < 5; ++i) {
        spinUp(d, SpinMinute, fast[i]);
        EXPECT_EQ(minutes[i], d.wMinute) << "step " << i;
    }
    EXPECT_EQ(0, d.wSecond);
    EXPECT_EQ(12, d.wHour);
}

TEST(SpinnerDate, WhatTheSystemCanConvert)
{
    struct Case { DateTime d; bool ok; } cases[] = {
        {at(2026, 1, 31, 23, 59, 59), true}, {at(2026, 2, 28, 0, 0, 0), true},
        {at(2026, 2, 29, 0, 0, 0), false}, {at(2026, 2, 31, 0, 0, 0), false},
        {at(2024, 2, 29, 0, 0, 0), true}, {at(2000, 2, 29, 0, 0, 0), true},
        {at(2100, 2, 29, 0, 0, 0), false}, {at(1900, 2, 29, 0, 0, 0), false},
        {at(2026, 4, 31, 0, 0, 0), false}, {at(2026, 6, 30, 0, 0, 0), true},
        {at(1601, 1, 1, 0, 0, 0), true}, {at(1600, 12, 31, 0, 0, 0), false},
        {at(30827, 12, 31, 0, 0, 0), true}, {at(30828, 1, 1, 0, 0, 0), false},
        {at(2026, 0, 1, 0, 0, 0), false}, {at(2026, 13, 1, 0, 0, 0), false}, {at(2026, 5, 0, 0, 0, 0), false},
        {at(2026, 5, 1, 24, 0, 0), false}, {at(2026, 5, 1, 0, 60, 0), false}, {at(2026, 5, 1, 0, 0, 60), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.ok, isConvertibleDate(c.d)) << show(c.d);
}

TEST(KeypadStep, SixKeysAndTheOthers)
{
    struct Case { int digit; DateTime from, to; bool handled; } cases[] = {
        {1, at(2026, 3, 1, 12, 7, 30), at(2026, 3, 31, 12, 7, 30), true},
        {1, at(2026, 3, 15, 12, 7, 30), at(2026, 3, 14, 12, 7, 30), true},
        {2, at(2026, 3, 15, 0, 7, 30), at(2026, 3, 15, 23, 7, 30), true},
        {3, at(2026, 3, 15, 12, 0, 30), at(2026, 3, 15, 12, 59, 0), true},
        {3, at(2026, 3, 15, 12, 7, 30), at(2026, 3, 15, 12, 6, 0), true},
        {4, at(2026, 3, 31, 12, 7, 30), at(2026, 3, 1, 12, 7, 30), true},
        {4, at(2026, 6, 30, 12, 7, 30), at(2026, 6, 1, 12, 7, 30), true},
        {5, at(2026, 3, 15, 23, 7, 30), at(2026, 3, 15, 0, 7, 30), true},
        {6, at(2026, 3, 15, 12, 59, 30), at(2026, 3, 15, 12, 0, 0), true},
        {0, at(2026, 3, 15, 12, 7, 30), at(2026, 3, 15, 12, 7, 30), false},
        {7, at(2026, 3, 15, 12, 7, 30), at(2026, 3, 15, 12, 7, 30), false},
    };
    for (const Case& c : cases) {
        DateTime d = c.from;
        EXPECT_EQ(c.handled, keypadStep(d, c.digit)) << "key " << c.digit;
        EXPECT_EQ(show(c.to), show(d)) << "key " << c.digit << " from " << show(c.from);
    }
}

} // namespace
