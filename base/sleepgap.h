// Whether the computer slept (or the program was frozen, as Modern Standby
// freezes desktop programs) between two looks at the clocks, found by the time
// that passed, whatever the power notices said. No Windows headers: tested
// natively.
#pragma once
#include <cstdint>

// The three clocks, read together.
struct ClockSample {
    uint32_t tickMs;   // the tick count: runs in sleep on Windows 7 and later, wraps after 49.7 days
    uint64_t utc;      // the system clock, 100 ns since 1601: runs in sleep, but the user may set it
    uint64_t unbiased; // the unbiased interrupt time, 100 ns: stands still in S3/S4, never wraps
    bool hasUnbiased;  // Windows 7 and later
};

// The tick runs every 150 ms and every modal loop of the program goes on
// dispatching it, so a gap of this much is no pause of the message loop. It
// is also the countdown's grace: a gap taken for time awake leaves a
// countdown that came due in it at most this much overdue, and so it fires.
constexpr uint32_t kSleepGapMs = 10000;

struct GapFinding {
    bool slept;
    uint64_t passedMs; // the larger of what the clocks measured
};

// `clockChanged`: the user (or the system) set the clock since `before`, so
// the system clock's gap says nothing. Any clock's gap counts; none rules
// another's out (an unbiased time that stood still was an S3 sleep, a system
// clock behind after a hibernate measured nothing).
GapFinding findSleepGap(const ClockSample& before, const ClockSample& now, bool clockChanged);
