#include "tests/support/modal_probe.h"

#include <cstring>

namespace {

ModalProbe* g_activeProbe = nullptr;

struct Search {
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param)
{
    Search* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window))
        return TRUE;
    char text[256];
    if (search->className != nullptr) {
        GetClassNameA(window, text, sizeof text);
        if (std::strcmp(text, search->className) != 0)
            return TRUE;
    }
    if (search->caption != nullptr) {
        GetWindowTextA(window, text, sizeof text);
        if (std::strcmp(text, search->caption) != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND findWindow(const char* className, const char* caption)
{
    Search search = {className, caption, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK cancelDialog(HWND window, LPARAM)
{
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
        return TRUE;
    char cls[64];
    GetClassNameA(window, cls, sizeof cls);
    if (std::strcmp(cls, kDialogWindowClass) == 0)
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

} // namespace

ModalProbe::ModalProbe(const char* className, const char* caption, ModalInspector inspect, void* context,
                       DWORD timeoutMs)
    : className_(className), caption_(caption), inspect_(inspect), context_(context),
      deadline_(GetTickCount() + timeoutMs)
{
    g_activeProbe = this;
    timer_ = SetTimer(nullptr, 0, 50, onTimer);
}

ModalProbe::~ModalProbe()
{
    if (timer_ != 0)
        KillTimer(nullptr, timer_);
    if (g_activeProbe == this)
        g_activeProbe = nullptr;
}

void CALLBACK ModalProbe::onTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_activeProbe != nullptr)
        g_activeProbe->poll();
}

void ModalProbe::poll()
{
    HWND window = findWindow(className_, caption_);
    if (window == nullptr) {
        if (static_cast<LONG>(GetTickCount() - deadline_) < 0)
            return;
        KillTimer(nullptr, timer_);
        timer_ = 0;
        EndMenu();
        EnumWindows(cancelDialog, 0);
        return;
    }
    KillTimer(nullptr, timer_);
    timer_ = 0;
    found_ = window;
    ran_ = true;
    inspect_(window, context_);
}
