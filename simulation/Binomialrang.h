// The two distribution functions the sample's precision needs: the ranks of the order statistics that
// bound a distribution-free confidence interval of the median (the binomial distribution with p = 1/2,
// summed from its coefficients so that every platform gives the same bits), and a quantile of the
// standard normal distribution (Boost.Math in double).
//
// Both switch to round-to-nearest for their own computation and take and give only whole numbers
// and doubles through memory, so the caller's rounding mode does not matter. Their file is compiled
// without -frounding-math, as the shapes' file is: g++ 12 with that flag leaves Boost's coefficient
// tables at zero (see model/Formverteilung.h).
#pragma once

#include <cstdint>

namespace kwt::binomialrang {

struct MedianRaenge {
  // The interval [x_(Unten), x_(Oben)] of the sorted sample (ranks from 1) holds the median of any
  // distribution with probability at least Niveau; Unten = 0 when no such interval exists (n < 6 for
  // 95 %).
  std::int64_t Unten = 0;
  std::int64_t Oben = 0;
  double Niveau = 0; // 1 - 2 P(B <= Unten - 1), B ~ Bin(n, 1/2)
};

// The narrowest symmetric pair of ranks whose level is at least `niveau` (0.95 for 95 %): the largest
// j with P(B <= j - 1) <= (1 - niveau) / 2, and n + 1 - j.
MedianRaenge MedianRaengeBerechnen(std::int64_t n, double niveau);

// The p-quantile of the standard normal distribution (1.959963984540054 for 0.975).
double NormalQuantil(double p);

} // namespace kwt::binomialrang
