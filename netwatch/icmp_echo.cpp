#include "netwatch/icmp_echo.h"

namespace {

constexpr uint8_t kEchoRequestType = 8;
constexpr uint8_t kEchoReplyType = 0;
constexpr uint8_t kProtocolIcmp = 1;

uint16_t readLe16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t readLe32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16
           | static_cast<uint32_t>(p[3]) << 24;
}

void writeLe16(uint8_t* p, uint16_t value)
{
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

void writeLe32(uint8_t* p, uint32_t value)
{
    writeLe16(p, static_cast<uint16_t>(value));
    writeLe16(p + 2, static_cast<uint16_t>(value >> 16));
}

} // namespace

uint16_t internetChecksum(const uint8_t* bytes, size_t length)
{
    uint32_t sum = 0;
    for (size_t i = 0; i + 1 < length; i += 2)
        sum += readLe16(bytes + i);
    if (length % 2 != 0)
        sum += bytes[length - 1];
    sum = (sum >> 16) + (sum & 0xFFFF);
    sum += sum >> 16;
    return static_cast<uint16_t>(~sum);
}

void buildEchoRequest(uint8_t (&request)[kEchoRequestSize], uint16_t identifier, uint16_t sequence,
                      uint32_t sendTime)
{
    request[0] = kEchoRequestType;
    request[1] = 0;
    writeLe16(request + 2, 0);
    writeLe16(request + 4, identifier);
    writeLe16(request + 6, sequence);
    writeLe32(request + 8, 0);
    for (size_t i = 0; i + 16 < kEchoRequestSize; ++i)
        request[16 + i] = static_cast<uint8_t>(0x20 + i);
    writeLe32(request + kEchoTimeOffset, sendTime);
    writeLe16(request + 2, internetChecksum(request, kEchoRequestSize));
}

bool matchEchoReply(const ReceivedDatagram& datagram, uint32_t destination, uint16_t identifier,
                    uint16_t sequence, uint32_t& sendTime)
{
    const uint8_t* ip = datagram.bytes;
    if (datagram.length < 20 || datagram.source != destination)
        return false;
    const size_t headerLength = static_cast<size_t>(ip[0] & 0x0F) * 4;
    if (ip[0] >> 4 != 4 || headerLength < 20 || ip[9] != kProtocolIcmp)
        return false;
    if (datagram.length < headerLength + kEchoTimeOffset + 4)
        return false;
    const uint8_t* icmp = ip + headerLength;
    if (icmp[0] != kEchoReplyType || icmp[1] != 0)
        return false;
    if (readLe16(icmp + 4) != identifier || readLe16(icmp + 6) != sequence)
        return false;
    sendTime = readLe32(icmp + kEchoTimeOffset);
    return true;
}

int32_t roundTripMs(uint32_t now, uint32_t sent)
{
    return static_cast<int32_t>(now - sent);
}
