// The main program's one global state record and the arming of the clock-time
// and countdown triggers.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "core/codes.h"
#include "core/faceframe.h"
#include "core/timecalc.h"
#include "settings/options_layout.h"

struct AppState {
    // Persisted options (file layout in settings/options_layout.h).
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
    int32_t watchedWasActive = 0;
    int32_t confirmReason = Timer;

    // Shared with the ping thread: each word is read and written whole.
    std::atomic<int32_t> pingStop{1};
    std::atomic<int32_t> pingIdle{1};
    std::atomic<int32_t> pingResult{0};
    std::atomic<int32_t> pingFailures{0};
    std::atomic<int32_t> pingArmings{0}; // counts armNetwork calls: a thread on its way out sees one

    // Start-up, windows and hand-over.
    HINSTANCE instanceHandle = nullptr;
    int32_t startHour = -1;
    int32_t startInTray = 0;
    char programDirectory[4096] = {};
    HWND mainWindow = nullptr;
    int32_t trayMode = 0;
    int32_t notifyBeforeForce = 1;
    HWND waitDialog = nullptr;
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

    // Drawing state: memory surfaces with the bitmaps selected into them.
    HDC displaySurface = nullptr;
    HDC backgroundSurface = nullptr;
    HDC skinSheet = nullptr;
    HBITMAP displayBitmap = nullptr;
    HBITMAP backgroundBitmap = nullptr;
    HBITMAP skinSheetBitmap = nullptr;
    HFONT fontNormal = nullptr;
    HFONT fontBold = nullptr;
    HFONT fontLink = nullptr;
    COLORREF textColor1 = kBuiltInTextColor1;
    COLORREF textColor2 = kBuiltInTextColor2;
    COLORREF textColor3 = kBuiltInTextColor3;
    // What the window shows now; faceStale asks for a full redraw (new
    // surfaces or skin) whatever the frame says.
    FaceFrame shownFrame = {};
    int32_t faceStale = 1;

    // Dialog paint set, filled by the dialog that is painting.
    HPEN dialogPen = nullptr;
    COLORREF dialogTextColor = 0;
    COLORREF dialogEditBackColor = 0;
    HBRUSH dialogBrush = nullptr;
    HBRUSH dialogEditBrush = nullptr;
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

// Arming and the start/stop toggle.
void armClockTime(int hour, int minute);
void armCountdown(uint32_t seconds);
void toggleRunning(HWND window);

// Local date-time of the next hour:00.
void nextOccurrenceOfHour(int hour, SYSTEMTIME& out);

// Adds `units` of 100 ns to a FILETIME, carrying into the high half. Returns 1.
int addFileTime(FILETIME& time, DWORD units);

// The short click of the start/stop toggle and the confirmation countdown.
void playTick();

// Conversions between the system's and the portable date-time records.
DateTime toDateTime(const SYSTEMTIME& st);
SYSTEMTIME toSystemTime(const DateTime& dt);
