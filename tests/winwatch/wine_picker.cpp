// The window picker driven with the real cursor: where a drag starts, the
// frame it moves from window to window, every way a drag ends, what OK stores.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

#include "program/triggers.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "tests/support/face_support.h"
#include "tests/support/wine_support.h"
#include "winwatch/picker.h"

namespace {

// Opens the picker as command 40040 does, and arms its choice; the script
// drives it and must close it.
void withPicker(HWND owner, const ModalDriver::Script& script)
{
    ModalDriver driver("対象のｳｲﾝﾄﾞｳの選択", script);
    const WindowWatchChoice choice = runWindowPicker(owner);
    if (choice.window != nullptr)
        armWindowWatch(owner, choice.window, choice.mode);
    driver.finish();
    EXPECT_TRUE(driver.found());
}

POINT centre(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The pointer put at a screen point, then the message the dialog gets there.
void mouseAt(HWND dialog, UINT message, POINT p)
{
    pointerTo(p);
    ScreenToClient(dialog, &p);
    SendMessageA(dialog, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(p.x, p.y));
}

// A topmost captioned window, never activated so that it keeps its look, and
// how its pixels differ from that look: "clean", "frame" (the 4-pixel band
// along its edge only) or the counts. It lives on a thread of its own, as
// another program's window would: the picker refuses the windows of the
// program's one user-interface thread.
struct Target {
    HWND window = nullptr;
    DWORD threadId = 0;
    std::thread thread;
    ScratchSurface clean{60, 40};
    Target(const char* title, int x)
    {
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread = std::thread([this, title, x, ready] {
            threadId = GetCurrentThreadId();
            window = CreateWindowExA(WS_EX_TOPMOST, "#32770", title, WS_POPUP | WS_CAPTION | WS_SYSMENU, x, 500, 60,
                                     40, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
            ShowWindow(window, SW_SHOWNOACTIVATE);
            SetEvent(ready);
            MSG msg;
            while (GetMessageA(&msg, nullptr, 0, 0) > 0)
                DispatchMessageA(&msg);
            DestroyWindow(window);
        });
        WaitForSingleObject(ready, 5000);
        CloseHandle(ready);
        pumpMessages(100);
        HDC dc = GetWindowDC(window);
        BitBlt(clean.dc(), 0, 0, 60, 40, dc, 0, 0, SRCCOPY);
        ReleaseDC(window, dc);
    }
    ~Target()
    {
        PostThreadMessageA(threadId, WM_QUIT, 0, 0);
        thread.join();
    }
    std::string look() const
    {
        HDC dc = GetWindowDC(window);
        const int inside = countDifferences(dc, 4, 4, clean.dc(), 4, 4, 52, 32);
        const int band = countDifferences(dc, 0, 0, clean.dc(), 0, 0, 60, 40) - inside;
        ReleaseDC(window, dc);
        if (inside == 0)
            return band == 0 ? "clean" : "frame";
        return "band " + std::to_string(band) + " inside " + std::to_string(inside);
    }
};

class PickerTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        POINT p = {};
        if (!SetCursorPos(321, 234) || !GetCursorPos(&p) || p.x != 321 || p.y != 234)
            GTEST_SKIP() << "the pointer cannot be moved here";
    }
};

TEST_F(PickerTest, DragFramesOneWindowAtATimeAndEndsCleanlyEveryWay)
{
    Target a("A", 600), b("B", 700);
    g_app.monitorMode = WindowRenamed;
    g_app.watchedWasActive = 1;
    withPicker(window, [&](HWND dialog) {
        HWND icon = GetDlgItem(dialog, IDC_PICK_SOURCE);
        RECT r;
        GetWindowRect(icon, &r);
        const POINT mid = centre(icon);
        for (POINT edge : {POINT{r.left, mid.y}, POINT{mid.x, r.top}, POINT{r.right, mid.y}, POINT{mid.x, r.bottom}}) {
            mouseAt(dialog, WM_LBUTTONDOWN, edge);
            EXPECT_EQ(nullptr, captureOf(dialog)) << "a press on the icon's edge " << edge.x << "," << edge.y;
        }
        mouseAt(dialog, WM_LBUTTONDOWN, {r.left + 1, r.top + 1});
        ASSERT_EQ(dialog, captureOf(dialog)) << "a press one pixel inside";
        EXPECT_FALSE(IsWindowVisible(icon));
        mouseAt(dialog, WM_MOUSEMOVE, centre(a.window));
        EXPECT_EQ("frame", a.look());
        mouseAt(dialog, WM_MOUSEMOVE, centre(b.window));
        EXPECT_EQ("clean", a.look());
        EXPECT_EQ("frame", b.look());
        SetDlgItemTextA(dialog, IDC_PICK_TITLE, "");
        mouseAt(dialog, WM_MOUSEMOVE, {centre(b.window).x + 3, centre(b.window).y});
        EXPECT_EQ("frame", b.look()) << "a move within B draws nothing";
        EXPECT_EQ("B", fieldText(dialog, IDC_PICK_TITLE)) << "but shows its title again";
        mouseAt(dialog, WM_LBUTTONUP, centre(b.window));
        EXPECT_EQ("clean", b.look());

        // Capture taken by another window, the system's cancel, Escape.
        for (int way = 0; way < 3; ++way) {
            mouseAt(dialog, WM_LBUTTONDOWN, centre(icon));
            mouseAt(dialog, WM_MOUSEMOVE, centre(a.window));
            if (way == 0) // the main window's button press takes the capture
                SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 45));
            else
                SendMessageA(dialog, way == 1 ? WM_CANCELMODE : WM_COMMAND, IDCANCEL, 0);
            EXPECT_EQ("clean", a.look()) << "way " << way;
            EXPECT_TRUE(IsWindowVisible(icon)) << "way " << way;
            EXPECT_EQ(way == 0 ? window : nullptr, captureOf(dialog)) << "way " << way;
            EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), shownCursor()) << "way " << way;
            SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(100, 45));
        }
        ASSERT_TRUE(IsWindowVisible(dialog)) << "Escape in a drag drops the drag only";
        clickButton(dialog, IDC_WATCH_DESTROYED);
        mouseAt(dialog, WM_LBUTTONDOWN, centre(icon));
        mouseAt(dialog, WM_MOUSEMOVE, centre(a.window));
        SendMessageA(dialog, WM_COMMAND, IDOK, 0); // Enter in the middle of a drag
    });
    EXPECT_EQ("clean", a.look()) << "OK in a drag";
    EXPECT_EQ(a.window, g_app.watchedWindow);
    EXPECT_EQ(WindowDestroyed, g_app.monitorMode) << "1009 replaces the preselected 1005";
    EXPECT_EQ(0, g_app.watchedWasActive);
}

// The picker's own windows are described like any other, but they vanish
// with it: watching one would fire at once.
TEST_F(PickerTest, ItsOwnWindowsAreNeverStored)
{
    g_app.monitorMode = Network;
    withPicker(window, [](HWND dialog) {
        EXPECT_TRUE(isChecked(dialog, IDC_WATCH_DESTROYED)) << "preselected after a network watch";
        mouseAt(dialog, WM_LBUTTONDOWN, centre(GetDlgItem(dialog, IDC_PICK_SOURCE)));
        POINT corner = {2, 2};
        ClientToScreen(dialog, &corner);
        struct Stop { POINT at; const char* kind; } stops[] = {
            {centre(GetDlgItem(dialog, IDC_PICK_TITLE)), "エディットボックスが選択されています。"},
            {corner, "ダイアログが選択されています。"},
            {centre(GetDlgItem(dialog, IDOK)), "ボタンが選択されています。"},
        };
        for (const Stop& stop : stops) {
            mouseAt(dialog, WM_MOUSEMOVE, stop.at);
            EXPECT_EQ(stop.kind, fieldText(dialog, IDC_PICK_CLASS));
        }
        mouseAt(dialog, WM_LBUTTONUP, centre(GetDlgItem(dialog, IDOK)));
        EXPECT_EQ(GetDlgItem(dialog, IDOK), pickCandidate);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(nullptr, g_app.watchedWindow);
    EXPECT_EQ(Network, g_app.monitorMode);
}

// Never stored: the program's own windows (the watch would end them at once)
// and the desktop (it never ends); a window of another thread is. Escape in a
// drag also drops the window it found, back to the pick before the drag.
TEST_F(PickerTest, RefusesTheProgramsWindowsAndTheDesktopAndEscapeDropsTheFind)
{
    Target a("A", 600), b("B", 700);
    struct Case {
        const char* what;
        HWND candidate;
        bool stored;
    } cases[] = {
        {"the main window", window, false},
        {"the desktop", GetDesktopWindow(), false},
        {"another thread's window", a.window, true},
    };
    for (const Case& c : cases) {
        g_app.watchedWindow = nullptr;
        g_app.monitorMode = Countdown;
        withPicker(window, [&](HWND dialog) {
            pickCandidate = c.candidate;
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(c.stored ? c.candidate : nullptr, g_app.watchedWindow) << c.what;
        EXPECT_EQ(c.stored ? WindowDestroyed : Countdown, g_app.monitorMode) << c.what;
    }

    withPicker(window, [&](HWND dialog) {
        HWND icon = GetDlgItem(dialog, IDC_PICK_SOURCE);
        mouseAt(dialog, WM_LBUTTONDOWN, centre(icon));
        mouseAt(dialog, WM_MOUSEMOVE, centre(a.window));
        mouseAt(dialog, WM_LBUTTONUP, centre(a.window));
        mouseAt(dialog, WM_LBUTTONDOWN, centre(icon));
        mouseAt(dialog, WM_MOUSEMOVE, centre(b.window));
        EXPECT_EQ("B", fieldText(dialog, IDC_PICK_TITLE));
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); // Escape
        EXPECT_EQ("A", fieldText(dialog, IDC_PICK_TITLE));
        EXPECT_EQ("ダイアログが選択されています。", fieldText(dialog, IDC_PICK_CLASS));
        EXPECT_EQ("clean", b.look());
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(a.window, g_app.watchedWindow) << "OK takes the window picked before the dropped drag";
}

} // namespace
