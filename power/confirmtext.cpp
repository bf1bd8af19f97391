#include "power/confirmtext.h"

#include "base/codes.h"
#include "base/textformat.h"

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

void formatSleptNotice(char* out, size_t size, int32_t powerAction, bool waiting)
{
    static const char* const kActions[] = {"シャットダウン", "再起動", "スタンバイ", "休止状態", "ログオフ"};
    const char* action = powerAction >= Shutdown && powerAction <= Logoff ? kActions[powerAction] : kActions[0];
    formatText(out, size,
               "%sにコンピュータがスリープ（休止状態）しました。\r\n"
               "復帰してすぐに実行しないよう、%sを中止しました。",
               waiting ? "実行を待つ間" : "確認の途中", action);
}
