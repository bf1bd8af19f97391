// What kind of window the picker has found, told from its class name and
// style, and the fingerprint the watch keeps of a title. No Windows headers:
// tested natively.
#pragma once
#include <cstddef>
#include <cstdint>

// The description of a window of class `className` with `style`: a few system
// classes by their whole, case-sensitive name; otherwise any window with a
// system menu and a caption or border is "a window"; anything else gets "".
const char* windowKindText(const char* className, uint32_t style);

// The whole of a UTF-16 title in 64 bits (FNV-1a over the bytes of its code
// units): a change anywhere along it changes the fingerprint.
uint64_t titleFingerprint(const uint16_t* text, size_t length);
