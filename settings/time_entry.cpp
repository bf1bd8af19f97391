#include "settings/time_entry.h"

#include "resources/resource.h"

uint32_t countdownSecondsFor(uint32_t hours, uint32_t minutes)
{
    // Hand-typed hours can be large enough to overflow 32 bits before the cap.
    const uint64_t seconds = (static_cast<uint64_t>(hours) * 60 + minutes) * 60;
    return seconds > kLongestCountdownSeconds ? kLongestCountdownSeconds : static_cast<uint32_t>(seconds);
}

bool isClockTime(uint32_t hour, uint32_t minute)
{
    const int32_t h = static_cast<int32_t>(hour);
    const int32_t m = static_cast<int32_t>(minute);
    return h >= 0 && h <= kHourMaximum && m >= 0 && m <= kMinuteMaximum;
}

uint32_t countdownPresetSeconds(int controlId)
{
    switch (controlId) {
    case IDC_CD_PRESET_3MIN:  return 180;
    case IDC_CD_PRESET_10MIN: return 600;
    case IDC_CD_PRESET_15MIN: return 900;
    case IDC_CD_PRESET_30MIN: return 1800;
    case IDC_CD_PRESET_1H:    return 3600;
    case IDC_CD_PRESET_2H:    return 7200;
    case IDC_CD_PRESET_5H:    return 18000;
    case IDC_CD_PRESET_8H:    return 28800;
    }
    return 0;
}

int spinnerPositionFor(int maximum, uint32_t value)
{
    // A value beyond the range (typed by hand, or from a file) puts the
    // spinner at its top end rather than outside its range.
    if (value > static_cast<uint32_t>(maximum))
        return 0;
    return maximum - static_cast<int>(value);
}

uint32_t spinnerValueAt(int maximum, int position)
{
    if (position < 0)
        position = 0;
    if (position > maximum)
        position = maximum;
    return static_cast<uint32_t>(maximum - position);
}
