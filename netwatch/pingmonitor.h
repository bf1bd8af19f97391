// The ping thread of the network watch.
#pragma once

// Starts the ping thread on hostName unless one is still running (which then
// carries on with the reset count). An error to show is left in pingResult
// when no thread could be started.
void startPinging();

// The computer woke: failures count again after the grace period. An armed
// watch (`watchArmed`) always has its thread afterwards.
void pingGraceAfterResume(bool watchArmed);
