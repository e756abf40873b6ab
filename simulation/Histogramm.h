// The histogram of a run and its cumulative relative frequency curve.
//
// Before the first trial the range VkwMin..VkwMax is divided into KlassenAnzahl equal classes (more
// classes for larger runs) and every class gets a label: its centre in thousands, formatted like the
// other figures. Each trial's unrounded market value is counted into its class; values outside the
// range, or whose index comes out at KlassenAnzahl or more, are dropped silently. The curve is built
// from the counts on a refresh only.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Gleitkomma.h"

namespace kwt {

// Runs above 50,000 trials get 60 classes; the tables hold that many, each with a count and a label.
inline constexpr int MaxKlassen = 60;

struct Histogramm {
  std::int32_t KlassenAnzahl = 0; // 0 until the first run is prepared
  Extended KlassenBreite = 0;
  std::array<std::int32_t, MaxKlassen> Haeufigkeit{};
  std::array<std::string, MaxKlassen> KlassenText{};

  // HistogrammVorbereiten without the view: classes, width, cleared counts, labels.
  void Vorbereiten(std::int32_t anzahlVersuche, Extended vkwMin, Extended vkwMax);
  // Counting steps of HistogrammZaehlen for one market value (not the refresh request).
  void Zaehlen(Extended wert, Extended vkwMin, Extended vkwMax);
  // The class Zaehlen counts a value into, or -1 when it is not counted; raises what Zaehlen raises.
  std::int32_t ZaehlKlasse(Extended wert, Extended vkwMin, Extended vkwMax) const;

  // Centre of class i in thousands, as the labels and the curve use it.
  static Extended KlassenMitteInTausend(Extended vkwMin, Extended breite, int i);
};

std::int32_t KlassenAnzahlFuer(std::int32_t anzahlVersuche);

// What the bar view shows after a rebuild: one bar per class and the value axis maximum m + 5.
struct Balkenansicht {
  std::vector<std::int32_t> Hoehen;
  std::vector<std::string> Texte;
  double AchsenMaximum = 5;
};
Balkenansicht HistogrammBalken(const Histogramm &h);

struct Kurvenpunkt {
  double X = 0; // market value in thousands
  double Y = 0; // share of the counted values below this class
  friend bool operator==(const Kurvenpunkt &, const Kurvenpunkt &) = default;
};

struct RHKurve {
  std::vector<Kurvenpunkt> Kurve;  // series "RHKurve"
  std::vector<Kurvenpunkt> Median; // series "Median": the same X at 0.5
};

// The points of the cumulative curve: for each class after the first one holding values, the share
// of the values below it, drawn at the class centre; empty classes get no point.
RHKurve RHKurveZeichnen(const Histogramm &h, Extended vkwMin);

} // namespace kwt
