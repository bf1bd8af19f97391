#include "base/localclock.h"

namespace {

// Whether `offset`, the system's now, holds to the end of the minute.
bool holdsForTheMinute(uint64_t utc, int64_t offset, const OffsetSources& sources)
{
    const uint64_t lastInstant = (utc / kUnitsPerMinute + 1) * kUnitsPerMinute - 1;
    int64_t atNow = 0, atEnd = 0;
    return sources.ruleOffset(sources.context, utc, atNow) && sources.ruleOffset(sources.context, lastInstant, atEnd)
           && atNow == offset && atEnd == offset;
}

} // namespace

bool localTimeAt(LocalClock& clock, uint64_t utc, const OffsetSources& sources, uint64_t& local)
{
    const uint64_t minute = utc / kUnitsPerMinute;
    if (minute != clock.minute || !clock.steady) {
        int64_t offset = 0;
        if (!sources.systemOffset(sources.context, utc, offset))
            return false;
        if (minute != clock.minute) {
            clock.minute = minute;
            clock.steady = holdsForTheMinute(utc, offset, sources);
        }
        clock.offset = offset;
    }
    local = utc + static_cast<uint64_t>(clock.offset); // wraps back for zones west of UTC
    return true;
}
