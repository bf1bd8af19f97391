// libFuzzer target for the echo reply test: any bytes a raw socket can hand
// over, with any length, source and expected numbers. A match must be a
// well-formed echo reply whose send time lies inside the datagram.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "netwatch/icmp_echo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 8)
        return 0;
    uint32_t source;
    uint16_t identifier, sequence;
    std::memcpy(&source, data, 4);
    std::memcpy(&identifier, data + 4, 2);
    std::memcpy(&sequence, data + 6, 2);
    // An exact-size copy, so reading one byte past the datagram is caught.
    const std::vector<uint8_t> datagram(data + 8, data + size);
    const ReceivedDatagram received = {datagram.data(), datagram.size(), source};
    uint32_t sendTime = 0;
    if (matchEchoReply(received, source & 1 ? source : source ^ 1, identifier, sequence, sendTime)) {
        const size_t header = static_cast<size_t>(datagram[0] & 0x0F) * 4;
        if ((source & 1) == 0 || datagram.size() < header + kEchoTimeOffset + 4 || datagram[header] != 0)
            std::abort(); // accepted from another host, or a reply too short or of another type
    }
    uint8_t request[kEchoRequestSize];
    buildEchoRequest(request, identifier, sequence, source);
    if (internetChecksum(request, sizeof request) != 0)
        std::abort();
    return 0;
}
