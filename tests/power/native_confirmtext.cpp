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

} // namespace
