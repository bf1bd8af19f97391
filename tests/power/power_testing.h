// Small helpers shared by the power tests (header only: each test program
// includes it once).
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/wine_support.h"

// Code page 932 text of a wide literal, so expectations do not depend on the
// compiler's execution character set.
inline std::string cp932(const wchar_t* text)
{
    char buffer[1024] = {};
    WideCharToMultiByte(932, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

inline std::string controlText(HWND dialog, int id)
{
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

namespace power_testing_detail {
struct Find {
    const char* caption;
    HWND found;
};
inline BOOL CALLBACK matchCaption(HWND window, LPARAM param)
{
    Find* f = reinterpret_cast<Find*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char text[256];
    GetWindowTextA(window, text, sizeof text);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && std::string(text) == f->caption) {
        f->found = window;
        return FALSE;
    }
    return TRUE;
}
} // namespace power_testing_detail

// A visible top-level window of this process with `caption`, polled every
// millisecond or two for up to `ms` (for use on a second thread).
inline HWND waitForWindow(const char* caption, DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        power_testing_detail::Find f = {caption, nullptr};
        EnumWindows(power_testing_detail::matchCaption, reinterpret_cast<LPARAM>(&f));
        if (f.found != nullptr)
            return f.found;
        Sleep(1);
    } while (GetTickCount() - start < ms);
    return nullptr;
}

// Work on a second thread (watching for a dialog while this thread runs its
// modal loop). join() keeps taking the messages the second thread sends to
// this thread's windows (reading their titles), so the two never wait on
// each other.
class Watcher {
public:
    explicit Watcher(std::function<void()> work)
        : thread_([this, work] {
              work();
              done_ = true;
          })
    {
    }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;
    ~Watcher() { join(); }
    bool done() const { return done_; }
    void join()
    {
        while (thread_.joinable() && !done_) {
            MSG msg;
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
            Sleep(1);
        }
        if (thread_.joinable())
            thread_.join();
    }

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

// How often `line` (a whole line) appears in the seam log text.
inline int countLines(const std::string& log, const std::string& line)
{
    int n = 0;
    size_t at = 0;
    while (at < log.size()) {
        size_t end = log.find('\n', at);
        if (end == std::string::npos)
            end = log.size();
        if (log.compare(at, end - at, line) == 0)
            ++n;
        at = end + 1;
    }
    return n;
}

// A helper process started from a copy of power_helper.exe (or the original).
class HelperProcess {
public:
    HelperProcess() = default;
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;
    ~HelperProcess() { stop(); }

    // `waitForIdle`: until its windows exist (it has reached its message loop).
    bool start(const std::string& exe, const std::string& arguments, bool waitForIdle = true)
    {
        std::string commandLine = "\"" + exe + "\" " + arguments;
        std::vector<char> buffer(commandLine.begin(), commandLine.end());
        buffer.push_back('\0');
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_))
            return false;
        if (waitForIdle)
            WaitForInputIdle(info_.hProcess, 10000);
        return true;
    }
    DWORD id() const { return info_.dwProcessId; }
    void stop()
    {
        if (info_.hProcess != nullptr) {
            TerminateProcess(info_.hProcess, 0);
            WaitForSingleObject(info_.hProcess, 5000);
            CloseHandle(info_.hProcess);
            CloseHandle(info_.hThread);
            info_ = {};
        }
    }

private:
    PROCESS_INFORMATION info_ = {};
};

inline std::string helperExe()
{
    return testDirectory() + "power_helper.exe";
}

// A fresh empty directory under the system's temp directory.
inline std::string makeTempDirectory(const char* prefix)
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    char name[MAX_PATH];
    GetTempFileNameA(base, prefix, 0, name); // creates a file: make it a directory
    DeleteFileA(name);
    CreateDirectoryA(name, nullptr);
    return std::string(name) + "\\";
}

inline std::string readWholeFile(const std::string& path)
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
