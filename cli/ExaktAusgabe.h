// kwt-mc --exakt: the exact distribution of the run's tables, the run's sample beside it, the
// central ranges, the price thresholds (--schwelle), the combinations that cannot be computed, the
// tornado and the variance shares, as a text block and as the JSON object "exakt".
//
// JSON: every figure comes as a number and as the display string the program shows ("..._text").
// The numbers are the extended values converted to double under the program's upward rounding;
// a reader parsing them with round-to-nearest gets exactly those doubles. Figures that do not exist
// (nothing computable, no sample) are null. Class numbers count from 1, as the valuer counts them.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "Bewertungsmodell.h"
#include "ExakteAuswertung.h"
#include "Preisschwellen.h"
#include "Sobolindizes.h"
#include "Wertebereiche.h"

namespace kwt::cli {

struct ExaktErgebnis {
  std::optional<ExakteVerteilung> Verteilung;
  StichprobenVergleich Vergleich; // Umfang 0 when the run completed no trial
  std::array<Wertebereich, 2> Bereiche{};
  std::vector<Preisschwelle> Schwellen;
  std::array<Sobolindex, ParameterAnzahl> Sobol{};
  std::string Fehler; // when the class tables cannot be prepared from the bounds
};

// The tables are prepared from the bounds on a copy of the model, as the run prepared them.
ExaktErgebnis ExaktBerechnen(const Bewertungsmodell &modell, const Parameterwerte &min, const Parameterwerte &max,
                             const Laufergebnis &lauf, const std::vector<Extended> &schwellen = {});

// The thresholds as text lines and as JSON entries, also for each variant of a comparison.
void SchwellenTextAusgeben(std::ostream &aus, const std::vector<Preisschwelle> &schwellen, bool mitStichprobe);
nlohmann::ordered_json SchwelleJson(const Preisschwelle &s, bool mitStichprobe);

void ExaktTextAusgeben(std::ostream &aus, const ExaktErgebnis &ergebnis);
nlohmann::ordered_json ExaktJson(const ExaktErgebnis &ergebnis);

} // namespace kwt::cli
