// Everything the face shows, as values: the tick composes and presents a new
// frame only when this record differs from the one on screen, and only the
// band of the line that changed when nothing else did, so an idle window
// costs one line redrawn a second (the clock's seconds), not a face a tick.
#pragma once
#include <cstdint>
#include <cstring>

// The size of the main window, which is all face.
constexpr int kFaceWidth = 220;
constexpr int kFaceHeight = 65;

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

// What going from `shown` to `next` asks to redraw. Line 2 includes the suffix
// drawn after it; Line1Time is line 1 changed only after its first blank (the
// clock's seconds, not its date).
enum class FaceChange { None, Line1, Line1Time, Line2, Whole };

inline bool sameUpToFirstBlank(const char* a, const char* b)
{
    for (; *a == *b; ++a, ++b) {
        if (*a == ' ')
            return true;
        if (*a == '\0')
            return false;
    }
    return false;
}

inline FaceChange faceChange(const FaceFrame& shown, const FaceFrame& next)
{
    FaceFrame rest = next; // `next` with the lines of `shown`: what else changed
    std::memcpy(rest.line1, shown.line1, sizeof rest.line1);
    std::memcpy(rest.line2, shown.line2, sizeof rest.line2);
    std::memcpy(rest.suffix, shown.suffix, sizeof rest.suffix);
    if (!sameFrame(rest, shown))
        return FaceChange::Whole;
    const bool line1 = std::memcmp(shown.line1, next.line1, sizeof next.line1) != 0;
    const bool line2 = std::memcmp(shown.line2, next.line2, sizeof next.line2) != 0 ||
                       std::memcmp(shown.suffix, next.suffix, sizeof next.suffix) != 0;
    if (line1 && line2)
        return FaceChange::Whole;
    if (line1)
        return sameUpToFirstBlank(shown.line1, next.line1) ? FaceChange::Line1Time : FaceChange::Line1;
    return line2 ? FaceChange::Line2 : FaceChange::None;
}
