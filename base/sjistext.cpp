#include "base/sjistext.h"

bool isCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

int charLength(const char* p, LeadBytePredicate isLeadByte)
{
    if (isLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0')
        return 2;
    return 1;
}

namespace {

char* nextChar(char* p, LeadBytePredicate isLeadByte)
{
    return p + charLength(p, isLeadByte);
}

bool noLeadBytes(unsigned char)
{
    return false;
}

} // namespace

void stripFileNameWith(char* path, LeadBytePredicate isLeadByte)
{
    if (path == nullptr || *path == '\0')
        return;
    char* cut = path;
    for (char* p = path; *p != '\0'; p = nextChar(p, isLeadByte)) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (!isLeadByte(c) && (c == '/' || c == ':' || c == '\\'))
            cut = p + 1;
    }
    *cut = '\0';
}

void removeTrailingBackslashWith(char* path, LeadBytePredicate isLeadByte)
{
    if (path == nullptr || *path == '\0')
        return;
    char* last = path;
    for (char* p = path; *p != '\0'; p = nextChar(p, isLeadByte))
        last = p;
    if (*last == '\\')
        *last = '\0';
}

bool copyText(char* dest, size_t size, const char* src)
{
    if (size == 0)
        return false;
    dest[0] = '\0';
    return appendText(dest, size, src);
}

bool appendText(char* dest, size_t size, const char* src)
{
    return appendWholeChars(dest, size, src, noLeadBytes);
}

bool appendWholeChars(char* dest, size_t size, const char* src, LeadBytePredicate isLeadByte)
{
    if (size == 0)
        return false;
    size_t used = 0;
    while (used < size && dest[used] != '\0')
        ++used;
    if (used == size) { // not terminated: treat as full
        dest[size - 1] = '\0';
        return false;
    }
    while (*src != '\0') {
        const int n = charLength(src, isLeadByte);
        if (used + n >= size) {
            dest[used] = '\0';
            return false;
        }
        for (int i = 0; i < n; ++i)
            dest[used++] = *src++;
    }
    dest[used] = '\0';
    return true;
}
