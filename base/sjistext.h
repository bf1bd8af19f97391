// The Shift-JIS (code page 932) text kit: bounded copies, whole-character
// cuts and path cutting. No Windows headers: the lead-byte test is passed in,
// so the same code runs natively under test.
#pragma once
#include <cstddef>

using LeadBytePredicate = bool (*)(unsigned char byte);

// Lead bytes of Shift-JIS (code page 932).
bool isCp932LeadByte(unsigned char byte);

// Bytes of the character at `p`: two for a lead byte followed by another
// byte, as the system's CharNextA steps; otherwise one.
int charLength(const char* p, LeadBytePredicate isLeadByte);

// Cuts `path` in place after its last "\", "/" or ":" that is a character of
// its own (a trail byte 0x5C is never taken for a backslash). A path without
// a separator becomes empty; one ending in a separator is unchanged.
void stripFileNameWith(char* path, LeadBytePredicate isLeadByte);

// Drops one trailing backslash (a single-byte character), if any.
void removeTrailingBackslashWith(char* path, LeadBytePredicate isLeadByte);

// Bounded copy and append: never write past `size` bytes, always terminate.
// Return false (leaving `dest` a valid, possibly cut string) when the text did
// not fit.
bool copyText(char* dest, size_t size, const char* src);
bool appendText(char* dest, size_t size, const char* src);
// The same, appending whole characters only (never half a double-byte one).
bool appendWholeChars(char* dest, size_t size, const char* src, LeadBytePredicate isLeadByte);
