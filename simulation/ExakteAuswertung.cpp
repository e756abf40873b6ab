#include "ExakteAuswertung.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "W32_CLC.h"

namespace kwt {

namespace {

constexpr Extended KeineZahl = std::numeric_limits<Extended>::quiet_NaN();

// A figure as the window shows its own, or a dash where there is none.
std::string Text(Extended x, int dezimalen) {
  if (!std::isfinite(x)) return "–";
  return ZahlFormatieren(dezimalen, true, true, x, false);
}

// The smallest sample value v with (values <= v) / n >= p: the T-th smallest, T = ceil(p n).
double StichprobenQuantil(const std::vector<double> &sortiert, Extended p) {
  const Masse t = Schwelle(p, Masse(sortiert.size()));
  const std::uint64_t k = std::max<std::uint64_t>(t.Teil[0], 1);
  return sortiert[static_cast<std::size_t>(k - 1)];
}

} // namespace

std::string ProzentText(Extended p) {
  if (!std::isfinite(p)) return "–";
  const std::string text = ZahlFormatieren(4, true, true, p * 100, false);
  if (p > 0 && text == "0,0000") return "< 0,0001 %";
  return text + " %";
}

StichprobenVergleich StichprobeVergleichen(const ExakteVerteilung &exakt, std::span<const double> werte) {
  StichprobenVergleich v;
  v.Umfang = static_cast<std::int64_t>(werte.size());
  std::vector<double> sortiert(werte.begin(), werte.end());
  std::sort(sortiert.begin(), sortiert.end());
  const std::size_t n = sortiert.size();

  Extended mittel = KeineZahl, abweichung = KeineZahl;
  if (n > 0) {
    // Added in the given (trial) order, as the run adds its stored values for its mean.
    Extended summe = 0;
    for (double w : werte) summe = Plus(summe, w);
    mittel = Durch(summe, static_cast<Extended>(n));
    Extended quadrate = 0;
    for (double w : werte) quadrate = Plus(quadrate, Mal(w - mittel, w - mittel));
    abweichung = std::sqrt(Durch(quadrate, static_cast<Extended>(n)));
  }

  for (std::size_t z = 0; z < ExakteKennzahlen.size(); ++z) {
    const ExakteKennzahlEintrag &e = ExakteKennzahlen[z];
    Vergleichszeile &zeile = v.Zeilen[z];
    zeile.Art = e.Art;
    zeile.Beschriftung = e.Beschriftung;
    zeile.Exakt = exakt.Kennzahl(e.Art);
    zeile.Stichprobe = KeineZahl;
    if (n > 0) {
      switch (e.Art) {
      case ExakteKennzahl::Mittelwert: zeile.Stichprobe = mittel; break;
      case ExakteKennzahl::Standardabweichung: zeile.Stichprobe = abweichung; break;
      default: zeile.Stichprobe = StichprobenQuantil(sortiert, e.P); break;
      }
    }
    zeile.Differenz = zeile.Stichprobe - zeile.Exakt;
    zeile.ExaktText = Text(zeile.Exakt, 0);
    if (n > 0) {
      zeile.StichprobeText = Text(zeile.Stichprobe, 0);
      zeile.DifferenzText = Text(zeile.Differenz, 0);
      zeile.DifferenzProzentText =
          zeile.Exakt != 0 && std::isfinite(zeile.Differenz) ? Text(zeile.Differenz / zeile.Exakt * 100, 3) + " %" : "–";
    }
  }

  if (n > 0 && !exakt.Leer()) {
    // Both curves are steps; between two neighbouring values of either they are constant, so the
    // largest distance is found at the values themselves.
    std::size_t i = 0, j = 0;
    Extended f = 0;
    const auto &w = exakt.Werte;
    while (i < n || j < w.size()) {
      const double x = j == w.size() || (i < n && sortiert[i] < w[j].Wert) ? sortiert[i] : w[j].Wert;
      while (i < n && sortiert[i] <= x) ++i;
      while (j < w.size() && w[j].Wert <= x) f = w[j++].Kumuliert;
      const Extended abstand = std::fabs(static_cast<Extended>(i) / n - f);
      if (abstand > v.KsAbstand) {
        v.KsAbstand = abstand;
        v.KsStelle = x;
      }
    }
    v.KsGrenze = 1.358L / std::sqrt(static_cast<Extended>(n));
    v.KsAbstandText = Text(v.KsAbstand, 4);
    v.KsStelleText = Text(v.KsStelle, 0);
    v.KsGrenzeText = Text(v.KsGrenze, 4);
  }
  return v;
}

StichprobenVergleich StichprobeVergleichen(const ExakteVerteilung &exakt, const Laufergebnis &lauf) {
  return StichprobeVergleichen(exakt, lauf.GespeicherteWerte());
}

std::vector<TornadoZeile> TornadoZeilen(const ExakteVerteilung &exakt) {
  std::vector<TornadoZeile> zeilen;
  for (const Empfindlichkeit &s : exakt.Tornado) {
    TornadoZeile z;
    z.Param = s.Param;
    z.Name = ParameterBezeichnung[s.Param];
    const auto klasse = [](int k, Extended mitte) {
      return k < 0 ? std::string("–") : "Klasse " + std::to_string(k + 1) + ": " + Text(mitte, 2);
    };
    z.KlasseTief = klasse(s.KlasseTief, s.MitteTief);
    z.KlasseHoch = klasse(s.KlasseHoch, s.MitteHoch);
    z.MittelTief = s.MittelTief;
    z.MittelHoch = s.MittelHoch;
    z.Spanne = s.Spanne;
    z.MittelTiefText = Text(s.MittelTief, 0);
    z.MittelHochText = Text(s.MittelHoch, 0);
    z.SpanneText = Text(s.Spanne, 0);
    zeilen.push_back(z);
  }
  return zeilen;
}

std::vector<FehlerZeile> FehlerZeilen(const ExakteVerteilung &exakt) {
  std::vector<FehlerZeile> zeilen;
  for (const ExakterFehler &f : exakt.Fehler) {
    zeilen.push_back({f.Meldung, ProzentText(f.Wahrscheinlichkeit), Text(f.Kombinationen, 0)});
  }
  return zeilen;
}

} // namespace kwt
