// The clock-time dialog and the countdown dialog.
#pragma once
#include <windows.h>

#include <cstdint>

// Clock-time dialog: on OK with a valid time arms the clock time; the entered
// values are kept in clockHour/clockMinute either way. Ends with 0.
INT_PTR runClockTimeDialog(HWND owner);
// Countdown dialog: returns the chosen number of seconds, 0 when cancelled.
INT_PTR runCountdownDialog(HWND owner);

// Hours and minutes last confirmed in the countdown dialog (not persisted).
extern int32_t countdownHours;
extern int32_t countdownMinutes;

// Back to the values of a fresh start (1 hour, 0 minutes).
void resetCountdownEntry();
