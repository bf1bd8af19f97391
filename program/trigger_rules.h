// The trigger conditions that need no window queries. No Windows headers:
// tested natively.
#pragma once
#include <cstddef>
#include <cstdint>

bool pingTriggerDue(int32_t failures);       // five failures or more
bool countdownTriggerDue(int32_t remaining); // overdue by less than 10 s

// The "becomes inactive" watch: after the watched window had the foreground,
// another window takes it. No window has it while the session is locked (as
// after most wakes) or another desktop has the input, and for a moment
// between two windows: that is no other window taking it.
enum class Foreground { Watched, Other, None };
bool inactiveWatchDue(Foreground foreground, bool watchedWasActive);

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

// The notice shown when a clock time or countdown came due while the
// computer slept, naming the local date and time it was due.
void formatMissedNotice(char* out, size_t size, int year, int month, int day, int hour, int minute, int second);
