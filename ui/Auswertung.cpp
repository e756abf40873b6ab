#include "Auswertung.h"

#include <algorithm>

#include "W32_CLC.h"

namespace kwt {

namespace {

std::string Ganzzahl(Extended x) { return ZahlFormatieren(0, true, true, x, false); }

} // namespace

bool GleicheZiehung(const Verteilungstabellen &a, const Verteilungstabellen &b) {
  for (Parameter p : AlleParameter) {
    if (a[p].Mitte != b[p].Mitte || a[p].Kumuliert != b[p].Kumuliert) return false;
  }
  return true;
}

std::vector<Kurvenpunkt> StichprobenKurve(std::span<const double> werte, std::size_t hoechstens) {
  std::vector<Kurvenpunkt> punkte;
  if (werte.empty() || hoechstens < 2) return punkte;
  std::vector<double> sortiert(werte.begin(), werte.end());
  std::sort(sortiert.begin(), sortiert.end());
  const Extended n = static_cast<Extended>(sortiert.size());
  const auto tausend = [](Extended x) { return static_cast<double>(x / 1000); };
  const auto anteilBis = [&](Extended x) {
    const auto bis = std::upper_bound(sortiert.begin(), sortiert.end(), x,
                                      [](Extended a, double b) { return a < static_cast<Extended>(b); });
    return static_cast<double>(static_cast<Extended>(bis - sortiert.begin()) / n);
  };
  std::vector<double> werteEinzeln(sortiert);
  werteEinzeln.erase(std::unique(werteEinzeln.begin(), werteEinzeln.end()), werteEinzeln.end());
  if (2 * werteEinzeln.size() <= hoechstens) {
    double davor = 0;
    for (double w : werteEinzeln) {
      const double bis = anteilBis(w);
      punkte.push_back({tausend(w), davor});
      punkte.push_back({tausend(w), bis});
      davor = bis;
    }
    return punkte;
  }
  const Extended von = sortiert.front(), bis = sortiert.back();
  for (std::size_t j = 0; j < hoechstens; ++j) {
    const Extended x = j + 1 == hoechstens ? bis : von + (bis - von) * j / (hoechstens - 1);
    punkte.push_back({tausend(x), anteilBis(x)});
  }
  return punkte;
}

Auswertung AuswertungBerechnen(const Bewertungsmodell &modell, const Parameterwerte &min, const Parameterwerte &max,
                               const Laufergebnis &lauf, bool laufGeht) {
  Auswertung a;
  a.Min = min;
  a.Max = max;
  Bewertungsmodell kopie = modell;
  kopie.VerteilungenVorbereiten(min, max);
  a.Tabellen = kopie.Verteilungen;
  a.Exakt = ExakteVerteilungBerechnen(a.Tabellen);
  const std::size_t werte = a.Exakt.Werte.size();
  a.KopfText = Ganzzahl(static_cast<Extended>(werte)) + (werte == 1 ? " Wert aus " : " Werte aus ") +
               Ganzzahl(static_cast<Extended>(a.Exakt.Kombinationen)) +
               (a.Exakt.Kombinationen == 1 ? " Klassenkombination" : " Klassenkombinationen");
  a.ExakteKurve = a.Exakt.Kurve();

  if (laufGeht) {
    a.Stand = StichprobenStand::LaufGeht;
    a.StandText = "Ein Lauf ist im Gange; seine Stichprobe steht nach seinem Ende neben den exakten Zahlen.";
  } else if (!lauf.Tabellen) {
    a.Stand = lauf.AktVersuch > 0 ? StichprobenStand::LaufFehler : StichprobenStand::KeinLauf;
    a.StandText = lauf.AktVersuch > 0
                      ? "Der letzte Lauf endete mit einem Fehler; seine Werte werden nicht verglichen."
                      : "Noch keine Stichprobe: nach einem Lauf („Berechnen“) stehen ihre Zahlen neben den exakten.";
  } else if (!GleicheZiehung(*lauf.Tabellen, a.Tabellen)) {
    a.Stand = StichprobenStand::AndereTabellen;
    a.StandText = "Grenzen oder Verteilungen wurden seit dem letzten Lauf geändert; seine Stichprobe gehört zu "
                  "anderen Eingaben und wird nicht verglichen.";
  } else {
    a.Stand = StichprobenStand::Vergleichbar;
    a.Vergleich = StichprobeVergleichen(a.Exakt, lauf);
    a.StandText = "Stichprobe des letzten Laufs: " + Ganzzahl(static_cast<Extended>(a.Vergleich.Umfang)) +
                  " gespeicherte Versuche (aufgerundete Werte)";
    if (lauf.AktVersuch > a.Vergleich.Umfang) a.StandText += ", die ersten von " + Ganzzahl(lauf.AktVersuch);
    a.StandText += ".";
    a.StichprobenKurve = StichprobenKurve(lauf.GespeicherteWerte());
  }
  if (a.Stand != StichprobenStand::Vergleichbar) a.Vergleich = ExakteZeilen(a.Exakt);
  return a;
}

} // namespace kwt
