// What the evaluation shows beside the exact distribution: the sample of a run against it, the
// tornado of the five parameters and the combinations that cannot be computed, as numbers and as
// ready-made German display strings (ZahlFormatieren, decimal comma, grouped thousands).
//
// The sample's figures are computed by the same rules as the exact ones, from the stored trial
// values (the market values rounded up): the mean and the standard deviation of those values, and
// as p-quantile the smallest stored value v with (trials <= v) / n >= p. The median here is
// therefore the middle trial, not the window's "Median:", which is the middle of the distinct
// result lines. The run keeps the first 100,000 trial values; a larger run is compared through
// these, which are a sample of the same distribution (Umfang says how many were used).
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "ExakteVerteilung.h"
#include "Laufergebnis.h"

namespace kwt {

struct Vergleichszeile {
  ExakteKennzahl Art = ExakteKennzahl::Mittelwert;
  Extended Exakt = 0;
  Extended Stichprobe = 0; // NaN without a sample
  Extended Differenz = 0;  // Stichprobe - Exakt
  std::string Beschriftung;
  std::string ExaktText;
  std::string StichprobeText;     // empty without a sample
  std::string DifferenzText;      // in the value's unit, 0 decimals
  std::string DifferenzProzentText; // relative to the exact figure, "0,123 %"
};

struct StichprobenVergleich {
  std::int64_t Umfang = 0; // sample values compared; 0 for the exact figures alone
  std::array<Vergleichszeile, ExakteKennzahlen.size()> Zeilen{};
  // Kolmogorov–Smirnov: the largest distance between the sample's and the exact cumulative curve,
  // the value where it occurs, and the distance that a sample of this size exceeds by chance in
  // only 5 % of runs (1.358 / sqrt(n); for a distribution with steps it is on the safe side).
  Extended KsAbstand = 0;
  double KsStelle = 0;
  Extended KsGrenze = 0;
  std::string KsAbstandText, KsStelleText, KsGrenzeText;
};

// werte: the stored values of the sample's trials, in any order.
StichprobenVergleich StichprobeVergleichen(const ExakteVerteilung &exakt, std::span<const double> werte);
// The completed trials of a run (the first 100,000 of a larger one).
StichprobenVergleich StichprobeVergleichen(const ExakteVerteilung &exakt, const Laufergebnis &lauf);
// The exact figures alone.
inline StichprobenVergleich ExakteZeilen(const ExakteVerteilung &exakt) { return StichprobeVergleichen(exakt, std::span<const double>{}); }

struct TornadoZeile {
  Parameter Param = LZ;
  std::string Name;       // "Liegenschaftszinssatz", ...
  std::string KlasseTief; // "Klasse 1: 4,82"
  std::string KlasseHoch;
  Extended MittelTief = 0, MittelHoch = 0, Spanne = 0;
  std::string MittelTiefText, MittelHochText, SpanneText;
};
// In the tornado's order (largest swing first).
std::vector<TornadoZeile> TornadoZeilen(const ExakteVerteilung &exakt);

struct FehlerZeile {
  std::string Meldung;
  std::string WahrscheinlichkeitText; // "10,0000 %"
  std::string KombinationenText;
};
std::vector<FehlerZeile> FehlerZeilen(const ExakteVerteilung &exakt);

// A probability as percent with four decimals; a probability above 0 that would show as 0 gives
// "< 0,0001 %".
std::string ProzentText(Extended p);

} // namespace kwt
