#include "tests/support/wine_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "program/entry.h"
#include "settings/options.h"
#include "state/appstate.h"
#include "syscalls/seam_recorder.h"
#include "ui/uistate.h"

namespace {

void resetStateForTest()
{
    resetAppState();
    resetUiState();
    g_app.instanceHandle = GetModuleHandleA(nullptr);
    findProgramDirectory();
    seamRecorderReset();
}

// A test left waiting on a window nobody answers (a box it did not expect)
// would hold the whole run until ctest's limit: after a minute and a half
// the run ends instead, naming the test.
class Watchdog : public ::testing::EmptyTestEventListener {
public:
    Watchdog()
    {
        std::thread([this] { watch(); }).detach();
    }

    void OnTestStart(const ::testing::TestInfo& test) override
    {
        std::snprintf(name_, sizeof name_, "%s.%s", test.test_suite_name(), test.name());
        started_ = GetTickCount();
        running_ = true;
    }

    void OnTestEnd(const ::testing::TestInfo&) override
    {
        running_ = false;
    }

private:
    static constexpr DWORD kLimit = 90000;

    void watch()
    {
        for (;;) {
            Sleep(1000);
            if (running_ && GetTickCount() - started_ > kLimit) {
                std::fprintf(stderr, "%s still running after %lu s: stopped\n", name_, kLimit / 1000);
                std::fflush(stderr);
                TerminateProcess(GetCurrentProcess(), 3);
            }
        }
    }

    char name_[256] = {};
    std::atomic<DWORD> started_{0};
    std::atomic<bool> running_{false};
};

const bool g_watchdogInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
    return true;
}();

} // namespace

void resetProgramForTest()
{
    resetStateForTest();
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

void MainWindowTest::SetUp()
{
    resetProgramForTest();
    open();
}

void MainWindowTest::close()
{
    if (GetCapture() != nullptr)
        ReleaseCapture();
    destroyMainWindowForTest(window);
    window = nullptr;
}

void MainWindowTest::open(const std::function<void()>& beforeCreation)
{
    resetStateForTest();
    if (beforeCreation)
        beforeCreation();
    window = createMainWindowForTest();
    ASSERT_NE(nullptr, window) << GetLastError();
}

LRESULT MainWindowTest::send(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(window, message, wParam, lParam);
}

bool takeQuitMessage()
{
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

ModalDriver::ModalDriver(const char* caption, Script script) : caption_(caption), script_(std::move(script))
{
    thread_ = std::thread([this] { run(); });
}

void ModalDriver::finish()
{
    stop_ = true;
    while (thread_.joinable() && !done_) {
        // The script may be waiting on this thread's windows.
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        Sleep(1);
    }
    if (thread_.joinable())
        thread_.join();
}

namespace {

BOOL CALLBACK takeOwnMenu(HWND window, LPARAM found)
{
    char cls[16] = {};
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    GetClassNameA(window, cls, sizeof cls);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || std::strcmp(cls, "#32768") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND findOwnMenu()
{
    HWND found = nullptr;
    EnumWindows(takeOwnMenu, reinterpret_cast<LPARAM>(&found));
    return found;
}

void cancel(HWND window)
{
    char cls[16] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (std::strcmp(cls, "#32768") == 0)
        PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    else
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

} // namespace

void ModalDriver::run()
{
    const bool menu = caption_ == "#32768";
    HWND last = nullptr;
    while (!stop_) {
        HWND found = menu ? findOwnMenu() : findOwnWindow(caption_.c_str());
        if (found == nullptr || found == last) {
            Sleep(10);
            continue;
        }
        last = found;
        ++times_;
        if (script_)
            script_(found);
        const DWORD ran = GetTickCount();
        while (IsWindow(found) && IsWindowVisible(found) && GetTickCount() - ran < 2000 && !stop_)
            Sleep(10);
        if (IsWindow(found) && IsWindowVisible(found) && !stop_) {
            leftOpen_ = true;
            cancel(found);
        }
    }
    done_ = true;
}

ModalDriver::Script pressing(int id, std::string* boxText)
{
    return [id, boxText](HWND dialog) {
        if (boxText != nullptr)
            *boxText = fieldText(dialog, 0xFFFF);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    };
}

std::string fieldText(HWND dialog, int id)
{
    char text[1024] = {};
    readControlText(dialog, id, text, sizeof text);
    return text;
}

void setField(HWND dialog, int id, const char* text)
{
    SetDlgItemTextA(dialog, id, text);
}

void clickButton(HWND dialog, int id)
{
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

bool isChecked(HWND dialog, int id)
{
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void pressArrow(HWND dialog, int editId, bool up)
{
    HWND edit = GetDlgItem(dialog, editId);
    const WPARAM key = up ? VK_UP : VK_DOWN;
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), 0);
    const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16) | (1L << 24); // extended key
    SendMessageA(edit, WM_KEYDOWN, key, down);
    SendMessageA(edit, WM_KEYUP, key, down | static_cast<LPARAM>(0xC0000000u)); // previous state, released
}

void pointerTo(POINT p)
{
    int held = 0; // readings in a row at p
    for (int tries = 0; tries < 100 && held < 2; ++tries) {
        if (held == 0)
            SetCursorPos(p.x, p.y);
        Sleep(10);
        POINT now = {};
        held = GetCursorPos(&now) && now.x == p.x && now.y == p.y ? held + 1 : 0;
    }
}

HWND captureOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndCapture;
}

HCURSOR shownCursor()
{
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    return info.hCursor;
}

std::string makeTempDirectory(const char* prefix)
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    char name[MAX_PATH];
    GetTempFileNameA(base, prefix, 0, name); // creates a file: make it a directory
    DeleteFileA(name);
    CreateDirectoryA(name, nullptr);
    return std::string(name) + "\\";
}

void removeTree(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string child = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    DeleteFileA(path.c_str()); // a file of that name goes too
    RemoveDirectoryA(path.c_str());
}

std::string readWholeFile(const std::string& path)
{
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        text.append(chunk, got);
    CloseHandle(file);
    return text;
}

std::string cp932(const wchar_t* text)
{
    char buffer[1024] = {};
    WideCharToMultiByte(932, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

int countLines(const std::string& text, const std::string& line)
{
    int n = 0;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        if (text.compare(at, end - at, line) == 0)
            ++n;
        at = end + 1;
    }
    return n;
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
