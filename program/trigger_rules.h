// The trigger conditions that need no window queries. No Windows headers:
// tested natively.
#pragma once
#include <cstddef>
#include <cstdint>

bool pingTriggerDue(int32_t failures);       // five failures or more
bool countdownTriggerDue(int32_t remaining); // overdue by less than 10 s

// A countdown across a suspension that began at tick `tickAtSuspend` and
// lasted `sleptMs` by the system clock: time asleep counts as time passed,
// whatever the tick count did meanwhile. `leftAtSuspend` is what was left
// when it began; either it came due while the computer slept, or it goes on
// with the new `deadline`, what is left now after `tickNow`.
struct ResumedCountdown {
    bool cameDue;
    int32_t leftAtSuspend;
    uint32_t deadline;
};
ResumedCountdown resumeCountdown(uint32_t deadline, uint32_t tickAtSuspend, uint32_t tickNow, uint64_t sleptMs);

// A suspend notice this long ago (by the system clock) with no resume yet:
// the computer slept and woke, and its resume notice is late or lost.
constexpr uint64_t kSuspendNoticeLimitMs = 10000;

// The notice shown when a clock time or countdown came due while the
// computer slept, naming the local date and time it was due.
void formatMissedNotice(char* out, size_t size, int year, int month, int day, int hour, int minute, int second);
