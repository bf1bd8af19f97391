#include "state/options_layout.h"

#include <cstring>

#include "base/sjistext.h"

namespace {

void putInt(unsigned char* at, int32_t value)
{
    const uint32_t v = static_cast<uint32_t>(value);
    at[0] = static_cast<unsigned char>(v);
    at[1] = static_cast<unsigned char>(v >> 8);
    at[2] = static_cast<unsigned char>(v >> 16);
    at[3] = static_cast<unsigned char>(v >> 24);
}

int32_t getInt(const unsigned char* at)
{
    const uint32_t v = static_cast<uint32_t>(at[0]) | (static_cast<uint32_t>(at[1]) << 8) |
                       (static_cast<uint32_t>(at[2]) << 16) | (static_cast<uint32_t>(at[3]) << 24);
    return static_cast<int32_t>(v);
}

// Terminates `text` inside its `size` bytes. Without a NUL in the field the
// last whole character that leaves room for the terminator is kept, so no
// lead byte is left without its trail byte.
void terminateInside(char* text, size_t size)
{
    if (std::memchr(text, '\0', size) != nullptr)
        return;
    size_t end = 0;
    while (end < size - 1) {
        const size_t len = isCp932LeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + len > size - 1)
            break;
        end += len;
    }
    text[end] = '\0';
}

} // namespace

Options defaultOptions()
{
    Options o = {};
    o.alwaysOnTop = 1;
    o.powerAction = Shutdown;
    o.clockMinute = 55;
    o.clockHour = 7;
    return o;
}

void encodeOptions(const Options& o, unsigned char out[kOptionsFileSize])
{
    putInt(out + offsetof(Options, alwaysOnTop), o.alwaysOnTop);
    putInt(out + offsetof(Options, silent), o.silent);
    putInt(out + offsetof(Options, forceAction), o.forceAction);
    unsigned char* rect = out + offsetof(Options, windowRect);
    putInt(rect + 0, o.windowRect.left);
    putInt(rect + 4, o.windowRect.top);
    putInt(rect + 8, o.windowRect.right);
    putInt(rect + 12, o.windowRect.bottom);
    std::memcpy(out + offsetof(Options, hostName), o.hostName, sizeof o.hostName);
    putInt(out + offsetof(Options, forceIfHung), o.forceIfHung);
    putInt(out + offsetof(Options, powerAction), o.powerAction);
    putInt(out + offsetof(Options, clockMinute), o.clockMinute);
    putInt(out + offsetof(Options, clockHour), o.clockHour);
    std::memcpy(out + offsetof(Options, skinName), o.skinName, sizeof o.skinName);
}

namespace {

// Mends what a damaged file could hold: each string ends inside its field
// (cut before a double-byte character that would not fit) and an unknown
// power action becomes Shutdown.
void sanitizeOptions(Options& o)
{
    terminateInside(o.hostName, sizeof o.hostName);
    terminateInside(o.skinName, sizeof o.skinName);
    if (o.powerAction < Shutdown || o.powerAction > Logoff)
        o.powerAction = Shutdown;
}

} // namespace

bool decodeOptions(const unsigned char* data, size_t n, Options& inOut)
{
    if (data == nullptr || n == 0)
        return false;
    // Field by field reading with full-size requests comes down to laying the
    // bytes that are there over the current image.
    unsigned char image[kOptionsFileSize];
    encodeOptions(inOut, image);
    std::memcpy(image, data, n < kOptionsFileSize ? n : kOptionsFileSize);

    Options& o = inOut;
    o.alwaysOnTop = getInt(image + offsetof(Options, alwaysOnTop));
    o.silent = getInt(image + offsetof(Options, silent));
    o.forceAction = getInt(image + offsetof(Options, forceAction));
    const unsigned char* rect = image + offsetof(Options, windowRect);
    o.windowRect.left = getInt(rect + 0);
    o.windowRect.top = getInt(rect + 4);
    o.windowRect.right = getInt(rect + 8);
    o.windowRect.bottom = getInt(rect + 12);
    std::memcpy(o.hostName, image + offsetof(Options, hostName), sizeof o.hostName);
    o.forceIfHung = getInt(image + offsetof(Options, forceIfHung));
    o.powerAction = getInt(image + offsetof(Options, powerAction));
    o.clockMinute = getInt(image + offsetof(Options, clockMinute));
    o.clockHour = getInt(image + offsetof(Options, clockHour));
    std::memcpy(o.skinName, image + offsetof(Options, skinName), sizeof o.skinName);
    sanitizeOptions(o);
    return true;
}
