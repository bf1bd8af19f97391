// The confirmation countdown: its texts, how it is aborted, the ten steps to
// its result, its sounds, and the shared dialog painting.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "power/confirm.h"
#include "power/confirmtext.h"
#include "resources/resource.h"
#include "state/appstate.h"
#include "syscalls/seam_recorder.h"
#include "tests/power/power_testing.h"
#include "ui/dialogpaint.h"
#include "ui/uistate.h"

namespace {

const char kCaption[] = "Noctil !";

std::string countText(int seconds)
{
    wchar_t text[32];
    swprintf(text, 32, L"あと　%d 秒", seconds);
    return cp932(text);
}

class ConfirmTest : public MainWindowTest {
protected:
    // Opens the confirmation on the main window; `onDialog` drives it.
    INT_PTR run(const ModalDriver::Script& onDialog)
    {
        ModalDriver driver(kCaption, onDialog);
        const INT_PTR result = runConfirmDialog(window);
        driver.finish();
        EXPECT_TRUE(driver.found()) << "the confirmation never showed";
        return result;
    }
};

// The wording itself is tested natively; here the dialog shows the one for
// the reason and action it finds, opens at 9 and hands the reason back.
TEST_F(ConfirmTest, ShowsTheTextForItsReasonAndResetsIt)
{
    g_app.options.silent = 1;
    for (int reason : {Window, Ping}) {
        g_app.confirmReason = reason;
        g_app.options.powerAction = Reboot;
        std::string text, count;
        const INT_PTR result = run([&](HWND d) {
            text = fieldText(d, IDC_CONFIRM_TEXT);
            count = fieldText(d, IDC_CONFIRM_COUNT);
            PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        EXPECT_EQ(confirmText(reason, Reboot), text) << "reason " << reason;
        EXPECT_EQ(countText(9), count) << "opens showing 9";
        EXPECT_EQ(0, result);
        EXPECT_EQ(Timer, g_app.confirmReason) << "reason reset after the dialog, reason " << reason;
    }
    EXPECT_STREQ("", seamRecorderLog());
}

// Its template is checked with every other one; here where it opens.
TEST_F(ConfirmTest, SitsOnTheOwnerInTheForeground)
{
    RECT ownerRect;
    GetWindowRect(window, &ownerRect);
    HWND seen = nullptr;
    RECT client = {}, units = {0, 0, 211, 58};
    POINT origin = {0, 0};
    HWND foreground = nullptr;
    run([&](HWND d) {
        seen = d;
        ClientToScreen(d, &origin);
        GetClientRect(d, &client);
        MapDialogRect(d, &units);
        foreground = GetForegroundWindow();
        PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    ASSERT_NE(nullptr, seen) << "confirmation never became visible";
    EXPECT_EQ(units.right, client.right) << "211 dialog units wide";
    EXPECT_EQ(units.bottom, client.bottom) << "58 dialog units high";
    EXPECT_EQ(ownerRect.left, origin.x) << "placed at the owner's origin";
    EXPECT_EQ(ownerRect.top, origin.y);
    EXPECT_EQ(seen, foreground) << "brought to the foreground";
}

TEST_F(ConfirmTest, ButtonEnterEscapeAndCloseBoxAbortAtOnce)
{
    struct Case { const char* name; UINT message; WPARAM wParam; LPARAM lParam; bool toButton; } cases[] = {
        {"button click", BM_CLICK, 0, 0, true},
        {"Enter", WM_KEYDOWN, VK_RETURN, 0x001C0001, false},
        {"Escape", WM_KEYDOWN, VK_ESCAPE, 0x00010001, false},
        {"close box", WM_SYSCOMMAND, SC_CLOSE, 0, false},
    };
    for (const Case& c : cases) {
        seamRecorderReset();
        HPEN pen = nullptr;
        DWORD shown = 0;
        const INT_PTR result = run([&](HWND d) {
            pen = g_ui.dialogPen;
            shown = GetTickCount();
            PostMessageA(c.toButton ? GetDlgItem(d, IDOK) : d, c.message, c.wParam, c.lParam);
        });
        const DWORD took = GetTickCount() - shown;
        EXPECT_EQ(0, result) << c.name;
        EXPECT_LT(took, 900u) << c.name << ": before the first second passed";
        EXPECT_EQ("MessageBeep 0x00000020\nBeep 37 3\n", std::string(seamRecorderLog()))
            << c.name << ": the opening sounds only, and no power action";
        EXPECT_EQ(nullptr, g_ui.dialogPen) << c.name;
        EXPECT_EQ(0, GetObjectType(pen)) << c.name << ": the dialog's pen is deleted";
    }
}

// Sends the ten timer events itself instead of waiting ten seconds; a real
// event slipping in between just takes one of the ten steps.
TEST_F(ConfirmTest, CountsNineToZeroAndConfirmsAfterTheTenthTimerEvent)
{
    std::vector<std::string> shown;
    int sent = 0;
    const INT_PTR result = run([&](HWND d) {
        shown.push_back(fieldText(d, IDC_CONFIRM_COUNT));
        // The dialog hides at once when it ends (and goes when its loop does).
        while (IsWindowVisible(d) && sent < 20) {
            SendMessageA(d, WM_TIMER, TIMER_CONFIRM, 0);
            ++sent;
            if (IsWindowVisible(d))
                shown.push_back(fieldText(d, IDC_CONFIRM_COUNT));
        }
    });
    EXPECT_EQ(1, result);
    std::vector<std::string> expected;
    for (int s = 9; s >= 0; --s)
        expected.push_back(countText(s));
    EXPECT_EQ(expected, shown);
    EXPECT_LE(sent, 10);
    std::string sounds = "MessageBeep 0x00000020\n";
    for (int i = 0; i < 11; ++i)
        sounds += "Beep 37 3\n";
    EXPECT_EQ(sounds, std::string(seamRecorderLog())) << "question beep, a click at opening and at each event";
    EXPECT_EQ(nullptr, g_ui.dialogPen);
}

TEST_F(ConfirmTest, SilentMakesNoSoundAndCountsTheSame)
{
    g_app.options.silent = 1;
    int steps = 0;
    const INT_PTR result = run([&](HWND d) {
        while (d != nullptr && IsWindowVisible(d) && steps < 20) {
            SendMessageA(d, WM_TIMER, TIMER_CONFIRM, 0);
            ++steps;
        }
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(10, steps);
    EXPECT_STREQ("", seamRecorderLog());
}

TEST_F(ConfirmTest, OpenDialogUsesTheConfirmationColours)
{
    COLORREF text = 0, back = 0, penColour = 0;
    LOGBRUSH brush = {}, editBrush = {};
    bool distinct = false;
    run([&](HWND d) {
        text = g_ui.dialogTextColor;
        back = g_ui.dialogEditBackColor;
        LOGPEN lp = {};
        GetObjectA(g_ui.dialogPen, sizeof lp, &lp);
        penColour = lp.lopnColor;
        GetObjectA(g_ui.dialogBrush, sizeof brush, &brush);
        GetObjectA(g_ui.dialogEditBrush, sizeof editBrush, &editBrush);
        distinct = g_ui.dialogBrush != g_ui.dialogEditBrush;
        PostMessageA(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(RGB(255, 0, 0), text);
    EXPECT_EQ(RGB(255, 255, 255), back);
    EXPECT_EQ(RGB(236, 152, 0), penColour);
    EXPECT_EQ(RGB(255, 240, 158), brush.lbColor);
    EXPECT_EQ(RGB(255, 240, 158), editBrush.lbColor);
    EXPECT_TRUE(distinct) << "two brushes of the same colour";
}

// The paint set outside any dialog: fills, nesting and painting.
class DialogPaintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgramForTest();
        for (HWND& w : windows) {
            w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 60, 40, nullptr, nullptr, nullptr, nullptr);
            ASSERT_NE(nullptr, w) << GetLastError();
        }
    }
    void TearDown() override
    {
        for (HWND w : windows) {
            releaseDialogPaintSet(w);
            DestroyWindow(w);
        }
    }
    HWND windows[2] = {};
};

TEST_F(DialogPaintTest, LaterDialogTakesOverAndClosingInAnyOrderFreesOnlyItsOwn)
{
    HWND about = windows[0], confirm = windows[1];
    for (bool aboutClosesFirst : {false, true}) {
        fillDialogPaintSet(about, AboutPaintRow);
        const HPEN aboutPen = g_ui.dialogPen;
        const HBRUSH aboutBrush = g_ui.dialogBrush;
        EXPECT_EQ(RGB(118, 76, 0), g_ui.dialogTextColor);
        fillDialogPaintSet(confirm, ConfirmPaintRow);
        const HPEN confirmPen = g_ui.dialogPen;
        EXPECT_NE(aboutPen, confirmPen);
        EXPECT_EQ(RGB(255, 0, 0), g_ui.dialogTextColor);
        EXPECT_EQ(OBJ_PEN, static_cast<int>(GetObjectType(aboutPen))) << "the first set stays alive";

        if (aboutClosesFirst) {
            releaseDialogPaintSet(about);
            EXPECT_EQ(confirmPen, g_ui.dialogPen) << "the open confirmation keeps painting";
            EXPECT_EQ(0, GetObjectType(aboutPen));
            EXPECT_EQ(0, GetObjectType(aboutBrush));
            releaseDialogPaintSet(confirm);
            EXPECT_EQ(nullptr, g_ui.dialogPen);
        } else {
            releaseDialogPaintSet(confirm);
            EXPECT_EQ(0, GetObjectType(confirmPen));
            EXPECT_EQ(aboutPen, g_ui.dialogPen) << "back to the about box's set";
            EXPECT_EQ(aboutBrush, g_ui.dialogBrush);
            EXPECT_EQ(RGB(118, 76, 0), g_ui.dialogTextColor);
            releaseDialogPaintSet(about);
            EXPECT_EQ(0, GetObjectType(aboutPen));
        }
        EXPECT_EQ(nullptr, g_ui.dialogBrush);
        EXPECT_EQ(nullptr, g_ui.dialogEditBrush);
        releaseDialogPaintSet(about); // again: nothing left to free
    }
}

TEST_F(DialogPaintTest, PaintsFrameFillAndControlColours)
{
    HWND dialog = windows[0];
    fillDialogPaintSet(dialog, WaitPaintRow);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 60, 40);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const HGDIOBJ brushBefore = GetCurrentObject(dc, OBJ_BRUSH);
    const HGDIOBJ penBefore = GetCurrentObject(dc, OBJ_PEN);

    const WPARAM w = reinterpret_cast<WPARAM>(dc);
    EXPECT_EQ(1, paintDialog(dialog, WM_ERASEBKGND, w, 0));
    EXPECT_EQ(RGB(236, 152, 0), GetPixel(dc, 0, 0)) << "frame";
    EXPECT_EQ(RGB(236, 152, 0), GetPixel(dc, 59, 39)) << "frame";
    EXPECT_EQ(RGB(255, 240, 158), GetPixel(dc, 30, 20)) << "fill";
    EXPECT_EQ(brushBefore, GetCurrentObject(dc, OBJ_BRUSH)) << "our brush is not left selected";
    EXPECT_EQ(penBefore, GetCurrentObject(dc, OBJ_PEN));

    EXPECT_EQ(reinterpret_cast<INT_PTR>(g_ui.dialogBrush), paintDialog(dialog, WM_CTLCOLORSTATIC, w, 0));
    EXPECT_EQ(TRANSPARENT, GetBkMode(dc));
    EXPECT_EQ(RGB(118, 76, 0), GetTextColor(dc));
    for (UINT message : {WM_CTLCOLOREDIT, WM_CTLCOLORBTN}) {
        SetBkMode(dc, TRANSPARENT);
        SetBkColor(dc, RGB(1, 2, 3));
        EXPECT_EQ(reinterpret_cast<INT_PTR>(g_ui.dialogEditBrush), paintDialog(dialog, message, w, 0));
        EXPECT_EQ(OPAQUE, GetBkMode(dc)) << message;
        EXPECT_EQ(RGB(255, 255, 255), GetBkColor(dc)) << message;
        EXPECT_EQ(RGB(118, 76, 0), GetTextColor(dc)) << message;
    }
    EXPECT_EQ(0, paintDialog(dialog, WM_CTLCOLORLISTBOX, w, 0));
    EXPECT_EQ(0, paintDialog(dialog, WM_PAINT, 0, 0));

    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace
