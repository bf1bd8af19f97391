#include "netwatch/winsock_session.h"

#include <cstdlib>

#include "syscalls/winsock_api.h"

WinsockSession::WinsockSession(int major, int minor)
    : wsaData(), requestedVersion(static_cast<uint16_t>(MAKEWORD(major, minor))), started(0)
{
}

int WinsockSession::startup(int major, int minor)
{
    if (started)
        cleanup();
    if (major != 0 || minor != 0)
        requestedVersion = static_cast<uint16_t>(MAKEWORD(major, minor));
    const WinsockApi* api = winsockApi();
    if (api == nullptr || api->startup(requestedVersion, &wsaData) != 0)
        return -1;
    if (wsaData.wVersion != requestedVersion) {
        api->cleanup(); // a start that we do not keep must not stay counted
        return -2;
    }
    started = 1;
    return 0;
}

int WinsockSession::cleanup()
{
    if (started) {
        winsockApi()->cleanup();
        started = 0; // the exit handler may call again after the main window did
    }
    return 0;
}

WinsockSession sharedSession(1, 1);

namespace {

void cleanupSharedSessionAtExit()
{
    sharedSession.cleanup();
}

struct ExitHandlerRegistration {
    ExitHandlerRegistration() { std::atexit(cleanupSharedSessionAtExit); }
} g_exitHandlerRegistration;

} // namespace
