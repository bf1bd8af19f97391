// Helpers for the Win32 tests that run in-process under Wine.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

// Back to a freshly started program: initial state, this executable as the
// instance, its directory as the program directory, an empty seam log, no
// options file beside it.
void resetProgramForTest();

// The real main window, created as the program creates it; destroyed with
// its own destroy handling (the quit message it posts is taken away).
HWND createMainWindowForTest();
void destroyMainWindowForTest(HWND window);

// Dispatches this thread's messages for `milliseconds`.
void pumpMessages(DWORD milliseconds);

// Answers the first dialog of this process with the given caption (a message
// box or a dialog) by sending `commandId` to it, from a second thread. Keeps
// the dialog's text (the message box text or a control's text).
class DialogAnswerer {
public:
    DialogAnswerer(const char* caption, int commandId, int textControlId = 0xFFFF, DWORD delayMs = 0);
    ~DialogAnswerer();
    bool seen() const { return seen_; }
    int timesSeen() const { return times_; }
    const std::string& text() const { return text_; }
    HWND dialog() const { return dialog_; }
    void stop();

private:
    void run();
    std::string caption_;
    int commandId_;
    int textControlId_;
    DWORD delayMs_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> seen_{false};
    std::atomic<int> times_{0};
    std::string text_;
    HWND dialog_ = nullptr;
    std::thread thread_;
};

// A visible top-level window of this process with the given title, or null.
// Safe from any thread: it never waits for the thread that owns the window.
HWND findOwnWindow(const char* caption);

// The directory of the test executable, with a trailing backslash.
std::string testDirectory();
