// Drives a modal dialog of this process the way a user would, from a second
// thread, while the test thread sits in the dialog's modal loop.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "tests/support/wine_support.h" // findOwnWindow

class DialogDriver {
public:
    using Script = std::function<void(HWND dialog)>;

    // Waits (up to `timeoutMs`) for a visible window of this process titled
    // `caption`, then runs `script` on it once. If the script leaves the
    // dialog open, it is cancelled so the test thread cannot hang.
    DialogDriver(const char* caption, Script script, DWORD timeoutMs = 10000);
    ~DialogDriver();

    // Waits for the script to finish.
    void join();
    bool found() const { return found_; }
    bool leftOpen() const { return leftOpen_; }

private:
    void run();
    std::string caption_;
    Script script_;
    DWORD timeoutMs_;
    std::atomic<bool> found_{false};
    std::atomic<bool> leftOpen_{false};
    std::thread thread_;
};

// Helpers for scripts (they send to the dialog's thread and wait).
std::string fieldText(HWND dialog, int id);
void setField(HWND dialog, int id, const char* text);
// The arrow key pressed and released in an edit whose up-down reacts to it.
void pressArrow(HWND dialog, int editId, bool up);
void clickButton(HWND dialog, int id);
bool isChecked(HWND dialog, int id);
