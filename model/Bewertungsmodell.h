// The valuation model: bounds, class tables, the values of the current trial, the random source,
// and the lowest, highest and weighted market values of the current run.
//
// The program holds exactly one Bewertungsmodell for its whole life (the main window owns it; the
// command line makes its own); tests create fresh ones. The windows read and write its tables
// directly, as the distribution editor and the presets do.
#pragma once

#include <optional>

#include "Formen.h"
#include "Parameter.h"
#include "Zufall.h"

namespace kwt {

class Bewertungsmodell {
public:
  Parameterwerte ParamMin{};
  Parameterwerte ParamMax{};
  std::array<TParamVerteilung, ParameterAnzahl> Verteilungen{};
  Parameterwerte Stichprobe{};
  Zufallsgenerator Zufall;
  // How a parameter's bounds and percentages were made, when a shape made them (the distribution
  // editor's "Form…"): kept beside the tables so that a scenario can say so. A preset or percentages
  // typed by hand drop it; bounds edited afterwards make it stale, which GueltigeForm notices.
  std::array<std::optional<FormAngabe>, ParameterAnzahl> Formen{};

  Extended VkwMin = 0;
  Extended VkwMax = 0;
  Extended VkwGewichtet = 0;

  // Bounds, class tables and drawn values become 0, the shapes go; the random state stays.
  void TabellenLoeschen();

  // Stores the bounds and recomputes every parameter's midpoints and cumulative fractions from them
  // and the percentages. Midpoints and fractions are accumulated step by step (m + h, s + p/100),
  // not computed from the class number, so that they carry the rounding of the upward mode.
  void VerteilungenVorbereiten(const Parameterwerte &min, const Parameterwerte &max);

  void ZufallInitialisieren() { Zufall.ZufallInitialisieren(); }

  // One generator step; the midpoint of the first class whose cumulative fraction is not below the
  // draw, or 0 when the percentages end below the draw.
  Extended KlasseZiehen(Parameter p);

  Extended VkwStichprobe() const;
  // Writes the probability-weighted means into Stichprobe and returns their market value.
  Extended VkwGewichtetBerechnen();
  Extended VkwMinBerechnen() const;
  Extended VkwMaxBerechnen() const;

  // The shape of parameter p if it still gives the bounds of the last preparation and the current
  // percentages; otherwise none.
  std::optional<FormAngabe> GueltigeForm(Parameter p) const;
};

// One parameter's preparation: midpoints from the bounds and cumulative fractions from the
// percentages, both accumulated step by step (m + h, s + p/100) under the program's rounding mode.
void TabelleVorbereiten(TParamVerteilung &verteilung, Extended min, Extended max);

// The sum of ten percentages as the distribution editor checks it: added in class order, starting
// from 0, in the program's arithmetic. A table passes when this is exactly 100.
Extended ProzentSumme(const Klassenwerte &prozent);

// The index of the class a draw x falls into (0..9), or -1 when x lies above Kumuliert[9].
int KlassenIndex(const TParamVerteilung &verteilung, Extended x);

} // namespace kwt
