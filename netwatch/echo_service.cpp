#include "netwatch/echo_service.h"

#include <ipexport.h>

#include "base/platform.h"
#include "netwatch/icmp_echo.h"

namespace {

EchoService g_service;
int g_bound; // 0 not tried, 1 bound, -1 missing

bool bindFrom(const char* library)
{
    HMODULE module = loadSystemLibrary(library);
    if (module == nullptr)
        return false;
    if (bindFunction(module, "IcmpCreateFile", g_service.open)
        && bindFunction(module, "IcmpCloseHandle", g_service.close)
        && bindFunction(module, "IcmpSendEcho", g_service.send))
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
