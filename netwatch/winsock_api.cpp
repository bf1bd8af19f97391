#include "netwatch/winsock_api.h"

namespace {

WinsockApi g_api;
int g_bound; // 0 not tried, 1 bound, -1 missing

template <typename Fn>
bool bind(HMODULE module, const char* name, Fn& slot)
{
    slot = reinterpret_cast<Fn>(GetProcAddress(module, name));
    return slot != nullptr;
}

bool bindAll(HMODULE module)
{
    return bind(module, "WSAStartup", g_api.startup) && bind(module, "WSACleanup", g_api.cleanup)
           && bind(module, "WSAGetLastError", g_api.lastError) && bind(module, "socket", g_api.openSocket)
           && bind(module, "closesocket", g_api.closeSocket) && bind(module, "gethostbyname", g_api.resolveHost)
           && bind(module, "sendto", g_api.sendTo) && bind(module, "recvfrom", g_api.receiveFrom)
           && bind(module, "select", g_api.waitForSockets);
}

} // namespace

const WinsockApi* winsockApi()
{
    if (g_bound == 0) {
        // Kept loaded for the life of the process: a ping may still be in a
        // call when the session is cleaned up.
        HMODULE module = LoadLibraryA("wsock32.dll");
        g_bound = module != nullptr && bindAll(module) ? 1 : -1;
    }
    return g_bound == 1 ? &g_api : nullptr;
}
