#include "Stichprobengenauigkeit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "Binomialrang.h"
#include "Preisschwellen.h"
#include "W32_CLC.h"

namespace kwt {

namespace {

constexpr Extended KeineZahl = std::numeric_limits<Extended>::quiet_NaN();
constexpr std::array<Extended, 3> Genauigkeiten{0.01L, 0.005L, 0.001L};
constexpr std::array<const char *, 3> GenauigkeitTexte{"±1 %", "±0,5 %", "±0,1 %"};

std::string Ganzzahl(Extended x) {
  if (!std::isfinite(x)) return "–";
  return ZahlFormatieren(0, true, true, x, false);
}

} // namespace

Extended Normalquantil975() {
  static const Extended z = binomialrang::NormalQuantil(0.975);
  return z;
}

Stichprobengenauigkeit GenauigkeitBerechnen(std::span<const double> werte) {
  Stichprobengenauigkeit g;
  g.Umfang = static_cast<std::int64_t>(werte.size());
  const auto n = static_cast<Extended>(werte.size());
  g.Mittelwert = g.Standardabweichung = g.Standardfehler = g.MittelUnten = g.MittelOben = KeineZahl;
  g.MedianUnten = g.MedianOben = std::numeric_limits<double>::quiet_NaN();
  g.MedianNiveau = KeineZahl;
  for (std::size_t i = 0; i < g.Bedarf.size(); ++i) {
    g.Bedarf[i].Genauigkeit = Genauigkeiten[i];
    g.Bedarf[i].GenauigkeitText = GenauigkeitTexte[i];
    g.Bedarf[i].Versuche = KeineZahl;
  }
  if (!werte.empty()) {
    // Stored values stay below 2^63 in magnitude: 10^5 of them and their squares cannot overflow.
    Extended summe = 0;
    for (double w : werte) summe += w;
    g.Mittelwert = summe / n;
  }
  if (werte.size() >= 2) {
    Extended quadrate = 0;
    for (double w : werte) quadrate += (w - g.Mittelwert) * (w - g.Mittelwert);
    g.Standardabweichung = std::sqrt(quadrate / (n - 1));
    g.Standardfehler = g.Standardabweichung / std::sqrt(n);
    const Extended z = Normalquantil975();
    g.MittelUnten = g.Mittelwert - z * g.Standardfehler;
    g.MittelOben = g.Mittelwert + z * g.Standardfehler;
    for (Versuchsbedarf &b : g.Bedarf) {
      if (g.Mittelwert == 0) continue;
      const Extended wurzel = z * g.Standardabweichung / (b.Genauigkeit * std::fabs(g.Mittelwert));
      // At least one trial; rounding up under the program's mode takes a started trial as a whole one.
      b.Versuche = std::max<Extended>(1, std::ceil(wurzel * wurzel));
    }
  }

  const binomialrang::MedianRaenge r = binomialrang::MedianRaengeBerechnen(g.Umfang, 0.95);
  if (r.Unten > 0) {
    std::vector<double> sortiert(werte.begin(), werte.end());
    const auto unten = sortiert.begin() + (r.Unten - 1), oben = sortiert.begin() + (r.Oben - 1);
    std::nth_element(sortiert.begin(), oben, sortiert.end());
    std::nth_element(sortiert.begin(), unten, oben);
    g.RangUnten = r.Unten;
    g.RangOben = r.Oben;
    g.MedianUnten = *unten;
    g.MedianOben = *oben;
    g.MedianNiveau = r.Niveau;
  }

  g.StandardfehlerText = std::isfinite(g.Standardfehler) ? BetragText(std::ceil(g.Standardfehler)) : "–";
  g.MittelIntervallText = std::isfinite(g.MittelUnten)
                              ? BetragText(std::floor(g.MittelUnten)) + " bis " + BetragText(std::ceil(g.MittelOben))
                              : "–";
  if (g.RangUnten > 0) {
    g.MedianIntervallText = BetragText(g.MedianUnten) + " bis " + BetragText(g.MedianOben);
    g.MedianRaengeText = Ganzzahl(static_cast<Extended>(g.RangUnten)) + ". und " +
                         Ganzzahl(static_cast<Extended>(g.RangOben)) + ". von " + Ganzzahl(n) + " sortierten Werten";
    g.MedianNiveauText = ZahlFormatieren(1, true, true, std::floor(g.MedianNiveau * 1000) / 10, false) + " %";
  } else {
    g.MedianIntervallText = werte.empty() ? "–" : "– (erst ab 6 Werten)";
    g.MedianNiveauText = "–";
  }
  for (Versuchsbedarf &b : g.Bedarf) b.VersucheText = Ganzzahl(b.Versuche);

  g.StandardfehlerSatz = "Standardfehler des Mittelwerts: " + g.StandardfehlerText +
                         " (95 %-Intervall des Mittelwerts: " + g.MittelIntervallText + ")";
  g.MedianSatz = "95 %-Intervall des Medians: " + g.MedianIntervallText;
  if (g.RangUnten > 0) g.MedianSatz += " (" + g.MedianRaengeText + ", mindestens " + g.MedianNiveauText + ")";
  std::string genauigkeiten, versuche;
  for (std::size_t i = 0; i < g.Bedarf.size(); ++i) {
    genauigkeiten += (i ? " / " : "") + g.Bedarf[i].GenauigkeitText;
    versuche += (i ? " / " : "") + g.Bedarf[i].VersucheText;
  }
  g.BedarfSatz = "Versuche für den Mittelwert auf " + genauigkeiten + " genau (95 %): " + versuche;
  return g;
}

} // namespace kwt
