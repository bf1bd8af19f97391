#include "netwatch/pingmonitor.h"

#include "base/sjistext.h"
#include "netwatch/icmp_pinger.h"
#include "netwatch/ping_loop.h"
#include "state/appstate.h"
#include "syscalls/seam.h"

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
    return seamReadClock().tickMs;
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

// Arms the loop, and starts a thread for it unless one runs (which then
// carries on with the reset count).
void armPingThread()
{
    if (!armPingLoop(sharedPingWords()))
        return;
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

} // namespace

void pingGraceAfterResume(bool watchArmed)
{
    // A run that ended at its fifth failure just before the sleep has no
    // thread any more, and the count starts again with the grace: the watch
    // would never fire. It gets a thread back.
    if (watchArmed)
        armPingThread();
    startPingGrace(sharedPingWords(), seamReadClock().tickMs);
}

void startPinging()
{
    sharedSession.startup(1, 1);
    armPingThread();
}
