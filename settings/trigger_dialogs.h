// The dialogs that choose a clock time or a countdown. They arm nothing: the
// caller arms what they return.
#pragma once
#include <windows.h>

#include <cstdint>

// Clock-time dialog: 1 on OK with a valid time, which is then in
// clockHour/clockMinute; the entered values are kept there either way.
INT_PTR runClockTimeDialog(HWND owner);
// Countdown dialog: returns the chosen number of seconds, 0 when cancelled.
INT_PTR runCountdownDialog(HWND owner);

// Hours and minutes last confirmed in the countdown dialog (not persisted).
extern int32_t countdownHours;
extern int32_t countdownMinutes;

// Back to the values of a fresh start (1 hour, 0 minutes).
void resetCountdownEntry();
