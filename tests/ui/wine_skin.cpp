// Skins from directories beside the program (here: beside the test program),
// the built-in skin, the enumeration rule and the refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/scale.h"
#include "program/tick.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "tests/support/face_support.h"
#include "tests/support/wine_support.h"
#include "ui/display.h"
#include "ui/skin.h"
#include "ui/uistate.h"

namespace {

const COLORREF kSheetTop = RGB(200, 10, 20);    // rows 0..55 of a test sheet
const COLORREF kSheetPanel = RGB(30, 40, 220);  // rows 56..120: the panel

std::string skinsDirectory()
{
    return testDirectory() + "skins";
}

std::vector<std::string> listedSkins()
{
    std::vector<std::string> names;
    forEachSkinDirectory(
        [](void* context, int index, const char* name) {
            auto* list = static_cast<std::vector<std::string>*>(context);
            EXPECT_EQ(static_cast<int>(list->size()), index);
            list->push_back(name);
            return true;
        },
        &names);
    return names;
}

bool listed(const std::string& name)
{
    for (const std::string& n : listedSkins())
        if (n == name)
            return true;
    return false;
}

int indexOf(const std::string& name)
{
    const std::vector<std::string> names = listedSkins();
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return static_cast<int>(i);
    return -1;
}

class SkinTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        removeTree(skinsDirectory()); // left over by an aborted run
        ASSERT_TRUE(CreateDirectoryA(skinsDirectory().c_str(), nullptr)) << GetLastError();
        loadBuiltInSkin(window);
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        removeTree(skinsDirectory());
    }

    std::string makeSkinDirectory(const std::string& name)
    {
        const std::string dir = skinsDirectory() + "\\" + name;
        EXPECT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << name << " " << GetLastError();
        return dir;
    }
    void makeIni(const std::string& name, const std::string& body)
    {
        EXPECT_TRUE(writeTextFile(skinsDirectory() + "\\" + name + "\\skin.ini", "[SKIN]\r\n" + body));
    }
    void makeSheet(const std::string& name, int width, int height, COLORREF top, COLORREF panel)
    {
        EXPECT_TRUE(writeBitmapFile(skinsDirectory() + "\\" + name + "\\skin.bmp", width, height,
                                    [=](int, int y) { return y < 56 ? top : panel; }));
    }
    void makeFullSkin(const std::string& name)
    {
        makeSkinDirectory(name);
        makeIni(name, "NAME=テスト\r\nTEXTCOLOR1=#102030\r\nTEXTCOLOR2=#a0b0c0\r\nTEXTCOLOR3=#FF0001\r\n");
        makeSheet(name, 220, 121, kSheetTop, kSheetPanel);
    }
    void expectColours(COLORREF c1, COLORREF c2, COLORREF c3, const char* what)
    {
        EXPECT_EQ(c1, g_ui.textColor1) << what;
        EXPECT_EQ(c2, g_ui.textColor2) << what;
        EXPECT_EQ(c3, g_ui.textColor3) << what;
    }
    void expectBuiltIn(const char* what)
    {
        EXPECT_STREQ("", g_app.options.skinName) << what;
        expectColours(2719488, 2718363, 767, what);
        ScratchSurface panel(220, 65);
        drawBitmap(window, panel.dc(), IDB_PANEL, nullptr, 0, 0, SRCCOPY);
        EXPECT_EQ("", compareRegions(panel.dc(), 0, 0, g_ui.skinSheet, 0, 56, 220, 65)) << what;
        EXPECT_EQ("", compareRegions(panel.dc(), 0, 0, g_ui.backgroundSurface, 0, 0, 220, 65)) << what;
    }
};

// The double-size sheet from 175 % on where the skin has one; else the
// plain one, each of its pixels a whole block at 200 %.
TEST_F(SkinTest, TheSheetAtEachScale)
{
    const COLORREF kDoublePanel = RGB(20, 200, 30);
    makeFullSkin("t_plain");
    makeFullSkin("t_double");
    EXPECT_TRUE(writeBitmapFile(skinsDirectory() + "\\t_double\\skin@2x.bmp", 440, 242,
                                [=](int, int y) { return y < 112 ? kSheetTop : kDoublePanel; }));
    const struct {
        int dpi;
        const char* skin;
        COLORREF panel;
    } cases[] = {
        {144, "t_double", kSheetPanel}, {168, "t_double", kDoublePanel}, {192, "t_double", kDoublePanel},
        {192, "t_plain", kSheetPanel},  {96, "t_double", kSheetPanel},
    };
    for (const auto& c : cases) {
        send(0x02E0, MAKEWPARAM(c.dpi, c.dpi), 0); // WM_DPICHANGED
        loadSkin(window, c.skin);
        BITMAP sheet = {};
        GetObjectA(g_ui.skinSheetBitmap, sizeof sheet, &sheet);
        EXPECT_EQ(scaled(220, c.dpi), sheet.bmWidth) << c.dpi << " " << c.skin;
        // Resampling blends the rows at the edge; whole-number scales keep it sharp.
        const int panelTop = scaled(56, c.dpi), blend = c.dpi % 96 == 0 ? 0 : 3;
        EXPECT_EQ(c.panel, GetPixel(g_ui.skinSheet, 5, panelTop + blend)) << c.dpi << " " << c.skin;
        EXPECT_EQ(kSheetTop, GetPixel(g_ui.skinSheet, 5, panelTop - 1 - blend)) << c.dpi << " " << c.skin;
    }
}

TEST_F(SkinTest, DirectorySkinFillsSheetBackgroundAndColours)
{
    makeFullSkin("t_full");
    loadSkin(window, "t_full");
    EXPECT_STREQ("t_full", g_app.options.skinName);
    expectColours(0x00302010, 0x00C0B0A0, 0x000100FF, "t_full");
    EXPECT_EQ(kSheetTop, GetPixel(g_ui.skinSheet, 0, 0));
    EXPECT_EQ(kSheetTop, GetPixel(g_ui.skinSheet, 219, 55));
    EXPECT_EQ(kSheetPanel, GetPixel(g_ui.skinSheet, 0, 56));
    EXPECT_EQ(kSheetPanel, GetPixel(g_ui.skinSheet, 219, 120));
    EXPECT_EQ(kSheetPanel, GetPixel(g_ui.backgroundSurface, 0, 0));
    EXPECT_EQ(kSheetPanel, GetPixel(g_ui.backgroundSurface, 219, 64));

    // The next tick shows it: the panel around, the button from the sheet.
    tick(window);
    EXPECT_EQ(kSheetPanel, GetPixel(g_ui.displaySurface, 100, 5));
    EXPECT_EQ(kSheetTop, GetPixel(g_ui.displaySurface, 190, 30));

    char display[256];
    readSkinDisplayName("t_full", display, sizeof display);
    EXPECT_STREQ("テスト", display);

    // Passing skinName itself (as start-up does) loads it the same way.
    loadSkin(window, g_app.options.skinName);
    EXPECT_STREQ("t_full", g_app.options.skinName);

    loadSkin(window, "");
    expectBuiltIn("empty name");
    loadSkin(window, "t_full");
    loadSkin(window, nullptr);
    expectBuiltIn("null name");
}

TEST_F(SkinTest, MissingIniOrKeysGiveBlack)
{
    makeSkinDirectory("t_noini");
    makeSheet("t_noini", 220, 121, kSheetTop, kSheetPanel);
    makeSkinDirectory("t_partial");
    makeIni("t_partial", "TEXTCOLOR2=#00ff00\r\nTEXTCOLOR3=#0F0\r\n");

    loadSkin(window, "t_noini");
    EXPECT_STREQ("t_noini", g_app.options.skinName);
    expectColours(0, 0, 0, "no skin.ini");
    EXPECT_EQ(kSheetPanel, GetPixel(g_ui.backgroundSurface, 10, 10));

    loadSkin(window, "t_partial");
    expectColours(0, 0x0000FF00, 0, "one good key, one short value");
}

TEST_F(SkinTest, SmallerBitmapReplacesOnlyItsAreaAndLargerIsCut)
{
    makeFullSkin("t_full");
    makeSkinDirectory("t_small");
    makeIni("t_small", "TEXTCOLOR1=#010203\r\n");
    ASSERT_TRUE(writeBitmapFile(skinsDirectory() + "\\t_small\\skin.bmp", 50, 40,
                                [](int, int) { return RGB(0, 250, 0); }));
    makeSkinDirectory("t_large");
    ASSERT_TRUE(writeBitmapFile(skinsDirectory() + "\\t_large\\skin.bmp", 300, 200,
                                [](int x, int y) { return x < 220 && y < 121 ? RGB(9, 9, 9) : RGB(250, 250, 250); }));

    loadSkin(window, "t_full");
    loadSkin(window, "t_small");
    EXPECT_EQ(RGB(0, 250, 0), GetPixel(g_ui.skinSheet, 0, 0));
    EXPECT_EQ(RGB(0, 250, 0), GetPixel(g_ui.skinSheet, 49, 39));
    EXPECT_EQ(kSheetTop, GetPixel(g_ui.skinSheet, 50, 0)) << "right of the small bitmap: the previous sheet";
    EXPECT_EQ(kSheetTop, GetPixel(g_ui.skinSheet, 0, 40)) << "below the small bitmap: the previous sheet";
    EXPECT_EQ(kSheetPanel, GetPixel(g_ui.backgroundSurface, 0, 0)) << "the panel rows were not replaced";
    EXPECT_EQ(0x00030201u, g_ui.textColor1);

    loadSkin(window, "t_large");
    EXPECT_EQ(RGB(9, 9, 9), GetPixel(g_ui.skinSheet, 0, 0));
    EXPECT_EQ(RGB(9, 9, 9), GetPixel(g_ui.skinSheet, 219, 120)) << "cut at the sheet's edges";
    EXPECT_EQ(RGB(9, 9, 9), GetPixel(g_ui.backgroundSurface, 219, 64));
}

TEST_F(SkinTest, MissingBitmapKeepsTheSheetButTakesNameAndColours)
{
    makeFullSkin("t_full");
    makeSkinDirectory("t_nobmp");
    makeIni("t_nobmp", "TEXTCOLOR1=#FFFFFF\r\nTEXTCOLOR2=#000001\r\nTEXTCOLOR3=#00FF00\r\n");
    makeSkinDirectory("t_badbmp");
    ASSERT_TRUE(writeTextFile(skinsDirectory() + "\\t_badbmp\\skin.bmp", "not a bitmap"));

    loadSkin(window, "t_full");
    loadSkin(window, "t_nobmp");
    EXPECT_STREQ("t_nobmp", g_app.options.skinName);
    expectColours(0x00FFFFFF, 0x00010000, 0x0000FF00, "no skin.bmp");
    EXPECT_EQ(kSheetTop, GetPixel(g_ui.skinSheet, 0, 0));
    EXPECT_EQ(kSheetPanel, GetPixel(g_ui.backgroundSurface, 5, 5));

    loadSkin(window, "t_full");
    loadSkin(window, "t_badbmp");
    EXPECT_STREQ("t_badbmp", g_app.options.skinName);
    EXPECT_EQ(kSheetPanel, GetPixel(g_ui.skinSheet, 0, 56)) << "an unreadable file changes nothing";
}

TEST_F(SkinTest, SkinWhoseDirectoryHasGoneStartsOnTheBuiltInSheet)
{
    // As at start-up: fresh surfaces, then the name from the options file.
    releaseDisplayObjects();
    createDisplayObjects(window);
    loadSkin(window, "t_gone");
    EXPECT_STREQ("t_gone", g_app.options.skinName) << "the name is kept, as for a missing skin.bmp";
    expectColours(0, 0, 0, "no skin.ini");
    ScratchSurface panel(220, 65);
    drawBitmap(window, panel.dc(), IDB_PANEL, nullptr, 0, 0, SRCCOPY);
    EXPECT_EQ("", compareRegions(panel.dc(), 0, 0, g_ui.backgroundSurface, 0, 0, 220, 65))
        << "the built-in panel, not an empty bitmap";
    ScratchSurface button(23, 23);
    drawBitmap(window, button.dc(), IDB_START_UP, nullptr, 0, 0, SRCCOPY);
    EXPECT_EQ("", compareRegions(button.dc(), 0, 0, g_ui.skinSheet, 0, 0, 23, 23));
}

TEST_F(SkinTest, NamesThatCannotAddressASkinAreRefusedSafely)
{
    makeFullSkin("t_full");
    const std::string longName(255, 'n'); // fits skinName, not a path
    const std::string tooLong(400, 'n');
    const char* names[] = {longName.c_str(), tooLong.c_str(), "..", ".", "..\\skins\\t_full", "t_full\\",
                           "C:\\windows", "t_full/"};
    for (const char* name : names) {
        loadSkin(window, "t_full");
        ASSERT_STREQ("t_full", g_app.options.skinName);
        loadSkin(window, name);
        expectBuiltIn(name);
    }

    // A stored name without its terminator: never read past the buffer.
    loadSkin(window, "t_full");
    memset(g_app.options.skinName, 'x', sizeof g_app.options.skinName);
    loadSkin(window, g_app.options.skinName);
    expectBuiltIn("unterminated skinName");
}

TEST_F(SkinTest, EnumerationTakesOnlyPlainDirectoriesWithoutDot)
{
    makeFullSkin("t_plain");
    makeFullSkin(".t_dot");
    makeFullSkin("t_ro");
    makeFullSkin("t_hidden");
    makeFullSkin("t_archive");
    ASSERT_TRUE(writeTextFile(skinsDirectory() + "\\t_file", "a plain file"));

    EXPECT_TRUE(listed("t_plain"));
    EXPECT_TRUE(listed("t_ro")) << "no attributes set yet";
    EXPECT_FALSE(listed(".t_dot"));
    EXPECT_FALSE(listed("."));
    EXPECT_FALSE(listed(".."));
    EXPECT_FALSE(listed("t_file"));

    struct Case { const char* name; DWORD attribute; } cases[] = {
        {"t_ro", FILE_ATTRIBUTE_READONLY}, {"t_hidden", FILE_ATTRIBUTE_HIDDEN},
        {"t_archive", FILE_ATTRIBUTE_ARCHIVE},
    };
    for (const Case& c : cases) {
        const std::string dir = skinsDirectory() + "\\" + c.name;
        SetFileAttributesA(dir.c_str(), c.attribute | FILE_ATTRIBUTE_DIRECTORY);
        const DWORD now = GetFileAttributesA(dir.c_str());
        if (!(now & c.attribute)) {
            std::printf("note: attribute %lx does not stick on this file system (%lx)\n",
                        static_cast<unsigned long>(c.attribute), static_cast<unsigned long>(now));
            continue;
        }
        EXPECT_FALSE(listed(c.name)) << c.name << " attributes " << now;
    }
}

TEST_F(SkinTest, SelectByIndexLoadsTheListedSkinOrNothing)
{
    makeFullSkin("t_one");
    makeFullSkin("t_two");
    makeSkinDirectory("t_three");
    makeIni("t_three", "TEXTCOLOR1=#0000FF\r\n");
    const std::vector<std::string> names = listedSkins();
    ASSERT_EQ(3u, names.size());

    for (size_t i = 0; i < names.size(); ++i) {
        loadBuiltInSkin(window);
        selectSkinByIndex(window, static_cast<int>(i));
        EXPECT_EQ(names[i], g_app.options.skinName) << "index " << i;
    }
    const int three = indexOf("t_three");
    selectSkinByIndex(window, three);
    EXPECT_EQ(0x00FF0000u, g_ui.textColor1);

    loadSkin(window, "t_one");
    for (int k : {3, 4, 99, -1}) {
        selectSkinByIndex(window, k);
        EXPECT_STREQ("t_one", g_app.options.skinName) << "index " << k << " is beyond the list";
    }

    removeTree(skinsDirectory());
    EXPECT_EQ(0, forEachSkinDirectory([](void*, int, const char*) { return true; }, nullptr));
    selectSkinByIndex(window, 0);
    EXPECT_STREQ("t_one", g_app.options.skinName) << "no skins directory: nothing changes";
}

TEST_F(SkinTest, EnumerationStopsWhenAsked)
{
    makeFullSkin("t_a");
    makeFullSkin("t_b");
    int calls = 0;
    EXPECT_EQ(1, forEachSkinDirectory(
                     [](void* context, int, const char*) {
                         ++*static_cast<int*>(context);
                         return false;
                     },
                     &calls));
    EXPECT_EQ(1, calls);
}

} // namespace
