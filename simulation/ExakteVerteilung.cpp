#include "ExakteVerteilung.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Ertragswert.h"

namespace kwt {

namespace {

constexpr Extended KeineZahl = std::numeric_limits<Extended>::quiet_NaN();

// The number of states s with s 2^-32 <= k: all states up to floor(k 2^32), which is exact since
// scaling by a power of two loses nothing. A NaN fraction is never reached by a draw.
std::uint64_t ZustaendeBis(Extended k) {
  if (!(k >= 0)) return 0;
  if (k >= 1) return ZustandAnzahl;
  return static_cast<std::uint64_t>(std::floor(std::ldexp(k, 32))) + 1;
}

struct Ausgang {
  int Index;
  std::uint64_t Anzahl;
  Extended Wert;
  Extended P;
};

// The outcomes of a combination, four bits each, in the parameter order LZ, RND, RO, BWK, BO.
constexpr int Ausgangsindex(std::uint32_t ausgaenge, int parameter) {
  return static_cast<int>((ausgaenge >> (4 * parameter)) & 0xFu);
}

// Holds a value or the index of the message computing it raised.
template <class T> struct Ergebnis {
  T Wert{};
  int Fehler = -1;
};

class Meldungen {
public:
  int Index(const std::string &meldung) {
    for (std::size_t i = 0; i < texte_.size(); ++i)
      if (texte_[i] == meldung) return static_cast<int>(i);
    texte_.push_back(meldung);
    massen_.emplace_back();
    kombinationen_.push_back(0);
    return static_cast<int>(texte_.size() - 1);
  }
  void Zaehlen(int i, const Masse &m) {
    massen_[static_cast<std::size_t>(i)] += m;
    ++kombinationen_[static_cast<std::size_t>(i)];
  }
  Masse Summe() const {
    Masse summe;
    for (const Masse &m : massen_) summe += m;
    return summe;
  }
  std::vector<ExakterFehler> Liste() const {
    std::vector<ExakterFehler> liste;
    for (std::size_t i = 0; i < texte_.size(); ++i) {
      if (kombinationen_[i] == 0) continue;
      liste.push_back({texte_[i], Anteil(massen_[i], Masse::ZweiHoch(160)), kombinationen_[i]});
    }
    std::stable_sort(liste.begin(), liste.end(), [](const ExakterFehler &a, const ExakterFehler &b) {
      return a.Wahrscheinlichkeit > b.Wahrscheinlichkeit;
    });
    return liste;
  }

private:
  std::vector<std::string> texte_;
  std::vector<Masse> massen_;
  std::vector<std::int64_t> kombinationen_;
};

template <class F> auto Berechnen(Meldungen &meldungen, F &&rechnung) -> Ergebnis<decltype(rechnung())> {
  try {
    return {rechnung(), -1};
  } catch (const GleitkommaFehler &f) {
    return {{}, meldungen.Index(f.what())};
  }
}

} // namespace

KlassenZustaende KlassenZustaendeZaehlen(const TParamVerteilung &verteilung) {
  KlassenZustaende z;
  std::uint64_t bisher = 0; // the states taken by the classes before
  for (int k = 0; k < KlassenAnzahlVerteilung; ++k) {
    const std::uint64_t bis = std::max(bisher, ZustaendeBis(verteilung.Kumuliert[k]));
    z.Anzahl[k] = bis - bisher;
    z.Wert[k] = verteilung.Mitte[k];
    bisher = bis;
  }
  z.Anzahl[KeineKlasse] = ZustandAnzahl - bisher;
  z.Wert[KeineKlasse] = 0;
  return z;
}

// The four steps of ExakteVerteilungBerechnen on the distribution being built, with what they hand on.
struct ExakteVerteilung::Aufbau {
  explicit Aufbau(ExakteVerteilung &verteilung) : e(verteilung) {}

  ExakteVerteilung &e;
  // Per parameter the outcomes that some state selects.
  std::array<std::vector<Ausgang>, ParameterAnzahl> ausgaenge;
  Meldungen meldungen;
  // Sums of P and P * value per parameter and outcome over the computable combinations, for the
  // means with one parameter fixed.
  std::array<std::array<Extended, AusgangAnzahl>, ParameterAnzahl> summeP{}, summePW{};

  void Aufzaehlen(const Verteilungstabellen &verteilungen);
  void Verdichten();
  void MomenteBerechnen();
  void TornadoBerechnen();
};

// Every combination of outcomes: its value as a trial computes it, or the message it raises.
void ExakteVerteilung::Aufbau::Aufzaehlen(const Verteilungstabellen &verteilungen) {
  for (Parameter i : AlleParameter) {
    e.Klassen[i] = KlassenZustaendeZaehlen(verteilungen[i]);
    for (int k = 0; k < AusgangAnzahl; ++k) {
      if (e.Klassen[i].Anzahl[k] == 0) continue;
      ausgaenge[i].push_back({k, e.Klassen[i].Anzahl[k], e.Klassen[i].Wert[k], e.Klassen[i].Wahrscheinlichkeit(k)});
    }
  }
  const auto &lz = ausgaenge[LZ], &rnd = ausgaenge[RND], &ro = ausgaenge[RO], &bwk = ausgaenge[BWK], &bo = ausgaenge[BO];

  // The factors depend on LZ and RND only and the net income on RO and BWK only: each pair is
  // computed once, as Ertragswert computes it, and its message is kept for every combination.
  std::vector<Ergebnis<Zinsfaktoren>> faktoren;
  for (const Ausgang &a : lz)
    for (const Ausgang &b : rnd)
      faktoren.push_back(Berechnen(meldungen, [&] { return ZinsfaktorenBerechnen(a.Wert, b.Wert); }));
  std::vector<Ergebnis<Extended>> netto;
  for (const Ausgang &c : ro)
    for (const Ausgang &d : bwk) netto.push_back(Berechnen(meldungen, [&] { return Minus(c.Wert, d.Wert); }));

  // Sums of bounded non-negative terms cannot overflow, so plain extended arithmetic serves. Each loop
  // level adds its block's sums once to its own parameter.
  auto &kombinationen = e.kombinationen_;
  kombinationen.reserve(lz.size() * rnd.size() * ro.size() * bwk.size() * bo.size());
  for (std::size_t ia = 0; ia < lz.size(); ++ia) {
    for (std::size_t ib = 0; ib < rnd.size(); ++ib) {
      const Ergebnis<Zinsfaktoren> &f = faktoren[ia * rnd.size() + ib];
      const Extended pAB = lz[ia].P * rnd[ib].P;
      Extended blockAB = 0, blockABW = 0;
      for (std::size_t ic = 0; ic < ro.size(); ++ic) {
        for (std::size_t id = 0; id < bwk.size(); ++id) {
          const Ergebnis<Extended> &n = netto[ic * bwk.size() + id];
          const Extended pABCD = pAB * ro[ic].P * bwk[id].P;
          const auto codeABCD =
              static_cast<std::uint32_t>(lz[ia].Index | rnd[ib].Index << 4 | ro[ic].Index << 8 | bwk[id].Index << 12);
          Extended block = 0, blockW = 0;
          for (const Ausgang &g : bo) {
            ++e.Kombinationen;
            // In a trial the net income comes first, then the factors, then their combination and
            // the rounding for the store: the first failure is the message the user sees.
            int fehler = n.Fehler >= 0 ? n.Fehler : f.Fehler;
            double wert = 0;
            if (fehler < 0) {
              const Ergebnis<double> r = Berechnen(meldungen, [&] {
                return static_cast<double>(RundenInt64(ErtragswertAusFaktoren(n.Wert, f.Wert, g.Wert)));
              });
              fehler = r.Fehler;
              wert = r.Wert;
            }
            if (fehler >= 0) {
              Masse m(lz[ia].Anzahl);
              m.MalGanz(rnd[ib].Anzahl).MalGanz(ro[ic].Anzahl).MalGanz(bwk[id].Anzahl).MalGanz(g.Anzahl);
              meldungen.Zaehlen(fehler, m);
              continue;
            }
            kombinationen.push_back({wert, codeABCD | static_cast<std::uint32_t>(g.Index) << 16});
            const Extended p = pABCD * g.P;
            const Extended pw = p * wert;
            summeP[BO][g.Index] += p;
            summePW[BO][g.Index] += pw;
            block += p;
            blockW += pw;
          }
          summeP[RO][ro[ic].Index] += block;
          summePW[RO][ro[ic].Index] += blockW;
          summeP[BWK][bwk[id].Index] += block;
          summePW[BWK][bwk[id].Index] += blockW;
          blockAB += block;
          blockABW += blockW;
        }
      }
      summeP[LZ][lz[ia].Index] += blockAB;
      summePW[LZ][lz[ia].Index] += blockABW;
      summeP[RND][rnd[ib].Index] += blockAB;
      summePW[RND][rnd[ib].Index] += blockABW;
    }
  }
  e.Fehler = meldungen.Liste();
}

// The computable combinations sorted by value, condensed to the distinct values with their exact
// probabilities; every Stuetzabstand-th running mass is kept for the exact decisions of Quantil.
void ExakteVerteilung::Aufbau::Verdichten() {
  auto &kombinationen = e.kombinationen_;
  std::sort(kombinationen.begin(), kombinationen.end(),
            [](const ExakteVerteilung::Kombination &a, const ExakteVerteilung::Kombination &b) { return a.Wert < b.Wert; });

  // The mass of the computable combinations: all 2^160 state combinations but the failing ones.
  e.gesamt_ = Masse::ZweiHoch(160);
  e.gesamt_ -= meldungen.Summe();
  e.AnteilBerechenbar = Anteil(e.gesamt_, Masse::ZweiHoch(160));

  e.Werte.reserve(kombinationen.size());
  e.stuetzstellen_.reserve(kombinationen.size() / ExakteVerteilung::Stuetzabstand + 1);
  Masse kumuliert, einzeln;
  for (std::size_t j = 0; j < kombinationen.size(); ++j) {
    if (j % ExakteVerteilung::Stuetzabstand == 0) e.stuetzstellen_.push_back(kumuliert);
    const ExakteVerteilung::Kombination &t = kombinationen[j];
    const Masse einzelMasse = e.KombinationsMasse(t.Ausgaenge);
    kumuliert += einzelMasse;
    einzeln += einzelMasse;
    if (j + 1 < kombinationen.size() && kombinationen[j + 1].Wert == t.Wert) continue;
    e.Werte.push_back({t.Wert, Anteil(einzeln, e.gesamt_), Anteil(kumuliert, e.gesamt_)});
    einzeln = Masse{};
  }
}

// Mean and standard deviation of the distinct values.
void ExakteVerteilung::Aufbau::MomenteBerechnen() {
  if (e.Leer()) {
    e.Mittelwert = e.Standardabweichung = KeineZahl;
    return;
  }
  Extended mittel = 0;
  for (const ExakterWert &w : e.Werte) mittel += w.Wahrscheinlichkeit * w.Wert;
  // Two passes: the squares of deviations, not the difference of two large moments.
  Extended quadrate = 0;
  for (const ExakterWert &w : e.Werte) {
    const Extended abweichung = w.Wert - mittel;
    quadrate += w.Wahrscheinlichkeit * abweichung * abweichung;
  }
  e.Mittelwert = mittel;
  e.Standardabweichung = std::sqrt(quadrate);
}

// Per parameter the mean with it fixed at its lowest and its highest drawn class, by falling swing.
void ExakteVerteilung::Aufbau::TornadoBerechnen() {
  for (Parameter i : AlleParameter) {
    Empfindlichkeit &s = e.Tornado[i];
    s.Param = i;
    for (int k = 0; k < KlassenAnzahlVerteilung; ++k) {
      if (e.Klassen[i].Anzahl[k] == 0) continue;
      if (s.KlasseTief < 0) s.KlasseTief = k;
      s.KlasseHoch = k;
    }
    const auto mittelBei = [&](int k) {
      if (k < 0) return e.Mittelwert; // the parameter is always 0: fixing it changes nothing
      return summeP[i][k] > 0 ? summePW[i][k] / summeP[i][k] : KeineZahl;
    };
    s.MitteTief = s.KlasseTief < 0 ? 0 : e.Klassen[i].Wert[s.KlasseTief];
    s.MitteHoch = s.KlasseHoch < 0 ? 0 : e.Klassen[i].Wert[s.KlasseHoch];
    s.MittelTief = mittelBei(s.KlasseTief);
    s.MittelHoch = mittelBei(s.KlasseHoch);
    s.Spanne = std::fabs(s.MittelHoch - s.MittelTief);
  }
  // A swing that cannot be computed goes last.
  std::stable_sort(e.Tornado.begin(), e.Tornado.end(), [](const Empfindlichkeit &a, const Empfindlichkeit &b) {
    if (std::isnan(a.Spanne) || std::isnan(b.Spanne)) return !std::isnan(a.Spanne) && std::isnan(b.Spanne);
    return a.Spanne > b.Spanne;
  });
}

ExakteVerteilung ExakteVerteilungBerechnen(const Verteilungstabellen &verteilungen) {
  ExakteVerteilung e;
  ExakteVerteilung::Aufbau aufbau(e);
  aufbau.Aufzaehlen(verteilungen);
  aufbau.Verdichten();
  aufbau.MomenteBerechnen();
  aufbau.TornadoBerechnen();
  return e;
}

Masse ExakteVerteilung::KombinationsMasse(std::uint32_t ausgaenge) const {
  Masse m(Klassen[LZ].Anzahl[Ausgangsindex(ausgaenge, LZ)]);
  for (int i = 1; i < ParameterAnzahl; ++i) m.MalGanz(Klassen[i].Anzahl[Ausgangsindex(ausgaenge, i)]);
  return m;
}

Masse ExakteVerteilung::MasseBis(std::size_t n) const {
  const std::size_t stuetze = n / Stuetzabstand;
  Masse m = stuetzstellen_[stuetze];
  for (std::size_t j = stuetze * Stuetzabstand; j < n; ++j) m += KombinationsMasse(kombinationen_[j].Ausgaenge);
  return m;
}

double ExakteVerteilung::Quantil(Extended p) const {
  if (!(p >= 0 && p <= 1)) FehlerUngueltig();
  if (Leer()) return std::numeric_limits<double>::quiet_NaN();
  // The shares Kumuliert lie within three units of their last place of the exact ones and rise with
  // them. Outside a band of 2^-60 around p they decide; inside it the exact mass decides.
  const Extended unten = p - std::ldexp(p, -60), oben = p + std::ldexp(p, -60);
  const Masse schwelle = Schwelle(p, gesamt_);
  auto it = std::lower_bound(Werte.begin(), Werte.end(), unten,
                             [](const ExakterWert &w, Extended x) { return w.Kumuliert < x; });
  for (; it != Werte.end(); ++it) {
    if (it->Kumuliert > oben) return it->Wert;
    const auto ende = std::upper_bound(kombinationen_.begin(), kombinationen_.end(), it->Wert,
                                       [](double x, const Kombination &k) { return x < k.Wert; });
    if (MasseBis(static_cast<std::size_t>(ende - kombinationen_.begin())) >= schwelle) return it->Wert;
  }
  return Werte.back().Wert; // not reached: the last share is 1
}

Extended ExakteVerteilung::VerteilungBis(Extended x) const {
  if (Leer() || std::isnan(x)) return KeineZahl;
  const auto it =
      std::upper_bound(Werte.begin(), Werte.end(), x, [](Extended v, const ExakterWert &w) { return v < w.Wert; });
  return it == Werte.begin() ? 0 : std::prev(it)->Kumuliert;
}

Extended ExakteVerteilung::Kennzahl(ExakteKennzahl k) const {
  switch (k) {
  case ExakteKennzahl::Mittelwert: return Mittelwert;
  case ExakteKennzahl::Standardabweichung: return Standardabweichung;
  default: break;
  }
  for (const ExakteKennzahlEintrag &eintrag : ExakteKennzahlen)
    if (eintrag.Art == k) return Quantil(eintrag.P);
  return KeineZahl;
}

std::vector<Kurvenpunkt> ExakteVerteilung::Kurve(std::size_t hoechstens) const {
  std::vector<Kurvenpunkt> punkte;
  if (Leer() || hoechstens < 2) return punkte;
  const auto tausend = [](Extended x) { return static_cast<double>(x / 1000); };
  if (2 * Werte.size() <= hoechstens) {
    Extended davor = 0;
    for (const ExakterWert &w : Werte) {
      punkte.push_back({tausend(w.Wert), static_cast<double>(davor)});
      punkte.push_back({tausend(w.Wert), static_cast<double>(w.Kumuliert)});
      davor = w.Kumuliert;
    }
    return punkte;
  }
  const Extended von = Werte.front().Wert, bis = Werte.back().Wert;
  for (std::size_t j = 0; j < hoechstens; ++j) {
    const Extended x = j + 1 == hoechstens ? bis : von + (bis - von) * j / (hoechstens - 1);
    punkte.push_back({tausend(x), static_cast<double>(VerteilungBis(x))});
  }
  return punkte;
}

} // namespace kwt
