// The confirmation's wording. No Windows headers: tested natively.
#pragma once
#include <cstddef>
#include <cstdint>

// The text shown for `reason` (ConfirmReason) and `powerAction`; only restart
// has a wording of its own, and a reason the program never sets gets the
// timer's.
const char* confirmText(int32_t reason, int32_t powerAction);

// The notice shown when the computer slept while the confirmation counted
// (`waiting` false) or while the program waited after telling all windows
// (true): what was stopped, and why. Cut to `size`, always terminated.
void formatSleptNotice(char* out, size_t size, int32_t powerAction, bool waiting);
