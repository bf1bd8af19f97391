// Looks at a modal dialog or a popup menu from inside its own message loop:
// a thread timer on the test thread fires while the modal loop runs, finds
// the window and hands it to an inspector, which must end the modal loop.
#pragma once
#include <windows.h>

using ModalInspector = void (*)(HWND found, void* context);

class ModalProbe {
public:
    // Waits for a visible top-level window of this process with the class
    // `className` (when not null) and the caption `caption` (when not null).
    // After `timeoutMs` without one, closes any menu and dialog of this
    // thread, so a test never hangs.
    ModalProbe(const char* className, const char* caption, ModalInspector inspect, void* context,
               DWORD timeoutMs = 5000);
    ~ModalProbe();
    ModalProbe(const ModalProbe&) = delete;
    ModalProbe& operator=(const ModalProbe&) = delete;

    bool ran() const { return ran_; }
    HWND found() const { return found_; }

private:
    static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
    void poll();

    const char* className_;
    const char* caption_;
    ModalInspector inspect_;
    void* context_;
    DWORD deadline_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
    HWND found_ = nullptr;
};

// The class of popup menu windows.
constexpr const char kMenuWindowClass[] = "#32768";
// The class of dialog windows.
constexpr const char kDialogWindowClass[] = "#32770";
