#include "tests/support/wine_support.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/appstate.h"
#include "core/entry.h"
#include "power/seam_recorder.h"
#include "settings/options.h"

void resetProgramForTest()
{
    resetAppState();
    g_app.instanceHandle = GetModuleHandleA(nullptr);
    findProgramDirectory();
    seamRecorderReset();
    // Options saved by an earlier test's window would be loaded by the next.
    for (const char* name : {kOptionsFileName, kOptionsFreshName, kOptionsAsideName}) {
        const std::string path = std::string(g_app.programDirectory) + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
}

HWND createMainWindowForTest()
{
    static bool registered = false;
    if (!registered) {
        registered = registerMainClass(g_app.instanceHandle) != 0;
    }
    HWND window = createMainWindow(g_app.instanceHandle);
    if (window != nullptr)
        ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

void destroyMainWindowForTest(HWND window)
{
    if (window != nullptr && IsWindow(window))
        DestroyWindow(window);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void pumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue; // the test decides when to stop, not the program
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

DialogAnswerer::DialogAnswerer(const char* caption, int commandId, int textControlId, DWORD delayMs)
    : caption_(caption), commandId_(commandId), textControlId_(textControlId), delayMs_(delayMs)
{
    thread_ = std::thread([this] { run(); });
}

DialogAnswerer::~DialogAnswerer()
{
    stop();
}

void DialogAnswerer::stop()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

namespace {

struct FindData {
    const char* caption;
    DWORD process;
    HWND found;
};

// Neither call below may wait for the thread that owns the dialog: that is
// the test thread, which may be busy joining this one. So the caption is read
// without a message, and the text with a bounded wait.
BOOL CALLBACK findDialog(HWND window, LPARAM param)
{
    FindData* data = reinterpret_cast<FindData*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != data->process || !IsWindowVisible(window))
        return TRUE;
    WCHAR wide[256] = {};
    InternalGetWindowText(window, wide, 256);
    char caption[512] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, caption, sizeof caption, nullptr, nullptr);
    if (std::strcmp(caption, data->caption) != 0)
        return TRUE;
    data->found = window;
    return FALSE;
}

void readControlText(HWND dialog, int controlId, char* text, int size)
{
    HWND control = GetDlgItem(dialog, controlId);
    DWORD_PTR result = 0;
    if (control != nullptr)
        SendMessageTimeoutA(control, WM_GETTEXT, size, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000,
                            &result);
    text[size - 1] = '\0';
}

} // namespace

void DialogAnswerer::run()
{
    HWND last = nullptr;
    while (!stop_) {
        HWND found = findOwnWindow(caption_.c_str());
        if (found != nullptr && found != last) {
            char text[1024] = {};
            readControlText(found, textControlId_, text, sizeof text);
            if (!seen_)
                text_ = text;
            dialog_ = found;
            last = found;
            if (delayMs_ != 0)
                Sleep(delayMs_);
            ++times_;
            seen_ = true;
            PostMessageA(found, WM_COMMAND, MAKEWPARAM(commandId_, BN_CLICKED), 0);
        }
        Sleep(20);
    }
}

HWND findOwnWindow(const char* caption)
{
    FindData data = {caption, GetCurrentProcessId(), nullptr};
    EnumWindows(findDialog, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

std::string testDirectory()
{
    return g_app.programDirectory;
}

namespace {

// Every Wine test executable first checks that it runs in a Japanese locale:
// without it the program's Shift-JIS texts would be garbage and every
// measurement of text meaningless.
class JapaneseLocale : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_EQ(932u, GetACP()) << "run Wine with LANG=ja_JP.UTF-8 (see tools/wine-env.sh)";
    }
};

const ::testing::Environment* const g_japaneseLocale =
    ::testing::AddGlobalTestEnvironment(new JapaneseLocale);

} // namespace
