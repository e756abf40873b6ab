// The preset distributions: six fixed rows of ten percentages (each summing to exactly 100), the
// six presets of the main window's menu "&Verteilungen" (all five parameters at once, the two skewed
// ones oriented per parameter) and the five rows of the distribution editor's buttons.
#pragma once

#include <array>

#include "Bewertungsmodell.h"

namespace kwt {

enum class Zeile { Normal, Steigend, Fallend, Gleich, Einpunkt, Zweipunkt };

const Klassenwerte &ZeilenWerte(Zeile zeile);

enum class MenuVoreinstellung {
  Normalverteilung,
  LinksschiefeVerteilung,
  RechtsschiefeVerteilung,
  Gleichverteilung,
  Einpunktverteilung,
  Zweipunktverteilung,
};

struct MenuEintrag {
  MenuVoreinstellung Voreinstellung;
  const char *Beschriftung; // UTF-8, as the menu shows it
  const char *Objektname;
  const char *Kuerzel; // the command line's name
  bool TrennerDavor;
  std::array<Zeile, ParameterAnzahl> Zeilen; // LZ, RND, RO, BWK, BO
};

// In menu order.
const std::array<MenuEintrag, 6> &MenuVoreinstellungen();
const MenuEintrag &MenuEintragVon(MenuVoreinstellung voreinstellung);

// Overwrites the percentages of all five tables and drops their shapes; midpoints, fractions and
// bounds stay.
void MenuVoreinstellungAnwenden(Bewertungsmodell &modell, MenuVoreinstellung voreinstellung);

struct DialogEintrag {
  const char *Beschriftung;
  const char *Objektname;
  Zeile Reihe;
};

// In the order of the editor's button bar: Linksschief, Normal, Rechtsschief, Gleichverteilt, Einpunkt.
const std::array<DialogEintrag, 5> &DialogVoreinstellungen();

} // namespace kwt
