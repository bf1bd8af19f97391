#include "base/textformat.h"

namespace {

struct Sink {
    char* out;
    size_t size;
    size_t length;

    void put(char c)
    {
        if (length + 1 < size)
            out[length] = c;
        ++length;
    }
};

void putNumber(Sink& sink, unsigned long long value, bool negative, unsigned base, bool upper, int width,
               char pad)
{
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char text[24];
    int n = 0;
    do {
        text[n++] = digits[value % base];
        value /= base;
    } while (value != 0);
    int used = n + (negative ? 1 : 0);
    if (negative && pad == '0')
        sink.put('-');
    for (; used < width; ++used)
        sink.put(pad);
    if (negative && pad != '0')
        sink.put('-');
    while (n > 0)
        sink.put(text[--n]);
}

int finish(Sink& sink)
{
    if (sink.size > 0)
        sink.out[sink.length < sink.size ? sink.length : sink.size - 1] = '\0';
    return static_cast<int>(sink.length);
}

} // namespace

int formatTextV(char* out, size_t size, const char* format, va_list args)
{
    Sink sink{out, size, 0};
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') {
            sink.put(*p);
            continue;
        }
        ++p;
        char pad = ' ';
        if (*p == '0') {
            pad = '0';
            ++p;
        }
        int width = 0;
        for (; *p >= '0' && *p <= '9'; ++p)
            width = width * 10 + (*p - '0');
        int longs = 0;
        for (; *p == 'l' && longs < 2; ++p)
            ++longs;
        switch (*p) {
        case 'd': {
            const long long v = longs == 2 ? va_arg(args, long long) : va_arg(args, int);
            const unsigned long long magnitude = v < 0 ? 0ULL - static_cast<unsigned long long>(v)
                                                       : static_cast<unsigned long long>(v);
            putNumber(sink, magnitude, v < 0, 10, false, width, pad);
            break;
        }
        case 'u':
        case 'x':
        case 'X': {
            const unsigned long long v = longs == 1 ? va_arg(args, unsigned long) : va_arg(args, unsigned);
            putNumber(sink, v, false, *p == 'u' ? 10 : 16, *p == 'X', width, pad);
            break;
        }
        case 's': {
            const char* s = va_arg(args, const char*);
            for (; *s != '\0'; ++s)
                sink.put(*s);
            break;
        }
        case 'c':
            sink.put(static_cast<char>(va_arg(args, int)));
            break;
        case '%':
            sink.put('%');
            break;
        default: // an unknown conversion (or a lone % at the end) ends the text
            return finish(sink);
        }
    }
    return finish(sink);
}
int formatText(char* out, size_t size, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int n = formatTextV(out, size, format, args);
    va_end(args);
    return n;
}
