// A system library loaded at run time comes from the system directory, also
// when a library of that name lies beside the program and Wine is told to
// prefer such a copy, as Windows' own search order would. The local offsets
// the clock is built on agree with the system's local time.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <string>

#include "base/platform.h"
#include "tests/support/wine_support.h"

namespace {

std::string modulePath(HMODULE module)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, sizeof path);
    std::string lower = path;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

TEST(Platform, ASystemLibraryNeverComesFromTheProgramsFolder)
{
    resetProgramForTest();
    const std::string planted = testDirectory() + "icmp.dll";
    ASSERT_TRUE(CopyFileA((testDirectory() + "..\\e2e\\planted.dll").c_str(), planted.c_str(), FALSE));
    HKEY overrides = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", 0, nullptr, 0,
                                             KEY_SET_VALUE, nullptr, &overrides, nullptr));
    RegSetValueExA(overrides, "icmp", 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);

    HMODULE byName = LoadLibraryA("icmp.dll");
    EXPECT_EQ(modulePath(nullptr).substr(0, testDirectory().size()), modulePath(byName).substr(0, testDirectory().size()))
        << "by its bare name the copy beside the program is taken: " << modulePath(byName);
    FreeLibrary(byName);

    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, sizeof system);
    HMODULE loaded = loadSystemLibrary("icmp.dll");
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(modulePath(GetModuleHandleA("kernel32.dll")).substr(0, std::string(system).size()),
              modulePath(loaded).substr(0, std::string(system).size()))
        << modulePath(loaded);
    FreeLibrary(loaded);

    RegDeleteValueA(overrides, "icmp");
    RegCloseKey(overrides);
    DeleteFileA(planted.c_str());
    DeleteFileA((testDirectory() + "planted.log").c_str());
}

TEST(Platform, LocalOffsetsAreTheOnesTheSystemApplies)
{
    FILETIME utc, local;
    GetSystemTimeAsFileTime(&utc);
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
    const int64_t expected = static_cast<int64_t>(fileTimeValue(local) - fileTimeValue(utc));
    int64_t now = 12345, byRules = 12345; // not an offset any zone has
    ASSERT_TRUE(systemLocalOffset(nullptr, fileTimeValue(utc), now));
    ASSERT_TRUE(zoneRuleOffset(nullptr, fileTimeValue(utc), byRules));
    EXPECT_EQ(expected, now);
    EXPECT_EQ(expected, byRules);
}

TEST(Platform, ModuleDirectoryIsWholeOrEmpty)
{
    char path[MAX_PATH] = {};
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, path, sizeof path));
    std::string dir = path;
    dir.erase(dir.rfind('\\') + 1);

    char buffer[MAX_PATH];
    EXPECT_STREQ(dir.c_str(), moduleDirectory(buffer, sizeof buffer));
    EXPECT_STREQ(dir.c_str(), moduleDirectory(buffer, dir.size() + 1)) << "just fits";
    // Too small for the program path: empty, not a cut (and wrong) directory.
    EXPECT_STREQ("", moduleDirectory(buffer, dir.size()));
    char small[8];
    EXPECT_STREQ("", moduleDirectory(small, sizeof small));
}

} // namespace
