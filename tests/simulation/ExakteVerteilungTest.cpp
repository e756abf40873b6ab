#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <numeric>

#include "AufzeichnendeAnzeige.h"
#include "ExakteAuswertung.h"
#include "Ertragswert.h"
#include "Simulationslauf.h"
#include "Standardwerte.h"
#include "W32_CLC.h"

using namespace kwt;

namespace {

Bewertungsmodell Modell(const Parameterwerte &min, const Parameterwerte &max,
                        MenuVoreinstellung voreinstellung = StandardVoreinstellung) {
  Bewertungsmodell m;
  MenuVoreinstellungAnwenden(m, voreinstellung);
  m.VerteilungenVorbereiten(min, max);
  return m;
}

Bewertungsmodell Modell(const Parameterwerte &min, const Parameterwerte &max,
                        const std::array<Klassenwerte, ParameterAnzahl> &prozent) {
  Bewertungsmodell m;
  for (Parameter p : AlleParameter) m.Verteilungen[p].Prozent = prozent[p];
  m.VerteilungenVorbereiten(min, max);
  return m;
}

// Sums pairwise, so that the sum of 10^5 shares is not moved by 10^5 upward roundings.
Extended PaarweiseSumme(const Extended *x, std::size_t n) {
  if (n == 0) return 0;
  if (n == 1) return x[0];
  return PaarweiseSumme(x, n / 2) + PaarweiseSumme(x + n / 2, n - n / 2);
}

// Every combination of outcomes through the trial's own formula (Ertragswert in one piece) and its
// rounding for the store, with the probability multiplied out: the reference for the values, the
// probabilities and the messages, independent of the pairing, sorting and exact sums.
struct Durchgezaehlt {
  std::map<double, Extended> werte; // unconditional probabilities
  std::map<std::string, std::pair<Extended, std::int64_t>> fehler;
};

Durchgezaehlt Durchzaehlen(const Bewertungsmodell &m) {
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

// --- Class probabilities ---------------------------------------------------------------------

// The states of a class form one range, in class order, and the class of a draw never falls as the
// state rises. So the counts are right when the first and the last state of every range fall into
// that class by the model's own KlassenIndex.
TEST(KlassenZustaende, JederBereichGehoertGanzZuSeinerKlasse) {
  struct Fall {
    const char *name;
    Klassenwerte prozent;
  };
  const Fall faelle[] = {
      {"Normal", ZeilenWerte(Zeile::Normal)},
      {"Einpunkt", ZeilenWerte(Zeile::Einpunkt)},
      {"Zweipunkt", ZeilenWerte(Zeile::Zweipunkt)},
      {"Summe 90", {1, 5, 9, 10, 15, 25, 10, 9, 5, 1}},
      {"Summe 130, spätere Klassen nie gezogen", {40, 30, 30, 30, 0, 0, 0, 0, 0, 0}},
      {"negativ, Summe fällt und steigt wieder", {30, -20, 40, -60, 10, 20, 30, 40, 5, 5}},
      {"alle 0", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"erste Klasse negativ", {-10, 50, 0, 0, 0, 0, 0, 0, 0, 60}},
      {"Bruchteile", {3.5L, 6.25L, 9, 11.75L, 20, 18.5L, 12, 9, 6, 4}},
      {"winzig", {1e-9L, 0, 0, 0, 0, 0, 0, 0, 0, 99.999999999L}},
  };
  for (const Fall &f : faelle) {
    SCOPED_TRACE(f.name);
    Bewertungsmodell m;
    m.Verteilungen[LZ].Prozent = f.prozent;
    m.VerteilungenVorbereiten(StandardMin, StandardMax);
    const TParamVerteilung &v = m.Verteilungen[LZ];
    const KlassenZustaende z = KlassenZustaendeZaehlen(v);
    std::uint64_t anfang = 0;
    for (int k = 0; k < AusgangAnzahl; ++k) {
      const int erwartet = k == KeineKlasse ? -1 : k;
      if (z.Anzahl[k] == 0) continue;
      const auto erster = static_cast<std::uint32_t>(anfang), letzter = static_cast<std::uint32_t>(anfang + z.Anzahl[k] - 1);
      EXPECT_EQ(KlassenIndex(v, Zufallsgenerator::ZustandAlsZahl(erster)), erwartet) << "Klasse " << k;
      EXPECT_EQ(KlassenIndex(v, Zufallsgenerator::ZustandAlsZahl(letzter)), erwartet) << "Klasse " << k;
      EXPECT_EQ(z.Wert[k], k == KeineKlasse ? 0 : v.Mitte[k]);
      anfang += z.Anzahl[k];
    }
    EXPECT_EQ(anfang, ZustandAnzahl);
  }
  // The state 0 draws exactly 0, which the first class takes even with 0 percent.
  Bewertungsmodell m;
  m.Verteilungen[LZ].Prozent = ZeilenWerte(Zeile::Einpunkt);
  m.VerteilungenVorbereiten(StandardMin, StandardMax);
  const KlassenZustaende z = KlassenZustaendeZaehlen(m.Verteilungen[LZ]);
  EXPECT_EQ(z.Anzahl[0], 1u);
  EXPECT_EQ(z.Anzahl[4], ZustandAnzahl - 1);
}

// --- The distribution --------------------------------------------------------------------------

TEST(ExakteVerteilung, GleichDemDurchzaehlenMitDerFormelDesVersuchs) {
  struct Fall {
    const char *name;
    Bewertungsmodell modell;
  };
  Bewertungsmodell uneben = Modell(StandardMin, StandardMax);
  uneben.Verteilungen[LZ].Prozent = {3.5L, 6.25L, 9, 11.75L, 20, 18.5L, 12, 9, 6, 4};
  uneben.Verteilungen[RO].Prozent = ZeilenWerte(Zeile::Zweipunkt);
  uneben.Verteilungen[BO].Prozent = {1, 5, 9, 10, 15, 25, 10, 9, 5, 1}; // 90 %: BO = 0 as an outcome
  uneben.VerteilungenVorbereiten(StandardMin, StandardMax);
  const Fall faelle[] = {
      {"Normalverteilung", Modell(StandardMin, StandardMax)},
      // Remaining lives 41.5, 43.5, ...: every power on the logarithm path.
      {"linksschief, gebrochene Restnutzungsdauer",
       Modell({4.8L, 40.5L, 310000, 60000, 675000}, {5.1L, 60.5L, 370000, 85000, 720000},
              MenuVoreinstellung::LinksschiefeVerteilung)},
      {"uneben", uneben},
  };
  for (const Fall &f : faelle) {
    SCOPED_TRACE(f.name);
    const ExakteVerteilung e = ExakteVerteilungBerechnen(f.modell.Verteilungen);
    const Durchgezaehlt d = Durchzaehlen(f.modell);
    EXPECT_TRUE(e.Fehler.empty());
    EXPECT_EQ(e.AnteilBerechenbar, 1);
    ASSERT_EQ(e.Werte.size(), d.werte.size());
    auto it = d.werte.begin();
    Extended kumuliert = 0, groessteAbweichung = 0;
    for (const ExakterWert &w : e.Werte) {
      ASSERT_EQ(w.Wert, it->first);
      groessteAbweichung = std::max(groessteAbweichung, std::fabs(w.Wahrscheinlichkeit / it->second - 1));
      kumuliert += it->second;
      // The reference's plain running sum drifts upward by up to 10^5 units of its last place.
      EXPECT_NEAR(static_cast<double>(w.Kumuliert), static_cast<double>(kumuliert), 2e-14);
      ++it;
    }
    EXPECT_LT(groessteAbweichung, 1e-17L);
    // The quantiles by the rule, from the multiplied-out probabilities.
    for (Extended p : {0.05L, 0.1L, 0.25L, 0.5L, 0.75L, 0.9L, 0.95L}) {
      Extended summe = 0;
      double q = 0;
      for (const auto &[wert, wahrscheinlichkeit] : d.werte) {
        summe += wahrscheinlichkeit;
        if (summe >= p) {
          q = wert;
          break;
        }
      }
      EXPECT_EQ(e.Quantil(p), q) << static_cast<double>(p);
    }
    Extended mittel = 0;
    for (const auto &[wert, wahrscheinlichkeit] : d.werte) mittel += wahrscheinlichkeit * wert;
    EXPECT_NEAR(static_cast<double>(e.Mittelwert), static_cast<double>(mittel), 1e-6);
  }
}

TEST(ExakteVerteilung, EinpunktVerteilung) {
  // Default bounds: every parameter takes class 5 except in the state 0, which draws class 1.
  const Bewertungsmodell m = Modell(StandardMin, StandardMax, MenuVoreinstellung::Einpunktverteilung);
  const ExakteVerteilung e = ExakteVerteilungBerechnen(m.Verteilungen);
  const auto &mitte = [&](Parameter p) { return m.Verteilungen[p].Mitte[4]; };
  const double formel =
      static_cast<double>(RundenInt64(Ertragswert(mitte(LZ), mitte(RND), mitte(RO), mitte(BWK), mitte(BO))));
  EXPECT_EQ(e.Kombinationen, 32);
  const auto it = std::find_if(e.Werte.begin(), e.Werte.end(), [&](const ExakterWert &w) { return w.Wert == formel; });
  ASSERT_NE(it, e.Werte.end());
  const Extended fuenfmal = (1 - 0x1p-32L) * (1 - 0x1p-32L) * (1 - 0x1p-32L) * (1 - 0x1p-32L) * (1 - 0x1p-32L);
  EXPECT_LT(std::fabs(it->Wahrscheinlichkeit / fuenfmal - 1), 1e-18L);
  for (const ExakteKennzahlEintrag &k : ExakteKennzahlen) {
    if (k.P > 0) {
      EXPECT_EQ(e.Kennzahl(k.Art), formel) << k.Name;
    }
  }
  // With equal bounds all midpoints coincide: one value with probability 1.
  const Bewertungsmodell gleich = Modell(StandardMin, StandardMin, MenuVoreinstellung::Einpunktverteilung);
  const ExakteVerteilung g = ExakteVerteilungBerechnen(gleich.Verteilungen);
  ASSERT_EQ(g.Werte.size(), 1u);
  const double wert = static_cast<double>(RundenInt64(Ertragswert(4.8L, 40, 310000, 60000, 675000)));
  EXPECT_EQ(g.Werte[0].Wert, wert);
  EXPECT_EQ(g.Werte[0].Wahrscheinlichkeit, 1);
  EXPECT_EQ(g.Werte[0].Kumuliert, 1);
  EXPECT_EQ(g.Mittelwert, wert);
  EXPECT_EQ(g.Standardabweichung, 0);
  EXPECT_EQ(g.Quantil(0), wert);
  EXPECT_EQ(g.Quantil(1), wert);
}

TEST(ExakteVerteilung, NeunzigProzentGebenDemWertNullZehnProzent) {
  // RO's percentages add up to 90: a tenth of the states finds no class and RO is 0, so the net
  // income is -BWK and the value negative, while all others lie above 3.9 million.
  Bewertungsmodell m = Modell(StandardMin, StandardMax);
  m.Verteilungen[RO].Prozent = {1, 5, 9, 10, 15, 25, 10, 9, 5, 1};
  m.VerteilungenVorbereiten(StandardMin, StandardMax);
  const ExakteVerteilung e = ExakteVerteilungBerechnen(m.Verteilungen);
  EXPECT_EQ(e.Kombinationen, 10 * 10 * 11 * 10 * 10);
  const Extended keine = e.Klassen[RO].Wahrscheinlichkeit(KeineKlasse);
  EXPECT_EQ(e.Klassen[RO].Anzahl[KeineKlasse],
            ZustandAnzahl - (static_cast<std::uint64_t>(std::floor(std::ldexp(m.Verteilungen[RO].Kumuliert[9], 32))) + 1));
  EXPECT_LE(std::fabs(keine - 0.1L), 0x1p-32L);
  EXPECT_NEAR(static_cast<double>(e.VerteilungBis(0)), static_cast<double>(keine), 1e-18);
  EXPECT_NEAR(static_cast<double>(e.VerteilungBis(3900000)), static_cast<double>(keine), 1e-18);
  EXPECT_LT(e.Quantil(0.05L), 0);
  EXPECT_GT(e.Quantil(0.25L), 3900000);
}

TEST(ExakteVerteilung, WahrscheinlichkeitenSummierenSichZuEins) {
  Bewertungsmodell mitFehlern = Modell(StandardMin, StandardMax, MenuVoreinstellung::Zweipunktverteilung);
  mitFehlern.Verteilungen[LZ].Prozent = {1, 5, 9, 10, 15, 25, 10, 9, 5, 1}; // LZ = 0 in a tenth: 0 / 0
  mitFehlern.VerteilungenVorbereiten(StandardMin, StandardMax);
  const Bewertungsmodell faelle[] = {Modell(StandardMin, StandardMax), mitFehlern};
  for (const Bewertungsmodell &m : faelle) {
    const ExakteVerteilung e = ExakteVerteilungBerechnen(m.Verteilungen);
    std::vector<Extended> p;
    for (const ExakterWert &w : e.Werte) p.push_back(w.Wahrscheinlichkeit);
    const Extended berechenbar = PaarweiseSumme(p.data(), p.size());
    EXPECT_LE(std::fabs(berechenbar - 1), 1e-15L);
    EXPECT_EQ(e.Werte.back().Kumuliert, 1);
    Extended alle = e.AnteilBerechenbar;
    for (const ExakterFehler &f : e.Fehler) alle += f.Wahrscheinlichkeit;
    EXPECT_LE(std::fabs(alle - 1), 1e-15L);
  }
}

// --- Against sampling --------------------------------------------------------------------------

// Draws trials as a run does: the same generator and the same class draw (KlassenIndex), in the
// order LZ, RND, RO, BO, BWK. The stored value of each class combination comes from a table made
// with the trial's formula and rounding, so that 10^7 trials take seconds instead of minutes.
class Stichprobenziehung {
public:
  explicit Stichprobenziehung(const Bewertungsmodell &m) : m_(m), tabelle_(161051) {
    std::array<int, ParameterAnzahl> k{};
    const auto wert = [&](Parameter p) { return k[p] == KeineKlasse ? 0 : m.Verteilungen[p].Mitte[k[p]]; };
    for (k[0] = 0; k[0] < AusgangAnzahl; ++k[0])
      for (k[1] = 0; k[1] < AusgangAnzahl; ++k[1])
        for (k[2] = 0; k[2] < AusgangAnzahl; ++k[2])
          for (k[3] = 0; k[3] < AusgangAnzahl; ++k[3])
            for (k[4] = 0; k[4] < AusgangAnzahl; ++k[4]) {
              // A combination that raises a message stops a run; the tests here never draw one.
              double &eintrag = tabelle_[Index(k)];
              try {
                eintrag = static_cast<double>(RundenInt64(Ertragswert(wert(LZ), wert(RND), wert(RO), wert(BWK), wert(BO))));
              } catch (const GleitkommaFehler &) {
                eintrag = std::numeric_limits<double>::quiet_NaN();
              }
            }
  }
  double Versuch(Zufallsgenerator &z) const {
    std::array<int, ParameterAnzahl> k{};
    for (Parameter p : {LZ, RND, RO, BO, BWK}) {
      const int klasse = KlassenIndex(m_.Verteilungen[p], z.ZufallImBereich(0, 1));
      k[p] = klasse < 0 ? KeineKlasse : klasse;
    }
    return tabelle_[Index(k)];
  }

private:
  static std::size_t Index(const std::array<int, ParameterAnzahl> &k) {
    std::size_t i = 0;
    for (int x : k) i = i * AusgangAnzahl + static_cast<std::size_t>(x);
    return i;
  }
  const Bewertungsmodell &m_;
  std::vector<double> tabelle_;
};

TEST(Stichprobenziehung, GleichDemLauf) {
  Bewertungsmodell m = Modell(StandardMin, StandardMax);
  Simulationslauf lauf(m);
  test::AufzeichnendeAnzeige anzeige;
  m.Zufall.Zufallszustand = 12345;
  lauf.Berechnen(StandardMin, StandardMax, 100000, anzeige);
  const Stichprobenziehung ziehung(m);
  Zufallsgenerator z{12345};
  for (int t = 0; t < 100000; ++t) ASSERT_EQ(ziehung.Versuch(z), lauf.Ergebnis().Werte[static_cast<std::size_t>(t)]) << t;
  EXPECT_EQ(z.Zufallszustand, m.Zufall.Zufallszustand);
}

void MittelwertGegenVersuche(std::int64_t n) {
  const Bewertungsmodell m = Modell(StandardMin, StandardMax);
  const ExakteVerteilung e = ExakteVerteilungBerechnen(m.Verteilungen);
  const Stichprobenziehung ziehung(m);
  Zufallsgenerator z{0};
  Extended summe = 0;
  for (std::int64_t t = 0; t < n; ++t) summe += ziehung.Versuch(z);
  const Extended mittel = summe / n;
  const Extended standardfehler = e.Standardabweichung / std::sqrt(static_cast<Extended>(n));
  EXPECT_LT(std::fabs(mittel - e.Mittelwert), 4 * standardfehler)
      << "Stichprobe " << static_cast<double>(mittel) << ", exakt " << static_cast<double>(e.Mittelwert);
}

// 10^7 trials from the state 0: the standard error is 74 against a standard deviation of 234,787.
TEST(ExakteVerteilung, MittelwertWieZehnMillionenVersuche) { MittelwertGegenVersuche(10000000); }

// 10^8 trials take about 25 seconds here; run with --gtest_also_run_disabled_tests. From the state 0
// they give a mean of 4,977,454.995 against the exact 4,977,455.445: 0.02 standard errors apart.
TEST(ExakteVerteilung, DISABLED_MittelwertWieHundertMillionenVersuche) { MittelwertGegenVersuche(100000000); }

// --- Sensitivity -------------------------------------------------------------------------------

// A table whose every state draws class k.
TParamVerteilung NurKlasse(TParamVerteilung v, int k) {
  for (int j = 0; j < KlassenAnzahlVerteilung; ++j) v.Kumuliert[j] = j < k ? -1 : 1;
  return v;
}

TEST(ExakteVerteilung, TornadoDerStandardvorgabe) {
  const Bewertungsmodell m = Modell(StandardMin, StandardMax);
  const ExakteVerteilung e = ExakteVerteilungBerechnen(m.Verteilungen);
  // The gross income moves the value most (its classes span 54,000 a year), then the operating
  // costs (22,500 a year), the remaining life (41 to 59 years), the yield rate (4.815 to 5.085 %),
  // and the land value barely: it is discounted over about 50 years.
  const std::array<Parameter, ParameterAnzahl> reihenfolge{RO, BWK, RND, LZ, BO};
  for (int i = 0; i < ParameterAnzahl; ++i) {
    const Empfindlichkeit &s = e.Tornado[i];
    EXPECT_EQ(s.Param, reihenfolge[i]);
    EXPECT_EQ(s.KlasseTief, 0);
    EXPECT_EQ(s.KlasseHoch, 9);
    // Higher costs and yield rates lower the value, the others raise it.
    EXPECT_EQ(s.MittelHoch > s.MittelTief, s.Param != BWK && s.Param != LZ);
    // Each end against the distribution with that parameter fixed there.
    for (const auto &[klasse, mittel] : {std::pair{s.KlasseTief, s.MittelTief}, std::pair{s.KlasseHoch, s.MittelHoch}}) {
      auto fest = m.Verteilungen;
      fest[s.Param] = NurKlasse(fest[s.Param], klasse);
      EXPECT_NEAR(static_cast<double>(mittel / ExakteVerteilungBerechnen(fest).Mittelwert), 1, 1e-15);
    }
  }
  const std::vector<TornadoZeile> zeilen = TornadoZeilen(e);
  EXPECT_EQ(zeilen[0].Name, "Jahresrohertrag");
  EXPECT_EQ(zeilen[0].KlasseTief, "Klasse 1: 313.000,00");
  EXPECT_EQ(zeilen[0].KlasseHoch, "Klasse 10: 367.000,00");
  EXPECT_EQ(zeilen[0].SpanneText, ZahlFormatieren(0, true, true, e.Tornado[0].Spanne, false));
  EXPECT_EQ(zeilen[3].KlasseTief, "Klasse 1: 4,82");
}

// --- Combinations that cannot be computed ----------------------------------------------------

TEST(ExakteVerteilung, NichtBerechenbareKombinationen) {
  const Klassenwerte normal = ZeilenWerte(Zeile::Normal), gleich = ZeilenWerte(Zeile::Gleich);
  const Klassenwerte neunzig{1, 5, 9, 10, 15, 25, 10, 9, 5, 1};
  struct Fall {
    const char *name;
    Bewertungsmodell modell;
    std::vector<std::pair<std::string, int>> meldungen; // message, outcome of the failing parameter
    Parameter param;
  };
  const Fall faelle[] = {
      // LZ midpoints -100, -80, ..., 0, ..., 80 with one year of remaining life: q = 0 divides by
      // zero, q = 1 gives 0 / 0.
      {"Zinssatz -100 und 0",
       Modell({-110, 1, 310000, 60000, 675000}, {90, 1, 370000, 85000, 720000}, {gleich, normal, normal, normal, normal}),
       {{"Gleitkommadivision durch Null", 0}, {"Ungültige Gleitkommaoperation", 5}}, LZ},
      {"Zinssatz 0 in einem Zehntel", Modell(StandardMin, StandardMax, {neunzig, normal, normal, normal, normal}),
       {{"Ungültige Gleitkommaoperation", KeineKlasse}}, LZ},
      // A million years of remaining life overflow the power; the tenth with RND = 0 is the land value.
      {"Restnutzungsdauer von Millionen Jahren",
       Modell({4.8L, 1e6L, 310000, 60000, 675000}, {5.1L, 3e6L, 370000, 85000, 720000}, {normal, neunzig, normal, normal, normal}),
       {{"Gleitkommaüberlauf", -1}}, RND},
  };
  for (const Fall &f : faelle) {
    SCOPED_TRACE(f.name);
    const ExakteVerteilung e = ExakteVerteilungBerechnen(f.modell.Verteilungen);
    const Durchgezaehlt d = Durchzaehlen(f.modell);
    ASSERT_EQ(e.Fehler.size(), f.meldungen.size());
    ASSERT_EQ(d.fehler.size(), f.meldungen.size());
    Extended fehlend = 0;
    for (const auto &[meldung, ausgang] : f.meldungen) {
      const auto it = std::find_if(e.Fehler.begin(), e.Fehler.end(), [&](const ExakterFehler &x) { return x.Meldung == meldung; });
      ASSERT_NE(it, e.Fehler.end()) << meldung;
      // -1: every outcome but "no class" fails.
      const Extended erwartet = ausgang >= 0 ? e.Klassen[f.param].Wahrscheinlichkeit(ausgang)
                                             : 1 - e.Klassen[f.param].Wahrscheinlichkeit(KeineKlasse);
      // The reference adds up to 10^5 rounded products: it may lie some 10^-15 above.
      EXPECT_LT(std::fabs(it->Wahrscheinlichkeit / erwartet - 1), 1e-17L) << meldung;
      EXPECT_LT(std::fabs(it->Wahrscheinlichkeit / d.fehler.at(meldung).first - 1), 1e-14L) << meldung;
      EXPECT_EQ(it->Kombinationen, d.fehler.at(meldung).second);
      fehlend += it->Wahrscheinlichkeit;
    }
    EXPECT_LT(std::fabs(e.AnteilBerechenbar - (1 - fehlend)), 1e-18L);
    // The figures are those of the computable combinations.
    Extended berechenbar = 0, mittel = 0;
    for (const auto &[wert, p] : d.werte) {
      berechenbar += p;
      mittel += p * wert;
    }
    EXPECT_LT(std::fabs(e.Mittelwert / (mittel / berechenbar) - 1), 1e-14L);
    const std::vector<FehlerZeile> zeilen = FehlerZeilen(e);
    ASSERT_EQ(zeilen.size(), e.Fehler.size());
    EXPECT_EQ(zeilen[0].Meldung, e.Fehler[0].Meldung);
    EXPECT_EQ(zeilen[0].WahrscheinlichkeitText, ProzentText(e.Fehler[0].Wahrscheinlichkeit));
  }
  // A run on the second case stops with that message at the first trial drawing no class for LZ.
  Bewertungsmodell m;
  m.Verteilungen[LZ].Prozent = neunzig;
  Simulationslauf lauf(m);
  test::AufzeichnendeAnzeige anzeige;
  const Laufergebnis &gescheitert = lauf.Berechnen(StandardMin, StandardMax, 1000, anzeige);
  ASSERT_TRUE(gescheitert.Fehlgeschlagen()) << "Der Lauf muss scheitern";
  EXPECT_EQ(gescheitert.Fehlermeldung, "Ungültige Gleitkommaoperation");

  // Values from 10^19 on have no 64-bit whole number: nothing can be stored, nothing computed.
  const ExakteVerteilung alle = ExakteVerteilungBerechnen(Modell({5, 0, 0, 0, 1e19L}, {5, 0, 0, 0, 1.1e19L}).Verteilungen);
  EXPECT_TRUE(alle.Leer());
  EXPECT_EQ(alle.AnteilBerechenbar, 0);
  ASSERT_EQ(alle.Fehler.size(), 1u);
  EXPECT_EQ(alle.Fehler[0].Meldung, "Ungültige Gleitkommaoperation");
  EXPECT_EQ(alle.Fehler[0].Wahrscheinlichkeit, 1);
  EXPECT_TRUE(std::isnan(alle.Mittelwert));
  EXPECT_TRUE(std::isnan(alle.Quantil(0.5L)));
  EXPECT_EQ(ExakteZeilen(alle).Zeilen[0].ExaktText, "–");
  EXPECT_TRUE(alle.Kurve().empty());
}

// --- Quantiles and the cumulative curve --------------------------------------------------------

// With a remaining life of 0 the value is the land value, so BO's classes are the distribution.
std::array<TParamVerteilung, ParameterAnzahl> NurBoden(std::uint64_t zustaendeKlasse1) {
  std::array<TParamVerteilung, ParameterAnzahl> v{};
  for (Parameter p : AlleParameter) v[p] = NurKlasse(v[p], 0);
  v[LZ].Mitte.fill(5);
  for (int k = 0; k < KlassenAnzahlVerteilung; ++k) v[BO].Mitte[k] = 1000 * (k + 1);
  // The states 0 .. n - 1 draw class 1, the others class 2.
  v[BO].Kumuliert.fill(1);
  v[BO].Kumuliert[0] = std::ldexp(static_cast<Extended>(zustaendeKlasse1 - 1), -32);
  return v;
}

TEST(ExakteVerteilung, QuantileAufDerGrenzeExakt) {
  const ExakteVerteilung haelfte = ExakteVerteilungBerechnen(NurBoden(ZustandAnzahl / 2));
  ASSERT_EQ(haelfte.Werte.size(), 2u);
  EXPECT_EQ(haelfte.Werte[0].Wahrscheinlichkeit, 0.5L);
  EXPECT_EQ(haelfte.Quantil(0), 1000);
  EXPECT_EQ(haelfte.Quantil(0.5L), 1000);
  EXPECT_EQ(haelfte.Quantil(std::nextafter(0.5L, 1.0L)), 2000);
  EXPECT_EQ(haelfte.Quantil(1), 2000);
  EXPECT_EQ(haelfte.VerteilungBis(999.99L), 0);
  EXPECT_EQ(haelfte.VerteilungBis(1000), 0.5L);
  EXPECT_EQ(haelfte.VerteilungBis(1999), 0.5L);
  EXPECT_EQ(haelfte.VerteilungBis(2000), 1);
  EXPECT_EQ(haelfte.Mittelwert, 1500);
  EXPECT_EQ(haelfte.Standardabweichung, 500);
  // One state more: P(VKW <= 1000) = 1/2 + 2^-32; a level one unit of the last place above that
  // already needs the second value.
  const ExakteVerteilung mehr = ExakteVerteilungBerechnen(NurBoden(ZustandAnzahl / 2 + 1));
  const Extended p = 0.5L + 0x1p-32L;
  EXPECT_EQ(mehr.Quantil(p), 1000);
  EXPECT_EQ(mehr.Quantil(std::nextafter(p, 1.0L)), 2000);
  EXPECT_EQ(mehr.Quantil(std::nextafter(0.5L, 1.0L)), 1000);
  EXPECT_THROW(mehr.Quantil(1.5L), GleitkommaFehler);
  EXPECT_THROW(mehr.Quantil(-0.1L), GleitkommaFehler);
}

TEST(ExakteVerteilung, Kurve) {
  const ExakteVerteilung haelfte = ExakteVerteilungBerechnen(NurBoden(ZustandAnzahl / 2));
  const std::vector<Kurvenpunkt> treppe = haelfte.Kurve();
  const std::vector<Kurvenpunkt> erwartet{{1, 0}, {1, 0.5}, {2, 0.5}, {2, 1}};
  EXPECT_EQ(treppe, erwartet);
  const ExakteVerteilung e = ExakteVerteilungBerechnen(Modell(StandardMin, StandardMax).Verteilungen);
  const std::vector<Kurvenpunkt> punkte = e.Kurve(500);
  ASSERT_EQ(punkte.size(), 500u);
  EXPECT_EQ(punkte.front().X, e.Werte.front().Wert / 1000);
  EXPECT_EQ(punkte.back().X, e.Werte.back().Wert / 1000);
  EXPECT_EQ(punkte.back().Y, 1);
  for (std::size_t i = 1; i < punkte.size(); ++i) {
    EXPECT_GT(punkte[i].X, punkte[i - 1].X);
    EXPECT_GE(punkte[i].Y, punkte[i - 1].Y);
    EXPECT_EQ(punkte[i].Y, static_cast<double>(e.VerteilungBis(punkte[i].X * 1000)));
  }
}

// --- Sample against exact ----------------------------------------------------------------------

TEST(ExakteAuswertung, StichprobeNebenDerExaktenVerteilung) {
  const ExakteVerteilung e = ExakteVerteilungBerechnen(NurBoden(ZustandAnzahl / 2)); // 1000 or 2000
  const std::vector<double> werte{1000, 2000, 1000, 1000};
  const StichprobenVergleich v = StichprobeVergleichen(e, werte);
  EXPECT_EQ(v.Umfang, 4);
  struct Zeile {
    const char *beschriftung, *exakt, *stichprobe, *differenz, *prozent;
  };
  // Quantiles of the sample by the same rule: the ceil(p n)-th smallest value.
  const Zeile erwartet[] = {
      {"Mittelwert:", "1.500", "1.250", "-250", "-16,667 %"},
      {"Standardabweichung:", "500", "433", "-67", "-13,397 %"},
      {"5 %-Quantil:", "1.000", "1.000", "0", "0,000 %"},
      {"10 %-Quantil:", "1.000", "1.000", "0", "0,000 %"},
      {"25 %-Quantil:", "1.000", "1.000", "0", "0,000 %"},
      {"Median:", "1.000", "1.000", "0", "0,000 %"},
      {"75 %-Quantil:", "2.000", "1.000", "-1.000", "-50,000 %"},
      {"90 %-Quantil:", "2.000", "2.000", "0", "0,000 %"},
      {"95 %-Quantil:", "2.000", "2.000", "0", "0,000 %"},
  };
  for (std::size_t i = 0; i < v.Zeilen.size(); ++i) {
    const Vergleichszeile &z = v.Zeilen[i];
    EXPECT_EQ(z.Beschriftung, erwartet[i].beschriftung);
    EXPECT_EQ(z.ExaktText, erwartet[i].exakt) << z.Beschriftung;
    EXPECT_EQ(z.StichprobeText, erwartet[i].stichprobe) << z.Beschriftung;
    EXPECT_EQ(z.DifferenzText, erwartet[i].differenz) << z.Beschriftung;
    EXPECT_EQ(z.DifferenzProzentText, erwartet[i].prozent) << z.Beschriftung;
  }
  // The sample's curve stands at 3/4 where the exact one stands at 1/2.
  EXPECT_EQ(v.KsAbstand, 0.25L);
  EXPECT_EQ(v.KsStelle, 1000);
  EXPECT_EQ(v.KsAbstandText, "0,2500");
  EXPECT_EQ(v.KsGrenzeText, "0,6790");
  // A value between the exact ones: the distance is the full half on both sides of it.
  EXPECT_EQ(StichprobeVergleichen(e, std::vector<double>{1500}).KsAbstand, 0.5L);
  // Without a sample only the exact column is filled.
  const StichprobenVergleich nurExakt = ExakteZeilen(e);
  EXPECT_EQ(nurExakt.Umfang, 0);
  EXPECT_EQ(nurExakt.Zeilen[0].ExaktText, "1.500");
  EXPECT_EQ(nurExakt.Zeilen[0].StichprobeText, "");
  EXPECT_EQ(nurExakt.KsAbstandText, "");
}

TEST(ExakteAuswertung, LaufNebenDerExaktenVerteilung) {
  Bewertungsmodell m = Modell(StandardMin, StandardMax);
  const ExakteVerteilung e = ExakteVerteilungBerechnen(m.Verteilungen);
  Simulationslauf lauf(m);
  test::AufzeichnendeAnzeige anzeige;
  m.Zufall.Zufallszustand = 0;
  lauf.Berechnen(StandardMin, StandardMax, 20000, anzeige);
  const StichprobenVergleich v = StichprobeVergleichen(e, lauf.Ergebnis());
  EXPECT_EQ(v.Umfang, 20000);
  // The sample's mean is the run's "Mittel Stichprobe:".
  EXPECT_EQ(v.Zeilen[0].StichprobeText, anzeige.Kennzahl_(Kennzahl::LMWSTP));
  EXPECT_LT(std::fabs(v.Zeilen[0].Differenz), 4 * e.Standardabweichung / std::sqrt(20000.0L));
  for (const Vergleichszeile &z : v.Zeilen) EXPECT_LT(std::fabs(z.Differenz / z.Exakt), 0.02L) << z.Beschriftung;
  EXPECT_GT(v.KsAbstand, 0);
  EXPECT_LT(v.KsAbstand, v.KsGrenze);
  // A run beyond the store is compared through its first 100,000 trials.
  lauf.Berechnen(StandardMin, StandardMax, 100001, anzeige);
  EXPECT_EQ(StichprobeVergleichen(e, lauf.Ergebnis()).Umfang, 100000);
  EXPECT_EQ(ProzentText(0.1L), "10,0000 %");
  EXPECT_EQ(ProzentText(0x1p-32L), "< 0,0001 %");
  EXPECT_EQ(ProzentText(0), "0,0000 %");
}

// --- Exact masses ------------------------------------------------------------------------------

TEST(Wahrscheinlichkeitsmasse, SchwelleAnteilUndUmwandlung) {
  const Masse zwei160 = Masse::ZweiHoch(160);
  EXPECT_EQ(Schwelle(0.25L, Masse(10)), Masse(3));
  EXPECT_EQ(Schwelle(0.5L, Masse(4)), Masse(2));
  EXPECT_EQ(Schwelle(0, Masse(4)), Masse(0));
  EXPECT_EQ(Schwelle(-1, Masse(4)), Masse(0));
  EXPECT_EQ(Schwelle(1, zwei160), zwei160);
  EXPECT_EQ(Schwelle(0x1p-70L, zwei160), Masse::ZweiHoch(90));
  Masse erwartet = Masse::ZweiHoch(90);
  erwartet += Masse::ZweiHoch(27);
  EXPECT_EQ(Schwelle(0x1p-70L + 0x1p-133L, zwei160), erwartet);
  // 2^30 + 2^-33 rounds up.
  Masse klein = Masse::ZweiHoch(30);
  klein += Masse(1);
  EXPECT_EQ(Schwelle(0x1p-70L + 0x1p-133L, Masse::ZweiHoch(100)), klein);
  EXPECT_EQ(Schwelle(0x1p-200L, zwei160), Masse(1)); // 2^-40 rounds up to one
  // 2^160 - 1 and back.
  Masse fast = zwei160;
  fast -= Masse(1);
  EXPECT_EQ(fast.Teil[0], ~std::uint64_t{0});
  EXPECT_EQ(fast.Teil[1], ~std::uint64_t{0});
  EXPECT_EQ(fast.Teil[2], 0xFFFFFFFFu);
  EXPECT_EQ(fast.Teil[3], 0u);
  EXPECT_EQ(zwei160.AlsExtended(), 0x1p160L);
  EXPECT_EQ(fast.AlsExtended(), 0x1p160L - 0x1p96L); // cut to 64 bits
  EXPECT_EQ(Masse(12345).AlsExtended(), 12345);
  Masse produkt(4294967295u);
  produkt.MalGanz(4294967295u).MalGanz(4294967295u);
  // (2^32 - 1)^3 = 2^96 - 3 2^64 + 3 2^32 - 1: its leading 64 bits are 0xFFFFFFFD00000002.
  EXPECT_EQ(produkt.AlsExtended(), std::ldexp(static_cast<Extended>(0xFFFFFFFD00000002ull), 32));
  EXPECT_EQ(Anteil(fast, fast), 1);
  EXPECT_EQ(Anteil(Masse::ZweiHoch(159), zwei160), 0.5L);
}

} // namespace
