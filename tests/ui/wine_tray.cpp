// The notification-area icon: present for the main window's whole life, the
// picture that follows every command that starts or stops, the tip, and back
// after the taskbar is re-created.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "resources/resource.h"
#include "program/triggers.h"
#include "state/appstate.h"
#include "tests/support/wine_support.h"
#include "ui/tray.h"

namespace {

// The shell refuses a second add of an icon it already shows, so a probing add
// tells whether our icon is there (and is removed again if it was not).
bool trayIconPresent(HWND window)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = TRAY_ICON_ID;
    if (!Shell_NotifyIconA(NIM_ADD, &data))
        return true;
    Shell_NotifyIconA(NIM_DELETE, &data);
    return false;
}

// The colour bits of an icon, to tell two pictures apart; empty if none.
std::string pixelsOf(HICON icon)
{
    ICONINFO info = {};
    if (icon == nullptr || !GetIconInfo(icon, &info))
        return "";
    std::string bits(16 * 16 * 4, '\0');
    bits.resize(std::max(0L, GetBitmapBits(info.hbmColor, static_cast<LONG>(bits.size()), &bits[0])));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bits;
}

std::string pixelsOfResource(int id)
{
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
    const std::string pixels = pixelsOf(icon);
    DestroyIcon(icon);
    return pixels;
}

// What the program last handed to the shell: the picture (118, 119, or 0 for
// another), the tip and the record's size. Passed on, so the icon is really there.
struct TrayShown {
    int picture = 0;
    std::string tip;
    DWORD recordSize = 0;
};
TrayShown g_shown;

BOOL WINAPI recordNotify(DWORD message, NOTIFYICONDATAA* data)
{
    if (message != NIM_DELETE) {
        const std::string pixels = pixelsOf(data->hIcon);
        g_shown.picture = pixels == pixelsOfResource(IDI_TRAY_STOPPED)   ? IDI_TRAY_STOPPED
                          : pixels == pixelsOfResource(IDI_TRAY_RUNNING) ? IDI_TRAY_RUNNING
                                                                         : 0;
        g_shown.tip = (data->uFlags & NIF_TIP) ? data->szTip : "(none)";
        g_shown.recordSize = data->cbSize;
    }
    return Shell_NotifyIconA(message, data);
}

class TrayTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        g_shown = TrayShown();
        setNotifyIconForTest(recordNotify);
        MainWindowTest::SetUp();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        setNotifyIconForTest(nullptr);
    }
};

TEST(TrayIcons, TwoDifferentPictures)
{
    EXPECT_NE("", pixelsOfResource(IDI_PROGRAM));
    EXPECT_NE("", pixelsOfResource(IDI_TRAY_STOPPED));
    EXPECT_NE(pixelsOfResource(IDI_TRAY_STOPPED), pixelsOfResource(IDI_TRAY_RUNNING));
}

// Every command that starts or stops shows it at once: the stopped picture
// 118 or the running picture 119, always with the tip "Noctil.".
TEST_F(TrayTest, PictureFollowsEveryStartAndStop)
{
    EXPECT_EQ(IDI_TRAY_STOPPED, g_shown.picture) << "at creation";
    EXPECT_EQ("Noctil.", g_shown.tip);
    // The first form of the record, which every system takes (88 bytes on
    // 32-bit Windows; 64-bit Windows takes no record of that size).
    EXPECT_EQ(NOTIFYICONDATAA_V1_SIZE, g_shown.recordSize);
    const auto startButton = [this] {
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(196, 36));
        SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(196, 36));
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(196, 36));
    };
    struct Step { const char* what; std::function<void()> act; int running; } steps[] = {
        {"8 o'clock", [&] { command(IDM_SET_8AM); }, 1},
        {"stop", [&] { command(IDM_STOP); }, 0},
        {"hour preset", [&] { command(IDM_PRESET_PM9); }, 1},
        {"start/stop entry", [&] { command(IDM_START); }, 0},
        {"start button", startButton, 1},
        {"start button again", startButton, 0},
        {"countdown preset", [&] {
             ModalDriver answer("カウントダウンタイマー", pressing(IDC_CD_PRESET_3MIN));
             command(IDM_COUNTDOWN);
             answer.finish();
             EXPECT_TRUE(answer.found());
         }, 1},
        {"stop entry during the countdown", [&] { command(IDM_STOP); }, 0},
    };
    for (const Step& s : steps) {
        g_shown.picture = 0;
        s.act();
        ASSERT_EQ(s.running, g_app.running) << s.what;
        EXPECT_EQ(s.running ? IDI_TRAY_RUNNING : IDI_TRAY_STOPPED, g_shown.picture) << s.what;
        EXPECT_EQ("Noctil.", g_shown.tip) << s.what;
    }
}

TEST_F(TrayTest, PresentFromCreationToDestruction)
{
    EXPECT_EQ(1, g_app.trayIconAdded);
    EXPECT_TRUE(trayIconPresent(window));

    // Tray mode hides the window, never the icon.
    SendMessageA(window, WM_COMMAND, IDM_TRAY, 0);
    EXPECT_TRUE(trayIconPresent(window));

    armCountdown(60); // switches the picture; the icon stays
    EXPECT_TRUE(trayIconPresent(window));

    DestroyWindow(window);
    EXPECT_FALSE(trayIconPresent(window));
    window = nullptr;
}

TEST_F(TrayTest, ComesBackWhenTheTaskbarIsRecreated)
{
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = TRAY_ICON_ID;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data)) << "the icon was not there: " << GetLastError();
    ASSERT_NE(0u, taskbarCreatedMessage());

    SendMessageA(window, taskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(trayIconPresent(window));
    EXPECT_EQ(1, g_app.trayIconAdded);
}

} // namespace
