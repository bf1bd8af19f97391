#include "netwatch/pingmonitor.h"

#include "base/sjistext.h"
#include "netwatch/icmp_pinger.h"
#include "netwatch/ping_loop.h"
#include "state/appstate.h"

namespace {

int32_t pingCurrentHost(void* context)
{
    // The user interface may store a new host at any time: work on a copy,
    // terminated whatever the buffer held at that moment.
    char host[sizeof g_app.options.hostName];
    copyText(host, sizeof host, g_app.options.hostName);
    return static_cast<IcmpPinger*>(context)->ping(host);
}

void pauseBetweenPings(void*)
{
    Sleep(kPingPauseMs);
}

uint32_t tickNow(void*)
{
    return GetTickCount();
}

PingWords sharedPingWords()
{
    return {g_app.pingStop,     g_app.pingIdle,  g_app.pingResult,   g_app.pingFailures,
            g_app.pingArmings, g_app.pingGrace, g_app.pingGraceFrom};
}

// The ping thread's entry; `argument` is not used (the host is read afresh
// from the options for every exchange).
DWORD WINAPI pingThreadMain(void*)
{
    IcmpPinger pinger; // never started: the shared session is
    const PingLoopCalls calls = {&pinger, pingCurrentHost, pauseBetweenPings, tickNow};
    runPingMonitor(sharedPingWords(), calls);
    return 0;
}

} // namespace

void pingGraceAfterResume()
{
    startPingGrace(sharedPingWords(), GetTickCount());
}

void startPinging()
{
    sharedSession.startup(1, 1);
    if (armPingLoop(sharedPingWords())) {
        // A plain system thread: the thread touches nothing of a C library.
        DWORD threadId = 0;
        HANDLE thread = CreateThread(nullptr, 0, pingThreadMain, nullptr, 0, &threadId);
        if (thread != nullptr) {
            CloseHandle(thread);
        } else {
            g_app.pingIdle = 1;
            g_app.pingResult = NoSocket; // shown as an error; nothing would ever ping
        }
    }
}
