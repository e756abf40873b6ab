// The exact distribution beside what the user sees of it: combinations that cannot be computed, the
// quantiles and the curve, a run's sample against the exact figures, and the exact masses beneath
// the shares.
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
