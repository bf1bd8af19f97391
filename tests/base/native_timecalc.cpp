#include <gtest/gtest.h>

#include <string>

#include "base/timecalc.h"
#include "tests/support/time_support.h"

namespace {

TEST(DaysInMonth, EveryMonthAndTheOddValues)
{
    struct Case { int month, year, days; } cases[] = {
        {1, 2026, 31}, {2, 2026, 28}, {2, 2024, 29}, {2, 2100, 29}, {2, 1900, 29}, {2, 2000, 29},
        {3, 2026, 31}, {4, 2026, 30}, {5, 2026, 31}, {6, 2026, 30}, {7, 2026, 31}, {8, 2026, 31},
        {9, 2026, 30}, {10, 2026, 31}, {11, 2026, 30}, {12, 2026, 31},
        {0, 2026, 0}, {13, 2026, 13}, {-1, 2026, -1}, {2, -4, 29}, {2, -3, 28},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.days, daysInMonth(c.month, c.year)) << "month " << c.month << " year " << c.year;
}

TEST(AdvanceOneDay, CarriesIntoMonthAndYear)
{
    struct Case { DateTime from, to; } cases[] = {
        {at(2026, 12, 7, 10, 0, 0, 1), at(2026, 12, 8, 10, 0, 0, 2)},
        {at(2026, 1, 31, 0, 0, 0, 6), at(2026, 2, 1, 0, 0, 0, 0)},
        {at(2024, 2, 28, 0, 0, 0, 3), at(2024, 2, 29, 0, 0, 0, 4)},
        {at(2024, 2, 29, 0, 0, 0, 4), at(2024, 3, 1, 0, 0, 0, 5)},
        {at(2100, 2, 28, 0, 0, 0, 0), at(2100, 2, 29, 0, 0, 0, 1)}, // every fourth year leaps
        {at(2026, 4, 30, 0, 0, 0, 4), at(2026, 5, 1, 0, 0, 0, 5)},
        {at(2026, 12, 31, 23, 30, 0, 4), at(2027, 1, 1, 23, 30, 0, 5)},
    };
    for (const Case& c : cases) {
        DateTime d = c.from;
        advanceOneDay(d);
        EXPECT_EQ(showAll(c.to), showAll(d)) << "from " << showAll(c.from);
    }
}

TEST(NextOccurrence, MinuteResolutionAndDayCarry)
{
    struct Case { DateTime now; int hour, minute; DateTime expected; } cases[] = {
        // Earlier today, the same minute (already past by seconds), later.
        {at(2026, 12, 7, 7, 59, 30, 1, 250), 8, 0, at(2026, 12, 7, 8, 0, 0, 1, 250)},
        {at(2026, 12, 7, 8, 0, 30, 1, 250), 8, 0, at(2026, 12, 7, 8, 0, 0, 1, 250)},
        {at(2026, 12, 7, 8, 1, 0, 1), 8, 0, at(2026, 12, 8, 8, 0, 0, 2)},
        {at(2026, 12, 7, 9, 0, 0, 1), 8, 59, at(2026, 12, 8, 8, 59, 0, 2)},
        {at(2026, 12, 31, 23, 30, 0, 4), 0, 0, at(2027, 1, 1, 0, 0, 0, 5)},
        {at(2026, 2, 28, 12, 0, 0, 6), 11, 0, at(2026, 3, 1, 11, 0, 0, 0)},
        // Out-of-range values are compared as unsigned 16-bit numbers.
        {at(2026, 12, 7, 10, 0, 0, 1), 24, 0, at(2026, 12, 7, 24, 0, 0, 1)},
        {at(2026, 12, 7, 10, 0, 0, 1), -1, 0, at(2026, 12, 7, 65535, 0, 0, 1)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(showAll(c.expected), showAll(nextOccurrenceAfter(c.now, c.hour, c.minute)))
            << "now " << showAll(c.now) << " asking " << c.hour << ":" << c.minute;
}

TEST(FileTime, AddCarriesIntoHighHalf)
{
    struct Case { uint32_t low, high, units, lowOut, highOut; } cases[] = {
        {0, 0, 200000000, 200000000, 0},
        {0xFFFFFFFFu, 7, 1, 0, 8},
        {0xF0000000u, 7, 0x20000000u, 0x10000000u, 8},
        {0x10000000u, 0xFFFFFFFFu, 0xEFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu},
    };
    for (const Case& c : cases) {
        uint32_t low = c.low, high = c.high;
        addFileTimeParts(low, high, c.units);
        EXPECT_EQ(c.lowOut, low);
        EXPECT_EQ(c.highOut, high);
    }
}

TEST(Countdown, SignedDifferenceSurvivesTheTickWrap)
{
    // 99 h 59 min from a tick count close to the wrap.
    const uint32_t start = 0xFFFF0000u;
    const uint32_t deadline = countdownDeadlineFrom(start, 359940);
    EXPECT_EQ(static_cast<uint32_t>(start + 359940000u), deadline);
    EXPECT_EQ(359940000, ticksRemaining(deadline, start));
    EXPECT_EQ(1, ticksRemaining(deadline, deadline - 1));
    EXPECT_EQ(-1, ticksRemaining(deadline, deadline + 1));
    EXPECT_EQ(-10000, ticksRemaining(deadline, deadline + 10000));
}

} // namespace
