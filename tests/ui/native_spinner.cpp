// Digit arrows and keypad keys: hit geometry and per-field steps.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/time_support.h"
#include "ui/spinner.h"

namespace {

// A target whose day of week and milliseconds no step may touch.
DateTime t(int y, int mo, int d, int h, int mi, int s)
{
    return at(y, mo, d, h, mi, s, 3, 123);
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

TEST(SpinnerTens, UpAndDownByTensWithTheirWraps)
{
    struct Case { int value, up, down; } cases[] = {
        {0, 10, 50}, {1, 10, 0}, {9, 10, 0}, {10, 20, 0}, {11, 20, 10}, {37, 40, 30},
        {49, 50, 40}, {50, 0, 40}, {51, 0, 50}, {59, 0, 50},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.up, tensUp(c.value)) << "up from " << c.value;
        EXPECT_EQ(c.down, tensDown(c.value)) << "down from " << c.value;
    }
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
        {t(2026, 5, 10, 12, 7, 30), SpinYear, true, false, t(2027, 5, 10, 12, 7, 30)},
        {t(2026, 5, 10, 12, 7, 30), SpinYear, false, true, t(2025, 5, 10, 12, 7, 30)},
        {t(1601, 1, 1, 0, 0, 0), SpinYear, false, false, t(1600, 1, 1, 0, 0, 0)},
        {t(30827, 1, 1, 0, 0, 0), SpinYear, true, false, t(30828, 1, 1, 0, 0, 0)},
        // Month wraps without touching the year; the day is not adjusted.
        {t(2026, 12, 15, 0, 0, 0), SpinMonth, true, false, t(2026, 1, 15, 0, 0, 0)},
        {t(2026, 1, 15, 0, 0, 0), SpinMonth, false, false, t(2026, 12, 15, 0, 0, 0)},
        {t(2026, 1, 31, 0, 0, 0), SpinMonth, true, false, t(2026, 2, 31, 0, 0, 0)},
        {t(2026, 6, 15, 0, 0, 0), SpinMonth, true, true, t(2026, 7, 15, 0, 0, 0)},
        // Day wraps by the length of its month; the month stays.
        {t(2026, 1, 31, 0, 0, 0), SpinDay, true, false, t(2026, 1, 1, 0, 0, 0)},
        {t(2026, 4, 30, 0, 0, 0), SpinDay, true, false, t(2026, 4, 1, 0, 0, 0)},
        {t(2026, 2, 28, 0, 0, 0), SpinDay, true, false, t(2026, 2, 1, 0, 0, 0)},
        {t(2024, 2, 28, 0, 0, 0), SpinDay, true, false, t(2024, 2, 29, 0, 0, 0)},
        {t(2100, 2, 28, 0, 0, 0), SpinDay, true, false, t(2100, 2, 29, 0, 0, 0)},
        {t(2026, 2, 1, 0, 0, 0), SpinDay, false, false, t(2026, 2, 28, 0, 0, 0)},
        {t(2024, 2, 1, 0, 0, 0), SpinDay, false, false, t(2024, 2, 29, 0, 0, 0)},
        {t(2026, 11, 1, 0, 0, 0), SpinDay, false, true, t(2026, 11, 30, 0, 0, 0)},
        {t(2026, 11, 14, 0, 0, 0), SpinDay, false, true, t(2026, 11, 13, 0, 0, 0)},
        // Hour.
        {t(2026, 5, 10, 23, 7, 30), SpinHour, true, false, t(2026, 5, 10, 0, 7, 30)},
        {t(2026, 5, 10, 0, 7, 30), SpinHour, false, false, t(2026, 5, 10, 23, 7, 30)},
        {t(2026, 5, 10, 9, 7, 30), SpinHour, true, true, t(2026, 5, 10, 10, 7, 30)},
        // Minute, slow: seconds untouched, no carry into the hour.
        {t(2026, 5, 10, 12, 59, 30), SpinMinute, true, false, t(2026, 5, 10, 12, 0, 30)},
        {t(2026, 5, 10, 12, 0, 30), SpinMinute, false, false, t(2026, 5, 10, 12, 59, 30)},
        {t(2026, 5, 10, 12, 7, 30), SpinMinute, true, false, t(2026, 5, 10, 12, 8, 30)},
        // Minute, fast: tens, seconds cleared.
        {t(2026, 5, 10, 12, 7, 30), SpinMinute, true, true, t(2026, 5, 10, 12, 10, 0)},
        {t(2026, 5, 10, 12, 55, 30), SpinMinute, true, true, t(2026, 5, 10, 12, 0, 0)},
        {t(2026, 5, 10, 12, 37, 30), SpinMinute, false, true, t(2026, 5, 10, 12, 30, 0)},
        {t(2026, 5, 10, 12, 0, 30), SpinMinute, false, true, t(2026, 5, 10, 12, 50, 0)},
        // Second, slow and fast: the minute stays.
        {t(2026, 5, 10, 12, 7, 59), SpinSecond, true, false, t(2026, 5, 10, 12, 7, 0)},
        {t(2026, 5, 10, 12, 7, 0), SpinSecond, false, false, t(2026, 5, 10, 12, 7, 59)},
        {t(2026, 5, 10, 12, 7, 52), SpinSecond, true, true, t(2026, 5, 10, 12, 7, 0)},
        {t(2026, 5, 10, 12, 7, 0), SpinSecond, false, true, t(2026, 5, 10, 12, 7, 50)},
        {t(2026, 5, 10, 12, 7, 21), SpinSecond, false, true, t(2026, 5, 10, 12, 7, 20)},
        // Nothing hit, nothing changes.
        {t(2026, 5, 10, 12, 7, 21), SpinNone, true, true, t(2026, 5, 10, 12, 7, 21)},
    };
    for (const StepCase& c : cases) {
        DateTime d = c.from;
        if (c.up)
            spinUp(d, c.field, c.fast);
        else
            spinDown(d, c.field, c.fast);
        EXPECT_EQ(showAll(c.to), showAll(d)) << "field " << c.field << (c.up ? " up" : " down")
                                       << (c.fast ? " fast" : " slow") << " from " << showAll(c.from);
    }
}

TEST(SpinnerStep, HeldMinuteArrowFromSevenPastTwelve)
{
    // Press, first repeat (slow), then the fast repeats.
    DateTime d = t(2026, 5, 10, 12, 7, 30);
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
        {t(2026, 1, 31, 23, 59, 59), true}, {t(2026, 2, 28, 0, 0, 0), true},
        {t(2026, 2, 29, 0, 0, 0), false}, {t(2026, 2, 31, 0, 0, 0), false},
        {t(2024, 2, 29, 0, 0, 0), true}, {t(2000, 2, 29, 0, 0, 0), true},
        {t(2100, 2, 29, 0, 0, 0), false}, {t(1900, 2, 29, 0, 0, 0), false},
        {t(2026, 4, 31, 0, 0, 0), false}, {t(2026, 6, 30, 0, 0, 0), true},
        {t(1601, 1, 1, 0, 0, 0), true}, {t(1600, 12, 31, 0, 0, 0), false},
        {t(30827, 12, 31, 0, 0, 0), true}, {t(30828, 1, 1, 0, 0, 0), false},
        {t(2026, 0, 1, 0, 0, 0), false}, {t(2026, 13, 1, 0, 0, 0), false}, {t(2026, 5, 0, 0, 0, 0), false},
        {t(2026, 5, 1, 24, 0, 0), false}, {t(2026, 5, 1, 0, 60, 0), false}, {t(2026, 5, 1, 0, 0, 60), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.ok, isConvertibleDate(c.d)) << showAll(c.d);
}

TEST(KeypadStep, SixKeysAndTheOthers)
{
    struct Case { int digit; DateTime from, to; bool handled; } cases[] = {
        {1, t(2026, 3, 1, 12, 7, 30), t(2026, 3, 31, 12, 7, 30), true},
        {1, t(2026, 3, 15, 12, 7, 30), t(2026, 3, 14, 12, 7, 30), true},
        {2, t(2026, 3, 15, 0, 7, 30), t(2026, 3, 15, 23, 7, 30), true},
        {3, t(2026, 3, 15, 12, 0, 30), t(2026, 3, 15, 12, 59, 0), true},
        {3, t(2026, 3, 15, 12, 7, 30), t(2026, 3, 15, 12, 6, 0), true},
        {4, t(2026, 3, 31, 12, 7, 30), t(2026, 3, 1, 12, 7, 30), true},
        {4, t(2026, 6, 30, 12, 7, 30), t(2026, 6, 1, 12, 7, 30), true},
        {5, t(2026, 3, 15, 23, 7, 30), t(2026, 3, 15, 0, 7, 30), true},
        {6, t(2026, 3, 15, 12, 59, 30), t(2026, 3, 15, 12, 0, 0), true},
        {0, t(2026, 3, 15, 12, 7, 30), t(2026, 3, 15, 12, 7, 30), false},
        {7, t(2026, 3, 15, 12, 7, 30), t(2026, 3, 15, 12, 7, 30), false},
    };
    for (const Case& c : cases) {
        DateTime d = c.from;
        EXPECT_EQ(c.handled, keypadStep(d, c.digit)) << "key " << c.digit;
        EXPECT_EQ(showAll(c.to), showAll(d)) << "key " << c.digit << " from " << showAll(c.from);
    }
}

} // namespace
