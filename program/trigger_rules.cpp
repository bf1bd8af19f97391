#include "program/trigger_rules.h"

#include "base/textformat.h"
#include "base/timecalc.h"

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

bool inactiveWatchDue(Foreground foreground, bool watchedWasActive)
{
    return foreground == Foreground::Other && watchedWasActive;
}

ResumedCountdown resumeCountdown(uint32_t deadline, uint32_t tickAtSuspend, uint32_t tickNow, uint64_t sleptMs)
{
    const int32_t left = ticksRemaining(deadline, tickAtSuspend);
    if (left <= 0 || sleptMs >= static_cast<uint64_t>(left))
        return {true, left, deadline};
    return {false, left, tickNow + static_cast<uint32_t>(static_cast<uint64_t>(left) - sleptMs)};
}

void formatMissedNotice(char* out, size_t size, int year, int month, int day, int hour, int minute, int second)
{
    formatText(out, size,
               "コンピュータがスリープ（休止状態）の間に、予定の時刻 %4d/%02d/%02d %02d:%02d:%02d を"
               "過ぎました。\r\n復帰してすぐに実行しないよう、タイマーを止めました。",
               year, month, day, hour, minute, second);
}
