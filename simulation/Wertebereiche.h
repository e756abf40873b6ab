// The central ranges of the market value as a valuer writes them into an appraisal: the values
// between the 10 % and the 90 % quantile (80 %) and between the 5 % and the 95 % quantile (90 %) of
// the exact distribution.
//
// With the quantile rule of the exact figures (the smallest v with P(VKW <= v) >= p) the range from
// the lower to the upper quantile holds at least the stated share: P(VKW < unten) < p and
// P(VKW <= oben) >= 1 - p. The values are stored values, whole euros.
#pragma once

#include <array>
#include <string>

#include "ExakteVerteilung.h"

namespace kwt {

struct Wertebereich {
  int Prozent = 0;        // 80 or 90
  Extended PUnten = 0;    // the quantiles' levels: 0.10 and 0.90, or 0.05 and 0.95
  Extended POben = 0;
  double Unten = 0, Oben = 0; // NaN when nothing is computable
  // "Mit 90 % Wahrscheinlichkeit liegt der Ertragswert zwischen 4.585.625 € und 5.373.914 €."
  std::string Satz;
};

// The 80 % and the 90 % range, in this order.
std::array<Wertebereich, 2> WertebereicheBerechnen(const ExakteVerteilung &exakt);

} // namespace kwt
