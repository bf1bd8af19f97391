// Finding out that the computer slept. The power notices are hints: they
// come late, out of order or not at all (a critical suspend; Modern Standby,
// which freezes desktop programs for hours while the system stays on). What
// always shows a sleep is the time that passed between two looks at the
// clocks (base/sleepgap.h). Every look, by the tick, the confirmation or the
// wait before a forced exit, takes its turn against the same last look, so a
// wake is counted once, by whoever looks first.
#pragma once
#include <cstdint>

// Looks at the clocks; a gap since the last look counts a wake. Also ends the
// hold of a suspend notice that was followed by ticks running on normally
// for a while: the suspend did not happen. Returns the wakes counted so far.
uint32_t lookForWake();

// PBT_APMSUSPEND: holds the triggers until the wake or the end of the hold.
void noteSuspendNotice();
// A resume notice: a wake, unless this one was counted already. A critical
// resume always is one (no suspend notice came before it).
void noteResumeNotice(bool critical);
// WM_TIMECHANGE: the system clock's next gap is the user's doing, not a sleep.
void noteClockSet();

// Between a suspend notice and the wake or the end of the hold.
bool triggersHeld();

// Ticks that run on this long after a suspend notice, with no gap, show that
// the suspend did not happen (it was vetoed, or failed).
constexpr uint32_t kSuspendHoldMs = 10000;
