// No idle sleep while a trigger is armed: someone who arms "shut down at
// 02:00" and leaves a download running must not find the computer asleep at
// 01:00 and still on in the morning. The display may still go off; closing
// the lid or choosing Sleep still sleeps. Windows 95 and NT 4.0 have no such
// request, and nothing changes there.
#pragma once

// Asks the system to stay awake while something is armed or an action is
// under way (from the firing to the end of the action), and gives the
// request back when neither is so. Asks only on a change.
void keepAwakeWhileArmed();

// Exit and the end of the session: the request goes, whatever is armed.
void giveBackKeepAwake();
