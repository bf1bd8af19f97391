#include "ui/skincolor.h"

int hexDigitValue(char ch)
{
    const signed char c = static_cast<signed char>(ch);
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

uint32_t parseHexColor(const char* text)
{
    if (text == nullptr || text[0] != '#')
        return 0;
    for (int i = 1; i < 7; ++i) { // shorter than 7 characters: malformed
        if (text[i] == '\0')
            return 0;
    }
    const uint32_t red = 16 * hexDigitValue(text[1]) + hexDigitValue(text[2]);
    const uint32_t green = 16 * hexDigitValue(text[3]) + hexDigitValue(text[4]);
    const uint32_t blue = 16 * hexDigitValue(text[5]) + hexDigitValue(text[6]);
    return red + green * 0x100 + blue * 0x10000;
}
