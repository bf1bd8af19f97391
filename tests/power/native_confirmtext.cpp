// The confirmation's wording by reason and action.
#include <gtest/gtest.h>

#include <string>

#include "base/codes.h"
#include "power/confirmtext.h"

namespace {

TEST(ConfirmText, NamesTheReasonAndOnlyRestartHasItsOwnWording)
{
    const char* timer = "　タイマーの時間が来たので、システムのシャットダウンを行います。\r\n\r\n　よろしいですか？";
    const char* timerRestart = "　タイマーの時間が来たので、システムの再起動を行います。\r\n\r\n　よろしいですか？";
    const char* window = "　ｳｲﾝﾄﾞｳ状態が設定条件になったので、シャットダウンを行います。\r\n\r\n　よろしいですか？";
    const char* windowRestart = "　ｳｲﾝﾄﾞｳ状態が設定条件になったので、再起動を行います。\r\n\r\n　よろしいですか？";
    const char* ping = "　PINGが５回連続失敗しました。シャットダウンを行います。\r\n\r\n　よろしいですか？";
    const char* pingRestart = "　PINGが５回連続失敗しました。再起動を行います。\r\n\r\n　よろしいですか？";
    const struct {
        int32_t reason, action;
        const char* text;
    } cases[] = {
        {Timer, Shutdown, timer},   {Timer, Reboot, timerRestart},   {Timer, Hibernate, timer},
        {Window, Standby, window},  {Window, Reboot, windowRestart}, {Ping, Logoff, ping},
        {Ping, Reboot, pingRestart}, {7, Reboot, timerRestart},      {-1, Shutdown, timer},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(c.text), confirmText(c.reason, c.action)) << c.reason << "/" << c.action;
}

// What a sleep stopped, by action and by the step it stopped: every action
// by its name, a code the program never stores as shutdown, cut safely.
TEST(ConfirmText, SleptNoticeNamesWhatWasStopped)
{
    const struct {
        int32_t action;
        bool waiting;
        const char* step;
        const char* name;
    } cases[] = {
        {Shutdown, false, "確認の途中", "シャットダウンを中止"}, {Reboot, true, "実行を待つ間", "再起動を中止"},
        {Logoff, false, "確認の途中", "ログオフを中止"},         {9, false, "確認の途中", "シャットダウンを中止"},
    };
    for (const auto& c : cases) {
        char text[256];
        formatSleptNotice(text, sizeof text, c.action, c.waiting);
        const std::string shown = text;
        EXPECT_EQ(0u, shown.find(c.step)) << c.action << ": " << shown;
        EXPECT_NE(std::string::npos, shown.find(c.name)) << c.action << ": " << shown;
    }
    char small[9];
    formatSleptNotice(small, sizeof small, Shutdown, false);
    EXPECT_EQ(8u, std::string(small).size()) << "cut, and terminated";
}

} // namespace
