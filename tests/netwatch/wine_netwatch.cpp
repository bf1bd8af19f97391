// The network watch under Wine, in a private network namespace made by the
// test run: loopback answers (or, with NOCTIL_NETNS_SILENT=1, never answers)
// and no packet can reach another host. Tests named AnsweringHost or
// SilentHost run only in the namespace of that kind.
#include <gtest/gtest.h>

#include <winsock.h>
#include <windows.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "base/sjistext.h"
#include "netwatch/icmp_pinger.h"
#include "netwatch/pingmonitor.h"
#include "program/triggers.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "syscalls/seam_recorder.h"
#include "tests/support/wine_support.h"

namespace {

const char kHostCaption[] = "ネットワーク監視";

bool silentHost()
{
    const char* silent = std::getenv("NOCTIL_NETNS_SILENT");
    return silent != nullptr && silent[0] == '1';
}

bool inPrivateNetwork()
{
    return std::getenv("NOCTIL_NETNS_SILENT") != nullptr;
}

bool socketIsOpen(SOCKET socket)
{
    int type = 0;
    int length = sizeof type;
    return getsockopt(socket, SOL_SOCKET, SO_TYPE, reinterpret_cast<char*>(&type), &length) == 0;
}

int threadsOfThisProcess()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

bool waitUntil(bool (*condition)(), DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        pumpMessages(20);
    }
    return true;
}

bool pingThreadEnded()
{
    return g_app.pingIdle == 1;
}

class NetworkTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        if (!inPrivateNetwork())
            GTEST_SKIP() << "runs only in the private network namespace of its CTest entry";
        MainWindowTest::SetUp();
        seamRecorderRefuseRawSockets(FALSE);
        ASSERT_EQ(0, sharedSession.startup(1, 1));
    }
    void TearDown() override
    {
        g_app.pingStop = 1;
        EXPECT_TRUE(waitUntil(pingThreadEnded, 12000)) << "the ping thread did not end";
        seamRecorderRefuseRawSockets(FALSE);
        MainWindowTest::TearDown();
    }
};

// Raw socket first, then the system's echo service as for a user who may
// not open raw sockets: loopback answers both ways (or neither within 5 s);
// an unresolvable name fails at once. Without a started socket library
// nothing goes out and the result is a failure that counts. No raw socket
// stays open.
TEST_F(NetworkTest, OneExchangeEachWay)
{
    const bool silent = silentHost();
    const struct {
        const char* host;
        BOOL refuseRaw;
        int32_t expected; // 0: a round trip
        bool started;
    } cases[] = {
        {"127.0.0.1", FALSE, silent ? NoReply : 0, true},
        {"127.0.0.1", TRUE, silent ? NoReply : 0, true},
        {"nosuchhost.invalid", FALSE, HostNotFound, true},
        {"127.0.0.1", TRUE, NoSocket, false},
    };
    for (const auto& c : cases) {
        const std::string what = std::string(c.host) + (c.refuseRaw ? " through the echo service" : " raw")
                                 + (c.started ? "" : ", library not started");
        seamRecorderRefuseRawSockets(c.refuseRaw);
        if (!c.started)
            sharedSession.cleanup();
        IcmpPinger pinger;
        const DWORD start = GetTickCount();
        const int32_t result = pinger.ping(c.host);
        const DWORD took = GetTickCount() - start;
        if (!c.started)
            sharedSession.startup(1, 1);
        if (c.expected == 0) {
            EXPECT_TRUE(result >= 0 && result < 1000) << what << ": " << result;
            std::printf("info round trip to %s: %d ms\n", what.c_str(), result);
        } else {
            EXPECT_EQ(c.expected, result) << what;
        }
        const DWORD wait = c.expected == NoReply ? 5000 : 0;
        EXPECT_TRUE(took + 100 >= wait && took <= wait + 1500) << what << ": took " << took << " ms";
        const SOCKET used = seamRecorderLastRawSocket();
        EXPECT_EQ(c.refuseRaw, used == INVALID_SOCKET) << what << ": a raw socket only when allowed";
        EXPECT_FALSE(!c.refuseRaw && socketIsOpen(used)) << what << ": the raw socket stays open";
    }
}

// Arming again while the thread runs reuses it; after a stop, a new one starts
// and pings at once.
TEST_F(NetworkTest, AnsweringHostAtMostOnePingThread)
{
    copyText(g_app.options.hostName, sizeof g_app.options.hostName, "127.0.0.1");
    const int before = threadsOfThisProcess();
    for (int i = 0; i < 3; ++i)
        armNetwork(window);
    pumpMessages(1000);
    EXPECT_EQ(before + 1, threadsOfThisProcess());
    EXPECT_EQ(Network, g_app.monitorMode);
    EXPECT_EQ(1, g_app.running);
    EXPECT_EQ(1, g_app.monitorActive);
    // Each arming restarts the socket library, which may fail an exchange in
    // flight; the next one, after the pause, gets its reply.
    EXPECT_TRUE(waitUntil([] { return g_app.pingResult >= 0 && g_app.pingFailures == 0; }, 5000))
        << "result " << g_app.pingResult << ", failures " << g_app.pingFailures;

    g_app.pingStop = 1;
    ASSERT_TRUE(waitUntil(pingThreadEnded, 5000));
    g_app.pingResult = -99;
    armNetwork(window);
    pumpMessages(1000);
    EXPECT_GE(g_app.pingResult.load(), 0) << "the new thread's first exchange comes at once";
}

// The program ending during a wait closes the socket at once; the thread
// then ends by itself.
TEST_F(NetworkTest, SilentHostExitDuringAWaitClosesTheSocket)
{
    copyText(g_app.options.hostName, sizeof g_app.options.hostName, "127.0.0.1");
    const SOCKET before = seamRecorderLastRawSocket();
    armNetwork(window);
    pumpMessages(1000);
    const SOCKET waiting = seamRecorderLastRawSocket();
    ASSERT_NE(before, waiting);
    ASSERT_TRUE(socketIsOpen(waiting)) << "a ping should be waiting";
    close();
    EXPECT_FALSE(socketIsOpen(waiting));
    EXPECT_TRUE(waitUntil(pingThreadEnded, 4500));
}

// The host dialog through its command: the current host selected, a long
// text stored cut to the buffer, Cancel leaving the running watch stopped.
TEST_F(NetworkTest, HostDialogStoresTheHostAndArms)
{
    copyText(g_app.options.hostName, sizeof g_app.options.hostName, "old.host");
    std::string shown;
    DWORD selection = 0;
    const std::string typed(1100, 'h');
    {
        ModalDriver driver(kHostCaption, [&](HWND dialog) {
            shown = fieldText(dialog, IDC_NET_HOST);
            selection = static_cast<DWORD>(SendDlgItemMessageA(dialog, IDC_NET_HOST, EM_GETSEL, 0, 0));
            SendDlgItemMessageA(dialog, IDC_NET_HOST, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
            clickButton(dialog, IDOK);
        });
        SendMessageA(window, WM_COMMAND, IDM_NETWORK_WATCH, 0);
        driver.finish();
        ASSERT_TRUE(driver.found()) << "dialog 125 did not open";
    }
    EXPECT_EQ("old.host", shown);
    EXPECT_EQ(MAKELONG(0, 8), selection) << "the whole host selected";
    EXPECT_EQ(std::string(1023, 'h'), g_app.options.hostName);
    EXPECT_EQ(Network, g_app.monitorMode);
    EXPECT_EQ(1, g_app.running);
    EXPECT_EQ(1, g_app.monitorActive);
    EXPECT_EQ(0, g_app.pingStop);

    {
        ModalDriver driver(kHostCaption, [&](HWND dialog) { clickButton(dialog, IDCANCEL); });
        SendMessageA(window, WM_COMMAND, IDM_NETWORK_WATCH, 0);
        driver.finish();
        ASSERT_TRUE(driver.found());
    }
    EXPECT_EQ(0, g_app.running);
    EXPECT_EQ(0, g_app.monitorActive);
    EXPECT_EQ(1, g_app.pingStop);
    EXPECT_EQ(1023u, std::strlen(g_app.options.hostName)) << "cancel keeps the host";
}

} // namespace
