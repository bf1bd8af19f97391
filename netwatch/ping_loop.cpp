#include "netwatch/ping_loop.h"

#include "netwatch/icmp_echo.h"

void runPingMonitor(const PingWords& words, const PingLoopCalls& calls)
{
    const bool stopAtOnce = words.stop.load() != 0;
    words.idle = 0;
    words.failures = 0;
    if (!stopAtOnce) {
        for (;;) {
            const int32_t result = calls.ping(calls.context);
            words.result = result;
            if (result >= 0) {
                words.failures = 0; // only an unbroken row of failures counts
            } else {
                // An unresolvable name is neither a success nor a failure.
                if (result != HostNotFound)
                    ++words.failures;
                if (words.failures.load() >= kPingFailureLimit)
                    break;
            }
            calls.pause(calls.context);
            if (words.stop.load() != 0)
                break;
        }
    }
    words.idle = 1;
}
