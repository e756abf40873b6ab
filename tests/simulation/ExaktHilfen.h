// What the tests of the exact distribution share: models prepared from bounds and a preset or rows,
// every combination counted out through the trial's own formula, and a table that always draws one
// class.
#pragma once

#include <map>
#include <string>

#include "ExakteVerteilung.h"
#include "Ertragswert.h"
#include "Standardwerte.h"

namespace kwt::test {

inline Bewertungsmodell Modell(const Parameterwerte &min, const Parameterwerte &max,
                        MenuVoreinstellung voreinstellung = StandardVoreinstellung) {
  Bewertungsmodell m;
  MenuVoreinstellungAnwenden(m, voreinstellung);
  m.VerteilungenVorbereiten(min, max);
  return m;
}

inline Bewertungsmodell Modell(const Parameterwerte &min, const Parameterwerte &max,
                        const std::array<Klassenwerte, ParameterAnzahl> &prozent) {
  Bewertungsmodell m;
  for (Parameter p : AlleParameter) m.Verteilungen[p].Prozent = prozent[p];
  m.VerteilungenVorbereiten(min, max);
  return m;
}

// Every combination of outcomes through the trial's own formula (Ertragswert in one piece) and its
// rounding for the store, with the probability multiplied out: the reference for the values, the
// probabilities and the messages, independent of the pairing, sorting and exact sums.
struct Durchgezaehlt {
  std::map<double, Extended> werte; // unconditional probabilities
  std::map<std::string, std::pair<Extended, std::int64_t>> fehler;
};

inline Durchgezaehlt Durchzaehlen(const Bewertungsmodell &m) {
  std::array<KlassenZustaende, ParameterAnzahl> z;
  for (Parameter p : AlleParameter) z[p] = KlassenZustaendeZaehlen(m.Verteilungen[p]);
  Durchgezaehlt d;
  std::array<int, ParameterAnzahl> k{};
  for (k[0] = 0; k[0] < AusgangAnzahl; ++k[0])
    for (k[1] = 0; k[1] < AusgangAnzahl; ++k[1])
      for (k[2] = 0; k[2] < AusgangAnzahl; ++k[2])
        for (k[3] = 0; k[3] < AusgangAnzahl; ++k[3])
          for (k[4] = 0; k[4] < AusgangAnzahl; ++k[4]) {
            Extended p = 1;
            for (Parameter i : AlleParameter) p *= z[i].Wahrscheinlichkeit(k[i]);
            if (p == 0) continue;
            try {
              const Extended v = Ertragswert(z[LZ].Wert[k[LZ]], z[RND].Wert[k[RND]], z[RO].Wert[k[RO]],
                                             z[BWK].Wert[k[BWK]], z[BO].Wert[k[BO]]);
              d.werte[static_cast<double>(RundenInt64(v))] += p;
            } catch (const GleitkommaFehler &f) {
              d.fehler[f.what()].first += p;
              ++d.fehler[f.what()].second;
            }
          }
  return d;
}

// A table whose every state draws class k.
inline TParamVerteilung NurKlasse(TParamVerteilung v, int k) {
  for (int j = 0; j < KlassenAnzahlVerteilung; ++j) v.Kumuliert[j] = j < k ? -1 : 1;
  return v;
}

} // namespace kwt::test
