#include "power/confirmtext.h"

#include "base/codes.h"

namespace {

// By reason (Timer, Window, Ping): the wording for every action but restart,
// and the one for restart.
const char* const kReasonTexts[3][2] = {
    {"　タイマーの時間が来たので、システムのシャットダウンを行います。\r\n\r\n　よろしいですか？",
     "　タイマーの時間が来たので、システムの再起動を行います。\r\n\r\n　よろしいですか？"},
    {"　ｳｲﾝﾄﾞｳ状態が設定条件になったので、シャットダウンを行います。\r\n\r\n　よろしいですか？",
     "　ｳｲﾝﾄﾞｳ状態が設定条件になったので、再起動を行います。\r\n\r\n　よろしいですか？"},
    {"　PINGが５回連続失敗しました。シャットダウンを行います。\r\n\r\n　よろしいですか？",
     "　PINGが５回連続失敗しました。再起動を行います。\r\n\r\n　よろしいですか？"},
};

} // namespace

const char* confirmText(int32_t reason, int32_t powerAction)
{
    const int row = (reason == Window || reason == Ping) ? reason : Timer;
    return kReasonTexts[row][powerAction == Reboot ? 1 : 0];
}
