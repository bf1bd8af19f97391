// The sleep rule: two looks at the clocks, and whether the computer slept
// (or the program was frozen) between them, and for how long.
#include <gtest/gtest.h>

#include "base/sleepgap.h"

namespace {

constexpr uint64_t kMs = 10000; // 100 ns units
constexpr uint64_t kHour = 3600000;
constexpr uint64_t kUtc = 133000000000000000ull; // a day in 2022
constexpr uint64_t kUnbiased = 5000000000ull;

TEST(SleepGap, FoundByTheTimeThatPassed)
{
    const struct {
        const char* what;
        uint32_t tickBefore, tickGap;
        int64_t utcGapMs, unbiasedGapMs; // unbiased -1: the system has none
        bool clockSet, slept;
        uint64_t passedMs;
        bool onlyNowHasUnbiased = false; // the other look's is not compared
    } cases[] = {
        {"one period", 1000, 150, 150, 150, false, false, 150},
        {"a loaded machine's pause", 1000, 4000, 4000, 4000, false, false, 4000},
        {"the gap limit itself", 1000, 10000, 10000, -1, false, false, 10000},
        {"a millisecond past it", 1000, 10001, 10001, -1, false, true, 10001},
        {"30 s", 1000, 30000, 30000, 30000, false, true, 30000},
        {"hours in S3: the unbiased time stood still", 1000, 3 * kHour, 3 * kHour, 0, false, true, 3 * kHour},
        {"hours frozen by Modern Standby", 1000, 3 * kHour, 3 * kHour, 3 * kHour, false, true, 3 * kHour},
        {"the clock set an hour ahead", 1000, 150, kHour, 150, true, false, 150},
        {"the clock set back", 1000, 150, -static_cast<int64_t>(kHour), -1, true, false, 150},
        {"the clock jumped by itself", 1000, 150, kHour, -1, false, true, kHour},
        {"a sleep and the clock set", 1000, 2 * kHour, 5 * kHour, -1, true, true, 2 * kHour},
        {"the tick count wraps", 0xFFFFFF00u, 406, 406, 406, false, false, 406},
        {"hours across the wrap", 0xFFFF0000u, 2 * kHour, 2 * kHour, -1, false, true, 2 * kHour},
        {"the clock behind after a hibernate", 1000, 8 * kHour, -static_cast<int64_t>(kHour), 0, false, true,
         8 * kHour},
        {"the tick count stood still in the sleep", 1000, 0, 2 * kHour, -1, false, true, 2 * kHour},
        {"50 days frozen: more than the tick count holds", 1000, static_cast<uint32_t>(50 * 24 * kHour), 0,
         50 * 24 * kHour, true, true, 50 * 24 * kHour},
        {"an unbiased time in one look only", 1000, 150, 150, kHour, false, false, 150, true},
    };
    for (const auto& c : cases) {
        const ClockSample before = {c.tickBefore, kUtc, kUnbiased, c.unbiasedGapMs >= 0 && !c.onlyNowHasUnbiased};
        const ClockSample now = {c.tickBefore + c.tickGap, kUtc + static_cast<uint64_t>(c.utcGapMs * 10000),
                                 kUnbiased + static_cast<uint64_t>(c.unbiasedGapMs) * kMs, c.unbiasedGapMs >= 0};
        const GapFinding found = findSleepGap(before, now, c.clockSet);
        EXPECT_EQ(c.slept, found.slept) << c.what;
        EXPECT_EQ(c.passedMs, found.passedMs) << c.what;
    }
}

} // namespace
