// What kind of window the picker has found, told from its class name and
// style. No Windows headers: the table is tested natively.
#pragma once
#include <cstdint>

// The description of a window of class `className` with `style`: a few system
// classes by their whole, case-sensitive name; otherwise any window with a
// system menu and a caption or border is "a window"; anything else gets "".
const char* windowKindText(const char* className, uint32_t style);
