// What "Vergleichen mit Szenario…" shows, without any widget: variant A is what a run started now
// would draw from (the bounds in the fields and the current percentages), variant B a scenario file;
// both exact distributions, their figures side by side with the differences, P(VKW_B > VKW_A) for
// independent variants (Variantenvergleich.h), both distribution functions, and the price thresholds
// of the evaluation for both.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "Bewertungsmodell.h"
#include "Preisschwellen.h"
#include "Szenario.h"
#include "Variantenvergleich.h"

namespace kwt {

struct Vergleichsauswertung {
  std::array<std::string, 2> Namen;    // "aktuelle Eingaben", the file's name
  Szenario B;                          // variant B's bounds and percentages
  std::array<std::string, 2> Koepfe;   // "96.466 Werte aus 100.000 Klassenkombinationen"
  std::array<ExakteVerteilung, 2> Varianten;
  Variantenvergleich Vergleich;
  std::array<std::vector<Kurvenpunkt>, 2> Kurven; // X in thousands
  std::array<std::vector<Preisschwelle>, 2> Schwellen;
};

// Throws GleitkommaFehler when a variant's tables cannot be prepared from its bounds.
Vergleichsauswertung VergleichBerechnen(const Bewertungsmodell &modell, const Parameterwerte &min,
                                        const Parameterwerte &max, const Szenario &b, const std::string &nameB,
                                        const std::vector<Extended> &schwellen);

} // namespace kwt
