// The remaining life (RND) of a residential building after modernisation, by the model that the
// Immobilienwertermittlungsverordnung of 14 July 2021 (ImmoWertV 2021, BGBl. I S. 2805) prescribes
// in its Anlage 2, "Modell zur Ermittlung der Restnutzungsdauer von Wohngebäuden bei
// Modernisierungen" (BGBl. I 2021, 2820-2821):
//
//   RND = a · Alter² / GND − b · Alter + c · GND
//
// with the coefficients a, b, c of its Tabelle 3 for the building's modernisation points (0 to 20),
// applied from the relative age (Alter / GND · 100 %) that Tabelle 3 gives for those points on;
// below it RND = GND − Alter. The model stretches the remaining life to at most 70 % of the total
// life GND: at an age equal to GND, 18 to 20 points give 0.702 · GND.
//
// The regulation leaves open an age beyond the total life. Its formula describes ages up to GND:
// every row of Tabelle 3 is a parabola whose lowest point lies between 1.05 and 1.10 GND, after
// which it rises again (with 0 points an age of twice GND would give 1.275 · GND). The program
// counts an age beyond GND as GND: such a building keeps the remaining life the model gives at the
// end of its total life for its points, so the remaining life never grows with age.
//
// A valuer rarely knows the points to one; the program takes a range of points and gives the
// lowest and highest remaining life over it as the bounds of RND, rounded to the two decimals of the
// bound fields.
#pragma once

#include <array>
#include <string>

#include "Gleitkomma.h"

namespace kwt {

// One row of Tabelle 3.
struct ModernisierungsZeile {
  int Punkte;
  Extended A, B, C;
  int RelativesAlterAb; // per cent
};
const std::array<ModernisierungsZeile, 21> &Anlage2Tabelle3();

// Tabelle 2: the modernisation degree a valuer can estimate instead of counting points.
struct Modernisierungsgrad {
  const char *Name;
  int PunkteVon, PunkteBis;
};
const std::array<Modernisierungsgrad, 5> &Anlage2Tabelle2();
// The degree of a point total (0..20).
const Modernisierungsgrad &ModernisierungsgradVon(int punkte);

// The remaining life for one point total, unrounded, in the program's arithmetic; an age beyond
// GND counts as GND. Expects GND > 0, Alter >= 0 and 0 <= punkte <= 20.
Extended RestnutzungsdauerModernisiert(Extended gnd, Extended alter, int punkte);

struct RndModellEingabe {
  Extended Gnd = 80;
  Extended Alter = 50;
  int PunkteVon = 2;
  int PunkteBis = 5;

  friend bool operator==(const RndModellEingabe &, const RndModellEingabe &) = default;
};

// The entry the message names, in the dialog's order.
enum class RndModellFeld { Gnd, Alter, PunkteVon, PunkteBis };

class RndModellFehler : public Fehler {
public:
  RndModellFehler(const std::string &meldung, RndModellFeld feld) : Fehler(meldung), Feld(feld) {}
  RndModellFeld Feld;
};

struct RndModellErgebnis {
  Extended Min = 0; // the lowest and highest remaining life over the points, two decimals
  Extended Max = 0;
  bool AlterUeberGnd = false; // the age was counted as GND
};

// Throws RndModellFehler (German, naming the entry) for a GND not above 0, a negative age, points
// outside 0..20 or "von" above "bis".
RndModellErgebnis RndGrenzenBerechnen(const RndModellEingabe &eingabe);

} // namespace kwt
