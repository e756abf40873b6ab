// The program's number formatter and its floating-point rounding mode.
//
// Every number the program shows as text comes from ZahlFormatieren: decimal comma, a dot between
// groups of three digits, whatever the user's regional settings. The digits are those of the value's
// decimal expansion carried to 18 significant digits (the last one rounded up), then rounded half
// away from zero at the requested decimal: 2.005 shows as 2,01 and 2.675 as 2,68.
//
// FormatierungInitialisieren runs once at start-up and switches the floating-point unit to rounding
// toward positive infinity for the rest of the process: every rounding conversion then gives the
// smallest whole number not below the value. Only the rounding field of the control word changes;
// the exception masks stay as the platform set them, and the program's own checks (Gleitkomma.h)
// raise its error messages.
#pragma once

#include <cstdint>
#include <string>

#include "Gleitkomma.h"

namespace kwt {

// The thousands and decimal characters of the display strings ("." and "," once initialised).
char TausenderZeichen();
char DezimalZeichen();

// The x87 control word of the calling thread.
std::uint16_t SteuerwortLesen();
// Sets the rounding field (bits 10 and 11: 0 nearest, 1 down, 2 up, 3 toward zero) of the x87
// control word and the same mode in the SSE unit, clears pending exceptions and records the new word
// as the process's default. Returns the previous rounding mode.
int RundungsmodusSetzen(int modus);
// The control word recorded by the last RundungsmodusSetzen (0 before the first call).
std::uint16_t StandardSteuerwort();
// Applies the recorded default rounding mode and the 64-bit precision to the calling thread (for
// worker threads).
void StandardRundungUebernehmen();

// Separators "." and ",", then rounding toward positive infinity.
void FormatierungInitialisieren();

std::string TausenderEinfuegen(const std::string &s);
std::string FestkommaFormatieren(Extended x, int d, bool gruppieren);
std::string ZahlFormatieren(int d, bool nullZeigen, bool gruppieren, Extended x, bool suffix);

// The number an entry field with d decimals shows for x, read back as if the user had typed it:
// the formatter's digits (rounded half away from zero) parsed with round-to-nearest. A value the
// program computes for such a field (a bound from a shape, a remaining life) goes through this, so
// that the field shows exactly the number a run uses. -0 becomes 0.
Extended AufDezimalenRunden(Extended x, int d);

} // namespace kwt
