#include "settings/autostart_logic.h"

#include <cstring>

#include "base/cmdline.h"
#include "base/sjistext.h"
#include "base/textformat.h"
#include "settings/time_entry.h"

namespace {

constexpr int kMinutesPerHour = 60;

struct KeyValue {
    char text[kAutoStartValueSize];
};

KeyValue readKey(AutoStartReader read, void* context, const char* key, const char* fallback)
{
    KeyValue value = {};
    read(context, key, fallback, value.text, sizeof value.text);
    value.text[sizeof value.text - 1] = '\0';
    return value;
}

int32_t readNumber(AutoStartReader read, void* context, const char* key, const char* fallback)
{
    return autoStartNumber(readKey(read, context, key, fallback).text);
}

void writeNumber(AutoStartWriter write, void* context, const char* key, int64_t number)
{
    char text[24];
    formatText(text, sizeof text, "%lld", static_cast<long long>(number));
    write(context, key, text);
}

} // namespace

AutoStartKind autoStartKindFromSel(const char* sel)
{
    switch (sel[0]) {
    case 'T': return AutoStartKind::ClockTime;
    case 'C': return AutoStartKind::Countdown;
    case 'N': return AutoStartKind::Network;
    }
    return AutoStartKind::None;
}

const char* selFromAutoStartKind(AutoStartKind kind)
{
    switch (kind) {
    case AutoStartKind::ClockTime: return "T";
    case AutoStartKind::Countdown: return "C";
    case AutoStartKind::Network:   return "N";
    case AutoStartKind::None:      break;
    }
    return "0";
}

int32_t autoStartNumber(const char* text)
{
    return parseLeadingLong(text, static_cast<int>(std::strlen(text)));
}

namespace {

// Seconds for a COUNT in minutes: 0 (arm nothing) below 1, else count x 60,
// capped at kLongestTickCountdownSeconds.
uint32_t autoStartCountdownSeconds(int32_t countMinutes)
{
    if (countMinutes < 1)
        return 0;
    // A hand-edited COUNT can exceed what the tick's signed millisecond
    // difference holds; it would wrap and fire at once, so it is capped there.
    // Everything the dialog can write (up to 99 h 99 min) passes unchanged.
    const uint64_t seconds = static_cast<uint64_t>(countMinutes) * 60u;
    return seconds > kLongestTickCountdownSeconds ? kLongestTickCountdownSeconds
                                                  : static_cast<uint32_t>(seconds);
}

} // namespace

AutoStartPlan planAutoStart(AutoStartReader read, void* context)
{
    AutoStartPlan plan = {};
    plan.kind = AutoStartKind::None;
    switch (autoStartKindFromSel(readKey(read, context, "SEL", "0").text)) {
    case AutoStartKind::Countdown:
        plan.seconds = autoStartCountdownSeconds(readNumber(read, context, "COUNT", "-1"));
        if (plan.seconds != 0)
            plan.kind = AutoStartKind::Countdown;
        break;
    case AutoStartKind::Network:
        // The host is not examined: it is resolved at each echo request.
        copyText(plan.host, sizeof plan.host, readKey(read, context, "HOST", "localhost").text);
        plan.kind = AutoStartKind::Network;
        break;
    case AutoStartKind::ClockTime: {
        const int32_t hour = readNumber(read, context, "TIME_H", "-1");
        if (hour < 0 || hour > 23)
            break;
        const int32_t minute = readNumber(read, context, "TIME_M", "-1");
        if (minute < 0 || minute > 59)
            break;
        plan.kind = AutoStartKind::ClockTime;
        plan.hour = hour;
        plan.minute = minute;
        break;
    }
    case AutoStartKind::None:
        break;
    }
    return plan;
}

AutoStartForm readAutoStartForm(AutoStartReader read, void* context)
{
    AutoStartForm form = {};
    form.kind = autoStartKindFromSel(readKey(read, context, "SEL", "0").text);
    copyText(form.host, sizeof form.host, readKey(read, context, "HOST", "localhost").text);
    const int32_t count = readNumber(read, context, "COUNT", "300");
    // A negative length (only from a hand-edited file) arms nothing; it is
    // shown as no time at all rather than as a huge unsigned number.
    if (count > 0) {
        form.countdownHours = static_cast<uint32_t>(count / kMinutesPerHour);
        form.countdownMinutes = static_cast<uint32_t>(count % kMinutesPerHour);
    }
    form.hour = static_cast<uint32_t>(readNumber(read, context, "TIME_H", "7"));
    form.minute = static_cast<uint32_t>(readNumber(read, context, "TIME_M", "55"));
    return form;
}

namespace {

// COUNT as written: hours x 60 + minutes, in a wide type (hand-typed fields
// can be large).
int64_t autoStartCountFromFields(uint32_t hours, uint32_t minutes)
{
    return static_cast<int64_t>(hours) * kMinutesPerHour + minutes;
}

} // namespace

void writeAutoStartForm(const AutoStartForm& form, AutoStartWriter write, void* context)
{
    write(context, "SEL", selFromAutoStartKind(form.kind));
    write(context, "HOST", form.host);
    writeNumber(write, context, "COUNT", autoStartCountFromFields(form.countdownHours, form.countdownMinutes));
    // The time fields go back as signed numbers, so a value read from a
    // hand-edited file (say -1) is written back unchanged.
    writeNumber(write, context, "TIME_M", static_cast<int32_t>(form.minute));
    writeNumber(write, context, "TIME_H", static_cast<int32_t>(form.hour));
}
