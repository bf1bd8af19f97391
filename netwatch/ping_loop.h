// The ping monitor's loop: ping, count consecutive failures, pause, and end
// after the fifth failure or at a stop request. The words it shares with the
// user-interface thread are passed in, and the ping and the pause are calls,
// so the loop runs natively with a scripted host.
#pragma once
#include <atomic>
#include <cstdint>

constexpr int32_t kPingFailureLimit = 5;
constexpr uint32_t kPingPauseMs = 3000;
// After the computer wakes, a wireless link and its address take 10 to 20 s
// to come back, longer on a slow network: failures in this time after the
// resume do not count, unless a reply ends it sooner. A host that is really
// down still fires the watch, a minute later.
constexpr uint32_t kResumeGraceMs = 60000;

struct PingWords {
    std::atomic<int32_t>& stop;     // written by the user interface
    std::atomic<int32_t>& idle;     // 1 while no loop runs
    std::atomic<int32_t>& result;   // the last ping result
    std::atomic<int32_t>& failures; // consecutive failures
    std::atomic<int32_t>& armings;  // counted by armPingLoop
    std::atomic<int32_t>& grace;     // from a resume until the grace ends: its number (never 0)
    std::atomic<uint32_t>& graceFrom; // the `now` of that resume
};

struct PingLoopCalls {
    void* context;
    int32_t (*ping)(void* context); // one exchange with the current host
    void (*pause)(void* context);   // the wait between two exchanges
    uint32_t (*now)(void* context); // milliseconds, as the tick count
};

// The user interface's part of a resume from sleep: failures count again
// after the grace period (or the first reply), from `now`.
void startPingGrace(const PingWords& words, uint32_t now);

// Runs until the failure limit or a stop request seen after a pause (or
// before the first exchange); marks the loop idle on the way out, and carries
// on if an arming came that the loop did not see and that started no loop.
void runPingMonitor(const PingWords& words, const PingLoopCalls& calls);

// The user interface's part of arming: clears the stop request and the
// counts. True when no loop runs and the caller must start one (it is then
// marked busy already, so no second caller starts another).
bool armPingLoop(const PingWords& words);

// The end of one run of the loop, which took in the armings up to `served`:
// marks it idle and returns true, or false when it must go on for an arming
// made after that whose caller found it busy.
bool endPingRun(const PingWords& words, int32_t served);
