// What the tests of the exact distribution share: models prepared from bounds and a preset or rows,
// every combination counted out through the trial's own formula, and a table that always draws one
// class.
#pragma once

#include <map>
#include <string>
#include <type_traits>

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

// Every combination of outcomes with a probability above 0, through the trial's own formula
// (Ertragswert in one piece) and its rounding for the store, with the probability multiplied out:
// f(outcomes, probability, stored value) for a computable one, f(outcomes, probability, message) for
// one that raises. The reference for the values, probabilities and messages, independent of the
// pairing, sorting and exact sums.
template <class F> void JedeKombination(const Bewertungsmodell &m, F f) {
  std::array<KlassenZustaende, ParameterAnzahl> z;
  for (Parameter p : AlleParameter) z[p] = KlassenZustaendeZaehlen(m.Verteilungen[p]);
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
              f(k, p, static_cast<double>(RundenInt64(v)));
            } catch (const GleitkommaFehler &fehler) {
              f(k, p, std::string(fehler.what()));
            }
          }
}

struct Durchgezaehlt {
  std::map<double, Extended> werte; // unconditional probabilities
  std::map<std::string, std::pair<Extended, std::int64_t>> fehler;
};

inline Durchgezaehlt Durchzaehlen(const Bewertungsmodell &m) {
  Durchgezaehlt d;
  JedeKombination(m, [&](const std::array<int, ParameterAnzahl> &, Extended p, const auto &ergebnis) {
    if constexpr (std::is_same_v<std::decay_t<decltype(ergebnis)>, double>) {
      d.werte[ergebnis] += p;
    } else {
      d.fehler[ergebnis].first += p;
      ++d.fehler[ergebnis].second;
    }
  });
  return d;
}

// A table whose every state draws class k.
inline TParamVerteilung NurKlasse(TParamVerteilung v, int k) {
  for (int j = 0; j < KlassenAnzahlVerteilung; ++j) v.Kumuliert[j] = j < k ? -1 : 1;
  return v;
}

// With a remaining life of 0 the value is the land value, so BO's classes are the distribution.
inline std::array<TParamVerteilung, ParameterAnzahl> NurBoden(std::uint64_t zustaendeKlasse1) {
  std::array<TParamVerteilung, ParameterAnzahl> v{};
  for (Parameter p : AlleParameter) v[p] = NurKlasse(v[p], 0);
  v[LZ].Mitte.fill(5);
  for (int k = 0; k < KlassenAnzahlVerteilung; ++k) v[BO].Mitte[k] = 1000 * (k + 1);
  // The states 0 .. n - 1 draw class 1, the others class 2.
  v[BO].Kumuliert.fill(1);
  v[BO].Kumuliert[0] = std::ldexp(static_cast<Extended>(zustaendeKlasse1 - 1), -32);
  return v;
}

} // namespace kwt::test
