// When the countdown and the network watch fire, as plain numbers.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "base/timecalc.h"
#include "program/trigger_rules.h"

namespace {

TEST(TriggerRules, PingAndCountdown)
{
    struct Remaining { int32_t ms; bool due; } remaining[] = {
        {60000, false}, {1, false}, {0, false}, {-1, true}, {-9999, true},
        {-10000, true}, {-10001, false}, {-3600000, false}, {INT32_MIN, false},
    };
    for (const Remaining& r : remaining)
        EXPECT_EQ(r.due, countdownTriggerDue(r.ms)) << "remaining " << r.ms;

    // Deadlines across the wrap of the tick counter.
    EXPECT_FALSE(countdownTriggerDue(ticksRemaining(5u, 0xFFFFFFF0u)));
    EXPECT_TRUE(countdownTriggerDue(ticksRemaining(0xFFFFFFF0u, 5u)));
    EXPECT_FALSE(countdownTriggerDue(ticksRemaining(0xFFFFD000u, 0x00001000u))) << "16 s overdue across the wrap";

    struct Failures { int32_t count; bool due; } failures[] = {
        {0, false}, {4, false}, {5, true}, {6, true}, {1000, true}, {-1, false},
    };
    for (const Failures& f : failures)
        EXPECT_EQ(f.due, pingTriggerDue(f.count)) << "failures " << f.count;
}

TEST(TriggerRules, InactiveWatchFiresOnlyWhenAnotherWindowTakesTheForeground)
{
    const struct { Foreground foreground; bool wasActive, due; } cases[] = {
        {Foreground::Watched, true, false}, {Foreground::Other, true, true},  {Foreground::None, true, false},
        {Foreground::Watched, false, false}, {Foreground::Other, false, false}, {Foreground::None, false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.due, inactiveWatchDue(c.foreground, c.wasActive))
            << static_cast<int>(c.foreground) << " after active " << c.wasActive;
}

// Time asleep counts as time passed whether the tick count went on during the
// sleep (Windows 7 and later) or stood still (earlier systems).
TEST(TriggerRules, CountdownAcrossASuspension)
{
    struct Case {
        const char* what;
        uint32_t deadline, tickAtSuspend, tickNow;
        uint64_t sleptMs;
        bool cameDue;
        int32_t leftAtSuspend;
        uint32_t newDeadline;
    } cases[] = {
        {"tick stood still, due later", 100000, 40000, 40500, 30000, false, 60000, 70500},
        {"tick went on, due later", 100000, 40000, 70000, 30000, false, 60000, 100000},
        {"a millisecond left", 100000, 40000, 40000, 59999, false, 60000, 40001},
        {"tick stood still, due asleep", 100000, 40000, 40500, 90000, true, 60000, 100000},
        {"tick went on, due asleep", 100000, 40000, 130000, 90000, true, 60000, 100000},
        {"due to the millisecond", 100000, 40000, 40000, 60000, true, 60000, 100000},
        {"across the tick wrap", 0x00001000u, 0xFFFFF000u, 0xFFFFF100u, 1000, false, 8192, 0x00000D18u},
        {"a month asleep", 100000, 40000, 40000, 2592000000ull, true, 60000, 100000},
        {"longer than any clock", 100000, 40000, 40000, ~0ull, true, 60000, 100000},
        {"overdue at the suspend", 100000, 110000, 110000, 0, true, -10000, 100000},
    };
    for (const Case& c : cases) {
        const ResumedCountdown r = resumeCountdown(c.deadline, c.tickAtSuspend, c.tickNow, c.sleptMs);
        EXPECT_EQ(c.cameDue, r.cameDue) << c.what;
        EXPECT_EQ(c.leftAtSuspend, r.leftAtSuspend) << c.what;
        EXPECT_EQ(c.newDeadline, r.deadline) << c.what;
    }
}

TEST(TriggerRules, MissedNoticeNamesTheLocalTimeItWasDue)
{
    char text[256];
    formatMissedNotice(text, sizeof text, 2026, 12, 8, 1, 0, 5);
    const std::string shown = text;
    EXPECT_NE(std::string::npos, shown.find(" 2026/12/08 01:00:05 ")) << shown;
    EXPECT_NE(std::string::npos, shown.find("\r\n")) << shown;
    char small[16];
    formatMissedNotice(small, sizeof small, 2026, 12, 8, 1, 0, 5);
    EXPECT_EQ(15u, std::string(small).size()) << "cut, and terminated";
}

} // namespace
