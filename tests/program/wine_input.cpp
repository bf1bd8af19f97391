// Mouse and keyboard input of the real main window, sent as messages to its
// window procedure: dragging, hover, the start/stop button, the close area,
// the menu icon, the digit arrows with their auto-repeat, the keypad keys,
// and the position restored from the options file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "resources/resource.h"
#include "settings/options.h"
#include "state/appstate.h"
#include "syscalls/seam_recorder.h"
#include "tests/support/time_support.h"
#include "tests/support/wine_support.h"
#include "ui/uistate.h"

namespace {

// Middle of each digit column, and one pixel of each arrow row.
constexpr int kColumnX[6] = {53, 81, 102, 126, 147, 169};
constexpr int kUpY = 33;
constexpr int kDownY = 57;

class InputTest : public MainWindowTest {
protected:
    LRESULT send(UINT message, int x, int y, WPARAM wParam = 0)
    {
        return MainWindowTest::send(message, wParam, MAKELPARAM(x, y));
    }
    void move(int x, int y) { send(WM_MOUSEMOVE, x, y); }
    void down(int x, int y) { send(WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
    void up(int x, int y) { send(WM_LBUTTONUP, x, y); }
    void click(int x, int y) { move(x, y); down(x, y); up(x, y); }
    void repeat() { SendMessageA(window, WM_TIMER, TIMER_SPIN_REPEAT, 0); }
    void key(WPARAM vk) { SendMessageA(window, WM_KEYDOWN, vk, 1); }
};

// The areas themselves are tested natively; here the window answers with them.
TEST_F(InputTest, TheTopBarDragsTheWindow)
{
    struct Case { int x, y; LRESULT hit; } cases[] = {{100, 5, HTCAPTION}, {17, 5, HTCLIENT}, {196, 36, HTCLIENT}};
    for (const Case& c : cases) {
        POINT p = {c.x, c.y};
        ClientToScreen(window, &p);
        g_app.closeHover = 1;
        EXPECT_EQ(c.hit, send(WM_NCHITTEST, p.x, p.y)) << "client " << c.x << "," << c.y;
        EXPECT_EQ(c.hit == HTCAPTION ? 0 : 1, g_app.closeHover) << "client " << c.x << "," << c.y;
    }
}

TEST_F(InputTest, HoverOverTheCloseAreaAndTheButton)
{
    struct Case { int x, y, closeHover, buttonHover; } cases[] = {{210, 5, 1, 0}, {196, 36, 0, 1}, {100, 40, 0, 0}};
    for (const Case& c : cases) {
        move(c.x, c.y);
        EXPECT_EQ(c.closeHover, g_app.closeHover) << c.x << "," << c.y;
        EXPECT_EQ(c.buttonHover, g_app.buttonHover) << c.x << "," << c.y;
    }
}

TEST_F(InputTest, ArrowCursorOverTheDigitsOnlyWhileStopped)
{
    HCURSOR arrows = LoadCursorA(g_app.instanceHandle, MAKEINTRESOURCEA(IDC_ARROW_CURSOR));
    ASSERT_NE(nullptr, arrows) << "cursor 109 in the resources, error " << GetLastError();
    HCURSOR plain = LoadCursorA(nullptr, IDC_ARROW);
    struct Case { int x, y, running, monitorActive; bool arrowCursor; } cases[] = {
        {49, 28, 0, 0, true}, {173, 62, 0, 0, true}, {110, 45, 0, 0, true},
        {48, 40, 0, 0, false}, {174, 40, 0, 0, false}, {100, 27, 0, 0, false}, {100, 63, 0, 0, false},
        {110, 30, 1, 0, false}, {110, 30, 1, 1, false},
    };
    for (const Case& c : cases) {
        SetCursor(plain);
        g_app.running = c.running;
        g_app.monitorActive = c.monitorActive;
        move(c.x, c.y);
        EXPECT_EQ(c.arrowCursor ? arrows : plain, GetCursor())
            << c.x << "," << c.y << " running " << c.running << " monitor " << c.monitorActive;
    }
}

TEST_F(InputTest, StartButtonTogglesOnReleaseOverIt)
{
    // Press on the button, release outside: nothing yet, the press is kept.
    move(196, 36);
    down(196, 36);
    EXPECT_EQ(1, g_app.buttonPressed);
    EXPECT_EQ(GetCapture(), window) << "the mouse is captured";
    move(300, 36);
    up(300, 36);
    EXPECT_EQ(0, g_app.running);
    EXPECT_EQ(1, g_app.buttonPressed);
    EXPECT_EQ(nullptr, GetCapture());

    // A later press anywhere released over the button toggles.
    seamRecorderReset();
    move(100, 45);
    down(100, 45);
    move(196, 36);
    up(196, 36);
    EXPECT_EQ(1, g_app.running);
    EXPECT_EQ(0, g_app.buttonPressed);
    EXPECT_NE(std::string(), seamRecorderLog()) << "the click sounds";

    // Press and release on it: stopped again; silent makes no sound.
    g_app.options.silent = 1;
    seamRecorderReset();
    click(196, 36);
    EXPECT_EQ(0, g_app.running);
    EXPECT_EQ(std::string(), seamRecorderLog());

    // Released over the button without a press on it: nothing.
    click(150, 45);
    move(196, 36);
    up(196, 36);
    EXPECT_EQ(0, g_app.running);
}

TEST_F(InputTest, CloseAreaPressAndReleaseExits)
{
    move(210, 5);
    down(210, 5);
    EXPECT_EQ(1, g_app.closePressed);
    move(100, 40);
    up(100, 40);
    EXPECT_FALSE(takeQuitMessage()) << "released elsewhere: nothing";
    EXPECT_EQ(1, g_app.closePressed) << "the press is kept";

    // Later, any press released over the close area ends the program.
    down(100, 45);
    move(210, 5);
    up(210, 5);
    EXPECT_TRUE(takeQuitMessage());
    EXPECT_EQ(nullptr, g_ui.displaySurface) << "the destroy handling ran";
    EXPECT_EQ(1324u, [] {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExA((testDirectory() + kOptionsFileName).c_str(), GetFileExInfoStandard, &data);
        return data.nFileSizeLow;
    }()) << "options saved on the way out";
}

TEST_F(InputTest, MenuIconDoubleClickExits)
{
    g_app.lastIconClick = GetTickCount(); // a single click just now
    down(5, 5);
    up(5, 5);
    EXPECT_TRUE(takeQuitMessage());
}

TEST_F(InputTest, EveryDigitArrowStepsItsField)
{
    struct Case { int column, y; const char* after; } cases[] = {
        {0, kUpY, "2027-05-15 12:37:45"}, {0, kDownY, "2025-05-15 12:37:45"},
        {1, kUpY, "2026-06-15 12:37:45"}, {1, kDownY, "2026-04-15 12:37:45"},
        {2, kUpY, "2026-05-16 12:37:45"}, {2, kDownY, "2026-05-14 12:37:45"},
        {3, kUpY, "2026-05-15 13:37:45"}, {3, kDownY, "2026-05-15 11:37:45"},
        {4, kUpY, "2026-05-15 12:38:45"}, {4, kDownY, "2026-05-15 12:36:45"},
        {5, kUpY, "2026-05-15 12:37:46"}, {5, kDownY, "2026-05-15 12:37:44"},
        {4, 45, "2026-05-15 12:37:45"}, // between the rows
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(setTarget(at(2026, 5, 15, 12, 37, 45)));
        move(kColumnX[c.column], c.y);
        down(kColumnX[c.column], c.y);
        EXPECT_EQ(c.after, target()) << "column " << c.column << " y " << c.y;
        EXPECT_EQ(c.y == 45 ? 0 : 1, g_app.spinnerHeld) << "column " << c.column << " y " << c.y;
        up(kColumnX[c.column], c.y);
        EXPECT_EQ(0, g_app.spinnerHeld);
    }
}

TEST_F(InputTest, ImpossibleDatesLeaveTheTarget)
{
    struct Case { SYSTEMTIME from; int column, y; } cases[] = {
        {toSystemTime(at(2026, 1, 31, 8, 0, 0)), 1, kUpY},   // 31 February
        {toSystemTime(at(2026, 3, 31, 8, 0, 0)), 1, kDownY}, // 31 February
        {toSystemTime(at(2026, 5, 31, 8, 0, 0)), 1, kUpY},   // 31 June
        {toSystemTime(at(2026, 1, 29, 8, 0, 0)), 1, kUpY},   // 29 February of a common year
        {toSystemTime(at(2100, 2, 28, 8, 0, 0)), 2, kUpY},   // 29 February 2100 is no date
        {toSystemTime(at(1601, 1, 1, 8, 0, 0)), 0, kDownY},  // before 1601
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(SystemTimeToFileTime(&c.from, &g_app.targetTime));
        const FILETIME before = g_app.targetTime;
        click(kColumnX[c.column], c.y);
        EXPECT_EQ(0, CompareFileTime(&before, &g_app.targetTime))
            << "from " << show(c.from) << " column " << c.column << " now " << target();
    }
}

TEST_F(InputTest, HeldArrowRepeatsThenStepsByTens)
{
    struct Case { int column, y; const char* steps[6]; } cases[] = {
        {4, kUpY, {"12:08:30", "12:09:30", "12:10:00", "12:20:00", "12:30:00", "12:40:00"}},
        {4, kDownY, {"12:06:30", "12:05:30", "12:00:00", "12:50:00", "12:40:00", "12:30:00"}},
        {5, kUpY, {"12:07:31", "12:07:32", "12:07:40", "12:07:50", "12:07:00", "12:07:10"}},
        {5, kDownY, {"12:07:29", "12:07:28", "12:07:20", "12:07:10", "12:07:00", "12:07:50"}},
        {3, kUpY, {"13:07:30", "14:07:30", "15:07:30", "16:07:30", "17:07:30", "18:07:30"}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(setTarget(at(2026, 5, 15, 12, 7, 30)));
        move(kColumnX[c.column], c.y);
        down(kColumnX[c.column], c.y);
        for (int i = 0; i < 6; ++i) {
            if (i > 0)
                repeat();
            EXPECT_EQ(std::string("2026-05-15 ") + c.steps[i], target()) << "column " << c.column << " step " << i;
        }
        EXPECT_EQ(2, g_app.spinnerRepeat);
        up(kColumnX[c.column], c.y);
        EXPECT_EQ(0, g_app.spinnerRepeat);
        repeat();
        EXPECT_EQ(std::string("2026-05-15 ") + c.steps[5], target()) << "no repeat after the release";
    }

    // The real 500 ms timer drives the repeat while the button is held.
    ASSERT_TRUE(setTarget(at(2026, 5, 15, 12, 7, 30)));
    down(kColumnX[4], kUpY);
    pumpMessages(1300);
    SYSTEMTIME t;
    FileTimeToSystemTime(&g_app.targetTime, &t);
    EXPECT_GE(t.wMinute, 9) << target();
    up(kColumnX[4], kUpY);
    const FILETIME released = g_app.targetTime;
    pumpMessages(700);
    EXPECT_EQ(0, CompareFileTime(&released, &g_app.targetTime)) << "timer stopped at the release, " << target();

    // A press outside the arrows starts no repeat.
    ASSERT_TRUE(setTarget(at(2026, 5, 15, 12, 7, 30)));
    down(100, 45);
    repeat();
    up(100, 45);
    EXPECT_EQ("2026-05-15 12:07:30", target());
}

// Another program taking the mouse, Alt+Tab or a cancelled mode end a held
// arrow as its release would, though no button comes up here.
TEST_F(InputTest, HeldArrowStopsWhenTheMouseIsTakenAway)
{
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 500, 400, 40, 40, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, other);
    struct Case { const char* how; void (*takeAway)(HWND window, HWND other); } cases[] = {
        {"another window takes the capture", [](HWND, HWND o) { SetCapture(o); }},
        {"the capture is released", [](HWND, HWND) { ReleaseCapture(); }},
        {"WM_CANCELMODE", [](HWND w, HWND) { SendMessageA(w, WM_CANCELMODE, 0, 0); }},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(setTarget(at(2026, 5, 15, 12, 7, 30)));
        down(kColumnX[4], kUpY);
        repeat();
        ASSERT_EQ("2026-05-15 12:09:30", target()) << c.how << ": held and repeated once";
        c.takeAway(window, other);
        EXPECT_EQ(0, g_app.spinnerHeld) << c.how;
        EXPECT_EQ(0, g_app.spinnerRepeat) << c.how;
        EXPECT_FALSE(KillTimer(window, TIMER_SPIN_REPEAT)) << c.how << ": timer 500 still set";
        repeat();
        pumpMessages(600);
        EXPECT_EQ("2026-05-15 12:09:30", target()) << c.how << ": no more steps";
        up(kColumnX[4], kUpY);
    }
    DestroyWindow(other);
}

TEST_F(InputTest, ArrowsRestWhileATriggerRunsButTheKeypadWorks)
{
    for (int state = 0; state < 2; ++state) {
        g_app.running = 1;
        g_app.monitorActive = state;
        ASSERT_TRUE(setTarget(at(2026, 5, 15, 12, 7, 30)));
        click(kColumnX[3], kUpY);
        EXPECT_EQ("2026-05-15 12:07:30", target()) << "monitor " << state;
        EXPECT_EQ(0, g_app.spinnerHeld);
    }
    g_app.monitorActive = 0;
    struct Case { WPARAM key; SYSTEMTIME from; const char* after; } cases[] = {
        {VK_NUMPAD1, toSystemTime(at(2026, 5, 1, 12, 7, 30)), "2026-05-31 12:07:30"},
        {VK_NUMPAD1, toSystemTime(at(2026, 5, 15, 12, 7, 30)), "2026-05-14 12:07:30"},
        {VK_NUMPAD2, toSystemTime(at(2026, 5, 15, 0, 7, 30)), "2026-05-15 23:07:30"},
        {VK_NUMPAD3, toSystemTime(at(2026, 5, 15, 12, 0, 30)), "2026-05-15 12:59:00"},
        {VK_NUMPAD4, toSystemTime(at(2026, 6, 30, 12, 7, 30)), "2026-06-01 12:07:30"},
        {VK_NUMPAD5, toSystemTime(at(2026, 5, 15, 23, 7, 30)), "2026-05-15 00:07:30"},
        {VK_NUMPAD6, toSystemTime(at(2026, 5, 15, 12, 59, 30)), "2026-05-15 12:00:00"},
        {VK_NUMPAD4, toSystemTime(at(2100, 2, 28, 12, 7, 30)), "2100-02-28 12:07:30"}, // 29 February 2100 refused
        {VK_NUMPAD0, toSystemTime(at(2026, 5, 15, 12, 7, 30)), "2026-05-15 12:07:30"},
        {VK_NUMPAD7, toSystemTime(at(2026, 5, 15, 12, 7, 30)), "2026-05-15 12:07:30"},
        {'1', toSystemTime(at(2026, 5, 15, 12, 7, 30)), "2026-05-15 12:07:30"},
        {VK_END, toSystemTime(at(2026, 5, 15, 12, 7, 30)), "2026-05-15 12:07:30"},
    };
    for (int running = 0; running < 2; ++running) {
        for (const Case& c : cases) {
            g_app.running = running;
            ASSERT_TRUE(SystemTimeToFileTime(&c.from, &g_app.targetTime));
            key(c.key);
            EXPECT_EQ(c.after, target()) << "key " << c.key << " from " << show(c.from) << " running " << running;
        }
    }
}

// The screens as the system lists them reach the placement (its rules are
// tested natively): off every side of the one screen here, and on it.
TEST_F(InputTest, StoredPositionOffTheScreensIsBroughtBack)
{
    struct Case { LONG left, top, expectLeft, expectTop; } cases[] = {
        {5000, 3000, 100, 100},
        {-5000, 40, 100, 40},
        {40, -5000, 40, 100},
        {300, 200, 300, 200},
    };
    for (const Case& c : cases) {
        close();
        Options o = defaultOptions();
        o.windowRect = {c.left, c.top, c.left + 220, c.top + 65};
        ASSERT_TRUE(writeOptionsFile(o)) << GetLastError();
        open();
        RECT r;
        GetWindowRect(window, &r);
        EXPECT_EQ(c.expectLeft, r.left) << "stored " << c.left << "," << c.top;
        EXPECT_EQ(c.expectTop, r.top) << "stored " << c.left << "," << c.top;
        EXPECT_EQ(220, r.right - r.left);
    }
}

} // namespace
