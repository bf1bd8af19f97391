// A small printf for the few formats the programs write: %d %u %x %X %s %c
// with an optional 0 flag, a width and the l/ll lengths. Like snprintf it
// always terminates a non-empty buffer and returns the full length.
#pragma once
#include <cstdarg>
#include <cstddef>

int formatText(char* out, size_t size, const char* format, ...);
int formatTextV(char* out, size_t size, const char* format, va_list args);
