// The echo request's bytes, the checksum, the reply test and the monitor
// loop, with hand-made datagrams and a scripted host.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "netwatch/icmp_echo.h"
#include "netwatch/ping_loop.h"

namespace {

std::string hex(const uint8_t* bytes, size_t length)
{
    std::string out;
    char part[4];
    for (size_t i = 0; i < length; ++i) {
        std::snprintf(part, sizeof part, i ? " %02X" : "%02X", bytes[i]);
        out += part;
    }
    return out;
}

TEST(EchoRequest, FirstTwoRequestsAfterStart)
{
    const char* const kPattern = " 20 21 22 23 24 25 26 27 28 29 2A 2B 2C 2D 2E 2F"
                                 " 30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E 3F";
    uint8_t request[kEchoRequestSize];
    std::memset(request, 0xEE, sizeof request); // bytes 8..11 must come out zero
    buildEchoRequest(request, 1, 1, 74565);
    EXPECT_EQ("08 00 BC D9 01 00 01 00 00 00 00 00 45 23 01 00" + std::string(kPattern),
              hex(request, sizeof request));
    EXPECT_EQ(0, internetChecksum(request, sizeof request)) << "a finished request sums to zero";

    buildEchoRequest(request, 2, 2, 74565);
    EXPECT_EQ("02 00 02 00", hex(request + 4, 4));
    EXPECT_EQ(0, internetChecksum(request, sizeof request));
}

TEST(EchoRequest, ChecksumOfShortAndOddBuffers)
{
    const uint8_t bytes[] = {0x01, 0x02, 0x03, 0xFF};
    const uint8_t twoCarries[] = {0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00}; // the first fold carries again
    const struct {
        const uint8_t* data;
        size_t length;
        uint16_t expected;
    } cases[] = {
        {bytes, 0, 0xFFFF},
        {bytes, 1, 0xFFFE},      // a lone byte is the low byte of a word
        {bytes, 3, 0xFDFB},      // 0x0201 + 0x0003
        {bytes, 4, 0xFEFA},      // 0x0201 + 0xFF03: the carry folds back in
        {twoCarries, 6, 0xFFFE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, internetChecksum(c.data, c.length)) << "length " << c.length;
}

// An IPv4 datagram as a raw socket delivers it: header (with `optionWords`
// of options), then the ICMP message.
std::vector<uint8_t> datagram(uint8_t type, uint8_t code, uint16_t id, uint16_t seq, uint32_t sendTime,
                              int optionWords = 0)
{
    std::vector<uint8_t> d(20 + optionWords * 4, 0);
    d[0] = static_cast<uint8_t>(0x40 | (5 + optionWords));
    d[9] = 1;
    uint8_t icmp[kEchoRequestSize];
    buildEchoRequest(icmp, id, seq, sendTime);
    icmp[0] = type;
    icmp[1] = code;
    d.insert(d.end(), icmp, icmp + sizeof icmp);
    return d;
}

TEST(EchoReply, OnlyOurReplyFromOurHostCounts)
{
    const uint32_t host = 0x0100007F;
    const uint32_t other = 0x0200007F;
    const auto ours = datagram(0, 0, 7, 7, 0xCAFE);
    auto unreachable = datagram(3, 1, 7, 7, 0xCAFE);
    auto notIcmp = ours;
    notIcmp[9] = 6;
    auto notIpv4 = ours;
    notIpv4[0] = 0x65;
    auto shortHeader = ours;
    shortHeader[0] = 0x44;
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        size_t length; // 0: all of it
        uint32_t source;
        bool accepted;
    } cases[] = {
        {"our reply", ours, 0, host, true},
        {"reply after 4 option bytes", datagram(0, 0, 7, 7, 0xCAFE, 1), 0, host, true},
        {"reply after 24 option bytes", datagram(0, 0, 7, 7, 0xCAFE, 6), 0, host, true},
        {"just long enough for the time", ours, 36, host, true},
        {"one byte short of the time", ours, 35, host, false},
        {"shorter than an IP header", ours, 19, host, false},
        {"options run past the end", datagram(0, 0, 7, 7, 0xCAFE, 6), 48, host, false},
        {"another program's identifier", datagram(0, 0, 8, 7, 0xCAFE), 0, host, false},
        {"an earlier request's sequence", datagram(0, 0, 7, 6, 0xCAFE), 0, host, false},
        {"from another host", ours, 0, other, false},
        {"destination unreachable", unreachable, 0, host, false},
        {"our own request looped back", datagram(8, 0, 7, 7, 0xCAFE), 0, host, false},
        {"echo reply with a code", datagram(0, 1, 7, 7, 0xCAFE), 0, host, false},
        {"another protocol", notIcmp, 0, host, false},
        {"not IPv4", notIpv4, 0, host, false},
        {"header length below 5 words", shortHeader, 0, host, false},
    };
    for (const auto& c : cases) {
        const ReceivedDatagram received = {c.bytes.data(), c.length ? c.length : c.bytes.size(), c.source};
        uint32_t sendTime = 0;
        EXPECT_EQ(c.accepted, matchEchoReply(received, host, 7, 7, sendTime)) << c.what;
        if (c.accepted) {
            EXPECT_EQ(0xCAFEu, sendTime) << c.what;
        }
    }
}

TEST(EchoReply, RoundTripAcrossTheTickWrap)
{
    EXPECT_EQ(0, roundTripMs(1000, 1000)) << "a reply in the same tick is a success";
    EXPECT_EQ(7, roundTripMs(5, 0xFFFFFFFE));
    EXPECT_EQ(250, roundTripMs(0x80000010, 0x7FFFFF16));
}

// A host that answers from a script: R reply (12 ms), L lost, S no socket,
// H unresolvable. The pause after the last scripted answer asks to stop.
struct ScriptedHost {
    const char* script;
    std::atomic<int32_t>* stop;
    int pings = 0;
    int pauses = 0;
    uint32_t time = 0; // the tick count: each pause is 3 s

    static int32_t ping(void* context)
    {
        auto* host = static_cast<ScriptedHost*>(context);
        switch (host->script[host->pings++]) {
        case 'R': return 12;
        case 'L': return NoReply;
        case 'S': return NoSocket;
        case 'H': return HostNotFound;
        }
        ADD_FAILURE() << "pinged past the script";
        return NoReply;
    }
    static void pause(void* context)
    {
        auto* host = static_cast<ScriptedHost*>(context);
        host->time += kPingPauseMs;
        if (++host->pauses >= static_cast<int>(std::strlen(host->script)))
            *host->stop = 1;
    }
    static uint32_t now(void* context) { return static_cast<ScriptedHost*>(context)->time; }
};

TEST(PingMonitor, CountsOnlyAnUnbrokenRowOfFailures)
{
    const uint32_t kMinuteAgo = 0u - kResumeGraceMs; // the grace began a minute before the first ping
    const struct {
        const char* script;
        int32_t stopAtStart;
        int32_t grace; // after a resume, from graceFrom
        uint32_t graceFrom;
        int pings, pauses;
        int32_t failures, result, graceAfter;
    } cases[] = {
        {"LLLLRLLLL", 0, 0, 0, 9, 9, 4, NoReply, 0},    // a reply starts the count again
        {"LLLHLL", 0, 0, 0, 6, 5, 5, NoReply, 0},       // unresolved: neither counts nor resets
        {"LLLLL", 0, 0, 0, 5, 4, 5, NoReply, 0},        // ends at the fifth, without a pause
        {"SSSSS", 0, 0, 0, 5, 4, 5, NoSocket, 0},
        {"HHH", 0, 0, 0, 3, 3, 0, HostNotFound, 0},     // a bad name never fires
        {"LLLLL", 1, 0, 0, 0, 0, 0, 99, 0},             // stop asked before the first exchange
        // After a resume: failures in the first minute do not count; those after it do.
        {"LLLLLLLLLLLLLLLLLLLLLLLLL", 0, 1, 0, 25, 24, 5, NoReply, 0},
        {"LLLLLLLLLLLLLLLLLLLL", 0, 1, 0, 20, 20, 0, NoReply, 1},
        {"LLRLLLLL", 0, 1, 0, 8, 7, 5, NoReply, 0},     // a reply ends the grace at once
        {"LLLLL", 0, 1, kMinuteAgo, 5, 4, 5, NoReply, 0}, // over already, across the tick wrap
    };
    for (const auto& c : cases) {
        std::atomic<int32_t> stop{c.stopAtStart}, idle{1}, result{99}, failures{3}, armings{0}, grace{c.grace};
        std::atomic<uint32_t> graceFrom{c.graceFrom};
        ScriptedHost host = {c.script, &stop};
        runPingMonitor({stop, idle, result, failures, armings, grace, graceFrom},
                       {&host, ScriptedHost::ping, ScriptedHost::pause, ScriptedHost::now});
        const std::string what = std::string(c.script) + (c.stopAtStart ? " stopped" : "") + (c.grace ? " after resume" : "");
        EXPECT_EQ(c.pings, host.pings) << what;
        EXPECT_EQ(c.pauses, host.pauses) << what;
        EXPECT_EQ(c.failures, failures.load()) << what;
        EXPECT_EQ(c.result, result.load()) << what;
        EXPECT_EQ(1, idle.load()) << what;
        EXPECT_EQ(c.graceAfter, grace.load()) << what;
    }
}

// The computer wakes just as the loop finds an old grace over: the grace the
// wake starts holds for its full minute, and no failure in it counts.
const PingWords* g_wakingWords = nullptr;

uint32_t wakeAtFirstLook(void* context)
{
    auto* host = static_cast<ScriptedHost*>(context);
    if (g_wakingWords != nullptr) {
        startPingGrace(*g_wakingWords, host->time);
        g_wakingWords = nullptr;
    }
    return host->time;
}

TEST(PingMonitor, AWakeAsTheLoopEndsAGraceKeepsItsOwn)
{
    std::atomic<int32_t> stop{0}, idle{1}, result{99}, failures{0}, armings{0}, grace{1};
    std::atomic<uint32_t> graceFrom{0u - kResumeGraceMs}; // over at the first look
    const PingWords words = {stop, idle, result, failures, armings, grace, graceFrom};
    ScriptedHost host = {"LLLLLLLLLLLLLLLLLLLL", &stop}; // a minute of failures
    g_wakingWords = &words;
    runPingMonitor(words, {&host, ScriptedHost::ping, ScriptedHost::pause, wakeAtFirstLook});
    EXPECT_EQ(0, failures.load());
    EXPECT_EQ(2, grace.load()) << "the wake's grace, numbered after the old one";
}

// A loop that has seen the stop request and is on its way out, and a new
// arming from the user interface, in either order: afterwards one loop runs,
// either the old one carrying on or a new one the arming starts.
TEST(PingMonitor, AnArmingAsTheLoopEndsLeavesOneLoopRunning)
{
    for (const char* order : {"arming, then the loop's end", "the loop's end, then arming", "no arming"}) {
        std::atomic<int32_t> stop{1}, idle{0}, result{-11}, failures{2}, armings{7}, grace{0};
        std::atomic<uint32_t> graceFrom{0};
        const PingWords words = {stop, idle, result, failures, armings, grace, graceFrom};
        const int32_t served = armings.load();
        bool starts = false, ends = false;
        switch (order[0]) {
        case 'a': starts = armPingLoop(words); ends = endPingRun(words, served); break;
        case 't': ends = endPingRun(words, served); starts = armPingLoop(words); break;
        default: ends = endPingRun(words, served); break;
        }
        const bool armed = order[0] != 'n';
        EXPECT_EQ(armed ? 1 : 0, static_cast<int>(starts) + static_cast<int>(!ends)) << order;
        EXPECT_EQ(armed ? 0 : 1, idle.load()) << order;
        EXPECT_EQ(armed ? 0 : 1, stop.load()) << order;
        EXPECT_EQ(armed ? 0 : 2, failures.load()) << order;
    }
}

} // namespace
