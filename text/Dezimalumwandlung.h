// Exact conversions between extended values and decimal digits, in whole-number arithmetic.
//
// A valuation must come out with the same digits on every system the program runs on. The C
// libraries differ in how they turn text into long double and back (and the results depend on the
// rounding mode at the time of the call), so the program does both conversions itself: a decimal
// number is rounded to the nearest extended value (ties to the even one), and an extended value is
// expanded into its exact decimal digits, which the callers round as they need. Neither reads or
// changes the floating-point unit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Gleitkomma.h"

namespace kwt {

// A decimal number: (-1)^Negativ × Ziffern × 10^Exponent, Ziffern a string of decimal digits.
struct Dezimalzahl {
  bool Negativ = false;
  std::string Ziffern; // no leading zeros and, from ExakteDezimalzahl, no trailing ones; "" for zero
  std::int64_t Exponent = 0;
};

// The exact value of a finite x (every binary fraction is a finite decimal one).
Dezimalzahl ExakteDezimalzahl(Extended x);

// z rounded to a multiple of 10^stelle, ties to the even neighbour (the rule of printf under
// round-to-nearest). The result's Exponent is stelle unless z already was that coarse; its digits
// may end in zeros.
Dezimalzahl DezimalRunden(const Dezimalzahl &z, std::int64_t stelle);

// The extended value nearest to z, ties to even; beyond the extended range an infinity, below the
// smallest subnormal a zero, both with z's sign. The digits may have leading and trailing zeros.
Extended DezimalZuExtended(const Dezimalzahl &z);

// x with d decimals after a decimal point ('.'), rounded to nearest with ties to even, as
// printf("%.*Lf") prints it under round-to-nearest: a minus sign for every negative x and for -0.
std::string FestkommaGenau(Extended x, int d);

} // namespace kwt
