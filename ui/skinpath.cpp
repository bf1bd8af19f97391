#include "ui/skinpath.h"

namespace {

constexpr uint32_t kDirectoryAttribute = 0x10;

} // namespace

bool isSkinDirectoryEntry(uint32_t attributes, const char* name)
{
    return attributes == kDirectoryAttribute && name != nullptr && name[0] != '.';
}

bool isUsableSkinName(const char* name, LeadBytePredicate isLeadByte)
{
    if (name == nullptr || name[0] == '\0' || name[0] == '.')
        return false;
    // Never reads past the 256 bytes of a skinName buffer, terminated or not.
    size_t i = 0;
    while (i < kSkinNameSize) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c == '\0')
            return true;
        if (i == kSkinNameSize - 1)
            return false; // no room left for the terminator
        if (isLeadByte(c) && name[i + 1] != '\0') {
            i += 2;
            continue;
        }
        if (c == '\\' || c == '/' || c == ':')
            return false;
        ++i;
    }
    return false;
}

bool composeSkinFilePath(char* out, size_t size, const char* directory, const char* name, const char* file,
                         LeadBytePredicate isLeadByte)
{
    if (size == 0)
        return false;
    out[0] = '\0';
    const bool ok = directory != nullptr && directory[0] != '\0' && isUsableSkinName(name, isLeadByte) &&
                    copyText(out, size, directory) && appendText(out, size, "skins\\") &&
                    appendText(out, size, name) && appendText(out, size, "\\") && appendText(out, size, file);
    if (!ok)
        out[0] = '\0';
    return ok;
}
