// The colour syntax of skin.ini ("#RRGGBB"). No Windows headers: tested
// natively and fuzzed.
#pragma once
#include <cstdint>

// 0-9 for "0"-"9", 10-15 for "A"-"F" and "a"-"f", 0 for anything else
// (bytes from 0x80 up included).
int hexDigitValue(char ch);

// The 0x00BBGGRR colour of "#" plus six hexadecimal digits; black (0) when
// the text is shorter than 7 characters or does not start with "#". Only the
// first 7 characters are looked at; a non-digit counts as 0.
uint32_t parseHexColor(const char* text);
