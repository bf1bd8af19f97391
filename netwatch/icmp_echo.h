// The bytes of one ICMP echo exchange: the request we send, the checksum, and
// the test that a received datagram is the reply to it. No Windows headers, so
// the rules are tested natively and the reply test can be fuzzed.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/codes.h"

constexpr size_t kEchoRequestSize = 48;  // 8 header bytes, 40 data bytes
constexpr size_t kEchoDataOffset = 8;
constexpr size_t kEchoTimeOffset = 12;   // the send time travels in the data
constexpr size_t kReceiveBufferSize = 324;
constexpr uint32_t kReplyWaitMs = 5000;

// RFC 1071 checksum, 16-bit words read little-endian; an odd last byte is
// the low byte of a word. Stored little-endian, it makes the message sum to 0.
uint16_t internetChecksum(const uint8_t* bytes, size_t length);

// An echo request: type 8, identifier and sequence little-endian, the send
// time at offset 12, bytes 0x20..0x3F from offset 16, checksum last.
void buildEchoRequest(uint8_t (&request)[kEchoRequestSize], uint16_t identifier, uint16_t sequence,
                      uint32_t sendTime);

// What a raw socket handed us. The source is the address recvfrom reported,
// compared as the 4 bytes in network order (as a sockaddr_in holds them).
struct ReceivedDatagram {
    const uint8_t* bytes;
    size_t length;
    uint32_t source;
};

// True only for an echo reply (type 0, code 0) to the request with this
// identifier and sequence from `destination`, long enough to hold the echoed
// send time, which is returned. The IP header length is read from the header.
bool matchEchoReply(const ReceivedDatagram& datagram, uint32_t destination, uint16_t identifier,
                    uint16_t sequence, uint32_t& sendTime);

// now - sent in 32-bit arithmetic, so a tick count that wrapped in between
// still gives the small positive difference.
int32_t roundTripMs(uint32_t now, uint32_t sent);
