#include "Preisschwellen.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ExakteAuswertung.h"
#include "W32_CLC.h"

namespace kwt {

std::string BetragText(Extended betrag) {
  if (!std::isfinite(betrag)) return "–";
  const bool ganz = std::trunc(betrag) == betrag;
  return ZahlFormatieren(ganz ? 0 : 2, true, true, betrag, false) + " €";
}

Preisschwelle PreisschwelleBerechnen(const ExakteVerteilung &exakt, std::span<const double> sortiert, Extended betrag) {
  Preisschwelle s;
  s.Betrag = betrag;
  s.BetragText = BetragText(betrag);
  s.ExaktUnter = exakt.AnteilUnter(betrag);
  s.ExaktAb = exakt.AnteilAb(betrag);
  s.ExaktUnterText = ProzentText(s.ExaktUnter);
  s.ExaktAbText = ProzentText(s.ExaktAb);
  s.StichprobeUnter = s.StichprobeAb = std::numeric_limits<Extended>::quiet_NaN();
  if (!sortiert.empty() && !std::isnan(betrag)) {
    const auto unter = std::lower_bound(sortiert.begin(), sortiert.end(), betrag,
                                        [](double w, Extended x) { return static_cast<Extended>(w) < x; }) -
                       sortiert.begin();
    const auto n = static_cast<Extended>(sortiert.size());
    s.StichprobeUnter = static_cast<Extended>(unter) / n;
    s.StichprobeAb = static_cast<Extended>(static_cast<Extended>(sortiert.size()) - unter) / n;
    s.StichprobeUnterText = ProzentText(s.StichprobeUnter);
    s.StichprobeAbText = ProzentText(s.StichprobeAb);
  }
  return s;
}

} // namespace kwt
