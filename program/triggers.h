// The four triggers in one place: what arms and stops them, the check on every
// tick, and firing (disarm, save, confirm, act). Every change of what is armed
// goes through here, and the notification icon follows each change once.
#pragma once
#include <windows.h>

#include <cstdint>

#include "state/appstate.h"

// Arming. The clock time is the next hour:minute:00 to come; a countdown runs
// `seconds` from now; the network watch pings hostName (and starts the ping
// thread unless one is still running, which then carries on with the reset
// count); the window watch watches `watched` for condition `mode`.
void armClockTime(int hour, int minute);
void armCountdown(uint32_t seconds);
void armNetwork(HWND window);
void armWindowWatch(HWND window, HWND watched, int32_t mode);
// Arms what the auto-start file beside the program names, or nothing.
void armAutoStart();

// The clock stops (a running monitor stays as it is).
void stopClock(HWND window);
// Nothing armed any more; a running ping thread is asked to end.
void stopTriggers(HWND window);
// The start/stop button: starts or stops what is set, or says that the
// clock time has passed.
void toggleRunning(HWND window);

// The checks of a tick; each fires its trigger when it is due and then
// returns true (that tick shows nothing: the confirmation drew since).
// The clock compares targetTime with the nowTime the tick read; `title` is
// the watched window's title now and `remaining` the countdown's
// milliseconds left.
bool fireClockIfDue(HWND window);
bool fireMonitorIfDue(HWND window, const char* title, int32_t remaining);

// The firing sequence: disarm, save the options, confirm and, if the
// confirmation ran out, start the power action. The clock time leaves
// confirmReason as it is (the confirmation resets it after every use); a
// monitor trigger also leaves the monitor display and names its reason, and
// the network watch's ping thread is asked to end afterwards.
void fireClockTrigger(HWND window);
void fireMonitorTrigger(HWND window, ConfirmReason reason);

// WM_POWERBROADCAST: the suspend notice holds the triggers; a resume notice
// counts a wake (power/sleepwatch.h) and takes it.
LRESULT onPowerBroadcast(HWND window, WPARAM event);
// The tick's first step, and the resume notices' last: looks at the clocks,
// and takes each wake not yet taken. A clock time or countdown that came due
// while the computer slept stops, with a notice to the user; a countdown's
// deadline moves by the time asleep; the network watch gets its grace period.
// A hold that ended with no sleep lets what came due in it fire.
void takeWakes(HWND window);

// Stores the main window's rectangle among the options and saves them: before
// a power action, and when the system ends the session.
void saveWindowAndOptions(HWND window);

// WM_ENDSESSION of the main window: the session really ends (`ending` TRUE)
// without WM_DESTROY, so the options are saved here.
LRESULT onEndSession(HWND window, WPARAM ending);
