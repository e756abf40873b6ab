// The remaining life after modernisation (ImmoWertV 2021, Anlage 2) against published examples and
// values worked out by hand from the regulation's formula and its Tabelle 3.
#include <gtest/gtest.h>

#include <string>

#include "Restnutzungsdauer.h"

using namespace kwt;

namespace {

Extended Dezimal(const std::string &text) { return TextZuExtended(text); }

struct Beispiel {
  const char *name;
  Extended gnd, alter;
  int punkte;
  const char *rnd; // two decimals, as the bound field shows it
};

void PrintTo(const Beispiel &b, std::ostream *os) { *os << b.name; }

class Anlage2 : public ::testing::TestWithParam<Beispiel> {};

TEST_P(Anlage2, RestnutzungsdauerAufZweiStellen) {
  const Beispiel &b = GetParam();
  const RndModellErgebnis r = RndGrenzenBerechnen({b.gnd, b.alter, b.punkte, b.punkte});
  EXPECT_EQ(r.Min, Dezimal(b.rnd));
  EXPECT_EQ(r.Max, Dezimal(b.rnd));
  EXPECT_EQ(r.AlterUeberGnd, b.alter > b.gnd);
}

// By hand: RND = a · Alter² / GND − b · Alter + c · GND.
//   80/80, 0 points:  1,25 · 80 − 2,625 · 80 + 1,525 · 80 = 12
//   80/80, 5 points:  0,6725 · 80 − 1,4578 · 80 + 1,085 · 80 = 23,976
//   80/68, 10 points: 0,432 · 57,8 − 0,954 · 68 + 0,9811 · 80 = 38,5856
//   80/60, 10 points: 0,432 · 45 − 0,954 · 60 + 78,488 = 40,688
//   80/30, 2 points:  relative age 37,5 % below 55 %: 80 − 30 = 50
//   80/80, 20 points: (0,2 − 0,44 + 0,942) · 80 = 56,16, the model's 70 % of GND
//   60/44, 8 points:  0,5 · 1936 / 60 − 1,1 · 44 + 60 = 27,7333
//   80/48, 0 points:  exactly 60 %, the formula applies: 36 − 126 + 122 = 32 (= GND − Alter there)
//   80/32, 4 points:  exactly 40 %: 0,73 · 12,8 − 1,577 · 32 + 1,1133 · 80 = 47,944
//   80/31,99, 4 points: just below 40 %: 80 − 31,99 = 48,01
//   age beyond GND counts as GND: 80/100 and 80/160 give what 80/80 gives
const Beispiel beispiele[] = {
    {"gnd80_alter80_0", 80, 80, 0, "12"},
    {"gnd80_alter80_5", 80, 80, 5, "23.98"},
    {"gnd80_alter68_10", 80, 68, 10, "38.59"},
    {"gnd80_alter60_10", 80, 60, 10, "40.69"},
    {"gnd80_alter30_2", 80, 30, 2, "50"},
    {"gnd80_alter80_20", 80, 80, 20, "56.16"},
    {"gnd60_alter44_8", 60, 44, 8, "27.73"},
    {"schwelle_genau_60", 80, 48, 0, "32"},
    {"schwelle_genau_40", 80, 32, 4, "47.94"},
    {"unter_schwelle_40", 80, Dezimal("31.99"), 4, "48.01"},
    {"neubau", 80, 0, 20, "80"},
    {"alter_ueber_gnd_0", 80, 100, 0, "12"},
    {"alter_ueber_gnd_5", 80, 160, 5, "23.98"},
};

INSTANTIATE_TEST_SUITE_P(Restnutzungsdauer, Anlage2, ::testing::ValuesIn(beispiele),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Restnutzungsdauer, SpanneDerPunkte) {
  // 80/60 for 8 to 12 points: 36,5  38,598  40,688  42,786  44,876.
  const RndModellErgebnis r = RndGrenzenBerechnen({80, 60, 8, 12});
  EXPECT_EQ(r.Min, Dezimal("36.5"));
  EXPECT_EQ(r.Max, Dezimal("44.88"));
  EXPECT_FALSE(r.AlterUeberGnd);
}

TEST(Restnutzungsdauer, UeberDieGesamtnutzungsdauerHinausNimmtSieNichtZu) {
  // The formula itself would rise again beyond GND; the model keeps the value at GND.
  for (int punkte = 0; punkte <= 20; ++punkte) {
    const Extended amEnde = RestnutzungsdauerModernisiert(80, 80, punkte);
    for (Extended alter : {80.5L, 88.0L, 120.0L, 400.0L}) EXPECT_EQ(RestnutzungsdauerModernisiert(80, alter, punkte), amEnde);
    // Up to GND the formula falls with age in every row: its lowest point lies beyond GND.
    const ModernisierungsZeile &z = Anlage2Tabelle3()[static_cast<std::size_t>(punkte)];
    EXPECT_EQ(z.Punkte, punkte);
    EXPECT_GT(z.B / (2 * z.A), 1.0L) << punkte;
    EXPECT_LT(RestnutzungsdauerModernisiert(80, 79, punkte), RestnutzungsdauerModernisiert(80, 70, punkte));
  }
}

TEST(Restnutzungsdauer, UngueltigeEingabenNennenDasFeld) {
  struct Ungueltig {
    RndModellEingabe e;
    RndModellFeld feld;
    const char *meldung;
  };
  const Ungueltig faelle[] = {
      {{0, 30, 0, 0}, RndModellFeld::Gnd, "GND muss größer als 0 sein."},
      {{-80, 30, 0, 0}, RndModellFeld::Gnd, "GND muss größer als 0 sein."},
      {{80, -1, 0, 0}, RndModellFeld::Alter, "Das Alter darf nicht negativ sein."},
      {{80, 30, -1, 3}, RndModellFeld::PunkteVon, "Die Punkte „von“ müssen zwischen 0 und 20 liegen."},
      {{80, 30, 3, 21}, RndModellFeld::PunkteBis, "Die Punkte „bis“ müssen zwischen 0 und 20 liegen."},
      {{80, 30, 6, 5}, RndModellFeld::PunkteVon, "Die Punkte „von“ dürfen nicht über den Punkten „bis“ liegen."},
  };
  for (const Ungueltig &f : faelle) {
    try {
      RndGrenzenBerechnen(f.e);
      ADD_FAILURE() << "kein Fehler: " << f.meldung;
    } catch (const RndModellFehler &fehler) {
      EXPECT_STREQ(fehler.what(), f.meldung);
      EXPECT_EQ(fehler.Feld, f.feld) << f.meldung;
    }
  }
}

TEST(Restnutzungsdauer, ModernisierungsgradNachTabelle2) {
  const char *grad[21] = {};
  for (int p = 0; p <= 20; ++p) grad[p] = ModernisierungsgradVon(p).Name;
  EXPECT_STREQ(grad[0], "nicht modernisiert");
  EXPECT_STREQ(grad[1], "nicht modernisiert");
  EXPECT_STREQ(grad[2], "kleine Modernisierungen im Rahmen der Instandhaltung");
  EXPECT_STREQ(grad[5], "kleine Modernisierungen im Rahmen der Instandhaltung");
  EXPECT_STREQ(grad[6], "mittlerer Modernisierungsgrad");
  EXPECT_STREQ(grad[10], "mittlerer Modernisierungsgrad");
  EXPECT_STREQ(grad[11], "überwiegend modernisiert");
  EXPECT_STREQ(grad[17], "überwiegend modernisiert");
  EXPECT_STREQ(grad[18], "umfassend modernisiert");
  EXPECT_STREQ(grad[20], "umfassend modernisiert");
}

} // namespace
