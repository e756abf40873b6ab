#include "Restnutzungsdauer.h"

#include <algorithm>

#include "W32_CLC.h"

namespace kwt {

namespace {

// ImmoWertV 2021, Anlage 2, Tabelle 3: "Angabe der Variablen a, b, c und des relativen Alters für die
// Anwendung der Formel zur Ermittlung der Restnutzungsdauer" (BGBl. I 2021, 2821), row by row.
const std::array<ModernisierungsZeile, 21> tabelle3{{
    {0, 1.2500L, 2.6250L, 1.5250L, 60},  {1, 1.2500L, 2.6250L, 1.5250L, 60},  {2, 1.0767L, 2.2757L, 1.3878L, 55},
    {3, 0.9033L, 1.9263L, 1.2505L, 55},  {4, 0.7300L, 1.5770L, 1.1133L, 40},  {5, 0.6725L, 1.4578L, 1.0850L, 35},
    {6, 0.6150L, 1.3385L, 1.0567L, 30},  {7, 0.5575L, 1.2193L, 1.0283L, 25},  {8, 0.5000L, 1.1000L, 1.0000L, 20},
    {9, 0.4660L, 1.0270L, 0.9906L, 19},  {10, 0.4320L, 0.9540L, 0.9811L, 18}, {11, 0.3980L, 0.8810L, 0.9717L, 17},
    {12, 0.3640L, 0.8080L, 0.9622L, 16}, {13, 0.3300L, 0.7350L, 0.9528L, 15}, {14, 0.3040L, 0.6760L, 0.9506L, 14},
    {15, 0.2780L, 0.6170L, 0.9485L, 13}, {16, 0.2520L, 0.5580L, 0.9463L, 12}, {17, 0.2260L, 0.4990L, 0.9442L, 11},
    {18, 0.2000L, 0.4400L, 0.9420L, 10}, {19, 0.2000L, 0.4400L, 0.9420L, 10}, {20, 0.2000L, 0.4400L, 0.9420L, 10},
}};

// Anlage 2, Tabelle 2: "Ermittlung des Modernisierungsgrades".
const std::array<Modernisierungsgrad, 5> tabelle2{{
    {"nicht modernisiert", 0, 1},
    {"kleine Modernisierungen im Rahmen der Instandhaltung", 2, 5},
    {"mittlerer Modernisierungsgrad", 6, 10},
    {"überwiegend modernisiert", 11, 17},
    {"umfassend modernisiert", 18, 20},
}};

constexpr int PunkteHoechstens = 20;

} // namespace

const std::array<ModernisierungsZeile, 21> &Anlage2Tabelle3() { return tabelle3; }
const std::array<Modernisierungsgrad, 5> &Anlage2Tabelle2() { return tabelle2; }

const Modernisierungsgrad &ModernisierungsgradVon(int punkte) {
  for (const Modernisierungsgrad &g : tabelle2)
    if (punkte >= g.PunkteVon && punkte <= g.PunkteBis) return g;
  return punkte < 0 ? tabelle2.front() : tabelle2.back();
}

Extended RestnutzungsdauerModernisiert(Extended gnd, Extended alter, int punkte) {
  const ModernisierungsZeile &z = tabelle3[static_cast<std::size_t>(std::clamp(punkte, 0, PunkteHoechstens))];
  const Extended a = std::min(alter, gnd);
  // "ab einem relativen Alter von": Alter / GND · 100 % at or above the row's per cent.
  if (Mal(a, 100) < Mal(z.RelativesAlterAb, gnd)) return Minus(gnd, a);
  return Plus(Minus(Durch(Mal(z.A, Mal(a, a)), gnd), Mal(z.B, a)), Mal(z.C, gnd));
}

RndModellErgebnis RndGrenzenBerechnen(const RndModellEingabe &e) {
  if (!(e.Gnd > 0)) throw RndModellFehler("GND muss größer als 0 sein.", RndModellFeld::Gnd);
  if (!(e.Alter >= 0)) throw RndModellFehler("Das Alter darf nicht negativ sein.", RndModellFeld::Alter);
  if (e.PunkteVon < 0 || e.PunkteVon > PunkteHoechstens) {
    throw RndModellFehler("Die Punkte „von“ müssen zwischen 0 und 20 liegen.", RndModellFeld::PunkteVon);
  }
  if (e.PunkteBis < 0 || e.PunkteBis > PunkteHoechstens) {
    throw RndModellFehler("Die Punkte „bis“ müssen zwischen 0 und 20 liegen.", RndModellFeld::PunkteBis);
  }
  if (e.PunkteVon > e.PunkteBis) {
    throw RndModellFehler("Die Punkte „von“ dürfen nicht über den Punkten „bis“ liegen.", RndModellFeld::PunkteVon);
  }
  RndModellErgebnis r;
  r.AlterUeberGnd = e.Alter > e.Gnd;
  for (int p = e.PunkteVon; p <= e.PunkteBis; ++p) {
    const Extended rnd = AufDezimalenRunden(RestnutzungsdauerModernisiert(e.Gnd, e.Alter, p), 2);
    if (p == e.PunkteVon || rnd < r.Min) r.Min = rnd;
    if (p == e.PunkteVon || rnd > r.Max) r.Max = rnd;
  }
  return r;
}

} // namespace kwt
