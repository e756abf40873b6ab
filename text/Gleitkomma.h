// Extended arithmetic with the program's error rules.
//
// The program computes in the x87 80-bit format and rounds toward positive infinity from start-up on
// (see W32_CLC.h). The floating-point unit runs with the platform's exception masks, so invalid
// operations, divisions by zero and overflows do not trap; instead every operation of the valuation
// core goes through the checked helpers below, which decide the error from the operands and the
// result. Deciding from values rather than from the status flags keeps the checks correct at -O2,
// where g++ is free to move the arithmetic past a flag test.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "Fehler.h"

namespace kwt {

using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64,
              "KWT needs the x87 80-bit extended format (64-bit mantissa)");

// An invalid operation, a division by zero, an overflow, or a text that is not a number.
class GleitkommaFehler : public Fehler {
public:
  using Fehler::Fehler;
};

// The shortest decimal text (with a decimal point, read with round-to-nearest) that reads back as
// exactly x: 4.8 for the extended value nearest to 4.8.
std::string ExtendedText(long double x);

inline constexpr const char *MeldungUngueltig = "Ungültige Gleitkommaoperation";
inline constexpr const char *MeldungDivisionDurchNull = "Gleitkommadivision durch Null";
inline constexpr const char *MeldungUeberlauf = "Gleitkommaüberlauf";

[[noreturn]] void FehlerUngueltig();
[[noreturn]] void FehlerDivisionDurchNull();
[[noreturn]] void FehlerUeberlauf();
[[noreturn]] void FehlerKeinGleitkommawert(const std::string &text);

// Checks the result r of an operation on a and b as the floating-point unit would with unmasked
// invalid-operation and overflow exceptions: a NaN from non-NaN operands is invalid, an infinity from
// finite operands is an overflow.
inline Extended Geprueft(Extended r, Extended a, Extended b) {
  if (std::isnan(r)) {
    if (!std::isnan(a) && !std::isnan(b)) FehlerUngueltig();
  } else if (std::isinf(r) && std::isfinite(a) && std::isfinite(b)) {
    FehlerUeberlauf();
  }
  return r;
}

namespace detail {
enum class Rechenart { Plus, Minus, Mal, Durch };
// Under upward rounding an overflow toward minus infinity ends at the largest negative number
// instead of infinity (and one toward plus infinity under other modes at the largest one). A result
// of that magnitude is therefore computed once more with round-to-nearest, where an overflow shows
// as an infinity.
bool UeberlaufAmRand(Extended a, Extended b, Rechenart art);

template <Rechenart art> inline Extended Rechnen(Extended a, Extended b) {
  Extended r;
  if constexpr (art == Rechenart::Plus) r = a + b;
  if constexpr (art == Rechenart::Minus) r = a - b;
  if constexpr (art == Rechenart::Mal) r = a * b;
  if constexpr (art == Rechenart::Durch) r = a / b;
  if (std::fabs(r) == std::numeric_limits<Extended>::max() && UeberlaufAmRand(a, b, art)) [[unlikely]]
    FehlerUeberlauf();
  return Geprueft(r, a, b);
}
} // namespace detail

inline Extended Plus(Extended a, Extended b) { return detail::Rechnen<detail::Rechenart::Plus>(a, b); }
inline Extended Minus(Extended a, Extended b) { return detail::Rechnen<detail::Rechenart::Minus>(a, b); }
inline Extended Mal(Extended a, Extended b) { return detail::Rechnen<detail::Rechenart::Mal>(a, b); }
inline Extended Durch(Extended a, Extended b) {
  if (b == 0) {
    if (a == 0 || std::isnan(a)) FehlerUngueltig();
    if (std::isfinite(a)) FehlerDivisionDurchNull();
  }
  return detail::Rechnen<detail::Rechenart::Durch>(a, b);
}

// Rounds to a signed 64-bit whole number under the current rounding mode (toward positive infinity
// in the running program: 2.1 gives 3, -2.9 gives -2). A value without a 64-bit whole number
// (NaN, infinity, magnitude 2^63 or more after rounding) is an invalid operation.
std::int64_t RundenInt64(Extended x);

// Truncates toward zero to a 32-bit whole number, whatever the rounding mode; out of range is invalid.
std::int32_t AbschneidenInt32(Extended x);

// Converts text to the nearest extended number (ties to even), whatever the rounding mode. Accepts an optional sign, digits with leading zeros, a decimal point and an exponent,
// with blanks around; anything else raises "'<text>' ist kein gültiger Gleitkommawert".
Extended TextZuExtended(const std::string &text);

// Like TextZuExtended but reports failure by returning false instead of raising.
bool TextZuExtendedVersuchen(const std::string &text, Extended &wert);

// Like TextZuExtendedVersuchen, and tells a number beyond the extended range (1e5000) from a text that
// is no number at all, so that a message can say which of the two it is.
enum class Zahltext { Gut, KeineZahl, AusserhalbDesBereichs };
Zahltext TextZuExtendedLesen(const std::string &text, Extended &wert);

// Switches the calling thread to round-to-nearest (the x87 control word and MXCSR, loaded directly,
// not through the C runtime) for its lifetime and restores the words it found.
// g++ does not know that the switch changes arithmetic: code inside the scope must take its operands
// from volatile objects read after the switch and leave its results in volatile objects written
// before the restore, or the compiler may compute them under the other mode (see UeberlaufAmRand).
class RundungZumNaechsten {
public:
  RundungZumNaechsten();
  ~RundungZumNaechsten();
  RundungZumNaechsten(const RundungZumNaechsten &) = delete;
  RundungZumNaechsten &operator=(const RundungZumNaechsten &) = delete;

private:
  std::uint16_t steuerwort_;
  unsigned int mxcsr_;
};

} // namespace kwt
