#include <gtest/gtest.h>

#include "AufzeichnendeAnzeige.h"
#include "Simulationslauf.h"
#include "Standardwerte.h"
#include "W32_CLC.h"

using namespace kwt;
using kwt::test::AufzeichnendeAnzeige;

namespace {

struct Lauf {
  Bewertungsmodell modell;
  Simulationslauf lauf{modell};
  const Laufergebnis &ergebnis = lauf.Ergebnis();
  AufzeichnendeAnzeige anzeige;
  std::string fehler;

  Lauf() { MenuVoreinstellungAnwenden(modell, StandardVoreinstellung); }
  void Starten(const Parameterwerte &min, const Parameterwerte &max, std::int32_t n, std::uint32_t seed = 0) {
    modell.Zufall.Zufallszustand = seed;
    fehler = lauf.Berechnen(min, max, n, anzeige).Fehlermeldung;
  }
  std::string K(Kennzahl k) const { return anzeige.Kennzahl_(k); }
};

// With a remaining life of 0 the market value is the land value: a run then draws BO's midpoints.
const Parameterwerte nurBodenMin(Extended boMin) { return {5, 0, 0, 0, boMin}; }
const Parameterwerte nurBodenMax(Extended boMax) { return {5, 0, 0, 0, boMax}; }

TEST(Lauf, StandardlaufZeigtAlleKennzahlenInDerReihenfolge) {
  Lauf l;
  l.anzeige.kontinuierlich = true;
  l.Starten(StandardMin, StandardMax, 10000, 0);
  ASSERT_EQ(l.fehler, "");
  EXPECT_EQ(l.ergebnis.AktVersuch, 10000);
  EXPECT_EQ(l.K(Kennzahl::LMinVKW), "3.900.804");
  EXPECT_EQ(l.K(Kennzahl::LMaxVKW), "6.113.897");
  const std::vector<std::string> reihenfolge{"LMinVKW", "LMaxVKW", "LWeightedVKW", "LMittelVKW", "Zwischenablage",
                                             "LMWSTP", "LMedianSTP", "LDiffP", "LDiffWMedian", "LDiffWMittelwert"};
  EXPECT_EQ(l.anzeige.reihenfolge, reihenfolge);
  // Bars rebuilt after every trial with the check box ticked, and once more at the end.
  EXPECT_EQ(l.anzeige.zeichnungen, 10001);
  EXPECT_EQ(l.anzeige.kurven.size(), 1u);
  EXPECT_EQ(l.ergebnis.Histo.KlassenAnzahl, 40);
  int gezaehlt = 0;
  for (int a : l.ergebnis.Histo.Haeufigkeit) gezaehlt += a;
  EXPECT_EQ(gezaehlt, 10000);
  // Sorted distinct ten-digit lines, CR LF after each.
  const auto &z = l.ergebnis.Liste.Zeilen();
  ASSERT_FALSE(z.empty());
  for (std::size_t i = 1; i < z.size(); ++i) EXPECT_LT(z[i - 1], z[i]);
  EXPECT_EQ(l.anzeige.zwischenablage.back().size(), z.size() * 12);
  EXPECT_EQ(l.anzeige.zwischenablage.back().substr(10, 2), "\r\n");
  // The stored values are the rounded-up market values; the mean label rests on them.
  for (int k = 0; k < 10000; ++k) EXPECT_EQ(l.ergebnis.Werte[k], std::ceil(l.ergebnis.Werte[k]));
  // The same seed gives the same run.
  Lauf wieder;
  wieder.Starten(StandardMin, StandardMax, 10000, 0);
  EXPECT_EQ(wieder.anzeige.kennzahlen, l.anzeige.kennzahlen);
  EXPECT_EQ(wieder.ergebnis.Werte, l.ergebnis.Werte);
}

// The result holds what the display was shown: the labels as text, the figures as numbers, the list
// as on the clipboard, the last curve, the three values and the tables drawn from. A run that fails
// before its histogram is prepared leaves the previous run's histogram and curve.
TEST(Lauf, ErgebnisHaeltWasDieAnzeigeZeigte) {
  Lauf l;
  l.Starten(StandardMin, StandardMax, 2000, 0);
  ASSERT_EQ(l.fehler, "");
  const Laufergebnis &e = l.ergebnis;
  for (const KennzahlEintrag &k : Kennzahlen) {
    EXPECT_EQ(e.Anzeige(k.Art), l.anzeige.kennzahlen.at(k.Art)) << k.Name;
    ASSERT_TRUE(e.Kennwert(k.Art)) << k.Name;
    EXPECT_EQ(ZahlFormatieren(k.Dezimalen, true, true, *e.Kennwert(k.Art), false), e.Anzeige(k.Art)) << k.Name;
  }
  EXPECT_EQ(e.VkwMin, l.modell.VkwMin);
  EXPECT_EQ(e.VkwMax, l.modell.VkwMax);
  EXPECT_EQ(e.VkwGewichtet, l.modell.VkwGewichtet);
  EXPECT_EQ(l.anzeige.zwischenablage.back(), e.Liste.ZwischenablageText());
  ASSERT_EQ(l.anzeige.kurven.size(), 1u);
  EXPECT_EQ(e.Kurve.Kurve, l.anzeige.kurven.back().Kurve);
  EXPECT_FALSE(e.Kurve.Kurve.empty());
  ASSERT_TRUE(e.Tabellen);
  EXPECT_EQ(*e.Tabellen, l.modell.Verteilungen);
  EXPECT_EQ(e.GespeicherteWerte().size(), 2000u);
  EXPECT_FALSE(e.Angehalten());

  const Histogramm histo = e.Histo;
  const RHKurve kurve = e.Kurve;
  l.Starten({0, 40, 310000, 60000, 675000}, {0, 60, 370000, 85000, 720000}, 100, 1); // LZ of 0
  EXPECT_EQ(e.Abbruch, Laufabbruch::Vorbereitung);
  EXPECT_EQ(e.Histo.Haeufigkeit, histo.Haeufigkeit);
  EXPECT_EQ(e.Kurve.Kurve, kurve.Kurve);
  EXPECT_EQ(e.AnzahlVersuche, 100);
  EXPECT_EQ(e.AktVersuch, 0);
}

TEST(Lauf, EinVersuch) {
  // The median is the one line's number, the mean the one stored value (rounded up).
  Lauf l;
  l.Starten(StandardMin, StandardMax, 1, 7);
  ASSERT_EQ(l.fehler, "");
  EXPECT_EQ(l.ergebnis.Liste.Zeilen(), std::vector<std::string>{"0005138934"});
  EXPECT_EQ(l.ergebnis.Werte[0], 5138935);
  EXPECT_EQ(l.K(Kennzahl::LMedianSTP), "5.138.934");
  EXPECT_EQ(l.K(Kennzahl::LMWSTP), "5.138.935");
  EXPECT_EQ(l.ergebnis.Werte[1], 0);
  EXPECT_EQ(l.ergebnis.Kennwert(Kennzahl::LMWSTP), Extended{5138935});
  EXPECT_EQ(l.ergebnis.Kennwert(Kennzahl::LMedianSTP), Extended{5138934});
}

TEST(Lauf, GleicherWertMitBruchteilUnterEinhalb) {
  // BO's class 5 lies at 995.8 + 4.5 = 1000.3; every trial draws it.
  Lauf l;
  l.modell.Verteilungen[BO].Prozent = ZeilenWerte(Zeile::Einpunkt);
  l.Starten(nurBodenMin(995.8L), nurBodenMax(1005.8L), 100, 99);
  ASSERT_EQ(l.fehler, "");
  EXPECT_EQ(l.ergebnis.Werte[0], 1001);
  EXPECT_EQ(l.ergebnis.Liste.Zeilen(), std::vector<std::string>{"0000001000"});
  EXPECT_EQ(l.K(Kennzahl::LMWSTP), "1.001");
  EXPECT_EQ(l.K(Kennzahl::LMedianSTP), "1.000");
  EXPECT_EQ(l.K(Kennzahl::LDiffP), "0,000999");
  EXPECT_EQ(l.anzeige.zwischenablage.back(), "0000001000\r\n");
}

TEST(Lauf, ZweiWerteEineZeile) {
  // BO midpoints 1234567.2, 1234567.4, ... with 50 % each on the first two classes; a seed whose
  // first trial draws the first and whose second trial draws the second.
  std::uint32_t seed = 0;
  for (;; ++seed) {
    Zufallsgenerator z{seed};
    Extended draws[10];
    for (Extended &d : draws) d = z.Zufallszahl();
    if (draws[3] <= 0.5L && draws[8] > 0.5L) break;
  }
  Lauf l;
  l.modell.Verteilungen[BO].Prozent = {50, 50, 0, 0, 0, 0, 0, 0, 0, 0};
  l.Starten(nurBodenMin(1234567.1L), nurBodenMax(1234569.1L), 2, seed);
  ASSERT_EQ(l.fehler, "");
  EXPECT_EQ(l.ergebnis.Werte[0], 1234568);
  EXPECT_EQ(l.ergebnis.Werte[1], 1234568);
  EXPECT_EQ(l.ergebnis.Liste.Zeilen(), std::vector<std::string>{"0001234567"});
  EXPECT_EQ(l.K(Kennzahl::LMWSTP), "1.234.568");
  EXPECT_EQ(l.K(Kennzahl::LMedianSTP), "1.234.567");
}

TEST(Lauf, MedianDerZeilen) {
  EXPECT_EQ(MedianDerZeilen({"0000000010", "0000000020", "0000000030", "0000000050"}), 25);
  EXPECT_EQ(MedianDerZeilen({"0000000010", "0000000020", "0000000050"}), 20);
  EXPECT_EQ(MedianDerZeilen({"0000000007"}), 7);
  EXPECT_EQ(MedianDerZeilen({"0000000001", "0000000002"}), 1.5L);
}

TEST(Lauf, StopImVersuch37) {
  Lauf l;
  std::string zwischendurch;
  l.anzeige.beiVersuch[37] = [&] {
    zwischendurch = l.ergebnis.Liste.ZwischenablageText(); // "Daten in Zwischenablage" in the middle
    l.lauf.Stoppen();
  };
  l.Starten(StandardMin, StandardMax, 10000, 3);
  ASSERT_EQ(l.fehler, "");
  EXPECT_EQ(l.ergebnis.AktVersuch, 37);
  EXPECT_EQ(l.anzeige.versuche.size(), 37u);
  EXPECT_TRUE(l.ergebnis.Liste.IstSortiert());
  EXPECT_EQ(l.anzeige.zwischenablage.size(), 1u);
  // The copy during trial 37 holds the 36 lines appended before, in trial order.
  EXPECT_EQ(zwischendurch.size(), 36u * 12);
  EXPECT_EQ(l.ergebnis.Werte[36] != 0, true);
  EXPECT_EQ(l.ergebnis.Werte[37], 0);
  // Mean and median of the 37 trials done.
  EXPECT_EQ(l.K(Kennzahl::LMWSTP), "4.984.483");
  EXPECT_EQ(l.K(Kennzahl::LMedianSTP), "5.007.986");
  EXPECT_FALSE(l.ergebnis.Fehlgeschlagen());
  EXPECT_TRUE(l.ergebnis.Angehalten());
  EXPECT_EQ(l.ergebnis.GespeicherteWerte().size(), 37u);
}

TEST(Lauf, StopVorDemLaufWirdVerworfen) {
  Lauf l;
  l.lauf.Stoppen(); // Esc with no run going
  l.Starten(StandardMin, StandardMax, 500, 1);
  EXPECT_EQ(l.ergebnis.AktVersuch, 500);
}

TEST(Lauf, Fortschritt) {
  Lauf l;
  l.Starten(StandardMin, StandardMax, 3, 1);
  EXPECT_EQ(l.anzeige.fortschritt, (std::vector<int>{34, 67, 100}));
  EXPECT_EQ(l.anzeige.versuche, (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(Simulationslauf::FortschrittProzent(0, 0), 0);
  EXPECT_EQ(Simulationslauf::FortschrittProzent(1, 2147483647), 1);
  EXPECT_EQ(Simulationslauf::FortschrittProzent(2147483647, 2147483647), 100);
}

TEST(Lauf, OhneKontinuierlichesHistogrammNurAmEnde) {
  Lauf l;
  l.Starten(StandardMin, StandardMax, 200, 1);
  EXPECT_EQ(l.anzeige.leerungen, 1);
  EXPECT_EQ(l.anzeige.zeichnungen, 1);
}

// A successful run first, so that "from the previous run" can be checked.
struct Fehlerfall {
  const char *name;
  Parameterwerte min, max;
  std::int32_t versuche;
  std::array<Klassenwerte, 5> prozent; // of LZ, RND, RO, BWK, BO
  const char *meldung;
  std::int32_t aktVersuch;
  bool sortiert;
  int zwischenablagen; // clipboard copies of the failing run
  std::vector<std::string> gesetzt; // labels the failing run sets
  Laufabbruch abbruch;               // the step the result names
};

TEST(Lauf, Fehlertabelle) {
  const Klassenwerte normal = ZeilenWerte(Zeile::Normal), gleich = ZeilenWerte(Zeile::Gleich),
                     ein = ZeilenWerte(Zeile::Einpunkt);
  const Klassenwerte nurSechs{0, 0, 0, 0, 0, 100, 0, 0, 0, 0};
  const std::vector<std::string> anfang{"LMinVKW", "LMaxVKW", "LWeightedVKW", "LMittelVKW"};
  const Fehlerfall faelle[] = {
      {"LZ-Grenze 0", {0, 40, 310000, 60000, 675000}, {0, 60, 370000, 85000, 720000}, 100,
       {normal, normal, normal, normal, normal}, "Ungültige Gleitkommaoperation", 0, false, 0, {},
       Laufabbruch::Vorbereitung},
      {"Versuch an einer Klassenmitte nicht berechenbar", {-100.5L, 1, 310000, 60000, 675000},
       {-90.5L, 1, 370000, 85000, 720000}, 10000, {gleich, normal, normal, normal, normal},
       "Gleitkommadivision durch Null", -1, false, 0, anfang, Laufabbruch::Versuch},
      {"Wert ab 2^63", nurBodenMin(1e19L), nurBodenMax(1.1e19L), 10, {normal, normal, normal, normal, normal},
       "Ungültige Gleitkommaoperation", 0, false, 0, anfang, Laufabbruch::Versuch},
      {"VkwMin gleich VkwMax", StandardMin, StandardMin, 10, {normal, normal, normal, normal, normal},
       "Ungültige Gleitkommaoperation", 1, false, 0, anfang, Laufabbruch::Versuch},
      {"keine Versuche", StandardMin, StandardMax, 0, {normal, normal, normal, normal, normal},
       "Ungültige Gleitkommaoperation", 0, true, 1, anfang, Laufabbruch::Mittelwert},
      {"negative Versuchszahl", StandardMin, StandardMax, -7, {normal, normal, normal, normal, normal},
       "Ungültige Gleitkommaoperation", 0, true, 1, anfang, Laufabbruch::Mittelwert},
      {"Median auf leerer Zeile", nurBodenMin(-5.5L), nurBodenMax(4.5L), 20, {normal, normal, normal, normal, nurSechs},
       "'' ist kein gültiger Gleitkommawert", 20, true, 1, {"LMinVKW", "LMaxVKW", "LWeightedVKW", "LMittelVKW", "LMWSTP"},
       Laufabbruch::Median},
      {"Median auf Zeile mit Minus", nurBodenMin(-5.5L), nurBodenMax(4.5L), 20, {normal, normal, normal, normal, ein},
       "'00000000-1' ist kein gültiger Gleitkommawert", 20, true, 1,
       {"LMinVKW", "LMaxVKW", "LWeightedVKW", "LMittelVKW", "LMWSTP"}, Laufabbruch::Median},
  };
  for (const Fehlerfall &f : faelle) {
    SCOPED_TRACE(f.name);
    Lauf l;
    l.Starten(StandardMin, StandardMax, 50, 11);
    ASSERT_EQ(l.fehler, "");
    ASSERT_EQ(l.ergebnis.Abbruch, Laufabbruch::Keiner);
    ASSERT_TRUE(l.ergebnis.Tabellen);
    const auto vorher = l.anzeige.kennzahlen;
    for (Parameter p : AlleParameter) l.modell.Verteilungen[p].Prozent = f.prozent[p];
    l.anzeige.reihenfolge.clear();
    l.anzeige.zwischenablage.clear();
    l.Starten(f.min, f.max, f.versuche, 5);
    EXPECT_EQ(l.fehler, f.meldung);
    EXPECT_EQ(l.ergebnis.Abbruch, f.abbruch);
    EXPECT_FALSE(l.ergebnis.Tabellen); // only a run without an error names the tables it drew from
    if (f.aktVersuch >= 0) {
      EXPECT_EQ(l.ergebnis.AktVersuch, f.aktVersuch);
    }
    EXPECT_EQ(l.ergebnis.Liste.IstSortiert(), f.sortiert);
    EXPECT_EQ(static_cast<int>(l.anzeige.zwischenablage.size()), f.zwischenablagen);
    std::vector<std::string> gesetzt = l.anzeige.reihenfolge;
    std::erase(gesetzt, "Zwischenablage");
    EXPECT_EQ(gesetzt, f.gesetzt);
    // Every label the failing run did not reach still shows the previous run's figure; the result
    // holds the labels as shown and the numbers of those this run set.
    for (const KennzahlEintrag &e : Kennzahlen) {
      const bool gesetztVonDiesem = std::find(gesetzt.begin(), gesetzt.end(), e.Name) != gesetzt.end();
      if (!gesetztVonDiesem) {
        EXPECT_EQ(l.anzeige.kennzahlen.at(e.Art), vorher.at(e.Art)) << e.Name;
      }
      EXPECT_EQ(l.ergebnis.Anzeige(e.Art), l.anzeige.kennzahlen.at(e.Art)) << e.Name;
      EXPECT_EQ(l.ergebnis.Kennwert(e.Art).has_value(), gesetztVonDiesem) << e.Name;
    }
    if (!f.sortiert) {
      // The completed trials are listed in trial order; a trial that failed in counting is stored
      // but not listed.
      const std::size_t gelistet = static_cast<std::size_t>(l.ergebnis.AktVersuch) - (f.aktVersuch == 1 ? 1 : 0);
      EXPECT_EQ(l.ergebnis.Liste.Zeilen().size(), gelistet);
    }
  }
}

TEST(Lauf, MehrVersucheAlsDerWerteSpeicher) {
  Lauf l;
  l.Starten(StandardMin, StandardMax, 150000, 21);
  ASSERT_EQ(l.fehler, "");
  EXPECT_EQ(l.ergebnis.AktVersuch, 150000);
  EXPECT_EQ(l.ergebnis.Werte.size(), 100000u);
  EXPECT_NE(l.ergebnis.Werte.back(), 0);
  EXPECT_EQ(l.ergebnis.Histo.KlassenAnzahl, 60);
  int gezaehlt = 0;
  for (int a : l.ergebnis.Histo.Haeufigkeit) gezaehlt += a;
  EXPECT_EQ(gezaehlt, 150000);
  for (int i = 0; i < 60; ++i) EXPECT_FALSE(l.ergebnis.Histo.KlassenText[i].empty()) << i;
}

} // namespace

#include "ErgebnisCsv.h"

namespace {

TEST(ErgebnisCsv, WerteInVersuchsfolgeUndSortierteZeilen) {
  Lauf l;
  l.modell.Verteilungen[BO].Prozent = ZeilenWerte(Zeile::Einpunkt);
  l.Starten(nurBodenMin(995.8L), nurBodenMax(1005.8L), 3, 99);
  Lauf leer;
  const struct {
    CsvTrenner trenner;
    const char *csv, *leer;
  } faelle[] = {
      {CsvTrenner::Komma, "Versuch,Wert,Zeile\r\n1,1001,\"0000001000\"\r\n2,1001,\r\n3,1001,\r\n", "Versuch,Wert,Zeile\r\n"},
      {CsvTrenner::Semikolon, "Versuch;Wert;Zeile\r\n1;1001;\"0000001000\"\r\n2;1001;\r\n3;1001;\r\n", "Versuch;Wert;Zeile\r\n"},
  };
  for (const auto &f : faelle) {
    EXPECT_EQ(ErgebnisCsv(l.ergebnis, f.trenner), f.csv);
    EXPECT_EQ(ErgebnisCsv(leer.ergebnis, f.trenner), f.leer);
  }
}

} // namespace
