#include "program/entry.h"

#include "base/cmdline.h"
#include "base/platform.h"
#include "base/sjistext.h"
#include "program/mainwindow.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "ui/faceframe.h"

const char kMainClassName[] = "Noctil";
const char kMainTitle[] = "Noctil";

namespace {

// The running program comes to the front; while one of its dialogs is open
// (the main window is disabled under it) the dialog comes instead.
void bringRunningToFront(HWND running)
{
    HWND popup = GetLastActivePopup(running);
    if (!IsWindowEnabled(running) && popup != nullptr && popup != running) {
        SetForegroundWindow(popup);
        return;
    }
    ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
}

// Reads the command line into startHour and startInTray.
void readCommandLine(const char* commandLine)
{
    const CommandLine parsed = parseCommandLine(commandLine);
    g_app.startHour = parsed.startHour;
    g_app.startInTray = parsed.startInTray;
}

} // namespace

void findProgramDirectory()
{
    moduleDirectory(g_app.programDirectory, sizeof g_app.programDirectory);
}

ATOM registerMainClass(HINSTANCE instance)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc; // 48
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hIconSm = LoadIconA(nullptr, IDI_WINLOGO);
    wc.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_MAIN_CURSOR));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kMainClassName;
    return RegisterClassExA(&wc);
}

HWND createMainWindow(HINSTANCE instance)
{
    return CreateWindowExA(0, kMainClassName, kMainTitle, WS_POPUP | WS_SYSMENU, 100, 100, kFaceWidth, kFaceHeight,
                           nullptr, nullptr, instance, nullptr);
}

int noctilMain(HINSTANCE instance, const char* commandLine, int showCommand)
{
    restrictLibrarySearch();
    g_app.instanceHandle = instance;

    HWND running = FindWindowA(kMainClassName, kMainTitle);
    if (running != nullptr) {
        bringRunningToFront(running);
        return 0;
    }

    readCommandLine(commandLine);
    findProgramDirectory();

    if (registerMainClass(instance) == 0)
        return 0;
    HWND window = createMainWindow(instance);
    if (window == nullptr)
        return 0; // without a window nothing would ever post the quit message
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
