// kwt-mc --exakt: the exact distribution of the run's tables, the run's sample beside it, the
// combinations that cannot be computed and the tornado, as a text block and as the JSON object
// "exakt".
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

namespace kwt::cli {

struct ExaktErgebnis {
  std::optional<ExakteVerteilung> Verteilung;
  StichprobenVergleich Vergleich; // Umfang 0 when the run completed no trial
  std::string Fehler;             // when the class tables cannot be prepared from the bounds
};

// The tables are prepared from the bounds on a copy of the model, as the run prepared them.
ExaktErgebnis ExaktBerechnen(const Bewertungsmodell &modell, const Parameterwerte &min, const Parameterwerte &max,
                             const Laufergebnis &lauf);

void ExaktTextAusgeben(std::ostream &aus, const ExaktErgebnis &ergebnis);
nlohmann::ordered_json ExaktJson(const ExaktErgebnis &ergebnis);

} // namespace kwt::cli
