// Everything the face shows, as values: the tick composes and presents a new
// frame only when this record differs from the one on screen, so an idle
// window costs one redraw a second (the clock's seconds), not one a tick.
#pragma once
#include <cstdint>
#include <cstring>

struct FaceFrame {
    int32_t running;
    int32_t monitorActive;
    int32_t monitorMode;
    int32_t buttonDown; // pressed with the pointer over it
    int32_t closeDown;
    uint32_t colours[3];
    char line1[32];  // clock: the date and time now
    char line2[256]; // clock: the target; monitor: the watched object
    char suffix[64];
};

inline bool sameFrame(const FaceFrame& a, const FaceFrame& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}
