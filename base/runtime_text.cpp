// The memory and string routines of our run-time (see runtime.cpp) and the
// cut of the command line that WinMain receives. Plain C without Windows
// headers: the native tests build this file under other names and hold it
// against the host's C library.
#include <cstddef>

#include "base/runtime.h"

extern "C" {

char* runtimeArguments(char* line)
{
    if (*line == '"') {
        ++line;
        while (*line != '\0' && *line != '"')
            ++line;
        if (*line == '"')
            ++line;
    } else {
        while (*line != '\0' && *line != ' ' && *line != '\t')
            ++line;
    }
    while (*line == ' ' || *line == '\t')
        ++line;
    return line;
}

// The routines below must not be turned back into calls to themselves: this
// file is compiled with -fno-builtin and -fno-tree-loop-distribute-patterns.
void* memcpy(void* to, const void* from, size_t n)
{
    auto* d = static_cast<unsigned char*>(to);
    auto* s = static_cast<const unsigned char*>(from);
    while (n-- > 0)
        *d++ = *s++;
    return to;
}

void* memmove(void* to, const void* from, size_t n)
{
    auto* d = static_cast<unsigned char*>(to);
    auto* s = static_cast<const unsigned char*>(from);
    if (d <= s || d >= s + n)
        return memcpy(to, from, n);
    while (n-- > 0)
        d[n] = s[n];
    return to;
}

void* memset(void* to, int value, size_t n)
{
    auto* d = static_cast<unsigned char*>(to);
    while (n-- > 0)
        *d++ = static_cast<unsigned char>(value);
    return to;
}

int memcmp(const void* a, const void* b, size_t n)
{
    auto* x = static_cast<const unsigned char*>(a);
    auto* y = static_cast<const unsigned char*>(b);
    for (; n > 0; --n, ++x, ++y)
        if (*x != *y)
            return *x < *y ? -1 : 1;
    return 0;
}

void* memchr(const void* from, int value, size_t n)
{
    auto* s = static_cast<const unsigned char*>(from);
    for (; n > 0; --n, ++s)
        if (*s == static_cast<unsigned char>(value))
            return const_cast<unsigned char*>(s);
    return nullptr;
}

size_t strlen(const char* s)
{
    const char* end = s;
    while (*end != '\0')
        ++end;
    return static_cast<size_t>(end - s);
}

int strncmp(const char* a, const char* b, size_t n)
{
    for (; n > 0; --n, ++a, ++b) {
        const unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
        if (x != y)
            return x < y ? -1 : 1;
        if (x == '\0')
            break;
    }
    return 0;
}

int strcmp(const char* a, const char* b)
{
    return strncmp(a, b, static_cast<size_t>(-1));
}

char* strchr(const char* s, int c)
{
    for (;; ++s) {
        if (*s == static_cast<char>(c))
            return const_cast<char*>(s);
        if (*s == '\0')
            return nullptr;
    }
}

} // extern "C"
