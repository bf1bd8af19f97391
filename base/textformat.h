// A small printf for the few formats the programs write: %d %u %x %X %s %c
// with an optional 0 flag and a width, and the two long forms they use: %lld
// (a 64-bit count) and %lu (a DWORD). Like snprintf it
// always terminates a non-empty buffer and returns the full length.
#pragma once
#include <cstdarg>
#include <cstddef>

int formatText(char* out, size_t size, const char* format, ...);
int formatTextV(char* out, size_t size, const char* format, va_list args);
