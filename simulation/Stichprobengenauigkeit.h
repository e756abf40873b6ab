// How precise the figures of a run's sample are, without the exact distribution: the standard error
// of its mean, a distribution-free 95 % confidence interval of the median from two order statistics,
// and how many trials a mean within ±1 %, ±0,5 % and ±0,1 % would need.
//
// - Standard error: s / sqrt(n) with the sample's standard deviation s (divisor n - 1); the interval
//   of the mean is the mean ± z s / sqrt(n), z the 97.5 % quantile of the normal distribution.
// - Median: with the sorted values x_(1) <= ... <= x_(n) and B ~ Bin(n, 1/2), the interval
//   [x_(j), x_(n+1-j)] holds the median m of the distribution with probability at least
//   1 - 2 P(B <= j - 1), whatever the distribution, also one with ties: the number of values <= m
//   is binomial with a success probability of at least 1/2, so x_(j) > m is at most as likely as
//   B < j, and the same holds above. j is the largest rank for which that level is at least 95 %;
//   below 6 values there is none.
// - Trials needed for a relative precision r of the mean (95 %): n = (z s / (r |mean|))^2,
//   rounded up.
//
// The values are the stored values (whole euros, rounded up) of the completed trials, the first
// 100,000 of a larger run, as in every comparison with the exact figures.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "Gleitkomma.h"

namespace kwt {

struct Versuchsbedarf {
  Extended Genauigkeit = 0; // relative: 0.01 for ±1 %
  Extended Versuche = 0;    // NaN when the mean is 0
  std::string GenauigkeitText; // "±1 %", "±0,5 %", "±0,1 %"
  std::string VersucheText;
};

struct Stichprobengenauigkeit {
  std::int64_t Umfang = 0;
  Extended Mittelwert = 0;
  Extended Standardabweichung = 0; // divisor n - 1; NaN below two values
  Extended Standardfehler = 0;
  Extended MittelUnten = 0, MittelOben = 0; // the mean's 95 % interval
  // The median's interval: ranks from 1 in the sorted sample, 0 when there is none.
  std::int64_t RangUnten = 0, RangOben = 0;
  double MedianUnten = 0, MedianOben = 0;
  Extended MedianNiveau = 0; // the level the ranks guarantee, at least 0.95
  std::array<Versuchsbedarf, 3> Bedarf{};

  std::string StandardfehlerText;  // "2.344 €"
  std::string MittelIntervallText; // "4.976.100 € bis 4.985.290 €"
  std::string MedianIntervallText; // "4.975.000 € bis 4.990.000 €", or why there is none
  std::string MedianRaengeText;    // "4.902. und 5.099. von 10.000 sortierten Werten"
  std::string MedianNiveauText;    // "95,1 %"
  // The three lines as the dialog, the report and kwt-mc show them.
  std::string StandardfehlerSatz; // "Standardfehler des Mittelwerts: 2.345 € (95 %-Intervall des Mittelwerts: …)"
  std::string MedianSatz;         // "95 %-Intervall des Medians: … (4.902. und 5.099. von 10.000 …, mindestens 95,1 %)"
  std::string BedarfSatz;         // "Versuche für den Mittelwert auf ±1 % / ±0,5 % / ±0,1 % genau (95 %): 86 / 341 / 8.513"
};

// The z of the 95 % intervals.
Extended Normalquantil975();

// werte: the stored values in trial order (the mean adds them in that order, as the run does).
// Without values every figure is NaN and every text a dash.
Stichprobengenauigkeit GenauigkeitBerechnen(std::span<const double> werte);

} // namespace kwt
