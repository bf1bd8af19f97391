#include "core/appstate.h"

#include <cstring>
#include <new>

#include "core/modal.h"
#include "core/platform.h"
#include "power/seam.h"
#include "ui/tray.h"

AppState g_app;

static_assert(sizeof(SYSTEMTIME) == sizeof(DateTime), "SYSTEMTIME layout");

void resetAppState()
{
    g_app.~AppState();
    new (&g_app) AppState();
}

DateTime toDateTime(const SYSTEMTIME& st)
{
    DateTime dt;
    std::memcpy(&dt, &st, sizeof dt);
    return dt;
}

SYSTEMTIME toSystemTime(const DateTime& dt)
{
    SYSTEMTIME st;
    std::memcpy(&st, &dt, sizeof st);
    return st;
}

namespace {

// Local date-time of the next hour:minute:00 (or hour:00).
void nextOccurrence(int hour, int minute, SYSTEMTIME& out)
{
    // One reading of the clock serves as both "now" and the start of the
    // result, so a second boundary (or midnight) between two readings cannot
    // skew the day.
    SYSTEMTIME now;
    GetLocalTime(&now);
    out = toSystemTime(nextOccurrenceAfter(toDateTime(now), hour, minute));
}

} // namespace

void nextOccurrenceOfHour(int hour, SYSTEMTIME& out)
{
    nextOccurrence(hour, 0, out);
}

int addFileTime(FILETIME& time, DWORD units)
{
    uint32_t low = time.dwLowDateTime;
    uint32_t high = time.dwHighDateTime;
    const int result = addFileTimeParts(low, high, units);
    time.dwLowDateTime = low;
    time.dwHighDateTime = high;
    return result;
}

void armClockTime(int hour, int minute)
{
    g_app.running = 1;
    SYSTEMTIME target;
    nextOccurrence(hour, minute, target);
    SystemTimeToFileTime(&target, &g_app.targetTime);
    updateTrayIcon(g_app.mainWindow);
}

void armCountdown(uint32_t seconds)
{
    g_app.monitorMode = Countdown;
    g_app.monitorActive = 1;
    g_app.running = 1;
    g_app.countdownDeadline = countdownDeadlineFrom(GetTickCount(), seconds);
    updateTrayIcon(g_app.mainWindow);
}

void toggleRunning(HWND window)
{
    g_app.buttonPressed = 0;
    if (CompareFileTime(&g_app.targetTime, &g_app.nowTime) == 1 || g_app.monitorActive == 1) {
        g_app.running = !g_app.running;
        if (!g_app.running)
            g_app.monitorActive = 0;
        if (!g_app.options.silent)
            playTick();
        g_app.pingStop = 1;
    } else {
        showMessageBox(window, "現在時刻より未来の時間を設定して下さい。", "エラー", MB_ICONERROR);
        g_app.pingStop = 1;
    }
}

void playTick()
{
    if (isNtPlatform())
        seamBeep(37, 3);
    else
        seamMessageBeep(0xFFFFFFFF);
}
