// Texts of the face's two status lines and the cut of the second line. No
// Windows headers: the font and the lead-byte test are passed in, so these
// rules are tested natively with a fake font (and can be fuzzed).
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/sjistext.h"

// Status texts are kept to 255 characters (plus the terminating zero).
constexpr size_t kStatusTextSize = 256;

// Label of a monitor mode on line 1 ("" for a code that is not a mode).
const char* monitorModeLabel(int32_t mode);
// Label of line 2 in the monitor display: "残り" for the countdown, else "対象".
const char* monitorTargetLabel(int32_t mode);
// Pixels line 2 may take before it is cut: 70 network, 130 countdown, 90 others.
int monitorTextBudget(int32_t mode);

// "2024/03/05" and "07:08:09" (out must hold at least 2 bytes; always terminated).
void formatDate(char* out, size_t size, int year, int month, int day);
void formatClock(char* out, size_t size, int hour, int minute, int second);

// Remaining countdown time split for display, truncating toward zero, so an
// overdue countdown shows negative fields.
struct CountdownFields {
    int32_t hours;
    int32_t minutes;
    int32_t seconds;
};
CountdownFields splitRemaining(int32_t remainingMs);

// Line 2 text of the monitor display: the quoted host name (network), the
// remaining time (countdown) or the quoted window title, "名前なし" when it is
// empty. Cut at a character boundary to fit `size`; returns false if cut.
bool buildMonitorText(char* out, size_t size, int32_t mode, const char* hostName, const char* title,
                      int32_t remainingMs, LeadBytePredicate isLeadByte);

// Status suffix after line 2: ping time, LOST or ERROR with the failure count
// (network), the watched window handle (window modes); empty for the countdown,
// which shows none.
void buildStatusSuffix(char* out, size_t size, int32_t mode, int32_t pingResult, int32_t pingFailures,
                       uint32_t windowHandle);

// Drawing line 2 within a pixel budget, one character after another: the
// first character is always kept; a later one only if the budget is still
// above 0 once its width is taken off, otherwise ".." follows (counted as 10
// pixels) and the line ends. The kept characters are drawn as one run; the
// width callback may be asked for the whole text first. Returns the x after
// the last thing drawn.
using CharWidthFn = int (*)(void* context, const char* chars, int length);
using CharDrawFn = void (*)(void* context, int x, const char* chars, int length);
constexpr int kCutMarkWidth = 10;
// `cutMarkWidth` is the mark's width at the font's scale.
int drawCutText(const char* text, int x, int budget, CharWidthFn width, CharDrawFn draw, void* context,
                LeadBytePredicate isLeadByte, int cutMarkWidth = kCutMarkWidth);
