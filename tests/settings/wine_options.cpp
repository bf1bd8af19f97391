// The options file through the real files beside this test program: saving,
// loading, the first run, interrupted and failed saves, hostile leftovers and
// the longest folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "base/sjistext.h"
#include "settings/options.h"
#include "state/appstate.h"
#include "tests/support/wine_support.h"

namespace {

using Bytes = std::vector<unsigned char>;

const char kKeptInside[] = "noctil.gid\\keep.txt";

std::string beside(const char* name)
{
    return testDirectory() + name;
}

// Also the directory of the directory case, wherever a faulty save put it.
void removeAll()
{
    for (const char* name : {kOptionsFileName, kOptionsFreshName, kOptionsAsideName})
        removeTree(beside(name));
}

bool isDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool writeBytes(const std::string& path, const Bytes& bytes)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = bytes.empty() || WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == bytes.size();
}

// The file's bytes, or "missing".
std::string contentOf(const char* name)
{
    const std::string path = beside(name);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return "missing";
    return readWholeFile(path);
}

Options startValues()
{
    Options o = defaultOptions();
    o.windowRect.left = 100;
    o.windowRect.top = 100;
    return o;
}

// Options told apart by their clock hour.
Options withHour(int hour)
{
    Options o = startValues();
    o.alwaysOnTop = 0;
    o.silent = 1;
    o.windowRect = {321, 123, 541, 188};
    std::strcpy(o.hostName, "192.0.2.1");
    o.powerAction = Logoff;
    o.clockMinute = 30;
    o.clockHour = hour;
    std::strcpy(o.skinName, "sumi");
    return o;
}

Bytes imageOf(const Options& o)
{
    Bytes b(kOptionsFileSize);
    encodeOptions(o, b.data());
    return b;
}

std::string text(const Bytes& b)
{
    return std::string(b.begin(), b.end());
}

class OptionsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgramForTest();
        ASSERT_NE('\0', g_app.programDirectory[0]);
        removeAll();
        g_app.options = startValues();
    }
    void TearDown() override { removeAll(); }
};

TEST_F(OptionsFileTest, SaveWritesTheWholeFileAndLoadGivesItBack)
{
    const Options saved = withHour(21);
    g_app.options = saved;
    saveOptions();
    const std::string onDisk = contentOf(kOptionsFileName);
    ASSERT_EQ(1324u, onDisk.size());
    EXPECT_EQ(text(imageOf(saved)), onDisk);
    EXPECT_EQ(30, onDisk[1060]) << "minute before hour";
    EXPECT_EQ(21, onDisk[1064]);
    EXPECT_EQ("missing", contentOf(kOptionsFreshName)) << "nothing left beside it";
    EXPECT_EQ("missing", contentOf(kOptionsAsideName));

    g_app.options = startValues();
    loadOptions();
    EXPECT_EQ(0, std::memcmp(&saved, &g_app.options, sizeof saved));

    // A second save over the first replaces it.
    g_app.options.clockHour = 5;
    saveOptions();
    EXPECT_EQ(5, contentOf(kOptionsFileName)[1064]);
    EXPECT_EQ(1324u, contentOf(kOptionsFileName).size());
}

TEST_F(OptionsFileTest, MissingEmptyAndTinyFiles)
{
    const Options start = startValues();
    Options o = start;
    EXPECT_FALSE(readOptionsFile(o)) << "no file: the first run";
    EXPECT_EQ(0, std::memcmp(&start, &o, sizeof o));

    ASSERT_TRUE(writeBytes(beside(kOptionsFileName), {}));
    EXPECT_FALSE(readOptionsFile(o)) << "an empty file is a first run too";
    EXPECT_FALSE(readOptionsFile(o)) << "and stays one until a save";
    EXPECT_EQ(0, std::memcmp(&start, &o, sizeof o));
    loadOptions(); // no companion program beside the tests: nothing happens
    EXPECT_EQ(0, std::memcmp(&start, &g_app.options, sizeof start));

    ASSERT_TRUE(writeBytes(beside(kOptionsFileName), {0, 0, 0, 0}));
    EXPECT_TRUE(readOptionsFile(o));
    EXPECT_EQ(0, o.alwaysOnTop);
    EXPECT_EQ(7, o.clockHour);
    EXPECT_EQ(100, o.windowRect.left);

    Bytes damaged = imageOf(withHour(9));
    damaged[1056] = 9; // power action 9
    std::memset(&damaged[1068], 'z', 256); // skin name without end
    ASSERT_TRUE(writeBytes(beside(kOptionsFileName), damaged));
    o = start;
    EXPECT_TRUE(readOptionsFile(o));
    EXPECT_EQ(Shutdown, o.powerAction);
    EXPECT_EQ(255u, strnlen(o.skinName, sizeof o.skinName));
    EXPECT_EQ(9, o.clockHour);
}

// Only the first start (no options file) runs the companion, and only when it
// lies beside the program; the shell starts it in the program's folder.
TEST_F(OptionsFileTest, OnlyTheFirstStartRunsTheCompanion)
{
    static std::vector<std::string> opened;
    setShellOpenForTest([](const char* file, const char* directory) {
        opened.push_back(std::string(file) + " in " + (directory != nullptr ? directory : "(null)"));
    });
    struct { const char* what; bool optionsFile, companion; size_t runs; } rows[] = {
        {"first start", false, true, 1}, {"later start", true, true, 0}, {"no companion", false, false, 0},
    };
    for (const auto& row : rows) {
        removeAll();
        opened.clear();
        if (row.optionsFile)
            saveOptions();
        if (row.companion)
            ASSERT_TRUE(writeBytes(beside("noctillink.exe"), {}));
        loadOptions();
        DeleteFileA(beside("noctillink.exe").c_str());
        ASSERT_EQ(row.runs, opened.size()) << row.what;
        if (row.runs == 1)
            EXPECT_EQ(std::string("noctillink.exe in ") + g_app.programDirectory, opened[0]) << row.what;
    }
    setShellOpenForTest(nullptr);
}

TEST_F(OptionsFileTest, OnlyAMissingFileFallsBackToWhatAnInterruptedSaveLeft)
{
    const Bytes a = imageOf(withHour(1));
    const Bytes b = imageOf(withHour(2));
    const Bytes partB(b.begin(), b.begin() + 600);
    // The files there (the options file, the new one, the old one set aside)
    // and the hour read, -1 for a first run.
    struct Case { const char* what; std::vector<std::pair<const char*, Bytes>> files; int hour; } cases[] = {
        {"writing the new file", {{kOptionsFileName, a}, {kOptionsFreshName, partB}}, 1},
        {"new file written, not yet moved", {{kOptionsFileName, a}, {kOptionsFreshName, b}}, 1},
        {"old file set aside, new one complete", {{kOptionsFreshName, b}, {kOptionsAsideName, a}}, 2},
        {"old file set aside, new one cut short", {{kOptionsFreshName, partB}, {kOptionsAsideName, a}}, 1},
        {"only the old file set aside", {{kOptionsAsideName, a}}, 1},
        {"first save cut short", {{kOptionsFreshName, partB}}, -1},
        {"an empty file is read as it stands", {{kOptionsFileName, {}}, {kOptionsAsideName, a}}, -1},
    };
    for (const Case& c : cases) {
        removeAll();
        for (const auto& file : c.files) {
            ASSERT_TRUE(writeBytes(beside(file.first), file.second)) << c.what;
        }
        Options o = startValues();
        const bool read = readOptionsFile(o);
        EXPECT_EQ(c.hour >= 0, read) << c.what;
        EXPECT_EQ(c.hour >= 0 ? c.hour : 7, o.clockHour) << c.what;

        // The next save tidies up: one complete file, nothing beside it.
        o.clockHour = 3;
        EXPECT_TRUE(writeOptionsFile(o)) << c.what << " error " << GetLastError();
        EXPECT_EQ(text(imageOf(o)), contentOf(kOptionsFileName)) << c.what;
        for (const char* name : {kOptionsFreshName, kOptionsAsideName})
            EXPECT_EQ("missing", contentOf(name)) << c.what << ": " << name;
    }
}

TEST_F(OptionsFileTest, ReplacingWithoutMoveFileEx)
{
    const std::string file = beside(kOptionsFileName);
    const std::string fresh = beside(kOptionsFreshName);
    const std::string aside = beside(kOptionsAsideName);
    struct Case { const char* what; bool hadFile, hadAside; } cases[] = {
        {"old file present", true, false},
        {"no old file yet", false, false},
        {"leftover aside file", true, true},
        {"leftover aside file, no old file", false, true},
    };
    for (const Case& c : cases) {
        removeAll();
        if (c.hadFile) {
            ASSERT_TRUE(writeBytes(file, {'o', 'l', 'd'}));
        }
        if (c.hadAside) {
            ASSERT_TRUE(writeBytes(aside, {'s', 't', 'a', 'l', 'e'}));
        }
        ASSERT_TRUE(writeBytes(fresh, {'n', 'e', 'w'}));
        EXPECT_TRUE(replaceFileSafely(fresh.c_str(), file.c_str(), aside.c_str(), false))
            << c.what << " error " << GetLastError();
        EXPECT_EQ("new", contentOf(kOptionsFileName)) << c.what;
        EXPECT_EQ("missing", contentOf(kOptionsFreshName)) << c.what;
        EXPECT_EQ("missing", contentOf(kOptionsAsideName)) << c.what;
    }
}

TEST_F(OptionsFileTest, AFailedSaveKeepsThePreviousFile)
{
    const std::string file = beside(kOptionsFileName);
    const Bytes previous = imageOf(withHour(4));
    const Options next = withHour(5);

    // Read-only target, with and without the replacing move.
    for (bool moveFileEx : {true, false}) {
        removeAll();
        ASSERT_TRUE(writeBytes(file, previous));
        ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
        const std::string fresh = beside(kOptionsFreshName);
        ASSERT_TRUE(writeBytes(fresh, imageOf(next)));
        EXPECT_FALSE(replaceFileSafely(fresh.c_str(), file.c_str(), beside(kOptionsAsideName).c_str(), moveFileEx))
            << "read-only, MoveFileExA " << moveFileEx;
        EXPECT_EQ(text(previous), contentOf(kOptionsFileName)) << "read-only, MoveFileExA " << moveFileEx;
        EXPECT_EQ("missing", contentOf(kOptionsFreshName));
        EXPECT_EQ("missing", contentOf(kOptionsAsideName));
    }
    removeAll();
    ASSERT_TRUE(writeBytes(file, previous));
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    g_app.options = next;
    saveOptions();
    EXPECT_EQ(text(previous), contentOf(kOptionsFileName)) << "saveOptions on a read-only file";

    // Target held open without sharing by someone else.
    removeAll();
    ASSERT_TRUE(writeBytes(file, previous));
    HANDLE lock = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock) << GetLastError();
    const bool saved = writeOptionsFile(next);
    const DWORD error = GetLastError();
    CloseHandle(lock);
    EXPECT_FALSE(saved) << "locked target";
    EXPECT_EQ(text(previous), contentOf(kOptionsFileName)) << "locked target, error " << error;
    EXPECT_EQ("missing", contentOf(kOptionsFreshName));

}

TEST_F(OptionsFileTest, LeftoversAreNeverTakenOverAndDirectoriesNeverReplaced)
{
    const std::string file = beside(kOptionsFileName);
    const std::string fresh = beside(kOptionsFreshName);
    const Bytes previous = imageOf(withHour(4));
    const Options next = withHour(5);

    // A read-only new file left behind: every save starts from a fresh one.
    ASSERT_TRUE(writeBytes(file, previous));
    ASSERT_TRUE(writeBytes(fresh, {'x'}));
    ASSERT_TRUE(SetFileAttributesA(fresh.c_str(), FILE_ATTRIBUTE_READONLY));
    for (int save = 1; save <= 2; ++save) {
        EXPECT_TRUE(writeOptionsFile(next)) << "save " << save << ", error " << GetLastError();
        EXPECT_EQ(text(imageOf(next)), contentOf(kOptionsFileName)) << "save " << save;
        EXPECT_FALSE(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY) << "save " << save;
        EXPECT_EQ("missing", contentOf(kOptionsFreshName)) << "save " << save;
    }

    // No new file can be made (a directory has its name): written in place.
    removeAll();
    ASSERT_TRUE(writeBytes(file, previous));
    ASSERT_TRUE(CreateDirectoryA(fresh.c_str(), nullptr));
    EXPECT_TRUE(writeOptionsFile(next)) << GetLastError();
    EXPECT_EQ(text(imageOf(next)), contentOf(kOptionsFileName)) << "written in place";
    EXPECT_TRUE(isDirectory(fresh)) << "the directory stays";

    // A directory in the file's place: the save fails and leaves it as it is.
    removeAll();
    ASSERT_TRUE(CreateDirectoryA(file.c_str(), nullptr));
    ASSERT_TRUE(writeBytes(beside(kKeptInside), {'k'}));
    EXPECT_FALSE(writeOptionsFile(next));
    EXPECT_TRUE(isDirectory(file));
    EXPECT_EQ("k", contentOf(kKeptInside));
    EXPECT_EQ("missing", contentOf(kOptionsFreshName));
    EXPECT_EQ("missing", contentOf(kOptionsAsideName));
    EXPECT_FALSE(readOptionsFile(g_app.options)) << "nothing to read in a directory";
}

// The longest folder path whose noctil.gid still fits in MAX_PATH, made of
// nested folders beside the tests; empty if it cannot be made.
std::string longestFolder(std::vector<std::string>& made)
{
    const size_t length = MAX_PATH - 1 - std::strlen(kOptionsFileName); // with its last backslash
    std::string folder = testDirectory();
    while (folder.size() < length) {
        size_t part = std::min<size_t>(length - folder.size(), 101);
        if (length - folder.size() - part == 1)
            --part; // no name of nothing at the end
        folder += std::string(part - 1, 'd');
        if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return std::string();
        made.push_back(folder);
        folder += '\\';
    }
    return folder;
}

TEST_F(OptionsFileTest, EveryFolderThatCanHoldTheFileCanBeSavedTo)
{
    std::vector<std::string> made;
    const std::string folder = longestFolder(made);
    ASSERT_EQ(MAX_PATH - 1 - std::strlen(kOptionsFileName), folder.size()) << GetLastError();
    ASSERT_TRUE(copyText(g_app.programDirectory, sizeof g_app.programDirectory, folder.c_str()));
    const Options saved = withHour(21);
    for (int save = 1; save <= 2; ++save) {
        EXPECT_TRUE(writeOptionsFile(saved)) << "save " << save << ", error " << GetLastError();
    }
    Options o = startValues();
    EXPECT_TRUE(readOptionsFile(o));
    EXPECT_EQ(21, o.clockHour);
    const std::string file = folder + kOptionsFileName;
    DeleteFileA(file.c_str());
    for (auto it = made.rbegin(); it != made.rend(); ++it) {
        EXPECT_TRUE(RemoveDirectoryA(it->c_str())) << "nothing left in " << it->size() << " characters";
    }
}

TEST_F(OptionsFileTest, ProgramDirectoryTooLongForTheName)
{
    std::memset(g_app.programDirectory, 'd', sizeof g_app.programDirectory - 1);
    g_app.programDirectory[sizeof g_app.programDirectory - 1] = '\0';
    Options o = startValues();
    EXPECT_FALSE(readOptionsFile(o));
    EXPECT_FALSE(writeOptionsFile(o));
    loadOptions();
    saveOptions();
    SUCCEED() << "no write past a buffer, no file elsewhere";
}

} // namespace
