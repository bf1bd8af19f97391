#include "ui/statusline.h"

#include "base/codes.h"
#include "base/textformat.h"

#include <cstring>

const char* monitorModeLabel(int32_t mode)
{
    switch (mode) {
    case WindowRenamed:             return "[Windowの名称変更]";
    case WindowDestroyedOrDisabled: return "[Windowの破棄,選択不能]";
    case WindowInactive:            return "[Windowが非アクティブに]";
    case WindowDestroyed:           return "[Windowの破棄]";
    case Network:             return "[PINGの失敗]";
    case Countdown:           return "[カウントダウン]";
    }
    return "";
}

const char* monitorTargetLabel(int32_t mode)
{
    return mode == Countdown ? "残り" : "対象";
}

int monitorTextBudget(int32_t mode)
{
    if (mode == Network)
        return 70;
    if (mode == Countdown)
        return 130;
    return 90;
}

void formatDate(char* out, size_t size, int year, int month, int day)
{
    formatText(out, size, "%4d/%02d/%02d", year, month, day);
}

void formatClock(char* out, size_t size, int hour, int minute, int second)
{
    formatText(out, size, "%02d:%02d:%02d", hour, minute, second);
}

CountdownFields splitRemaining(int32_t remainingMs)
{
    CountdownFields f;
    f.hours = remainingMs / 3600000;
    f.minutes = (remainingMs / 60000) % 60;
    f.seconds = (remainingMs / 1000) % 60;
    return f;
}

bool buildMonitorText(char* out, size_t size, int32_t mode, const char* hostName, const char* title,
                      int32_t remainingMs, LeadBytePredicate isLeadByte)
{
    if (size == 0)
        return false;
    out[0] = '\0';
    if (mode == Countdown) {
        const CountdownFields f = splitRemaining(remainingMs);
        formatText(out, size, " %d 時間 %02d 分 %02d 秒", f.hours, f.minutes, f.seconds);
        return true;
    }
    const char* name = mode == Network ? hostName : title;
    if (name == nullptr)
        name = "";
    if (mode != Network && name[0] == '\0')
        name = "名前なし";
    return appendWholeChars(out, size, "\"", isLeadByte) && appendWholeChars(out, size, name, isLeadByte);
}

void buildStatusSuffix(char* out, size_t size, int32_t mode, int32_t pingResult, int32_t pingFailures,
                       uint32_t windowHandle)
{
    if (size == 0)
        return;
    out[0] = '\0';
    if (mode == Countdown)
        return;
    if (mode != Network)
        formatText(out, size, "\"(%04X)", static_cast<unsigned>(windowHandle));
    else if (pingResult >= 0)
        formatText(out, size, "\"(%dms/%d)", pingResult, pingFailures);
    else if (pingResult == NoReply)
        formatText(out, size, "\"(LOST/%d)", pingFailures);
    else
        formatText(out, size, "\"(ERROR/%d)", pingFailures);
}

int drawCutText(const char* text, int x, int budget, CharWidthFn width, CharDrawFn draw, void* context,
                LeadBytePredicate isLeadByte, int cutMarkWidth)
{
    // Drawn as one run: the same pixels as drawing each character where the
    // last one ended, at a fraction of the cost. Widths add up (the face draws
    // without kerning), so a text narrower than the budget as a whole is never
    // cut and needs no measuring character by character.
    const int length = static_cast<int>(std::strlen(text));
    if (length == 0)
        return x;
    const int wholeWidth = width(context, text, length);
    if (wholeWidth < budget) {
        draw(context, x, text, length);
        return x + wholeWidth;
    }
    const char* p = text;
    int runWidth = 0;
    bool cut = false;
    while (*p != '\0') {
        const int n = charLength(p, isLeadByte);
        const int w = width(context, p, n);
        budget -= w;
        if (p != text && budget <= 0) {
            cut = true;
            break;
        }
        runWidth += w;
        p += n;
    }
    if (p != text)
        draw(context, x, text, static_cast<int>(p - text));
    x += runWidth;
    if (!cut)
        return x;
    draw(context, x, "..", 2);
    return x + cutMarkWidth;
}
