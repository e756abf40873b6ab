// The exact distribution of the market value: the class probabilities, the distribution against
// counting every combination out, against sampling, and the sensitivity of the mean.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <numeric>

#include "AufzeichnendeAnzeige.h"
#include "ExaktHilfen.h"
#include "ExakteAuswertung.h"
#include "Simulationslauf.h"
#include "W32_CLC.h"

using namespace kwt;
using namespace kwt::test;

namespace {

// Sums pairwise, so that the sum of 10^5 shares is not moved by 10^5 upward roundings.
Extended PaarweiseSumme(const Extended *x, std::size_t n) {
  if (n == 0) return 0;
  if (n == 1) return x[0];
  return PaarweiseSumme(x, n / 2) + PaarweiseSumme(x + n / 2, n - n / 2);
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
  // The stored value at the class-5 midpoints 4.935, 49, 337000, 71250, 695250.
  const double formel = 4942364;
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
  const double wert = 4513363; // the stored value at the lower bounds
  EXPECT_EQ(static_cast<double>(RundenInt64(Ertragswert(4.8L, 40, 310000, 60000, 675000))), wert);
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
  EXPECT_EQ(zeilen[0].SpanneText, "992.019");
  EXPECT_EQ(zeilen[3].KlasseTief, "Klasse 1: 4,82");
}

} // namespace
