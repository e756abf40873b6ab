// The variance shares of the five inputs against a brute-force sum over every class combination:
// the first-order index from the conditional means of one input, the total index by the other route,
// 1 - Var(E[VKW | all but one]) / Var(VKW), from the conditional means of the other four.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "ExaktHilfen.h"
#include "Sobolindizes.h"

using namespace kwt;
using namespace kwt::test;

namespace {

struct Referenz {
  std::array<Extended, ParameterAnzahl> erste{}, gesamt{};
};

// Every combination of outcomes through the trial's own formula and its rounding for the store;
// failing combinations are left out and the others taken with their probabilities as they are.
Referenz Durchrechnen(const Bewertungsmodell &m) {
  struct Zelle {
    std::array<int, ParameterAnzahl> k;
    Extended p, y;
  };
  std::vector<Zelle> zellen;
  JedeKombination(m, [&](const std::array<int, ParameterAnzahl> &k, Extended p, const auto &ergebnis) {
    if constexpr (std::is_same_v<std::decay_t<decltype(ergebnis)>, double>) zellen.push_back({k, p, ergebnis});
  });
  Extended gesamtP = 0, summe = 0;
  for (const Zelle &c : zellen) {
    gesamtP += c.p;
    summe += c.p * c.y;
  }
  const Extended mittel = summe / gesamtP;
  Extended varianz = 0;
  for (const Zelle &c : zellen) varianz += c.p / gesamtP * (c.y - mittel) * (c.y - mittel);

  // Var(E[Y | key]) for a key made of some of the outcomes.
  const auto varianzDerMittel = [&](auto schluessel) {
    std::map<std::array<int, ParameterAnzahl>, std::pair<Extended, Extended>> gruppen;
    for (const Zelle &c : zellen) {
      auto &g = gruppen[schluessel(c.k)];
      g.first += c.p;
      g.second += c.p * c.y;
    }
    Extended v = 0;
    for (const auto &[_, g] : gruppen) {
      const Extended m = g.second / g.first;
      v += g.first / gesamtP * (m - mittel) * (m - mittel);
    }
    return v;
  };
  Referenz r;
  for (Parameter i : AlleParameter) {
    r.erste[i] = varianzDerMittel([i](std::array<int, ParameterAnzahl> a) {
                   for (int j = 0; j < ParameterAnzahl; ++j)
                     if (j != i) a[j] = -1;
                   return a;
                 }) /
                 varianz;
    r.gesamt[i] = 1 - varianzDerMittel([i](std::array<int, ParameterAnzahl> a) {
                        a[i] = -1;
                        return a;
                      }) /
                          varianz;
  }
  return r;
}

TEST(Sobolindizes, GegenDieSummeUeberAlleKombinationen) {
  const Klassenwerte drei{0, 0, 0, 30, 40, 30, 0, 0, 0, 0}, schief{0, 0, 0, 0, 10, 20, 70, 0, 0, 0},
                     zwei{50, 0, 0, 0, 0, 0, 0, 0, 0, 50};
  // LZ's percentages add up to 90: a tenth of the trials draw no class, LZ = 0, and fail.
  const Klassenwerte neunzig{0, 0, 0, 30, 30, 30, 0, 0, 0, 0};
  struct Fall {
    const char *name;
    Bewertungsmodell modell;
  };
  const Fall faelle[] = {
      {"drei Klassen je Parameter", Modell(StandardMin, StandardMax, {drei, schief, zwei, drei, schief})},
      {"nicht berechenbare Kombinationen", Modell(StandardMin, StandardMax, {neunzig, schief, zwei, drei, drei})},
      {"Standardszenario", Modell(StandardMin, StandardMax)},
  };
  for (const Fall &f : faelle) {
    SCOPED_TRACE(f.name);
    const ExakteVerteilung e = ExakteVerteilungBerechnen(f.modell.Verteilungen);
    const auto s = SobolindizesBerechnen(e);
    const Referenz r = Durchrechnen(f.modell);
    Extended summeErste = 0;
    for (Parameter i : AlleParameter) {
      EXPECT_EQ(s[i].Param, i);
      EXPECT_NEAR(s[i].ErsterOrdnung, r.erste[i], 1e-12L) << ParameterKuerzel[i];
      EXPECT_NEAR(s[i].Gesamt, r.gesamt[i], 1e-12L) << ParameterKuerzel[i];
      EXPECT_LE(s[i].ErsterOrdnung, s[i].Gesamt + 1e-15L) << ParameterKuerzel[i];
      summeErste += s[i].ErsterOrdnung;
    }
    EXPECT_LE(summeErste, 1 + 1e-15L);
  }
}

// Only the gross income varies: it explains everything, the others nothing. The others either keep
// ten classes with one midpoint (equal bounds) or draw one class only.
TEST(Sobolindizes, NurEinParameterVariiert) {
  Parameterwerte min = StandardMin, max = StandardMin;
  max[RO] = StandardMax[RO];
  Bewertungsmodell gleicheGrenzen = Modell(min, max);
  Bewertungsmodell eineKlasse = Modell(StandardMin, StandardMax);
  for (Parameter p : AlleParameter)
    if (p != RO) eineKlasse.Verteilungen[p] = NurKlasse(eineKlasse.Verteilungen[p], 4);
  for (const Bewertungsmodell *m : {&gleicheGrenzen, &eineKlasse}) {
    const auto s = SobolindizesBerechnen(ExakteVerteilungBerechnen(m->Verteilungen));
    for (Parameter i : AlleParameter) {
      SCOPED_TRACE(ParameterKuerzel[i]);
      if (i == RO) {
        EXPECT_NEAR(s[i].ErsterOrdnung, 1, 1e-13L);
        EXPECT_NEAR(s[i].Gesamt, 1, 1e-13L);
        EXPECT_EQ(s[i].ErsterOrdnungText, "100,00 %");
      } else {
        EXPECT_NEAR(s[i].ErsterOrdnung, 0, 1e-15L);
        EXPECT_EQ(s[i].Gesamt, 0); // every group of cells differing in this input holds one value
        EXPECT_EQ(s[i].GesamtText, "0,00 %");
      }
    }
  }
  // One value in all: no variance to share.
  const auto keine = SobolindizesBerechnen(ExakteVerteilungBerechnen(NurBoden(ZustandAnzahl)));
  EXPECT_TRUE(std::isnan(keine[BO].ErsterOrdnung));
  EXPECT_EQ(keine[BO].GesamtText, "–");
}

// The shares of the default scenario as the dialog and kwt-mc show them.
TEST(Sobolindizes, Standardszenario) {
  const auto s = SobolindizesBerechnen(ExakteVerteilungBerechnen(Modell(StandardMin, StandardMax).Verteilungen));
  std::array<std::string, ParameterAnzahl> erste, gesamt;
  for (Parameter i : AlleParameter) {
    erste[i] = s[i].ErsterOrdnungText;
    gesamt[i] = s[i].GesamtText;
  }
  // By the tornado's swings squared one would guess 3,4 / 10,6 / 73,3 / 12,7 / 0,0 %: the value is
  // nearly a sum of one function of each input, so both indices nearly agree.
  EXPECT_EQ(erste, (std::array<std::string, ParameterAnzahl>{"3,41 %", "10,41 %", "73,39 %", "12,74 %", "0,00 %"}));
  EXPECT_EQ(gesamt, (std::array<std::string, ParameterAnzahl>{"3,43 %", "10,45 %", "73,42 %", "12,75 %", "0,00 %"}));
}

} // namespace
