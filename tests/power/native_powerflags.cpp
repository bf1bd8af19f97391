// The flag word, the choice between acting at once and waiting behind the
// notice, and the shell process match.
#include <gtest/gtest.h>

#include <cstring>

#include "power/powerflags.h"

namespace {

TEST(ExitFlags, EveryActionWithEveryForceCombination)
{
    struct Case { int action, force, ifHung; uint32_t flags; } cases[] = {
        {0, 0, 0, 0x09}, {0, 1, 0, 0x0D}, {0, 0, 1, 0x19}, {0, 1, 1, 0x1D},
        {1, 0, 0, 0x03}, {1, 1, 0, 0x07}, {1, 0, 1, 0x13}, {1, 1, 1, 0x17},
        {4, 0, 0, 0x00}, {4, 1, 0, 0x04}, {4, 0, 1, 0x10}, {4, 1, 1, 0x14},
        {2, 0, 0, 0}, {2, 1, 1, 0}, {3, 0, 0, 0}, {3, 1, 1, 0},
        // Any non-zero value counts as set, as the menu's 1 does.
        {0, 7, 0, 0x0D}, {1, 0, -1, 0x13},
        // Values a damaged file could hold: taken as the shutdown the
        // confirmation announced.
        {5, 0, 0, 0x09}, {-1, 1, 0, 0x0D}, {0x7FFFFFFF, 0, 1, 0x19},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.flags, exitFlagsFor(c.action, c.force, c.ifHung))
            << "action " << c.action << " force " << c.force << " ifHung " << c.ifHung;
    }
}

TEST(ExitFlags, OnlyForcedExitsWaitBehindTheNotice)
{
    struct Case { int action, force, ifHung, notify; bool waits; } cases[] = {
        {0, 1, 0, 1, true},  {1, 1, 0, 1, true},  {4, 1, 0, 1, true},  {5, 1, 0, 1, true},
        {2, 1, 0, 1, false}, {3, 1, 0, 1, false}, {0, 0, 0, 1, false}, {0, 1, 1, 1, false},
        {0, 1, 0, 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.waits, defersBehindNotice(c.action, c.force, c.ifHung, c.notify))
            << "action " << c.action << " force " << c.force << " ifHung " << c.ifHung << " notify " << c.notify;
    }
}

// The menu's two force options, flipped in turn.
TEST(ForceOptions, SwitchingOneOnSwitchesTheOtherOff)
{
    int32_t force = 0, ifHung = 0;
    struct Step { bool flipsForce; int32_t force, ifHung; } steps[] = {
        {true, 1, 0}, {false, 0, 1}, {true, 1, 0}, {true, 0, 0}, {false, 0, 1}, {false, 0, 0},
    };
    for (const Step& s : steps) {
        if (s.flipsForce)
            flipForceOption(force, ifHung);
        else
            flipForceOption(ifHung, force);
        EXPECT_EQ(s.force, force);
        EXPECT_EQ(s.ifHung, ifHung);
    }
}

TEST(ShellProcess, BaseNameIsExplorerInAnyCase)
{
    struct Case { const char* name; bool shell; } cases[] = {
        {"explorer.exe", true}, {"EXPLORER.EXE", true}, {"Explorer.Exe", true},
        {"C:\\WINDOWS\\EXPLORER.EXE", true}, {"c:\\windows\\explorer.exe", true},
        {"\\explorer.exe", true}, {"C:\\a\\b\\c\\eXpLoReR.eXe", true},
        {"", false}, {"explorer", false}, {"explorer.exe ", false}, {"explorer.exe.bak", false},
        {"iexplorer.exe", false}, {"C:\\WINDOWS\\", false}, {"C:\\explorer.exe\\", false},
        {"C:\\WINDOWS\\EXPLORER.EXE\\run.exe", false},
        // Forward slashes are not separators in the process list.
        {"C:/WINDOWS/explorer.exe", false},
        // "ソ" is 83 5C: its trail byte is not a backslash, so this is a file
        // named "ソexplorer.exe", not the shell.
        {"C:\\\x83\x5C" "explorer.exe", false},
        {"C:\\\x83\x5C\\explorer.exe", true},
        // Full-width letters are other characters.
        {"\x82\x85xplorer.exe", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.shell, isShellProcessName(c.name, isCp932LeadByte)) << "[" << c.name << "]";
    EXPECT_FALSE(isShellProcessName(nullptr, isCp932LeadByte));
}

// How stand-by and hibernate are carried out, by what the computer can do.
TEST(PowerFlags, PathByTheComputersPowerCapabilities)
{
    using P = PowerPath;
    //                              known  S1     S2     S3     AoAc   S4     file
    const PowerCapabilities s3Only = {true, false, false, true, false, true, true};
    const PowerCapabilities modern = {true, false, false, false, true, true, false};
    const PowerCapabilities both = {true, false, false, true, true, true, true};
    const PowerCapabilities s1Only = {true, true, false, false, false, false, false};
    const PowerCapabilities neither = {true, false, false, false, false, false, false};
    const PowerCapabilities noFile = {true, false, false, true, false, true, false};
    const PowerCapabilities fileNoS4 = {true, false, false, true, false, false, true};
    const PowerCapabilities unknown = {false, false, false, false, false, false, false};
    const struct {
        const char* what;
        PowerCapabilities capabilities;
        P standby, forcedStandby, hibernate;
    } cases[] = {
        {"S3 only", s3Only, P::SystemCall, P::SystemCall, P::SystemCall},
        {"Modern Standby only, hibernation off", modern, P::DisplayOff, P::DisplayOff, P::HibernationOff},
        {"both", both, P::SystemCall, P::SystemCall, P::SystemCall},
        {"S1 only", s1Only, P::SystemCall, P::SystemCall, P::HibernationOff},
        {"neither", neither, P::CannotStandBy, P::CannotStandBy, P::HibernationOff},
        {"S4 without a hibernation file", noFile, P::SystemCall, P::SystemCall, P::HibernationOff},
        {"a hibernation file without S4", fileNoS4, P::SystemCall, P::SystemCall, P::HibernationOff},
        {"the query failed", unknown, P::SystemCall, P::SystemCall, P::SystemCall},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.standby, choosePowerPath(Standby, false, c.capabilities)) << c.what;
        EXPECT_EQ(c.forcedStandby, choosePowerPath(Standby, true, c.capabilities)) << c.what;
        EXPECT_EQ(c.hibernate, choosePowerPath(Hibernate, true, c.capabilities)) << c.what;
        for (int32_t action : {0, 1, 4, 9})
            EXPECT_EQ(P::ExitWindows, choosePowerPath(action, false, c.capabilities)) << c.what << " " << action;
    }
    EXPECT_NE(nullptr, powerPathMessage(P::CannotStandBy));
    EXPECT_NE(nullptr, std::strstr(powerPathMessage(P::HibernationOff), "powercfg /h on"));
    EXPECT_EQ(nullptr, powerPathMessage(P::SystemCall));
}

} // namespace
