// A harmless stand-in process for the power tests.
//   power_helper sleep                 does nothing for two minutes (copied as
//                                      EXPLORER.EXE: a shell to be "ended")
//   power_helper windows LOGFILE N     N top-level windows (the first visible,
//                                      the others hidden) that append every
//                                      end-session message they receive to
//                                      LOGFILE as "index QUERY|END wParam lParam"
// Ends after two minutes, or when one of its windows gets WM_CLOSE.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kClass[] = "NoctilPowerHelper";
const char* g_logPath = nullptr;

void logLine(const char* line)
{
    HANDLE file = CreateFileA(g_logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    CloseHandle(file);
}

LRESULT CALLBACK helperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_QUERYENDSESSION || message == WM_ENDSESSION) {
        char line[96];
        std::snprintf(line, sizeof line, "%ld %s %lu %08lX\n", static_cast<long>(GetWindowLongPtrA(window, GWLP_USERDATA)),
                      message == WM_QUERYENDSESSION ? "QUERY" : "END", static_cast<unsigned long>(wParam),
                      static_cast<unsigned long>(lParam));
        logLine(line);
        return message == WM_QUERYENDSESSION ? TRUE : 0;
    }
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int runWindows(const char* logPath, int count)
{
    g_logPath = logPath;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = helperProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    for (int i = 0; i < count; ++i) {
        const DWORD exStyle = (i == 2) ? WS_EX_TOOLWINDOW : 0;
        HWND w = CreateWindowExA(exStyle, kClass, "power helper", WS_POPUP, 10 + 30 * i, 10, 20, 20, nullptr,
                                 nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(w, GWLP_USERDATA, i);
        if (i == 0)
            ShowWindow(w, SW_SHOWNOACTIVATE);
    }
    SetTimer(nullptr, 0, 120000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr)
            break;
        DispatchMessageA(&msg);
    }
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc >= 4 && std::strcmp(__argv[1], "windows") == 0)
        return runWindows(__argv[2], std::atoi(__argv[3]));
    Sleep(120000);
    return 0;
}
