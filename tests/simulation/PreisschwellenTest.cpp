// Price thresholds and the central ranges, against figures worked out by hand or counted out
// combination by combination through the trial's own formula.
#include <gtest/gtest.h>

#include <cmath>

#include "ExaktHilfen.h"
#include "Preisschwellen.h"
#include "Wertebereiche.h"

using namespace kwt;
using namespace kwt::test;

namespace {

// The land value alone: 1000 for the first n of the 2^32 states, 2000 for the others.
TEST(Preisschwellen, UnterDemKleinstenUeberDemGroesstenUndDazwischen) {
  struct Fall {
    const char *name;
    std::uint64_t zustaendeBei1000;
    Extended betrag;
    Extended unter, ab; // exact, by hand
  };
  const std::uint64_t haelfte = ZustandAnzahl / 2;
  const Fall faelle[] = {
      {"unter dem kleinsten Wert", haelfte, 999.5L, 0, 1},
      {"auf dem kleinsten Wert zählt als ab", haelfte, 1000, 0, 1},
      {"zwischen zwei Werten", haelfte, 1500, 0.5L, 0.5L},
      {"auf dem größten Wert", haelfte, 2000, 0.5L, 0.5L},
      {"über dem größten Wert", haelfte, 2000.01L, 1, 0},
      // One state of 2^32 gives 1000: both tails keep their digits.
      {"ein Zustand unten", 1, 1500, 0x1p-32L, 1 - 0x1p-32L},
      {"ein Zustand oben", ZustandAnzahl - 1, 1500, 1 - 0x1p-32L, 0x1p-32L},
  };
  for (const Fall &f : faelle) {
    SCOPED_TRACE(f.name);
    const ExakteVerteilung e = ExakteVerteilungBerechnen(NurBoden(f.zustaendeBei1000));
    const Preisschwelle s = PreisschwelleBerechnen(e, {}, f.betrag);
    EXPECT_EQ(s.ExaktUnter, f.unter);
    EXPECT_EQ(s.ExaktAb, f.ab);
    EXPECT_TRUE(std::isnan(s.StichprobeUnter));
    EXPECT_EQ(s.StichprobeUnterText, "");
  }
  const ExakteVerteilung e = ExakteVerteilungBerechnen(NurBoden(1));
  const Preisschwelle s = PreisschwelleBerechnen(e, {}, 1500);
  EXPECT_EQ(s.ExaktUnterText, "< 0,0001 %");
  EXPECT_EQ(s.ExaktAbText, "> 99,9999 %");
  EXPECT_EQ(s.BetragText, "1.500 €");
}

TEST(Preisschwellen, StichprobeUndBetragstexte) {
  const ExakteVerteilung e = ExakteVerteilungBerechnen(NurBoden(ZustandAnzahl / 2));
  const std::vector<double> sortiert{1000, 2000, 2000, 3000};
  struct Fall {
    Extended betrag;
    const char *unter, *ab;
  } const faelle[] = {{500, "0,0000 %", "100,0000 %"},
                      {1000, "0,0000 %", "100,0000 %"},
                      {1000.5L, "25,0000 %", "75,0000 %"},
                      {2000, "25,0000 %", "75,0000 %"},
                      {3000, "75,0000 %", "25,0000 %"},
                      {3001, "100,0000 %", "0,0000 %"}};
  for (const Fall &f : faelle) {
    const Preisschwelle s = PreisschwelleBerechnen(e, sortiert, f.betrag);
    EXPECT_EQ(s.StichprobeUnterText, f.unter) << s.BetragText;
    EXPECT_EQ(s.StichprobeAbText, f.ab) << s.BetragText;
    EXPECT_EQ(s.StichprobeUnter + s.StichprobeAb, 1) << s.BetragText;
  }
  EXPECT_EQ(BetragText(4500000), "4.500.000 €");
  EXPECT_EQ(BetragText(4500000.5L), "4.500.000,50 €");
  EXPECT_EQ(BetragText(-1234), "-1.234 €");
}

// The default scenario against the shares counted out over every combination.
TEST(Preisschwellen, StandardszenarioGegenDieDurchgezaehlteVerteilung) {
  const Bewertungsmodell m = Modell(StandardMin, StandardMax);
  const ExakteVerteilung e = ExakteVerteilungBerechnen(m.Verteilungen);
  const Durchgezaehlt d = Durchzaehlen(m);
  for (const Extended betrag : {4000000.0L, 4500000.0L, 4979136.0L, 4979136.5L, 5300000.0L, 6000000.0L}) {
    Extended unter = 0, alle = 0;
    for (const auto &[wert, p] : d.werte) {
      alle += p;
      if (wert < betrag) unter += p;
    }
    const Preisschwelle s = PreisschwelleBerechnen(e, {}, betrag);
    EXPECT_NEAR(s.ExaktUnter, unter / alle, 1e-15L) << s.BetragText;
    EXPECT_NEAR(s.ExaktAb, 1 - unter / alle, 1e-15L) << s.BetragText;
  }
  // The exact median: below it less than half, up to it at least half.
  const double median = e.Quantil(0.5L);
  EXPECT_LT(e.AnteilUnter(median), 0.5L);
  EXPECT_GE(1 - e.AnteilAb(median + 1), 0.5L);
}

TEST(Wertebereiche, SaetzeAusDenExaktenQuantilen) {
  const Bewertungsmodell m = Modell(StandardMin, StandardMax);
  const ExakteVerteilung e = ExakteVerteilungBerechnen(m.Verteilungen);
  const auto bereiche = WertebereicheBerechnen(e);
  EXPECT_EQ(bereiche[0].Satz, "Mit 80 % Wahrscheinlichkeit liegt der Ertragswert zwischen 4.672.130 € und 5.283.988 €.");
  EXPECT_EQ(bereiche[1].Satz, "Mit 90 % Wahrscheinlichkeit liegt der Ertragswert zwischen 4.585.625 € und 5.373.914 €.");
  for (const Wertebereich &b : bereiche) {
    // The range holds at least its share: what lies outside is at most the two tails.
    const Extended innen = 1 - e.AnteilUnter(b.Unten) - e.AnteilAb(b.Oben + 1);
    EXPECT_GE(innen, b.Prozent / 100.0L - 1e-18L) << b.Prozent;
    EXPECT_EQ(b.Unten, e.Quantil(b.PUnten));
  }
  // One value only, and nothing computable.
  const auto einer = WertebereicheBerechnen(ExakteVerteilungBerechnen(NurBoden(ZustandAnzahl)));
  EXPECT_EQ(einer[1].Satz, "Mit 90 % Wahrscheinlichkeit beträgt der Ertragswert 1.000 €.");
  const auto keiner = WertebereicheBerechnen(ExakteVerteilungBerechnen(Modell({5, 0, 0, 0, 1e19L}, {5, 0, 0, 0, 1.1e19L}).Verteilungen));
  EXPECT_EQ(keiner[0].Satz, "Kein Wertebereich: keine Klassenkombination ist berechenbar.");
}

} // namespace
