#include "netwatch/ping_loop.h"

#include "netwatch/icmp_echo.h"

#include <climits>

namespace {

// A failure at this point counts, unless the grace after a resume still runs.
// The grace ends here only if it is the one looked at: a wake meanwhile began
// a grace of its own (another number), which holds for its full length.
bool failureCounts(const PingWords& words, const PingLoopCalls& calls)
{
    int32_t grace = words.grace.load();
    if (grace == 0)
        return true;
    const uint32_t from = words.graceFrom.load();
    if (calls.now(calls.context) - from < kResumeGraceMs)
        return false;
    return words.grace.compare_exchange_strong(grace, 0);
}

// One run: until the failure limit or a stop request. Returns the armings it
// took in: those made before its last look at the stop request.
int32_t runOnce(const PingWords& words, const PingLoopCalls& calls)
{
    int32_t served = words.armings.load();
    if (words.stop.load() != 0)
        return served;
    for (;;) {
        int32_t grace = words.grace.load();
        int32_t failures = words.failures.load();
        const int32_t result = calls.ping(calls.context);
        words.result = result;
        if (result >= 0) {
            words.failures = 0;                           // only an unbroken row of failures counts
            words.grace.compare_exchange_strong(grace, 0); // the network is back (a wake since keeps its grace)
        } else {
            // An unresolvable name is neither a success nor a failure. A
            // failure does not count over a reset made meanwhile (a wake, an
            // arming): the count starts again from there.
            if (result != HostNotFound && failureCounts(words, calls))
                words.failures.compare_exchange_strong(failures, failures + 1);
            if (words.failures.load() >= kPingFailureLimit)
                return served;
        }
        calls.pause(calls.context);
        if (words.stop.load() != 0)
            return served;
        served = words.armings.load();
    }
}

} // namespace

void runPingMonitor(const PingWords& words, const PingLoopCalls& calls)
{
    do {
        words.idle = 0;
        words.failures = 0;
    } while (!endPingRun(words, runOnce(words, calls)));
}

void startPingGrace(const PingWords& words, uint32_t now)
{
    // A number of its own, so that the loop cannot end it for an older one.
    const int32_t previous = words.grace.load();
    words.graceFrom = now;
    words.grace = previous > 0 && previous < INT32_MAX ? previous + 1 : 1;
    words.failures = 0;
}

bool armPingLoop(const PingWords& words)
{
    words.result = 0;
    words.stop = 0;
    words.failures = 0;
    ++words.armings; // before the look at idle: a loop on its way out sees it
    return words.idle.exchange(0) != 0;
}

bool endPingRun(const PingWords& words, int32_t served)
{
    words.idle = 1;
    // An arming that found the loop busy relies on it to go on; if another
    // arming has started a loop since, that one goes on instead.
    return words.armings.load() == served || words.idle.exchange(0) == 0;
}
