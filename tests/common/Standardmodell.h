// The model a test starts from: as the main window has it after start-up ("Normalverteilung" for all
// five parameters), and with its class tables prepared from the default bounds, as a "Verteilung"
// button or the start of a run prepares them.
#pragma once

#include "Bewertungsmodell.h"
#include "Standardwerte.h"

namespace kwt::test {

inline Bewertungsmodell Standardmodell() {
  Bewertungsmodell m;
  MenuVoreinstellungAnwenden(m, StandardVoreinstellung);
  return m;
}

inline Bewertungsmodell VorbereitetesStandardmodell() {
  Bewertungsmodell m = Standardmodell();
  m.VerteilungenVorbereiten(StandardMin, StandardMax);
  return m;
}

} // namespace kwt::test
