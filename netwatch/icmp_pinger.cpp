#include "netwatch/icmp_pinger.h"

#include <cstring>

#include "netwatch/echo_service.h"
#include "syscalls/seam.h"
#include "syscalls/winsock_api.h"

uint8_t echoRequest[kEchoRequestSize];
int32_t echoIdentifierCounter = 1;
int32_t echoSequenceCounter = 1;

namespace {

// The next request's numbers; the counters are never reset.
void takeRequestNumbers(uint16_t& identifier, uint16_t& sequence)
{
    identifier = static_cast<uint16_t>(echoIdentifierCounter++);
    sequence = static_cast<uint16_t>(echoSequenceCounter++);
}

// Resolves to the first IPv4 address of the host, in network order.
bool resolveHost(const WinsockApi& api, const char* hostName, in_addr& address)
{
    const hostent* host = api.resolveHost(hostName);
    if (host == nullptr || host->h_addrtype != AF_INET || host->h_length < 4 || host->h_addr_list == nullptr
        || host->h_addr_list[0] == nullptr)
        return false;
    std::memcpy(&address, host->h_addr_list[0], 4);
    return true;
}

uint16_t requestField(size_t offset)
{
    return static_cast<uint16_t>(echoRequest[offset] | echoRequest[offset + 1] << 8);
}

// Waits until our own reply arrives or five seconds have passed since the
// send; anything else the raw socket delivers (our request looped back,
// other programs' replies, error messages) is passed over.
int32_t waitForReply(const WinsockApi& api, SOCKET socket, const sockaddr_in& destination)
{
    const uint16_t identifier = requestField(4);
    const uint16_t sequence = requestField(6);
    const DWORD start = GetTickCount();
    uint8_t buffer[kReceiveBufferSize];
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= kReplyWaitMs)
            return NoReply;
        const DWORD left = kReplyWaitMs - elapsed;
        timeval timeout = {static_cast<long>(left / 1000), static_cast<long>(left % 1000 * 1000)};
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket, &readable);
        const int ready = api.waitForSockets(1, &readable, nullptr, nullptr, &timeout);
        if (ready == SOCKET_ERROR)
            return SelectFailed;
        if (ready == 0)
            return NoReply;
        sockaddr_in from = {};
        int fromLength = sizeof from;
        const int received = api.receiveFrom(socket, reinterpret_cast<char*>(buffer), sizeof buffer, 0,
                                             reinterpret_cast<sockaddr*>(&from), &fromLength);
        const DWORD now = GetTickCount();
        if (received == SOCKET_ERROR) {
            if (api.lastError() == WSAEMSGSIZE)
                continue; // larger than any reply of ours
            return ReceiveFailed;
        }
        const ReceivedDatagram datagram = {buffer, static_cast<size_t>(received), from.sin_addr.s_addr};
        uint32_t sendTime = 0;
        if (matchEchoReply(datagram, destination.sin_addr.s_addr, identifier, sequence, sendTime))
            return roundTripMs(now, sendTime);
    }
}

// Without the right to open a raw socket the system's echo service sends
// the same request, with the same wait and the same results.
int32_t pingThroughEchoService(const WinsockApi& api, const char* hostName)
{
    const EchoService* service = echoService();
    if (service == nullptr)
        return NoSocket;
    const HANDLE handle = service->open();
    if (handle == INVALID_HANDLE_VALUE)
        return NoSocket;
    int32_t result = HostNotFound;
    in_addr address = {};
    if (resolveHost(api, hostName, address)) {
        uint16_t identifier = 0;
        uint16_t sequence = 0;
        takeRequestNumbers(identifier, sequence);
        buildEchoRequest(echoRequest, identifier, sequence, GetTickCount());
        result = sendThroughEchoService(*service, handle, address.s_addr, echoRequest + kEchoDataOffset,
                                        kEchoRequestSize - kEchoDataOffset);
    }
    service->close(handle);
    return result;
}

// Builds the next request in the program-wide buffer (identifier and sequence
// from the program-wide counters, the tick count as send time) and sends it.
int sendEchoRequest(SOCKET socket, const sockaddr_in& destination)
{
    uint16_t identifier = 0;
    uint16_t sequence = 0;
    takeRequestNumbers(identifier, sequence);
    buildEchoRequest(echoRequest, identifier, sequence, GetTickCount());
    return winsockApi()->sendTo(socket, reinterpret_cast<const char*>(echoRequest), kEchoRequestSize, 0,
                                reinterpret_cast<const sockaddr*>(&destination), sizeof destination);
}

} // namespace

int32_t IcmpPinger::ping(const char* hostName)
{
    // Without the shared session started no request can go out (and no name
    // be resolved): a failure like any other, so that the watch still fires.
    const WinsockApi* api = winsockApi();
    if (api == nullptr || !sharedSession.isStarted())
        return NoSocket;
    const SOCKET socket = seamOpenRawIcmpSocket();
    if (socket == INVALID_SOCKET)
        return pingThroughEchoService(*api, hostName);

    int32_t result = HostNotFound;
    sockaddr_in destination = {};
    destination.sin_family = AF_INET;
    if (resolveHost(*api, hostName, destination.sin_addr)) {
        sendEchoRequest(socket, destination); // a failed send shows as no reply
        result = waitForReply(*api, socket, destination);
    }
    api->closeSocket(socket);
    return result;
}
