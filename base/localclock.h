// The local time the tick reads: the system clock (UTC) plus the local
// offset. Asking the system for the local time every 150 ms costs more than
// the rest of an idle tick, and the offset changes only when daylight saving
// starts or ends or the zone is changed, so it is kept for a minute at a
// time, but only for a minute in which it cannot change: the zone's rules
// give the same offset at the minute's start and at its last instant, and the
// system's own offset agrees with them. In any other minute (a change falls
// into it, the system has not yet followed the rules, or the rules cannot be
// asked) the system is asked at every tick. No Windows headers: the offsets
// come through the calls passed in, so a table of them can drive it natively.
#pragma once
#include <cstdint>

constexpr uint64_t kUnitsPerMinute = 600000000; // of 100 ns, as FILETIME counts

struct OffsetSources {
    void* context;
    // The local offset the system applies now (what GetLocalTime adds).
    bool (*systemOffset)(void* context, uint64_t utc, int64_t& offset);
    // The offset the zone's rules give at the instant `utc`, now or later.
    bool (*ruleOffset)(void* context, uint64_t utc, int64_t& offset);
};

struct LocalClock {
    uint64_t minute = ~0ULL; // the UTC minute `steady` was decided for
    bool steady = false;     // `offset` holds for the whole minute
    int64_t offset = 0;
};

// The local time at `utc` into `local`; false when the system cannot tell
// (nothing may then be shown or fired on it).
bool localTimeAt(LocalClock& clock, uint64_t utc, const OffsetSources& sources, uint64_t& local);
