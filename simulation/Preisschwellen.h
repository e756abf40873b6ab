// Price thresholds: how likely the market value lies below an amount the valuer names (the agreed
// purchase price, a loan) and how likely it reaches it.
//
// Exactly from the exact distribution, P(VKW < x) and P(VKW >= x), each from its own exact mass, so
// that they add up to 1 and a small share in either tail keeps its digits; beside them the shares of
// the last run's stored values below x and from x on. Like every exact figure they refer to the
// stored values (market values rounded up to a whole euro) of the computable combinations: an amount
// of 4.500.000 € compares a stored 4.500.000 as "ab", not "unter".
#pragma once

#include <span>
#include <string>
#include <vector>

#include "ExakteVerteilung.h"

namespace kwt {

struct Preisschwelle {
  Extended Betrag = 0;
  Extended ExaktUnter = 0, ExaktAb = 0;           // NaN when nothing is computable
  Extended StichprobeUnter = 0, StichprobeAb = 0; // NaN without a sample
  std::string BetragText;                         // "4.500.000 €" (with cents when it has some)
  std::string ExaktUnterText, ExaktAbText;        // "12,3456 %"
  std::string StichprobeUnterText, StichprobeAbText; // empty without a sample
};

// sortiert: the sample's stored values in ascending order; empty for the exact shares alone.
Preisschwelle PreisschwelleBerechnen(const ExakteVerteilung &exakt, std::span<const double> sortiert, Extended betrag);

// An amount of money as the program writes it: "4.500.000 €", or "4.500.000,50 €" when it has cents.
std::string BetragText(Extended betrag);

} // namespace kwt
