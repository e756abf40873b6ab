#include "Variantenvergleich.h"

#include <cmath>
#include <limits>

#include "Bewertungsmodell.h"
#include "ExakteAuswertung.h"
#include "W32_CLC.h"

namespace kwt {

namespace {

std::string Text(Extended x) {
  if (!std::isfinite(x)) return "–";
  return ZahlFormatieren(0, true, true, x, false);
}

} // namespace

ExakteVerteilung VarianteBerechnen(const Parameterwerte &min, const Parameterwerte &max,
                                   const std::array<Klassenwerte, ParameterAnzahl> &prozent) {
  Bewertungsmodell modell;
  for (Parameter p : AlleParameter) modell.Verteilungen[p].Prozent = prozent[p];
  modell.VerteilungenVorbereiten(min, max);
  return ExakteVerteilungBerechnen(modell.Verteilungen);
}

Variantenvergleich VariantenVergleichen(const ExakteVerteilung &a, const ExakteVerteilung &b) {
  Variantenvergleich v;
  for (std::size_t z = 0; z < ExakteKennzahlen.size(); ++z) {
    const ExakteKennzahlEintrag &e = ExakteKennzahlen[z];
    Variantenzeile &zeile = v.Zeilen[z];
    zeile.Art = e.Art;
    zeile.Beschriftung = e.Beschriftung;
    zeile.A = a.Kennzahl(e.Art);
    zeile.B = b.Kennzahl(e.Art);
    zeile.Differenz = zeile.B - zeile.A;
    zeile.AText = Text(zeile.A);
    zeile.BText = Text(zeile.B);
    zeile.DifferenzText = Text(zeile.Differenz);
    zeile.DifferenzProzentText =
        zeile.A != 0 && std::isfinite(zeile.Differenz)
            ? ZahlFormatieren(3, true, true, zeile.Differenz / zeile.A * 100, false) + " %"
            : "–";
  }

  if (a.Leer() || b.Leer()) {
    v.BHoeher = v.Gleich = v.BNiedriger = std::numeric_limits<Extended>::quiet_NaN();
  } else {
    // For each value of B: its mass times A's mass below it, and times A's mass at it.
    Produktmasse hoeher, gleich;
    Masse aDarunter;
    std::size_t i = 0;
    const auto &aWerte = a.Werte, &bWerte = b.Werte;
    const auto &aMassen = a.WertMassen(), &bMassen = b.WertMassen();
    for (std::size_t j = 0; j < bWerte.size(); ++j) {
      while (i < aWerte.size() && aWerte[i].Wert < bWerte[j].Wert) aDarunter += aMassen[i++];
      hoeher += Produkt(bMassen[j], aDarunter);
      if (i < aWerte.size() && aWerte[i].Wert == bWerte[j].Wert) gleich += Produkt(bMassen[j], aMassen[i]);
    }
    const Produktmasse alle = Produkt(a.Gesamtmasse(), b.Gesamtmasse());
    Produktmasse niedriger = alle;
    niedriger -= hoeher;
    niedriger -= gleich;
    v.BHoeher = Anteil(hoeher, alle);
    v.Gleich = Anteil(gleich, alle);
    v.BNiedriger = Anteil(niedriger, alle);
  }
  v.BHoeherText = ProzentText(v.BHoeher);
  v.GleichText = ProzentText(v.Gleich);
  v.BNiedrigerText = ProzentText(v.BNiedriger);
  return v;
}

} // namespace kwt
