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

Extended Ertragswert(Extended lz, Extended rnd, Extended ro, Extended bwk, Extended bo);

} // namespace kwt
