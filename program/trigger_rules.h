// The trigger conditions that need no window queries. No Windows headers:
// tested natively.
#pragma once
#include <cstdint>

bool pingTriggerDue(int32_t failures);       // five failures or more
bool countdownTriggerDue(int32_t remaining); // overdue by less than 10 s
