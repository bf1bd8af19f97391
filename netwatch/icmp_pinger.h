// One ICMP echo exchange with a host: over a raw socket, or through the
// system's echo service where raw sockets are not allowed.
#pragma once
#include "netwatch/icmp_echo.h"
#include "netwatch/winsock_session.h"

class IcmpPinger : public WinsockSession {
public:
    IcmpPinger() : WinsockSession(1, 1) {}
    // A PingResult: the round trip in ms, or a negative code. Needs the
    // socket library started (sharedSession); blocks for at most the name
    // resolution plus five seconds.
    int32_t ping(const char* hostName);
};

// The request last built, and the two counters that number the requests.
extern uint8_t echoRequest[kEchoRequestSize];
extern int32_t echoIdentifierCounter;
extern int32_t echoSequenceCounter;
