#include "power/sleepwatch.h"

#include "base/sleepgap.h"
#include "state/appstate.h"
#include "syscalls/seam.h"

namespace {

// The computer slept from `from` until `now`.
void countWake(const ClockSample& from, const ClockSample& now)
{
    g_app.wokeFrom = from;
    g_app.sleptMs = findSleepGap(from, now, g_app.clockSet != 0).passedMs;
    ++g_app.wakes;
    g_app.suspended = 0;
    g_app.lastLook = now;
    g_app.clockSet = 0;
}

const ClockSample& sleepStart()
{
    return g_app.suspended ? g_app.suspendedAt : g_app.lastLook;
}

} // namespace

uint32_t lookForWake()
{
    const ClockSample now = seamReadClock();
    if (!g_app.looked) {
        g_app.looked = 1;
        g_app.lastLook = now;
        return g_app.wakes;
    }
    if (findSleepGap(g_app.lastLook, now, g_app.clockSet != 0).slept) {
        countWake(sleepStart(), now);
        return g_app.wakes;
    }
    if (g_app.suspended && now.tickMs - g_app.suspendedAt.tickMs > kSuspendHoldMs)
        g_app.suspended = 0;
    g_app.lastLook = now;
    g_app.clockSet = 0;
    return g_app.wakes;
}

void noteSuspendNotice()
{
    g_app.suspended = 1;
    g_app.suspendedAt = seamReadClock(); // the hold's 10 s count from here
}

void noteResumeNotice(bool critical)
{
    const uint32_t counted = g_app.wakes;
    const bool held = g_app.suspended != 0;
    const ClockSample from = sleepStart();
    if (lookForWake() != counted)
        return; // the gap showed it
    if (held || critical)
        countWake(from, seamReadClock());
}

void noteClockSet()
{
    g_app.clockSet = 1;
}

bool triggersHeld()
{
    return g_app.suspended != 0;
}
