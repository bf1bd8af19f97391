// When the countdown and the network watch fire, as plain numbers.
#include <gtest/gtest.h>

#include <climits>

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

} // namespace
