#include "netwatch/ping_loop.h"

#include "netwatch/icmp_echo.h"

namespace {

// A failure at this point counts, unless the grace after a resume still runs.
bool failureCounts(const PingWords& words, const PingLoopCalls& calls)
{
    if (words.grace.load() == 0)
        return true;
    if (calls.now(calls.context) - words.graceFrom.load() < kResumeGraceMs)
        return false;
    words.grace = 0;
    return true;
}

// One run: until the failure limit or a stop request. Returns the armings it
// took in: those made before its last look at the stop request.
int32_t runOnce(const PingWords& words, const PingLoopCalls& calls)
{
    int32_t served = words.armings.load();
    if (words.stop.load() != 0)
        return served;
    for (;;) {
        const int32_t result = calls.ping(calls.context);
        words.result = result;
        if (result >= 0) {
            words.failures = 0; // only an unbroken row of failures counts
            words.grace = 0;    // the network is back
        } else {
            // An unresolvable name is neither a success nor a failure.
            if (result != HostNotFound && failureCounts(words, calls))
                ++words.failures;
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
    words.graceFrom = now;
    words.grace = 1;
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
