#include "base/cmdline.h"


namespace {

bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Returns the start of the next space-separated token and its length.
const char* nextToken(const char* p, int& length)
{
    while (*p == ' ')
        ++p;
    length = 0;
    while (p[length] != '\0' && p[length] != ' ')
        ++length;
    return p;
}

} // namespace

int32_t parseLeadingLong(const char* text, int length)
{
    const char* p = text;
    const char* end = text + length;
    while (p < end && isCSpace(*p))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = (*p == '-');
        ++p;
    }
    const int64_t limit = static_cast<int64_t>(INT32_MAX) + 1;
    int64_t value = 0;
    while (p < end && *p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        if (value > limit)
            value = limit;
        ++p;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX)
        value = INT32_MAX;
    return static_cast<int32_t>(value);
}

CommandLine parseCommandLine(const char* text)
{
    CommandLine result = {-1, 0};
    if (text == nullptr || *text == '\0')
        return result;

    int length = 0;
    const char* first = nextToken(text, length);
    if (length == 0)
        return result;
    const int32_t value = parseLeadingLong(first, length);
    if ((length == 1 && first[0] == '0') || value != 0)
        result.startHour = value;

    const char* second = nextToken(first + length, length);
    if (length > 0 && (second[0] == 't' || second[0] == 'T'))
        result.startInTray = 1;
    return result;
}
