// The confirmation's wording. No Windows headers: tested natively.
#pragma once
#include <cstdint>

// The text shown for `reason` (ConfirmReason) and `powerAction`; only restart
// has a wording of its own, and a reason the program never sets gets the
// timer's.
const char* confirmText(int32_t reason, int32_t powerAction);
