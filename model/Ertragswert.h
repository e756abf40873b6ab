// The market value by the income-capitalisation method.
//
//   A = RO - BWK                      annual net income
//   q = LZ / 100 + 1                  interest factor
//   V = (q^RND - 1) / (q^RND (q - 1)) present-value factor of RND annual payments
//   D = q^-RND                        discount factor of the land value
//   Ertragswert = A V + D BO
//
// Every step is extended precision under the program's upward rounding; invalid operations,
// divisions by zero and overflows raise the program's German messages (Gleitkomma.h).
#pragma once

#include "Gleitkomma.h"

namespace kwt {

// b^e. Whole-numbered exponents up to 2^31 - 1 in magnitude are computed by square-and-multiply
// (the default remaining lives 41, 43, ... take this path); others as 2^(e log2 b), which is an
// invalid operation for a negative base.
Extended Potenz(Extended b, Extended e);

// The two factors that depend only on the yield rate and the remaining life. A run computes them
// for every trial; the exact distribution computes them once per pair of classes and combines them
// with each net income and land value, with the same operations in the same order as Ertragswert.
struct Zinsfaktoren {
  Extended V = 0; // present-value factor
  Extended D = 0; // discount factor of the land value
};
Zinsfaktoren ZinsfaktorenBerechnen(Extended lz, Extended rnd);

// A V + D BO.
inline Extended ErtragswertAusFaktoren(Extended a, const Zinsfaktoren &f, Extended bo) {
  return Plus(Mal(a, f.V), Mal(f.D, bo));
}

// The net income A is computed first, then the factors: a failing A reports its message before any
// failure of the factors.
Extended Ertragswert(Extended lz, Extended rnd, Extended ro, Extended bwk, Extended bo);

} // namespace kwt
