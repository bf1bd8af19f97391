// Stand-by and hibernate on each kind of computer (the capabilities the
// recording seam is told), the menu's word on hibernation that is off, and
// the request to keep out of idle sleep from arming to the end.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/platform.h"
#include "power/keepawake.h"
#include "power/power.h"
#include "program/triggers.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "syscalls/seam_recorder.h"
#include "tests/support/wine_support.h"
#include "ui/uistate.h"

namespace {

//                                  known  S1     S2     S3     AoAc   S4     file
const PowerCapabilities kS3Laptop = {true, false, false, true, false, true, true};
const PowerCapabilities kModern = {true, false, false, false, true, false, false};
const PowerCapabilities kNeither = {true, false, false, false, false, false, false};
const PowerCapabilities kUnknown = {};

class MachinesTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        g_app.options.silent = 1;
    }
};

TEST_F(MachinesTest, StandByAndHibernateByKindOfComputer)
{
    // What this system says, against the record's published byte offsets
    // (S1-S4 at 3-6, the hibernation file at 8, AoAc at 20).
    const PowerCapabilities real = readPowerCapabilities();
    std::printf("[   INFO   ] this system: known %d S1-S3 %d%d%d AoAc %d S4 %d hibernation file %d\n", real.known,
                real.s1, real.s2, real.s3, real.modernStandby, real.s4, real.hiberFilePresent);
    HMODULE powrprof = LoadLibraryA("powrprof.dll");
    const auto query = reinterpret_cast<BOOLEAN(WINAPI*)(BYTE*)>(GetProcAddress(powrprof, "GetPwrCapabilities"));
    BYTE raw[76] = {};
    ASSERT_NE(nullptr, query);
    ASSERT_TRUE(query(raw));
    FreeLibrary(powrprof);
    EXPECT_TRUE(real.known);
    EXPECT_EQ((std::vector<bool>{raw[3] != 0, raw[4] != 0, raw[5] != 0, raw[20] != 0, raw[6] != 0, raw[8] != 0}),
              (std::vector<bool>{real.s1, real.s2, real.s3, real.modernStandby, real.s4, real.hiberFilePresent}));
    const struct {
        const char* what;
        PowerCapabilities capabilities;
        int action, force;
        const char* call; // recorded, or "" where nothing may be called
        const char* box;  // a word of the message, or none
    } cases[] = {
        {"S3: stand-by", kS3Laptop, Standby, 0, "SetSystemPowerState 1 0\n", nullptr},
        {"S3: hibernate", kS3Laptop, Hibernate, 1, "SetSystemPowerState 0 1\n", nullptr},
        {"Modern Standby: stand-by", kModern, Standby, 0, "SC_MONITORPOWER 2\n", nullptr},
        {"Modern Standby: forced stand-by", kModern, Standby, 1, "SC_MONITORPOWER 2\n", nullptr},
        {"Modern Standby: hibernate, which is off", kModern, Hibernate, 0, "", "powercfg /h on"},
        {"neither: stand-by", kNeither, Standby, 0, "", "スタンバイ"},
        {"no powrprof, or the query failed", kUnknown, Standby, 0, "SetSystemPowerState 1 0\n", nullptr},
    };
    for (const auto& c : cases) {
        restart();
        g_app.options.silent = 1;
        g_app.options.powerAction = c.action;
        g_app.options.forceAction = c.force;
        seamRecorderStagePowerCapabilities(c.capabilities);
        std::string shown;
        ModalDriver box("シャットダウン処理中のエラー", pressing(IDOK, &shown));
        beginPowerAction(window);
        box.finish();
        EXPECT_EQ(c.call, std::string(seamRecorderLog())) << c.what;
        EXPECT_NE(std::string::npos, std::string(seamRecorderRequests()).find("GetPwrCapabilities")) << c.what;
        EXPECT_EQ(c.box != nullptr, box.found()) << c.what;
        if (c.box != nullptr) {
            EXPECT_NE(std::string::npos, shown.find(c.box)) << c.what << ": " << shown;
        }
        // What acted ends the program as a stand-by does; a refusal leaves it running.
        EXPECT_EQ(c.box == nullptr, takeQuitMessage()) << c.what;
        EXPECT_EQ(c.box == nullptr, g_ui.displaySurface == nullptr) << c.what;
    }
}

TEST_F(MachinesTest, ChoosingHibernateSaysAtOnceWhenItIsOff)
{
    for (const PowerCapabilities& capabilities : {kModern, kS3Laptop}) {
        const bool off = !capabilities.s4;
        seamRecorderStagePowerCapabilities(capabilities);
        g_app.options.powerAction = Shutdown;
        std::string shown;
        ModalDriver box("Noctil - 休止状態", pressing(IDOK, &shown));
        command(IDM_HIBERNATE);
        box.finish();
        EXPECT_EQ(off, box.found()) << "hibernation off " << off;
        EXPECT_EQ(off, shown.find("powercfg /h on") != std::string::npos) << shown;
        EXPECT_EQ(Hibernate, g_app.options.powerAction) << "the choice is made either way";
    }
}

// Set once at arming, given back once when nothing is armed any more.
TEST_F(MachinesTest, KeepsTheComputerAwakeFromArmingToTheEnd)
{
    const struct {
        const char* what;
        std::function<void(HWND)> end; // after a countdown was armed
    } cases[] = {
        {"armed again, then stopped", [](HWND w) { armClockTime(8, 0); SendMessageA(w, WM_COMMAND, IDM_STOP, 0); }},
        {"the confirmation aborted",
         [](HWND w) {
             ModalDriver abort("Noctil !", pressing(IDCANCEL));
             fireMonitorTrigger(w, Timer);
         }},
        {"a failed action",
         [](HWND w) {
             g_app.running = g_app.monitorActive = 0;
             g_app.acting = 1; // as the firing leaves it, the confirmation run out
             seamRecorderFailCalls("ExitWindowsEx", ERROR_ACCESS_DENIED);
             ModalDriver box("シャットダウン処理中のエラー", pressing(IDOK));
             performPowerAction(0x09, w);
         }},
        {"the end of the session", [](HWND w) { SendMessageA(w, WM_ENDSESSION, TRUE, 0); }},
        {"Exit", [](HWND w) { SendMessageA(w, WM_COMMAND, IDM_EXIT, 0); takeQuitMessage(); }},
    };
    for (const auto& c : cases) {
        restart();
        armCountdown(600);
        c.end(window);
        EXPECT_STREQ("SetThreadExecutionState 0x80000001\nSetThreadExecutionState 0x80000000\n", seamRecorderRequests())
            << c.what << ": acting " << g_app.acting << ", keeping awake " << g_app.keepingAwake;
    }
}

} // namespace
