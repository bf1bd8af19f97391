#include "syscalls/winsock_api.h"

#include "base/platform.h"

namespace {

WinsockApi g_api;
int g_bound; // 0 not tried, 1 bound, -1 missing

bool bindAll(HMODULE module)
{
    return bindFunction(module, "WSAStartup", g_api.startup) && bindFunction(module, "WSACleanup", g_api.cleanup)
           && bindFunction(module, "WSAGetLastError", g_api.lastError)
           && bindFunction(module, "socket", g_api.openSocket)
           && bindFunction(module, "closesocket", g_api.closeSocket)
           && bindFunction(module, "gethostbyname", g_api.resolveHost)
           && bindFunction(module, "sendto", g_api.sendTo) && bindFunction(module, "recvfrom", g_api.receiveFrom)
           && bindFunction(module, "select", g_api.waitForSockets);
}

} // namespace

const WinsockApi* winsockApi()
{
    if (g_bound == 0) {
        // Kept loaded for the life of the process: a ping may still be in a
        // call when the session is cleaned up.
        HMODULE module = loadSystemLibrary("wsock32.dll");
        g_bound = bindAll(module) ? 1 : -1;
    }
    return g_bound == 1 ? &g_api : nullptr;
}
