// The Windows 95/98/Me path, run as a Windows 98 program (Wine's version for
// this executable is set around the run): a forced exit first ends every
// shell process, and the click is the simple beep.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <cstring>
#include <set>
#include <sstream>

#include "power/confirm.h"
#include "power/power.h"
#include "program/triggers.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "syscalls/seam_recorder.h"
#include "tests/power/power_testing.h"

namespace {

DWORD platformId()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version.dwPlatformId;
}

// Every process whose name, after its last backslash, is explorer.exe in any
// case, as the process list shows them now; `names` gets the whole list.
std::set<DWORD> shellProcesses(std::string& names)
{
    std::set<DWORD> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        const char* slash = std::strrchr(entry.szExeFile, '\\');
        const char* base = slash != nullptr ? slash + 1 : entry.szExeFile;
        if (lstrcmpiA(base, "explorer.exe") == 0)
            found.insert(entry.th32ProcessID);
        names += std::to_string(entry.th32ProcessID) + ":" + entry.szExeFile + " ";
        entry.dwSize = sizeof entry;
    }
    CloseHandle(snapshot);
    return found;
}

class Win98Test : public MainWindowTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS), platformId())
            << "this program must run with Wine's version win98 (the test fixture sets it)";
        MainWindowTest::SetUp();
        g_app.options.silent = 1;
    }
};

TEST_F(Win98Test, ForcedExitEndsEveryShellProcessThenExits)
{
    // Harmless stand-ins under the shell's name in two spellings, and one
    // whose name only ends like it.
    struct Stand { const char* name; bool shell; } stands[] = {
        {"EXPLORER.EXE", true}, {"Explorer.exe", true}, {"iexplorer.exe", false}};
    std::vector<std::string> files;
    HelperProcess helpers[3];
    for (int i = 0; i < 3; ++i) {
        files.push_back(makeTempDirectory("n98") + stands[i].name);
        ASSERT_TRUE(CopyFileA(helperExe().c_str(), files.back().c_str(), FALSE)) << GetLastError();
        ASSERT_TRUE(helpers[i].start(files.back(), "sleep", false)) << files.back() << " " << GetLastError();
    }
    std::string names;
    const std::set<DWORD> shells = shellProcesses(names);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(stands[i].shell, shells.count(helpers[i].id()) == 1) << stands[i].name << " in " << names;
    std::printf("[   INFO   ] processes: %s\n", names.c_str());

    struct Case { int action, force, ifHung; const char* exitCall; bool endsShells; } cases[] = {
        {0, 1, 0, "ExitWindowsEx 0x0D 0x0", true},  {1, 1, 0, "ExitWindowsEx 0x07 0x0", true},
        {4, 1, 0, "ExitWindowsEx 0x04 0x0", true},  {0, 1, 1, "ExitWindowsEx 0x1D 0x0", true},
        {0, 0, 0, "ExitWindowsEx 0x09 0x0", false}, {4, 0, 0, "ExitWindowsEx 0x00 0x0", false},
        {1, 0, 1, "ExitWindowsEx 0x13 0x0", false},
    };
    for (const Case& c : cases) {
        g_app.options.powerAction = c.action;
        g_app.options.forceAction = c.force;
        g_app.options.forceIfHung = c.ifHung;
        g_app.notifyBeforeForce = 0;
        seamRecorderReset();
        beginPowerAction(window);

        std::set<DWORD> ended;
        std::vector<std::string> lines;
        std::istringstream log(seamRecorderLog());
        for (std::string line; std::getline(log, line);)
            lines.push_back(line);
        ASSERT_FALSE(lines.empty()) << "action " << c.action;
        EXPECT_EQ(c.exitCall, lines.back()) << "the exit comes last";
        for (size_t i = 0; i + 1 < lines.size(); ++i) {
            std::istringstream fields(lines[i]);
            std::string call, name;
            DWORD pid = 0;
            unsigned code = 0;
            fields >> call >> pid >> name >> code;
            EXPECT_EQ("TerminateProcess", call) << lines[i];
            EXPECT_EQ(1u, code) << lines[i];
            ended.insert(pid);
        }
        if (c.endsShells) {
            EXPECT_EQ(shells, ended) << "flags " << c.exitCall << "; processes: " << names << "\nlog:\n"
                                     << seamRecorderLog();
        } else {
            EXPECT_TRUE(ended.empty()) << "unforced: " << seamRecorderLog();
        }
    }
    for (int i = 0; i < 3; ++i) {
        helpers[i].stop();
        removeTree(files[i].substr(0, files[i].rfind('\\')));
    }
}

TEST_F(Win98Test, ClickIsTheSimpleBeepAndTheConfirmationUsesIt)
{
    playTick();
    EXPECT_STREQ("MessageBeep 0xFFFFFFFF\n", seamRecorderLog());

    seamRecorderReset();
    g_app.options.silent = 0;
    ModalDriver driver("Noctil !", [](HWND d) {
        for (int i = 0; IsWindowVisible(d) && i < 20; ++i)
            SendMessageA(d, WM_TIMER, TIMER_CONFIRM, 0);
    });
    EXPECT_EQ(1, runConfirmDialog(window));
    driver.finish();
    std::string sounds = "MessageBeep 0x00000020\n";
    for (int i = 0; i < 11; ++i)
        sounds += "MessageBeep 0xFFFFFFFF\n";
    EXPECT_EQ(sounds, std::string(seamRecorderLog()));
}

// Windows 98 has the keep-awake request (95 has not): an armed timer asks
// for it there too, and gives it back.
TEST_F(Win98Test, KeepsAwakeWhileArmed)
{
    armClockTime(8, 0);
    command(IDM_STOP);
    EXPECT_STREQ("SetThreadExecutionState 0x80000001\nSetThreadExecutionState 0x80000000\n", seamRecorderRequests());
}

} // namespace
