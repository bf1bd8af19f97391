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
