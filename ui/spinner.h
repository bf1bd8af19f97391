// The digit arrows over the target date-time and the keypad keys: which arrow
// a point hits and how each field steps. No Windows headers: tested natively.
#pragma once
#include "base/timecalc.h"

enum SpinField {
    SpinYear = 0,
    SpinMonth = 1,
    SpinDay = 2,
    SpinHour = 3,
    SpinMinute = 4,
    SpinSecond = 5,
    SpinNone = -1,
};

enum SpinRow {
    SpinRowNone = 0,
    SpinRowUp = 1,
    SpinRowDown = 2,
};

struct SpinHit {
    SpinField field;
    SpinRow row;
};

// The arrow under client point x, y: a column (9 pixels wide) and the up row
// (y 28..38) or the down row (y 52..62). Between the rows, or outside every
// column, nothing is hit.
SpinHit spinnerHitAt(int x, int y);

// True over the whole arrow block (x 49..173, y 28..62), where the arrow
// cursor shows.
bool inSpinnerArea(int x, int y);

// One arrow step of a field. Fast (the held arrow from its second repeat on)
// moves minutes and seconds to the next multiple of ten; the other fields
// step by one either way. Fields wrap in their own range and never carry.
void spinUp(DateTime& d, SpinField field, bool fast);
void spinDown(DateTime& d, SpinField field, bool fast);

// The tens steps on a value 0..59: 37 -> 40 / 30, 50..59 -> 0 up, 0 -> 50 down.
int tensUp(int value);
int tensDown(int value);

// A date-time the system can convert: years 1601..30827 and the real
// (Gregorian) length of each month. The stepping itself may produce other
// values (31 February, 29 February 2100); those are dropped by the caller.
bool isConvertibleDate(const DateTime& d);

// Keypad keys 1..6 (day down, hour down, minute down, day up, hour up,
// minute up); the minute keys also clear the seconds. Returns false for any
// other digit (and leaves `d` alone).
bool keypadStep(DateTime& d, int digit);
