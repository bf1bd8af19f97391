// noctillink: the Start-menu question and the two shortcuts, read back through
// the shell-link object.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "installer/shortcut.h"
#include "tests/support/wine_support.h"

namespace {

struct LinkInfo {
    bool loaded = false;
    std::string path, arguments, workingDirectory;
};

LinkInfo readLink(const std::string& file)
{
    LinkInfo info;
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* persist = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
            WCHAR wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
            if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
                char buffer[MAX_PATH] = {};
                info.loaded = true;
                link->GetPath(buffer, MAX_PATH, nullptr, 0);
                info.path = buffer;
                link->GetArguments(buffer, MAX_PATH);
                info.arguments = buffer;
                link->GetWorkingDirectory(buffer, MAX_PATH);
                info.workingDirectory = buffer;
            }
            persist->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return info;
}

bool exists(const std::string& file)
{
    return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class ShortcutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        base = std::string(temp) + "noctillink-test";
        programDir = base + "\\表示ソフト"; // trail bytes 0x5C inside the name
        programs = base + "\\Programs";
        CreateDirectoryA(base.c_str(), nullptr);
        CreateDirectoryA(programDir.c_str(), nullptr);
        CreateDirectoryA(programs.c_str(), nullptr);
        cleanFiles();
    }
    void TearDown() override { removeTree(base); }
    void cleanFiles()
    {
        DeleteFileA(startMenuLink().c_str());
        DeleteFileA(eightAmLink().c_str());
    }
    std::string startMenuLink() const { return programs + "\\Noctil!.LNK"; }
    std::string eightAmLink() const { return programDir + "\\" + kEightAmLinkName + ".LNK"; }
    std::string base, programDir, programs;
};

TEST_F(ShortcutTest, YesWritesBothShortcuts)
{
    std::string question;
    ModalDriver answer("Noctil!", pressing(IDYES, &question));
    installShortcuts(programDir.c_str(), programs.c_str());
    answer.finish();
    EXPECT_EQ("Noctil! のショートカットをスタートメニューに入れますか？", question);

    const LinkInfo start = readLink(startMenuLink());
    ASSERT_TRUE(start.loaded) << startMenuLink();
    EXPECT_EQ(programDir + "\\noctil.exe", start.path);
    EXPECT_EQ("", start.arguments);
    EXPECT_EQ(programDir, start.workingDirectory);

    const LinkInfo eight = readLink(eightAmLink());
    ASSERT_TRUE(eight.loaded) << eightAmLink();
    EXPECT_EQ(programDir + "\\noctil.exe", eight.path);
    EXPECT_EQ("8", eight.arguments);
    EXPECT_EQ(programDir, eight.workingDirectory);
}

TEST_F(ShortcutTest, NoWritesOnlyTheEightOClockShortcutAndRunsTwice)
{
    for (int run = 0; run < 2; ++run) {
        ModalDriver answer("Noctil!", pressing(IDNO));
        installShortcuts(programDir.c_str(), programs.c_str());
        answer.finish();
        EXPECT_EQ(1, answer.timesFound()) << "run " << run;
        EXPECT_FALSE(exists(startMenuLink())) << "run " << run;
        EXPECT_TRUE(exists(eightAmLink())) << "run " << run;
    }
}

TEST_F(ShortcutTest, NoStartMenuFolderMeansNoQuestion)
{
    ModalDriver answer("Noctil!", pressing(IDYES));
    installShortcuts(programDir.c_str(), nullptr);
    answer.finish();
    EXPECT_FALSE(answer.found());
    EXPECT_TRUE(exists(eightAmLink()));
}

TEST_F(ShortcutTest, LinkPathsBeyondTheWideBufferAreRefused)
{
    const std::string longPath = programDir + "\\" + std::string(300, 'x') + ".LNK";
    const HRESULT hr = createShortcut((programDir + "\\noctil.exe").c_str(), longPath.c_str(), "8", "",
                                      programDir.c_str(), "", 1);
    EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
}

} // namespace

TEST(ProgramsFolder, TheItemListGivesWhatTheNewerCallGives)
{
    char byItemList[460] = {};
    char byPath[MAX_PATH] = {};
    ASSERT_TRUE(findProgramsFolderByItemList(byItemList));
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, byPath, CSIDL_PROGRAMS, FALSE));
    EXPECT_STREQ(byPath, byItemList);
}
