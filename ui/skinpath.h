// Where skins live and which names address one. No Windows headers: the
// lead-byte test is passed in, so these rules are tested natively.
#pragma once
#include <cstddef>
#include <cstdint>

#include "base/sjistext.h"

// Paths of skin files are formed in buffers of this size (the system's
// MAX_PATH); a skin whose files cannot be named in it is not used.
constexpr size_t kSkinPathSize = 260;
// skinName holds a name of at most 255 bytes and its terminating zero.
constexpr size_t kSkinNameSize = 256;

// A directory entry under skins\ is a skin when its attributes are exactly
// the directory bit and its name does not begin with a dot.
bool isSkinDirectoryEntry(uint32_t attributes, const char* name);

// A name that can be stored in skinName and names one directory below skins\:
// 1..255 bytes, no leading dot, no "\", "/" or ":" of its own.
bool isUsableSkinName(const char* name, LeadBytePredicate isLeadByte);

// "<directory>skins\<name>\<file>" into `out`; false (and `out` empty) when
// the name is not usable or the path does not fit in `size`.
bool composeSkinFilePath(char* out, size_t size, const char* directory, const char* name, const char* file,
                         LeadBytePredicate isLeadByte);
