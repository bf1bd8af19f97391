#include "program/trigger_rules.h"

namespace {

// A countdown overdue by more than this (a tick count that wrapped, a clock
// that jumped) no longer fires.
constexpr int32_t kCountdownGraceMs = 10000;

} // namespace

bool pingTriggerDue(int32_t failures)
{
    return failures > 4;
}

bool countdownTriggerDue(int32_t remaining)
{
    return remaining < 0 && remaining >= -kCountdownGraceMs;
}
