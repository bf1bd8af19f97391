// The system's ICMP echo service (IcmpCreateFile, IcmpSendEcho,
// IcmpCloseHandle), bound at run time: iphlpapi.dll has it on newer systems,
// icmp.dll on older ones, and neither may be imported by a program that
// still loads on Windows 95.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

struct EchoService {
    HANDLE(WINAPI* open)();
    BOOL(WINAPI* close)(HANDLE);
    DWORD(WINAPI* send)(HANDLE, DWORD address, void* data, WORD size, void* options, void* replies,
                        DWORD repliesSize, DWORD timeoutMs);
};

// The bound service, or null when the system has none. Called on the ping
// thread only (there is never more than one).
const EchoService* echoService();

// One echo of `data` to `address` (network order) with the five-second wait.
// Returns the round trip in ms, or NoReply when no successful reply came.
int32_t sendThroughEchoService(const EchoService& service, HANDLE handle, DWORD address, const uint8_t* data,
                               size_t size);
