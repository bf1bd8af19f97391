// The program's one global state record: the options, what is armed, the
// windows and the hand-over between them. The user interface's drawing state
// is its own (ui/uistate.h); arming is program/triggers.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "base/codes.h"
#include "base/sleepgap.h"
#include "base/timecalc.h"
#include "state/options_layout.h"

struct AppState {
    // Persisted options (file layout in state/options_layout.h).
    Options options = defaultOptions();

    // Trigger state.
    int32_t running = 0;
    int32_t monitorActive = 0;
    int32_t monitorMode = WindowDestroyed;
    FILETIME targetTime = {};
    FILETIME nowTime = {};
    uint32_t countdownDeadline = 0;
    HWND watchedWindow = nullptr;
    char watchedTitle[60] = {};
    // Where the system keeps titles as Unicode (the NT family): the whole
    // title's fingerprint, which the renamed-window watch compares instead.
    int32_t watchedTitleWide = 0;
    uint64_t watchedTitleFingerprint = 0;
    int32_t watchedWasActive = 0;
    int32_t confirmReason = Timer;
    int32_t firings = 0; // triggers fired: a dialog open across one arms nothing
    int32_t acting = 0;  // from a firing to the end of its action (confirmation, wait, action)
    int32_t keepingAwake = 0; // the system was asked to keep out of idle sleep

    // Sleep (power/sleepwatch.h): the clocks at the last look and whether the
    // clock was set since; the hold from a suspend notice; the wakes counted,
    // when the last sleep began and how long it lasted; the wakes the
    // triggers have been through.
    int32_t looked = 0;
    ClockSample lastLook = {};
    int32_t clockSet = 0;
    int32_t suspended = 0;
    ClockSample suspendedAt = {};
    uint32_t wakes = 0;
    ClockSample wokeFrom = {};
    uint64_t sleptMs = 0;
    uint32_t wakesHandled = 0;

    // Shared with the ping thread: each word is read and written whole.
    std::atomic<int32_t> pingStop{1};
    std::atomic<int32_t> pingIdle{1};
    std::atomic<int32_t> pingResult{0};
    std::atomic<int32_t> pingFailures{0};
    std::atomic<int32_t> pingArmings{0}; // counts armNetwork calls: a thread on its way out sees one
    std::atomic<int32_t> pingGrace{0};   // failures do not count yet: the computer woke
    std::atomic<uint32_t> pingGraceFrom{0};

    // Start-up, windows and hand-over.
    HINSTANCE instanceHandle = nullptr;
    int32_t startHour = -1;
    int32_t startInTray = 0;
    char programDirectory[4096] = {};
    HWND mainWindow = nullptr;
    int32_t trayMode = 0;
    int32_t notifyBeforeForce = 1;
    HWND waitDialog = nullptr;
    uint32_t wakesAtWait = 0; // the wakes counted when the wait began
    uint32_t pendingExitFlags = 0;
    int32_t trayIconAdded = 0; // the notification area accepted our icon
    int32_t modalDepth = 0;    // dialogs and message boxes open now
    int32_t ending = 0;        // the main window was destroyed or the session ends

    // Input state of the main window.
    int32_t activationGuard = 1;
    int32_t buttonPressed = 0;
    int32_t buttonHover = 0;
    int32_t closePressed = 0;
    int32_t closeHover = 0;
    int32_t spinnerHeld = 0;
    int32_t spinnerRepeat = 0;
    DWORD lastIconClick = 0;
    POINT lastButtonDown = {};
};

extern AppState g_app;

// While one lives, activating the main window does not show it: a menu or a
// box may open over a window hidden in the notification area.
struct ActivationHold {
    int32_t saved = g_app.activationGuard;
    ActivationHold() { g_app.activationGuard = 1; }
    ~ActivationHold() { g_app.activationGuard = saved; }
};

// Puts every field back to its initial value (start of the program; tests).
void resetAppState();

// Adds `units` of 100 ns to a FILETIME, carrying into the high half. Returns 1.
int addFileTime(FILETIME& time, DWORD units);

// Conversions between the system's and the portable date-time records.
DateTime toDateTime(const SYSTEMTIME& st);
SYSTEMTIME toSystemTime(const DateTime& dt);
