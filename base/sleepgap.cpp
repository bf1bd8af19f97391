#include "base/sleepgap.h"

namespace {

constexpr uint64_t kUnitsPerMs = 10000;

uint64_t unitsToMs(uint64_t before, uint64_t now)
{
    return now > before ? (now - before) / kUnitsPerMs : 0;
}

} // namespace

GapFinding findSleepGap(const ClockSample& before, const ClockSample& now, bool clockChanged)
{
    uint64_t passed = static_cast<uint32_t>(now.tickMs - before.tickMs); // across the wrap
    if (!clockChanged && unitsToMs(before.utc, now.utc) > passed)
        passed = unitsToMs(before.utc, now.utc);
    // The tick count wraps; a freeze of longer than that shows in full here.
    if (before.hasUnbiased && now.hasUnbiased && unitsToMs(before.unbiased, now.unbiased) > passed)
        passed = unitsToMs(before.unbiased, now.unbiased);
    return {passed > kSleepGapMs, passed};
}
