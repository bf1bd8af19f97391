// Numbers of the clock-time and countdown entries. No Windows headers:
// tested natively.
#pragma once
#include <cstdint>

// The largest values of the time fields.
constexpr int kHourMaximum = 23;
constexpr int kMinuteMaximum = 59;
constexpr int kCountdownHourMaximum = 99;

// 99 hours 59 minutes.
constexpr uint32_t kLongestCountdownSeconds = 359940;

// Seconds of a countdown of hours and minutes as read from the dialog's
// fields, computed wide and capped at the longest countdown.
uint32_t countdownSecondsFor(uint32_t hours, uint32_t minutes);

// An hour and minute read as unsigned fields form a clock time when, taken
// as signed numbers, they lie in 0..23 and 0..59.
bool isClockTime(uint32_t hour, uint32_t minute);

// Seconds of a preset button of the countdown dialog, 0 for any other id.
uint32_t countdownPresetSeconds(int controlId);

// The spinners count the other way round: the up-down's range runs from
// `maximum` (lowest position) to 0, so its up arrow raises the value shown.
int spinnerPositionFor(int maximum, uint32_t value);
uint32_t spinnerValueAt(int maximum, int position);
