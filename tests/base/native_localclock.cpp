// The local time a tick reads, across a daylight-saving change: at every tick
// it is what the system says (what GetLocalTime gives), while the system is
// asked only once a minute when no change can fall into that minute.
#include <gtest/gtest.h>

#include "base/localclock.h"

namespace {

constexpr uint64_t kTick = 1500000;            // 150 ms in 100 ns units
constexpr uint64_t kChange = 1000 * kUnitsPerMinute; // a whole UTC minute
constexpr int64_t kHour = 36000000000LL;

// The zone's rules switch from +9 h to +10 h at `change`; the system's own
// offset follows `lag` later (never, with a negative lag); `failAt` is an
// instant the system cannot convert.
struct Zone {
    uint64_t change;
    int64_t lag;
    bool rulesKnown;
    uint64_t failAt = 0;
    int systemCalls = 0;
    int ruleCalls = 0;

    int64_t systemAt(uint64_t utc) const
    {
        return lag >= 0 && utc >= change + static_cast<uint64_t>(lag) ? 10 * kHour : 9 * kHour;
    }
    static bool system(void* context, uint64_t utc, int64_t& offset)
    {
        auto* zone = static_cast<Zone*>(context);
        ++zone->systemCalls;
        offset = zone->systemAt(utc);
        return utc != zone->failAt;
    }
    static bool rule(void* context, uint64_t utc, int64_t& offset)
    {
        auto* zone = static_cast<Zone*>(context);
        ++zone->ruleCalls;
        offset = utc >= zone->change ? 10 * kHour : 9 * kHour;
        return zone->rulesKnown;
    }
};

TEST(LocalClock, RightAtEveryTickAcrossAChangeAndCheapWhenNoneIsNear)
{
    const struct {
        const char* what;
        uint64_t change;
        int64_t lag;
        bool rulesKnown;
        int systemCalls; // over four minutes of ticks, 400 a minute
    } cases[] = {
        {"a change on a whole minute, followed at once", kChange, 0, true, 4},
        {"the system follows two seconds late, unannounced", kChange, 20000000, true, 3 + 400},
        {"a change at 59.999 s into a minute", kChange - 10000, 0, true, 3 + 400},
        {"the system never follows its rules", kChange, -1, true, 2 + 800},
        {"no rules to ask (Windows 95, 98, Me)", kChange, 0, false, 1600},
    };
    for (const auto& c : cases) {
        Zone zone = {c.change, c.lag, c.rulesKnown};
        const OffsetSources sources = {&zone, Zone::system, Zone::rule};
        LocalClock clock;
        int wrong = 0;
        for (uint64_t utc = kChange - 2 * kUnitsPerMinute; utc < kChange + 2 * kUnitsPerMinute; utc += kTick) {
            uint64_t local = 0;
            ASSERT_TRUE(localTimeAt(clock, utc, sources, local)) << c.what;
            const uint64_t expected = utc + static_cast<uint64_t>(zone.systemAt(utc));
            if (local != expected && wrong++ == 0)
                ADD_FAILURE() << c.what << ": at " << (static_cast<int64_t>(utc - kChange)) / 10000
                              << " ms from the change, the offset read is " << static_cast<int64_t>(local - utc)
                              << ", the system's " << zone.systemAt(utc);
        }
        EXPECT_EQ(0, wrong) << c.what;
        EXPECT_EQ(c.systemCalls, zone.systemCalls) << c.what;
    }
}

TEST(LocalClock, ATimeTheSystemCannotTellIsNotGivenOut)
{
    const struct {
        const char* what;
        int64_t lag;
        uint64_t failAt;
    } cases[] = {
        {"the first reading of a minute", 0, kChange},
        {"a reading within a minute that asks at every tick", -1, kChange + 20 * kTick},
    };
    for (const auto& c : cases) {
        Zone zone = {kChange, c.lag, true, c.failAt};
        const OffsetSources sources = {&zone, Zone::system, Zone::rule};
        LocalClock clock;
        uint64_t local = 0;
        for (uint64_t utc = kChange - kTick; utc < c.failAt; utc += kTick)
            EXPECT_TRUE(localTimeAt(clock, utc, sources, local)) << c.what;
        EXPECT_FALSE(localTimeAt(clock, c.failAt, sources, local)) << c.what;
        EXPECT_TRUE(localTimeAt(clock, c.failAt + kTick, sources, local)) << c.what;
        EXPECT_EQ(c.failAt + kTick + static_cast<uint64_t>(zone.systemAt(c.failAt + kTick)), local) << c.what;
    }
}

} // namespace
