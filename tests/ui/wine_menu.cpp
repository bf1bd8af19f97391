// The popup menu: the resource read back as the system loads it, the check
// marks for each state, the skin entries from real directories, and the
// opening itself (place, foreground, release, a chosen entry reaching the
// dispatch).
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/sjistext.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "tests/support/wine_support.h"
#include "ui/menu.h"

namespace {

// One line per entry: "id text", "-" for a separator, "> text" for a
// sub-menu followed by its entries indented by two spaces.
void dumpMenu(HMENU menu, const std::string& indent, std::vector<std::string>& out)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[512] = {};
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        // A sub-menu's state carries its item count in the high byte, so it
        // is told apart before the separator flag is looked at.
        if (HMENU sub = GetSubMenu(menu, i)) {
            out.push_back(indent + "> " + text);
            dumpMenu(sub, indent + "  ", out);
        } else if (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) {
            out.push_back(indent + "-");
        } else {
            out.push_back(indent + std::to_string(GetMenuItemID(menu, i)) + " " + text);
        }
    }
}

void expectLines(const std::vector<std::string>& expected, const std::vector<std::string>& actual)
{
    for (size_t i = 0; i < expected.size() || i < actual.size(); ++i) {
        EXPECT_EQ(i < expected.size() ? expected[i] : "(none)", i < actual.size() ? actual[i] : "(none)")
            << "entry " << i;
    }
}

void collectChecked(HMENU menu, std::set<int>& out)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            collectChecked(sub, out);
        } else if (GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) {
            out.insert(static_cast<int>(GetMenuItemID(menu, i)));
        }
    }
}

// The sub-menu that holds [Noctil!].
HMENU findSkinMenu(HMENU menu)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU sub = GetSubMenu(menu, i);
        if (sub == nullptr)
            continue;
        if (GetMenuState(sub, IDM_SKIN_BUILTIN, MF_BYCOMMAND) != 0xFFFFFFFFu
            && GetMenuItemCount(sub) > 0 && GetMenuItemID(sub, GetMenuItemCount(sub) - 1) == IDM_SKIN_BUILTIN)
            return sub;
        if (HMENU deeper = findSkinMenu(sub))
            return deeper;
    }
    return nullptr;
}

struct SkinEntry {
    UINT id;
    std::string text;
    bool checked;
};

std::vector<SkinEntry> skinEntries(HMENU popup)
{
    std::vector<SkinEntry> entries;
    HMENU skins = findSkinMenu(popup);
    if (skins == nullptr)
        return entries;
    for (int i = 0; i < GetMenuItemCount(skins); ++i) {
        char text[512] = {};
        GetMenuStringA(skins, i, text, sizeof text, MF_BYPOSITION);
        entries.push_back({GetMenuItemID(skins, i), text, (GetMenuState(skins, i, MF_BYPOSITION) & MF_CHECKED) != 0});
    }
    return entries;
}

// Every flag the check marks read, off; the built-in skin.
void neutralState()
{
    g_app.options.alwaysOnTop = 0;
    g_app.options.silent = 0;
    g_app.options.forceAction = 0;
    g_app.options.forceIfHung = 0;
    g_app.options.powerAction = Shutdown;
    g_app.options.skinName[0] = '\0';
    g_app.notifyBeforeForce = 0;
    g_app.trayMode = 0;
    g_app.running = 0;
    g_app.monitorActive = 0;
}

// A skins directory beside the test program, made by the test and removed
// afterwards; one that was there before is set aside meanwhile.
class SkinDirectory {
public:
    SkinDirectory()
    {
        root_ = testDirectory() + "skins";
        aside_ = testDirectory() + "skins.aside-by-menu-test";
        if (GetFileAttributesA(root_.c_str()) != INVALID_FILE_ATTRIBUTES)
            movedAside_ = MoveFileA(root_.c_str(), aside_.c_str()) != 0;
        created_ = CreateDirectoryA(root_.c_str(), nullptr) != 0;
    }
    ~SkinDirectory()
    {
        removeTree(root_);
        if (movedAside_)
            MoveFileA(aside_.c_str(), root_.c_str());
    }
    bool ok() const { return created_; }

    bool addSkin(const char* directory, const char* displayName)
    {
        const std::string dir = root_ + "\\" + directory;
        if (!CreateDirectoryA(dir.c_str(), nullptr))
            return false;
        if (displayName == nullptr)
            return true;
        return WritePrivateProfileStringA("SKIN", "NAME", displayName, (dir + "\\skin.ini").c_str()) != 0;
    }
    bool addFile(const char* name)
    {
        HANDLE f = CreateFileA((root_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(f);
        return true;
    }
    std::string path(const char* name) const { return root_ + "\\" + name; }

    // The names of `wanted` in the order the file system lists them.
    std::vector<std::string> systemOrder(const std::set<std::string>& wanted) const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((root_ + "\\*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (wanted.count(entry.cFileName))
                names.push_back(entry.cFileName);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
        return names;
    }

private:
    std::string root_;
    std::string aside_;
    bool movedAside_ = false;
    bool created_ = false;
};

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(932u, GetACP()) << "the menu texts are code page 932";
        resetProgramForTest();
    }
    void TearDown() override
    {
        if (menu != nullptr)
            DestroyMenu(menu);
    }
    HMENU build()
    {
        if (menu != nullptr)
            DestroyMenu(menu);
        menu = buildPopupMenu(nullptr);
        return menu != nullptr ? GetSubMenu(menu, 0) : nullptr;
    }
    HMENU menu = nullptr;
};

TEST_F(MenuTest, ResourceHoldsBothPopupsWithEveryText)
{
    HMENU loaded = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_POPUP_MENU));
    ASSERT_NE(nullptr, loaded) << "menu 102: error " << GetLastError();
    ASSERT_EQ(2, GetMenuItemCount(loaded));

    std::vector<std::string> popup0;
    dumpMenu(GetSubMenu(loaded, 0), "", popup0);
    expectLines({"40025 このソフトについて...",
                 "-",
                 "40040 ウインドウ監視...(&W)",
                 "40047 カウントダウンタイマー...(&C)",
                 "40041 ネットーワーク監視...(&N)",
                 "> タイマー時間を指定(&K)",
                 "  40048 時間を指定...(&K)",
                 "  40021 午前８時に設定",
                 "  > その他の時刻",
                 "    40030 AM 00:00",
                 "    40032 AM 03:00",
                 "    40034 AM 06:00",
                 "    40033 AM 09:00",
                 "    -",
                 "    40031 PM 00:00",
                 "    40035 PM 03:00",
                 "    40036 PM 06:00",
                 "    40037 PM 09:00",
                 "-",
                 "40023 常に手前に表示する",
                 "40026 音を出さない",
                 "40027 タスクトレイに入る",
                 "> スキン",
                 "  40052 [Noctil!]",
                 "-",
                 "40024 強制的に実行する",
                 "40039 └ 強制終了する前に全ウインドウに通知",
                 "40042 終了しないｱﾌﾟﾘｹｰｼｮﾝを無視してｼｬｯﾄﾀﾞｳﾝする(Win2000のみ)",
                 "-",
                 "40044 シャットダウンする",
                 "40043 再起動する",
                 "40045 スタンバイモードにする",
                 "40046 休止状態にする(Windows2000/XP)",
                 "40050 ログオフする",
                 "-",
                 "40028 タイマー開始(&S)",
                 "40029 タイマー停止(&E)",
                 "-",
                 "40049 自動スタートの設定...(&A)",
                 "-",
                 "40038 ヘルプ(&Help)",
                 "40001 終了(E&xit)"},
                popup0);

    std::vector<std::string> popup1;
    dumpMenu(GetSubMenu(loaded, 1), "", popup1);
    expectLines({"40002 1999", "40003 2000", "40004 2001", "40005 2002", "40006 2003", "40007 2004",
                 "40042 終了しないｱﾌﾟﾘｹｰｼｮﾝを無視してｼｬｯﾄﾀﾞｳﾝする(Win2000のみ)"},
                popup1);
    DestroyMenu(loaded);
}

TEST_F(MenuTest, CheckMarksFollowTheState)
{
    struct Case {
        const char* name;
        void (*set)();
        std::set<int> checked;
    } cases[] = {
        {"all off", [] {}, {IDM_SHUTDOWN, IDM_STOP, IDM_SKIN_BUILTIN}},
        {"all on",
         [] {
             g_app.options.alwaysOnTop = 1;
             g_app.options.silent = 1;
             g_app.options.forceAction = 1;
             g_app.options.forceIfHung = 1;
             g_app.notifyBeforeForce = 1;
             g_app.trayMode = 1;
             g_app.running = 1;
         },
         {IDM_ALWAYS_ON_TOP, IDM_SILENT, IDM_FORCE, IDM_FORCE_IF_HUNG, IDM_NOTIFY_BEFORE_FORCE, IDM_TRAY,
          IDM_START, IDM_SHUTDOWN, IDM_SKIN_BUILTIN}},
        {"reboot", [] { g_app.options.powerAction = Reboot; }, {IDM_REBOOT, IDM_STOP, IDM_SKIN_BUILTIN}},
        {"standby", [] { g_app.options.powerAction = Standby; }, {IDM_STANDBY, IDM_STOP, IDM_SKIN_BUILTIN}},
        {"hibernate", [] { g_app.options.powerAction = Hibernate; }, {IDM_HIBERNATE, IDM_STOP, IDM_SKIN_BUILTIN}},
        {"logoff", [] { g_app.options.powerAction = Logoff; }, {IDM_LOGOFF, IDM_STOP, IDM_SKIN_BUILTIN}},
        {"unknown action from a damaged file", [] { g_app.options.powerAction = 7; }, {IDM_STOP, IDM_SKIN_BUILTIN}},
        {"monitor shown but not running", [] { g_app.monitorActive = 1; }, {IDM_SHUTDOWN, IDM_STOP, IDM_SKIN_BUILTIN}},
        {"a skin directory that is gone", [] { copyText(g_app.options.skinName, 256, "gone"); },
         {IDM_SHUTDOWN, IDM_STOP}},
    };
    for (const Case& c : cases) {
        neutralState();
        c.set();
        HMENU popup = build();
        ASSERT_NE(nullptr, popup);
        std::set<int> checked;
        collectChecked(popup, checked);
        EXPECT_EQ(c.checked, checked) << c.name;
        const bool start = GetMenuState(popup, IDM_START, MF_BYCOMMAND) & MF_CHECKED;
        const bool stop = GetMenuState(popup, IDM_STOP, MF_BYCOMMAND) & MF_CHECKED;
        EXPECT_NE(start, stop) << c.name << ": exactly one of start and stop";
    }
}

TEST_F(MenuTest, SkinEntriesInEnumerationOrderAboveTheBuiltIn)
{
    SkinDirectory skins;
    ASSERT_TRUE(skins.ok()) << GetLastError();
    ASSERT_TRUE(skins.addSkin("beta", "Beta skin"));
    ASSERT_TRUE(skins.addSkin("alpha", "青空"));
    ASSERT_TRUE(skins.addSkin("gamma", "Gamma skin"));
    ASSERT_TRUE(skins.addSkin("delta", nullptr)); // no skin.ini: an empty entry
    // Not skins: dot names, plain files.
    ASSERT_TRUE(skins.addSkin(".dotted", "Dotted"));
    ASSERT_TRUE(skins.addFile("readme.txt"));
    const std::vector<std::string> order = skins.systemOrder({"alpha", "beta", "gamma", "delta"});
    ASSERT_EQ(4u, order.size());
    const std::map<std::string, std::string> names = {
        {"alpha", "青空"}, {"beta", "Beta skin"}, {"gamma", "Gamma skin"}, {"delta", ""}};

    neutralState();
    copyText(g_app.options.skinName, 256, "alpha");
    std::vector<SkinEntry> entries = skinEntries(build());
    ASSERT_EQ(5u, entries.size());
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(IDM_SKIN_FIRST + i, entries[i].id) << order[i];
        EXPECT_EQ(names.at(order[i]), entries[i].text) << order[i];
        EXPECT_EQ(order[i] == "alpha", entries[i].checked) << order[i];
    }
    EXPECT_EQ(static_cast<UINT>(IDM_SKIN_BUILTIN), entries[4].id);
    EXPECT_EQ("[Noctil!]", entries[4].text);
    EXPECT_FALSE(entries[4].checked) << "a skin directory is in use";

    // The name is compared byte for byte: another letter case is another skin.
    copyText(g_app.options.skinName, 256, "ALPHA");
    entries = skinEntries(build());
    ASSERT_EQ(5u, entries.size());
    for (const SkinEntry& e : entries)
        EXPECT_FALSE(e.checked) << e.id << " " << e.text;

    // Each opening reads the directories again.
    ASSERT_TRUE(skins.addSkin("epsilon", "Epsilon"));
    g_app.options.skinName[0] = '\0';
    entries = skinEntries(build());
    ASSERT_EQ(6u, entries.size());
    EXPECT_TRUE(entries[5].checked) << "built-in skin in use";
}

TEST_F(MenuTest, DirectoriesWithFurtherAttributesAreNotSkins)
{
    SkinDirectory skins;
    ASSERT_TRUE(skins.ok());
    ASSERT_TRUE(skins.addSkin("plain", "Plain"));
    ASSERT_TRUE(skins.addSkin("marked", "Marked"));
    struct Case { const char* what; DWORD attribute; } cases[] = {
        {"read-only", FILE_ATTRIBUTE_READONLY},
        {"hidden", FILE_ATTRIBUTE_HIDDEN},
        {"archive", FILE_ATTRIBUTE_ARCHIVE},
    };
    for (const Case& c : cases) {
        const std::string marked = skins.path("marked");
        SetFileAttributesA(marked.c_str(), FILE_ATTRIBUTE_DIRECTORY | c.attribute);
        if (!(GetFileAttributesA(marked.c_str()) & c.attribute)) {
            std::printf("  (%s attribute is not kept on directories here; case skipped)\n", c.what);
            continue;
        }
        const std::vector<SkinEntry> entries = skinEntries(build());
        ASSERT_EQ(2u, entries.size()) << c.what;
        EXPECT_EQ("Plain", entries[0].text) << c.what;
        SetFileAttributesA(marked.c_str(), FILE_ATTRIBUTE_DIRECTORY);
    }
    EXPECT_EQ(3u, skinEntries(build()).size()) << "both once the attributes are gone";
}

TEST_F(MenuTest, AtMostOneHundredSkinEntries)
{
    SkinDirectory skins;
    ASSERT_TRUE(skins.ok());
    for (int i = 0; i < kMaxSkinEntries + 1; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "s%03d", i);
        ASSERT_TRUE(skins.addSkin(name, name));
    }
    std::vector<SkinEntry> entries = skinEntries(build());
    ASSERT_EQ(static_cast<size_t>(kMaxSkinEntries + 1), entries.size());
    EXPECT_EQ(static_cast<UINT>(IDM_SKIN_BUILTIN), entries.back().id);
    entries.pop_back();
    std::set<UINT> ids;
    for (const SkinEntry& e : entries)
        ids.insert(e.id);
    EXPECT_EQ(static_cast<size_t>(kMaxSkinEntries), ids.size()) << "ids are distinct";
    EXPECT_EQ(static_cast<UINT>(IDM_SKIN_FIRST), *ids.begin());
    EXPECT_TRUE(ids.count(IDM_SKIN_LAST));
    EXPECT_FALSE(ids.count(IDM_SKIN_LAST + 1)) << "no id that would select nothing";
}

// -- Opening the real menu on the real window --------------------------------

struct OpenedMenu {
    RECT rect = {};
    HMENU menu = nullptr;
    UINT firstId = 0;
    HWND foreground = nullptr;
    bool windowVisible = false;
    bool trayChecked = false;
    int pickId = 0; // when set, click this entry instead of closing the menu
};

// Closes the open menu from outside, as a click elsewhere would.
void closeMenu()
{
    SendMessageA(g_app.mainWindow, WM_CANCELMODE, 0, 0);
}

void inspectOpenMenu(HWND menuWindow, OpenedMenu* opened)
{
    GetWindowRect(menuWindow, &opened->rect);
    opened->menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, 0x01E1 /* MN_GETHMENU */, 0, 0));
    opened->firstId = GetMenuItemID(opened->menu, 0);
    opened->foreground = GetForegroundWindow();
    opened->windowVisible = IsWindowVisible(g_app.mainWindow) != FALSE;
    opened->trayChecked = (GetMenuState(opened->menu, IDM_TRAY, MF_BYCOMMAND) & MF_CHECKED) != 0;
    if (opened->pickId == 0) {
        closeMenu();
        return;
    }
    for (int i = 0; i < GetMenuItemCount(opened->menu); ++i) {
        if (static_cast<int>(GetMenuItemID(opened->menu, i)) != opened->pickId)
            continue;
        RECT item;
        GetMenuItemRect(nullptr, opened->menu, i, &item);
        INPUT input[3] = {};
        for (INPUT& in : input)
            in.type = INPUT_MOUSE;
        pointerTo({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        input[0].mi.dwFlags = MOUSEEVENTF_MOVE;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(3, input, sizeof(INPUT));
        return;
    }
    closeMenu();
}

class OpenMenuTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        pumpMessages(100);
    }
    // Opens the menu as `open` does it; `opened` records what it showed.
    void inspect(const std::function<void()>& open, OpenedMenu& opened)
    {
        ModalDriver driver("#32768", [&opened](HWND menuWindow) { inspectOpenMenu(menuWindow, &opened); });
        open();
        driver.finish();
        ASSERT_TRUE(driver.found()) << "no menu window appeared";
    }
    void expectOpenedAt(const OpenedMenu& opened, POINT at, const char* how)
    {
        EXPECT_EQ(at.x, opened.rect.left) << how;
        EXPECT_EQ(at.y, opened.rect.top) << how;
        EXPECT_EQ(static_cast<UINT>(IDM_ABOUT), opened.firstId) << how << ": popup 0 is shown";
        EXPECT_EQ(window, opened.foreground) << how << ": the window takes the foreground for the menu";
        EXPECT_FALSE(IsMenu(opened.menu)) << how << ": the menu is released after closing";
        MSG msg;
        EXPECT_TRUE(PeekMessageA(&msg, window, WM_NULL, WM_NULL, PM_REMOVE)) << how << ": WM_NULL posted";
    }
};

TEST_F(OpenMenuTest, OpensBelowTheIconAtThePointOrAtTheCursor)
{
    {
        OpenedMenu opened;
        inspect([this] { showPopupMenuAtIcon(window); }, opened);
        POINT below = {2, 12};
        ClientToScreen(window, &below);
        expectOpenedAt(opened, below, "from the icon");
    }
    {
        OpenedMenu opened;
        const POINT at = {300, 150};
        inspect([&] { showPopupMenu(window, &at); }, opened);
        expectOpenedAt(opened, at, "at a point");
    }
    {
        OpenedMenu opened;
        pointerTo({410, 120});
        inspect([this] { SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(10, 10)); }, opened);
        expectOpenedAt(opened, {410, 120}, "a right click: at the cursor");
    }
}

TEST_F(OpenMenuTest, ChosenEntryReachesTheDispatch)
{
    g_app.options.silent = 0;
    OpenedMenu opened;
    opened.pickId = IDM_SILENT;
    const POINT at = {200, 200};
    inspect([&] { showPopupMenu(window, &at); }, opened);
    pumpMessages(200);
    EXPECT_EQ(1, g_app.options.silent) << "clicking the no-sound entry toggled the option";
}

// In the notification area the menu opens with the window staying hidden, so
// the tray entry's check tells the truth.
TEST_F(OpenMenuTest, FromTheNotificationAreaTheWindowStaysHidden)
{
    SendMessageA(window, WM_COMMAND, IDM_TRAY, 0);
    ASSERT_FALSE(IsWindowVisible(window));
    OpenedMenu opened;
    inspect([this] { SendMessageA(window, WM_TRAY_CALLBACK, TRAY_ICON_ID, WM_RBUTTONDOWN); }, opened);
    EXPECT_EQ(window, opened.foreground);
    EXPECT_FALSE(opened.windowVisible) << "shown while the menu was open";
    EXPECT_TRUE(opened.trayChecked);
    pumpMessages(200);
    EXPECT_FALSE(IsWindowVisible(window)) << "shown after the menu";
    EXPECT_EQ(0, g_app.activationGuard) << "activation shows the window again afterwards";
}

} // namespace
