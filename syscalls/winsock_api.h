// The socket library, bound at run time: only the network watch needs it, so
// wsock32.dll is loaded when the watch is first armed, not at program start.
#pragma once
#include <winsock.h>
#include <windows.h>

struct WinsockApi {
    int(WINAPI* startup)(WORD, LPWSADATA);
    int(WINAPI* cleanup)();
    int(WINAPI* lastError)();
    SOCKET(WINAPI* openSocket)(int, int, int);
    int(WINAPI* closeSocket)(SOCKET);
    hostent*(WINAPI* resolveHost)(const char*);
    int(WINAPI* sendTo)(SOCKET, const char*, int, int, const sockaddr*, int);
    int(WINAPI* receiveFrom)(SOCKET, char*, int, int, sockaddr*, int*);
    int(WINAPI* waitForSockets)(int, fd_set*, fd_set*, fd_set*, const timeval*);
};

// The bound functions, or null when the library or one of them is missing.
// The first call binds; it is made on the user-interface thread (when the
// session starts) before any ping thread exists.
const WinsockApi* winsockApi();
