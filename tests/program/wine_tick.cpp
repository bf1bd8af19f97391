// The tick: the text of both displays on the composed face, and when each
// trigger fires. Firing is seen through its first effect on the state
// (running and monitorActive cleared); a confirmation dialog, if one opens,
// is answered with abort.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "program/tick.h"
#include "program/triggers.h"
#include "state/appstate.h"
#include "tests/support/face_support.h"
#include "tests/support/time_support.h"
#include "tests/support/wine_support.h"
#include "ui/display.h"
#include "ui/skin.h"
#include "ui/statusline.h"
#include "ui/uistate.h"

namespace {

const char kConfirmCaption[] = "Noctil !";

struct Piece {
    int x;
    std::string text;
};

void setTargetFromNow(LONGLONG seconds)
{
    g_app.targetTime = localFromNow(seconds);
}

std::string handleText(HWND window)
{
    char text[32];
    std::snprintf(text, sizeof text, "\"(%04X)", static_cast<unsigned>(reinterpret_cast<uintptr_t>(window)));
    return text;
}

// Every confirmation that opens is aborted and counted: a trigger has fired
// exactly when one more opened.
class TickTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        loadBuiltInSkin(window);
        setTargetFromNow(3600);
    }
    void TearDown() override
    {
        for (HWND w : watched)
            if (IsWindow(w))
                DestroyWindow(w);
        g_app.options.skinName[0] = '\0';
        MainWindowTest::TearDown();
    }

    HWND makeWatched(const char* title)
    {
        HWND w = CreateWindowExA(0, "STATIC", title, WS_POPUP | WS_VISIBLE, 400, 300, 80, 40, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(nullptr, w) << GetLastError();
        watched.push_back(w);
        return w;
    }
    void watch(int mode, HWND w)
    {
        g_app.running = 1;
        g_app.monitorActive = 1;
        g_app.monitorMode = mode;
        g_app.watchedWindow = w;
        GetWindowTextA(w, g_app.watchedTitle, sizeof g_app.watchedTitle);
        g_app.watchedWasActive = 0;
    }
    // Whether the tick opened a confirmation since the last look.
    bool fired()
    {
        const int now = confirmations.timesFound();
        const bool opened = now > seen;
        seen = now;
        return opened;
    }

    // Line 2 (x 40..219) as it should look: the panel, the button and the
    // given pieces in the normal font and the third colour.
    std::string line2Differs(const std::vector<Piece>& pieces, int button, COLORREF colour)
    {
        ScratchSurface expected(kFaceWidth, kFaceHeight);
        BitBlt(expected.dc(), 0, 0, kFaceWidth, kFaceHeight, g_ui.backgroundSurface, 0, 0, SRCCOPY);
        drawSkinElement(window, expected.dc(), button, nullptr, 185, 25, SRCCOPY);
        for (const Piece& p : pieces)
            drawTextAt(expected.dc(), p.x, 40, colour, p.text.c_str(), g_ui.fontNormal);
        return compareRegions(g_ui.displaySurface, 40, 36, expected.dc(), 40, 36, 180, 20);
    }
    std::vector<HWND> watched;
    ModalDriver confirmations{kConfirmCaption, pressing(IDCANCEL)};
    int seen = 0;
};

TEST_F(TickTest, FontMetricsTheCutTestsAssume)
{
    SelectObject(g_ui.displaySurface, g_ui.fontNormal);
    SIZE ascii = {}, wide = {};
    GetTextExtentPoint32A(g_ui.displaySurface, "a", 1, &ascii);
    GetTextExtentPoint32A(g_ui.displaySurface, "漢", 2, &wide);
    ASSERT_EQ(932u, GetACP());
    EXPECT_EQ(6, ascii.cx) << "single-byte width of the 12 pixel face";
    EXPECT_EQ(12, wide.cx) << "double-byte width of the 12 pixel face";
}

TEST_F(TickTest, LongHostNameIsCutWithTwoDots)
{
    std::strcpy(g_app.options.hostName, "abcdefghijklmnopqrstuvwxyz.example");
    watch(Network, nullptr);
    g_app.pingResult = 12;
    g_app.pingFailures = 0;
    tick(window);
    EXPECT_EQ("", line2Differs({{40, "\"abcdefghij"}, {106, ".."}, {116, "\"(12ms/0)"}}, StopButtonUp,
                               g_ui.textColor3));
}

TEST_F(TickTest, NetworkSuffixShowsLostErrorAndFailures)
{
    std::strcpy(g_app.options.hostName, "host");
    struct Case { int result, failures; const char* suffix; } cases[] = {
        {-11, 3, "\"(LOST/3)"}, {-10, 4, "\"(ERROR/4)"}, {7, 1, "\"(7ms/1)"},
    };
    for (const Case& c : cases) {
        watch(Network, nullptr);
        g_app.pingResult = c.result;
        g_app.pingFailures = c.failures;
        tick(window);
        EXPECT_FALSE(fired()) << c.suffix;
        EXPECT_EQ("", line2Differs({{40, "\"host"}, {70, c.suffix}}, StopButtonUp, g_ui.textColor3)) << c.suffix;
    }
}

TEST_F(TickTest, HostNameOfAThousandCharactersIsDrawnSafely)
{
    std::memset(g_app.options.hostName, 'h', sizeof g_app.options.hostName - 1);
    g_app.options.hostName[sizeof g_app.options.hostName - 1] = '\0';
    watch(Network, nullptr);
    g_app.pingResult = -11;
    g_app.pingFailures = 2;
    tick(window);
    EXPECT_EQ("", line2Differs({{40, "\"hhhhhhhhhh"}, {106, ".."}, {116, "\"(LOST/2)"}}, StopButtonUp,
                               g_ui.textColor3));
}

TEST_F(TickTest, EmptyTitleShowsNoName)
{
    HWND w = makeWatched("");
    watch(WindowDestroyed, w);
    tick(window);
    ASSERT_FALSE(fired());
    EXPECT_EQ("", line2Differs({{40, "\"名前なし"}, {94, handleText(w)}}, StopButtonUp, g_ui.textColor3));
}

TEST_F(TickTest, DoubleByteCharacterAtTheCutIsNeverSplit)
{
    struct Case { const char* title; std::vector<Piece> pieces; int suffixX; } cases[] = {
        // 78 pixels used, "漢" would use up the rest exactly: cut before it.
        {"abcdefghijkl漢字", {{40, "\"abcdefghijkl"}, {118, ".."}}, 128},
        // 72 used: "漢" fits, "字" is cut.
        {"abcdefghijk漢字", {{40, "\"abcdefghijk漢"}, {124, ".."}}, 134},
        // Trail bytes 0x5C ("ソ", "表") are no backslash and stay whole.
        {"ソ表abc", {{40, "\"ソ表abc"}}, 88},
    };
    for (const Case& c : cases) {
        HWND w = makeWatched(c.title);
        watch(WindowRenamed, w);
        tick(window);
        ASSERT_FALSE(fired()) << c.title;
        std::vector<Piece> pieces = c.pieces;
        pieces.push_back({c.suffixX, handleText(w)});
        EXPECT_EQ("", line2Differs(pieces, StopButtonUp, g_ui.textColor3)) << c.title;
    }
}

TEST_F(TickTest, CountdownShowsRemainingTimeWithoutSuffix)
{
    g_app.pingResult = 5; // would make a suffix if one were drawn
    armCountdown(0);
    g_app.countdownDeadline = GetTickCount() + 3723600;
    tick(window);
    ASSERT_FALSE(fired());
    EXPECT_EQ("", line2Differs({{40, " 1 時間 02 分 03 秒"}}, StopButtonUp, g_ui.textColor3));

    // Found more than 10 s overdue: shown negative, never fired.
    g_app.countdownDeadline = GetTickCount() - 15400;
    tick(window);
    EXPECT_FALSE(fired());
    EXPECT_EQ("", line2Differs({{40, " 0 時間 00 分 -15 秒"}}, StopButtonUp, g_ui.textColor3));
}

TEST_F(TickTest, ClockTargetLineColourFollowsRunning)
{
    g_ui.textColor2 = RGB(250, 0, 0);
    g_ui.textColor3 = RGB(0, 0, 250);
    setTarget(at(2099, 1, 2, 3, 4, 5));
    for (int running : {0, 1}) {
        g_app.running = running;
        tick(window);
        ScratchSurface expected(kFaceWidth, kFaceHeight);
        BitBlt(expected.dc(), 0, 0, kFaceWidth, kFaceHeight, g_ui.backgroundSurface, 0, 0, SRCCOPY);
        drawSkinElement(window, expected.dc(), running ? StopButtonUp : StartButtonUp, nullptr, 185, 25, SRCCOPY);
        if (!running)
            drawSkinElement(window, expected.dc(), SpinArrows, nullptr, 48, 34, SRCCOPY);
        const COLORREF colour = running ? g_ui.textColor3 : g_ui.textColor2;
        drawTextAt(expected.dc(), 10, 40, colour, "設定", g_ui.fontNormal);
        drawTextAt(expected.dc(), 40, 40, colour, "2099/01/02", g_ui.fontBold);
        drawTextAt(expected.dc(), 120, 40, colour, "03:04:05", g_ui.fontBold);
        EXPECT_EQ("", compareRegions(g_ui.displaySurface, 0, 36, expected.dc(), 0, 36, 220, 22))
            << "running " << running;
    }
}

// The watch's labels: the condition and its mode in line 1's colour, the
// target's label in the running colour.
TEST_F(TickTest, WatchLabelsInTheirLinesColours)
{
    g_ui.textColor1 = RGB(250, 0, 0);
    g_ui.textColor3 = RGB(0, 0, 250);
    std::strcpy(g_app.options.hostName, "host");
    watch(Network, nullptr);
    tick(window);
    ScratchSurface expected(kFaceWidth, kFaceHeight);
    BitBlt(expected.dc(), 0, 0, kFaceWidth, kFaceHeight, g_ui.backgroundSurface, 0, 0, SRCCOPY);
    drawTextAt(expected.dc(), 10, 20, g_ui.textColor1, "条件", g_ui.fontBold);
    drawTextAt(expected.dc(), 40, 20, g_ui.textColor1, monitorModeLabel(Network), g_ui.fontNormal);
    drawTextAt(expected.dc(), 10, 40, g_ui.textColor3, "対象", g_ui.fontBold);
    EXPECT_EQ("", compareRegions(g_ui.displaySurface, 0, 14, expected.dc(), 0, 14, 180, 20)) << "line 1";
    EXPECT_EQ("", compareRegions(g_ui.displaySurface, 0, 34, expected.dc(), 0, 34, 40, 25)) << "line 2's label";
}

TEST_F(TickTest, ClockFiresOnceTheTargetIsReached)
{
    g_app.running = 1;
    setTargetFromNow(60);
    tick(window);
    EXPECT_EQ(1, g_app.running) << "a minute ahead";
    EXPECT_NE(0u, g_app.nowTime.dwHighDateTime) << "the clock display keeps the time it showed";

    EXPECT_FALSE(fired());

    setTargetFromNow(-1);
    tick(window);
    EXPECT_EQ(0, g_app.running);

    EXPECT_TRUE(fired());

    setTargetFromNow(-60);
    tick(window);
    EXPECT_FALSE(fired()) << "a stopped clock never fires";
}

TEST_F(TickTest, WindowRenamedFiresOnAnyChange)
{
    HWND w = makeWatched("メモ帳");
    watch(WindowRenamed, w);
    tick(window);
    EXPECT_FALSE(fired());
    SetWindowTextA(w, "メモ帳 ");
    SetWindowTextA(w, "メモ帳");
    tick(window);
    EXPECT_FALSE(fired()) << "changed and changed back between two ticks";
    SetWindowTextA(w, "メモ");
    tick(window);
    EXPECT_TRUE(fired());
}

TEST_F(TickTest, WindowDisabledHiddenOrDestroyed)
{
    enum Change { None, Disable, Hide, Destroy };
    struct Case { int mode; Change change; bool fires; } cases[] = {
        {WindowDestroyedOrDisabled, None, false}, {WindowDestroyedOrDisabled, Disable, true},
        {WindowDestroyedOrDisabled, Hide, true},  {WindowDestroyedOrDisabled, Destroy, true},
        {WindowDestroyed, None, false},           {WindowDestroyed, Disable, false},
        {WindowDestroyed, Hide, true},            {WindowDestroyed, Destroy, true},
        {7, Destroy, false},                      {-1, Hide, false},
    };
    for (const Case& c : cases) {
        HWND w = makeWatched("target");
        watch(c.mode, w);
        tick(window);
        ASSERT_FALSE(fired()) << "mode " << c.mode;
        if (c.change == Disable)
            EnableWindow(w, FALSE);
        else if (c.change == Hide)
            ShowWindow(w, SW_HIDE);
        else if (c.change == Destroy)
            DestroyWindow(w);
        tick(window);
        EXPECT_EQ(c.fires, fired()) << "mode " << c.mode << " change " << c.change;
    }
}

TEST_F(TickTest, WindowInactiveFiresOnlyAfterHavingBeenForeground)
{
    HWND other = makeWatched("other");
    HWND w = makeWatched("target");
    SetForegroundWindow(other);
    if (GetForegroundWindow() != other)
        GTEST_SKIP() << "the foreground window cannot be set here";
    watch(WindowInactive, w);
    for (int i = 0; i < 3; ++i)
        tick(window);
    EXPECT_FALSE(fired()) << "never in the foreground since it was picked";
    EXPECT_EQ(0, g_app.watchedWasActive);

    SetForegroundWindow(w);
    ASSERT_EQ(w, GetForegroundWindow());
    tick(window);
    EXPECT_FALSE(fired());
    EXPECT_EQ(1, g_app.watchedWasActive);

    SetForegroundWindow(other);
    tick(window);
    EXPECT_TRUE(fired());
    EXPECT_EQ(1, g_app.watchedWasActive) << "firing does not clear it";
}

TEST_F(TickTest, NetworkFiresAtFiveFailuresAndStopsThePing)
{
    std::strcpy(g_app.options.hostName, "127.0.0.1");
    watch(Network, nullptr);
    g_app.pingStop = 0;
    g_app.pingResult = -11;
    g_app.pingFailures = 4;
    tick(window);
    EXPECT_FALSE(fired());
    EXPECT_EQ(0, g_app.pingStop);

    g_app.pingFailures = 5;
    tick(window);
    EXPECT_TRUE(fired());
    EXPECT_EQ(1, g_app.pingStop);
    EXPECT_EQ(5, g_app.pingFailures) << "left as it was";
}

TEST_F(TickTest, CountdownFiresWithinTenSecondsOfItsDeadline)
{
    struct Case { int32_t offsetMs; bool fires; } cases[] = {
        {60000, false}, {500, false}, {-1000, true}, {-5000, true}, {-9000, true}, {-11000, false}, {-600000, false},
    };
    for (const Case& c : cases) {
        armCountdown(0);
        g_app.countdownDeadline = GetTickCount() + static_cast<uint32_t>(c.offsetMs);
        tick(window);
        EXPECT_EQ(c.fires, fired()) << "deadline offset " << c.offsetMs;
    }
}

// The window's own painting is held back here, so whatever reaches its pixels
// was presented by a tick (the confirmation passing over it would repaint).
WNDPROC g_windowProc = nullptr;

LRESULT CALLBACK paintNothing(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        ValidateRect(window, nullptr);
        return 0;
    }
    return CallWindowProcA(g_windowProc, window, message, wParam, lParam);
}

TEST_F(TickTest, FiringTickDoesNotPresent)
{
    KillTimer(window, 300); // no tick of the dialog's own loop may present meanwhile
    g_windowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(paintNothing)));
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 255));
    RECT all = {0, 0, kFaceWidth, kFaceHeight};
    FillRect(g_ui.displaySurface, &all, brush);
    DeleteObject(brush);
    presentDisplay(window);

    armCountdown(0);
    g_app.countdownDeadline = GetTickCount() - 2000;
    tick(window);
    ASSERT_TRUE(fired()) << "the confirmation opened";
    HDC screen = GetDC(window);
    EXPECT_EQ(RGB(255, 0, 255), GetPixel(screen, 100, 5)) << "the firing tick copies nothing to the window";
    ReleaseDC(window, screen);

    tick(window);
    screen = GetDC(window);
    EXPECT_EQ(GetPixel(g_ui.backgroundSurface, 100, 5), GetPixel(screen, 100, 5)) << "the next tick does";
    ReleaseDC(window, screen);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_windowProc));
}

// An idle face costs next to nothing: a tick that would draw the same frame
// leaves the window alone, a changed text is redrawn in its own area only, and
// what the areas leave on the surface is what a whole redraw makes.
TEST_F(TickTest, OnlyWhatChangedIsDrawn)
{
    KillTimer(window, 300);
    std::strcpy(g_app.options.hostName, "host");
    watch(Network, nullptr);
    tick(window);
    // Magenta over the window, then which of four places a tick repainted:
    // the top edge, line 1's label and text, line 2's text.
    const POINT probes[] = {{100, 5}, {20, 26}, {170, 26}, {100, 46}};
    const auto repainted = [this, &probes] {
        HDC screen = GetDC(window);
        RECT all = {0, 0, kFaceWidth, kFaceHeight};
        HBRUSH brush = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(screen, &all, brush);
        DeleteObject(brush);
        tick(window);
        std::string shown;
        for (const POINT& p : probes)
            shown += GetPixel(screen, p.x, p.y) == RGB(255, 0, 255) ? '-' : 'x';
        ReleaseDC(window, screen);
        return shown;
    };
    const auto surfaceIsAWholeRedraw = [this] {
        ScratchSurface before(kFaceWidth, kFaceHeight);
        BitBlt(before.dc(), 0, 0, kFaceWidth, kFaceHeight, g_ui.displaySurface, 0, 0, SRCCOPY);
        g_ui.faceStale = 1;
        tick(window);
        return compareRegions(before.dc(), 0, 0, g_ui.displaySurface, 0, 0, kFaceWidth, kFaceHeight);
    };
    const auto nextSecond = [] {
        SYSTEMTIME a, b;
        GetLocalTime(&a);
        do {
            Sleep(20);
            GetLocalTime(&b);
        } while (a.wSecond == b.wSecond);
    };

    EXPECT_EQ("----", repainted()) << "nothing changed";
    g_app.pingResult = 7;
    EXPECT_EQ("---x", repainted()) << "a new round trip";
    EXPECT_EQ("", surfaceIsAWholeRedraw()) << "after the round trip";

    g_app.monitorActive = 0;
    g_app.running = 0;
    EXPECT_EQ("xxxx", repainted()) << "another display";
    nextSecond();
    EXPECT_EQ("--x-", repainted()) << "the clock's next second";
    EXPECT_EQ("", surfaceIsAWholeRedraw()) << "after the next second";
    nextSecond();
    tick(window);
    setTargetFromNow(7200);
    EXPECT_EQ("---x", repainted()) << "a new target";
    EXPECT_EQ("", surfaceIsAWholeRedraw()) << "after the new target";
    loadBuiltInSkin(window);
    EXPECT_EQ("xxxx", repainted()) << "a new skin";
}

} // namespace
