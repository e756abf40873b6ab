#include "Wertebereiche.h"

#include <cmath>

#include "Preisschwellen.h"

namespace kwt {

std::array<Wertebereich, 2> WertebereicheBerechnen(const ExakteVerteilung &exakt) {
  std::array<Wertebereich, 2> bereiche{{{80, 0.10L, 0.90L, 0, 0, {}}, {90, 0.05L, 0.95L, 0, 0, {}}}};
  for (Wertebereich &b : bereiche) {
    const std::string anteil = "Mit " + std::to_string(b.Prozent) + " % Wahrscheinlichkeit ";
    b.Unten = exakt.Quantil(b.PUnten);
    b.Oben = exakt.Quantil(b.POben);
    if (exakt.Leer()) {
      b.Satz = "Kein Wertebereich: keine Klassenkombination ist berechenbar.";
    } else if (b.Unten == b.Oben) {
      b.Satz = anteil + "beträgt der Ertragswert " + BetragText(b.Unten) + ".";
    } else {
      b.Satz = anteil + "liegt der Ertragswert zwischen " + BetragText(b.Unten) + " und " + BetragText(b.Oben) + ".";
    }
  }
  return bereiche;
}

} // namespace kwt
