// Recording seam for the test build: nothing is performed. Every call is kept
// in memory for in-process tests and appended to seam.log beside the program
// for tests that watch the program from outside.
#include "syscalls/seam_recorder.h"

#include <atomic>
#include <cstdarg>
#include <cstring>

#include "base/platform.h"
#include "base/sjistext.h"
#include "base/textformat.h"
#include "syscalls/seam.h"
#include "syscalls/winsock_api.h"

namespace {

char g_log[16384];
// What the program asks of the system without acting (the power capabilities,
// the keep-awake request): kept apart, so that "nothing acted" stays an
// empty log.
char g_requests[4096];
char g_failName[64];
DWORD g_failError;
volatile BOOL g_refuseRawSockets;
volatile SOCKET g_lastRawSocket = INVALID_SOCKET;
// Read by the ping thread too.
std::atomic<uint32_t> g_tickMoved{0};
std::atomic<int32_t> g_utcMovedMs{0};
std::atomic<uint32_t> g_unbiasedMovedMs{0};
std::atomic<bool> g_unbiasedHidden{false};
PowerCapabilities g_capabilities = {}; // unknown unless a test stages them

void appendToFile(const char* fileName, const char* line)
{
    char path[MAX_PATH + 32];
    if (moduleDirectory(path, MAX_PATH)[0] == '\0' || !appendText(path, sizeof path, fileName))
        return;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    CloseHandle(file);
}

// One line "name args\n" into `log` and the file beside the program.
void writeLine(char* log, size_t size, const char* fileName, const char* name, const char* format, va_list args)
{
    char line[256];
    int used = formatText(line, sizeof line, "%s", name);
    if (used >= 0 && used < static_cast<int>(sizeof line))
        formatTextV(line + used, sizeof line - used, format, args);
    appendText(line, sizeof line, "\n");
    appendText(log, size, line);
    appendToFile(fileName, line);
}

void recordRequest(const char* name, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    writeLine(g_requests, sizeof g_requests, "seam-requests.log", name, format, args);
    va_end(args);
}

BOOL record(const char* name, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    writeLine(g_log, sizeof g_log, "seam.log", name, format, args);
    va_end(args);

    if (g_failName[0] != '\0' && std::strcmp(g_failName, name) == 0) {
        SetLastError(g_failError);
        return FALSE;
    }
    return TRUE;
}

} // namespace

const char* seamRecorderLog()
{
    return g_log;
}

const char* seamRecorderRequests()
{
    return g_requests;
}

void seamRecorderReset()
{
    g_log[0] = '\0';
    g_requests[0] = '\0';
    g_failName[0] = '\0';
    g_failError = 0;
    g_tickMoved = 0;
    g_utcMovedMs = 0;
    g_unbiasedMovedMs = 0;
    g_unbiasedHidden = false;
    g_capabilities = {};
}

void seamRecorderStagePowerCapabilities(const PowerCapabilities& capabilities)
{
    g_capabilities = capabilities;
}

void seamRecorderMoveClocks(uint32_t tickMs, int32_t utcMs, uint32_t unbiasedMs)
{
    g_tickMoved += tickMs;
    g_utcMovedMs += utcMs;
    g_unbiasedMovedMs += unbiasedMs;
}

void seamRecorderHideUnbiasedTime(BOOL hide)
{
    g_unbiasedHidden = hide != FALSE;
}

// The real clocks, moved on as the test said.
ClockSample seamReadClock()
{
    ClockSample sample = readSystemClocks();
    sample.tickMs += g_tickMoved.load();
    sample.utc += static_cast<int64_t>(g_utcMovedMs.load()) * 10000;
    sample.unbiased += static_cast<uint64_t>(g_unbiasedMovedMs.load()) * 10000;
    if (g_unbiasedHidden.load()) {
        sample.unbiased = 0;
        sample.hasUnbiased = false;
    }
    return sample;
}

void seamRecorderRefuseRawSockets(BOOL refuse)
{
    g_refuseRawSockets = refuse;
    g_lastRawSocket = INVALID_SOCKET;
}

SOCKET seamRecorderLastRawSocket()
{
    return g_lastRawSocket;
}

void seamRecorderFailCalls(const char* name, DWORD error)
{
    copyText(g_failName, sizeof g_failName, error != 0 ? name : "");
    g_failError = error;
}

BOOL seamExitWindowsEx(UINT flags, DWORD reason)
{
    return record("ExitWindowsEx", " 0x%02X 0x%lX", flags, static_cast<unsigned long>(reason));
}

BOOL seamSetSystemPowerState(BOOL suspend, BOOL force)
{
    return record("SetSystemPowerState", " %d %d", suspend, force);
}

PowerCapabilities seamPowerCapabilities()
{
    const PowerCapabilities& c = g_capabilities;
    recordRequest("GetPwrCapabilities", c.known ? " S1-S3 %d%d%d AoAc %d S4 %d file %d" : " unknown", c.s1, c.s2, c.s3,
           c.modernStandby, c.s4, c.hiberFilePresent);
    return c;
}

void seamMonitorPower(HWND, LPARAM state)
{
    record("SC_MONITORPOWER", " %ld", static_cast<long>(state));
}

void seamKeepSystemAwake(BOOL awake)
{
    // As the system seam binds it: nothing where the system lacks the call.
    if (systemFunction<DWORD(WINAPI*)(DWORD)>("kernel32.dll", "SetThreadExecutionState") != nullptr)
        recordRequest("SetThreadExecutionState", awake ? " 0x80000001" : " 0x80000000");
}

BOOL seamTerminateProcess(DWORD processId, const char* exeName, UINT exitCode)
{
    return record("TerminateProcess", " %lu %s %u", static_cast<unsigned long>(processId), exeName, exitCode);
}

BOOL seamBeep(DWORD frequency, DWORD duration)
{
    return record("Beep", " %lu %lu", static_cast<unsigned long>(frequency), static_cast<unsigned long>(duration));
}

BOOL seamMessageBeep(UINT type)
{
    return record("MessageBeep", " 0x%08X", type);
}

// Not recorded: it runs on the ping thread every few seconds and changes
// nothing outside the program.
SOCKET seamOpenRawIcmpSocket()
{
    // The recording program can also be told from outside, by the end-to-end
    // tests, to go without raw sockets.
    static const bool refusedFromOutside = GetEnvironmentVariableA("NOCTIL_REFUSE_RAW_SOCKETS", nullptr, 0) != 0;
    if (g_refuseRawSockets || refusedFromOutside)
        return INVALID_SOCKET;
    const SOCKET socket = winsockApi()->openSocket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
    g_lastRawSocket = socket;
    return socket;
}
