// The socket library session (Winsock 1.1) of the network watch.
#pragma once
#include <winsock.h>
#include <windows.h>

#include <atomic>
#include <cstdint>

class WinsockSession {
public:
    WinsockSession(int major, int minor);
    // Returns 0 when started, -1 when WSAStartup failed, -2 when the library
    // offered another version. Starting again first ends the previous start.
    int startup(int major, int minor);
    // Ends the session if it was started. Returns 0.
    int cleanup();
    // Read by the ping thread while the user interface starts and ends it.
    bool isStarted() const { return started.load() != 0; }

protected:
    WSADATA wsaData;
    uint16_t requestedVersion;
    std::atomic<int32_t> started;
};

// The program's one session; cleaned up by the main window and at exit.
extern WinsockSession sharedSession;
