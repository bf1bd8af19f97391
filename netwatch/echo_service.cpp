#include "netwatch/echo_service.h"

#include <ipexport.h>

#include "netwatch/icmp_echo.h"

namespace {

EchoService g_service;
int g_bound; // 0 not tried, 1 bound, -1 missing

bool bindFrom(const char* library)
{
    HMODULE module = LoadLibraryA(library);
    if (module == nullptr)
        return false;
    g_service.open = reinterpret_cast<decltype(g_service.open)>(GetProcAddress(module, "IcmpCreateFile"));
    g_service.close = reinterpret_cast<decltype(g_service.close)>(GetProcAddress(module, "IcmpCloseHandle"));
    g_service.send = reinterpret_cast<decltype(g_service.send)>(GetProcAddress(module, "IcmpSendEcho"));
    if (g_service.open != nullptr && g_service.close != nullptr && g_service.send != nullptr)
        return true; // kept loaded for the life of the process
    FreeLibrary(module);
    return false;
}

} // namespace

const EchoService* echoService()
{
    if (g_bound == 0)
        g_bound = bindFrom("iphlpapi.dll") || bindFrom("icmp.dll") ? 1 : -1;
    return g_bound == 1 ? &g_service : nullptr;
}

int32_t sendThroughEchoService(const EchoService& service, HANDLE handle, DWORD address, const uint8_t* data,
                               size_t size)
{
    // Room for one reply with its echoed data and an ICMP error's extra bytes.
    union {
        ICMP_ECHO_REPLY reply;
        uint8_t bytes[sizeof(ICMP_ECHO_REPLY) + kReceiveBufferSize];
    } replies = {};
    const DWORD sent = GetTickCount();
    const DWORD count = service.send(handle, address, const_cast<uint8_t*>(data), static_cast<WORD>(size), nullptr,
                                     &replies, sizeof replies, kReplyWaitMs);
    const DWORD now = GetTickCount();
    if (count == 0 || replies.reply.Status != IP_SUCCESS)
        return NoReply;
    return roundTripMs(now, sent);
}
