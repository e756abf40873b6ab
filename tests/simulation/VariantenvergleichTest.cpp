// Two variants side by side: a variant against itself, two variants whose answer is known by hand,
// and the default scenario against a higher gross income, checked against a sum over all pairs of
// values in the test.
#include <gtest/gtest.h>

#include <cmath>

#include "ExaktHilfen.h"
#include "Variantenvergleich.h"

using namespace kwt;
using namespace kwt::test;

namespace {

TEST(Variantenvergleich, EineVarianteMitSichSelbst) {
  const ExakteVerteilung e = ExakteVerteilungBerechnen(Modell(StandardMin, StandardMax).Verteilungen);
  const Variantenvergleich v = VariantenVergleichen(e, e);
  for (const Variantenzeile &z : v.Zeilen) {
    EXPECT_EQ(z.A, z.B) << z.Beschriftung;
    EXPECT_EQ(z.Differenz, 0) << z.Beschriftung;
    EXPECT_EQ(z.DifferenzText, "0") << z.Beschriftung;
    EXPECT_EQ(z.DifferenzProzentText, "0,000 %") << z.Beschriftung;
  }
  // Ties: P(A = B) = sum of P(v)^2 over the values; the rest splits evenly, bit for bit. The test's
  // sum of 96,466 terms, each rounded up, may drift some 10^5 units of the last place upward.
  Extended gleich = 0;
  for (const ExakterWert &w : e.Werte) gleich += w.Wahrscheinlichkeit * w.Wahrscheinlichkeit;
  EXPECT_NEAR(v.Gleich / gleich, 1, 1e-13L);
  EXPECT_GT(v.Gleich, 0);
  EXPECT_EQ(v.BHoeher, v.BNiedriger);
  EXPECT_NEAR(v.BHoeher, (1 - gleich) / 2, 1e-18L);
}

// The land value alone: A gives 1000 or 2000 with one half each, B 1000 with a quarter and 2000 with
// three quarters. B higher: B = 2000 and A = 1000, 3/4 * 1/2 = 3/8; equal: 1/2 * 1/4 + 1/2 * 3/4 =
// 1/2; B lower: 1/4 * 1/2 = 1/8.
TEST(Variantenvergleich, VonHandGerechnet) {
  const ExakteVerteilung a = ExakteVerteilungBerechnen(NurBoden(ZustandAnzahl / 2));
  const ExakteVerteilung b = ExakteVerteilungBerechnen(NurBoden(ZustandAnzahl / 4));
  const Variantenvergleich v = VariantenVergleichen(a, b);
  EXPECT_EQ(v.BHoeher, 0.375L);
  EXPECT_EQ(v.Gleich, 0.5L);
  EXPECT_EQ(v.BNiedriger, 0.125L);
  EXPECT_EQ(v.BHoeherText, "37,5000 %");
  EXPECT_EQ(v.Zeilen[0].AText, "1.500");
  EXPECT_EQ(v.Zeilen[0].BText, "1.750");
  EXPECT_EQ(v.Zeilen[0].DifferenzText, "250");
  EXPECT_EQ(v.Zeilen[0].DifferenzProzentText, "16,667 %");
  // Swapped: the shares swap.
  const Variantenvergleich umgekehrt = VariantenVergleichen(b, a);
  EXPECT_EQ(umgekehrt.BHoeher, 0.125L);
  EXPECT_EQ(umgekehrt.BNiedriger, 0.375L);
}

// A higher gross income against the defaults, against the sum over every pair of distinct values.
TEST(Variantenvergleich, GegenDieSummeUeberAllePaare) {
  const ExakteVerteilung a = ExakteVerteilungBerechnen(Modell(StandardMin, StandardMax).Verteilungen);
  Parameterwerte min = StandardMin, max = StandardMax;
  min[RO] += 5000;
  max[RO] += 5000;
  const ExakteVerteilung b = VarianteBerechnen(min, max, StandardProzente());
  const Variantenvergleich v = VariantenVergleichen(a, b);
  // P(B > A) = sum over b of P(B = b) P(A < b), P(A < b) from the cumulative shares.
  Extended hoeher = 0, gleich = 0;
  std::size_t i = 0;
  Extended aDarunter = 0;
  for (const ExakterWert &wb : b.Werte) {
    while (i < a.Werte.size() && a.Werte[i].Wert < wb.Wert) aDarunter = a.Werte[i++].Kumuliert;
    hoeher += wb.Wahrscheinlichkeit * aDarunter;
    if (i < a.Werte.size() && a.Werte[i].Wert == wb.Wert) gleich += wb.Wahrscheinlichkeit * a.Werte[i].Wahrscheinlichkeit;
  }
  EXPECT_NEAR(v.BHoeher, hoeher, 1e-14L);
  EXPECT_NEAR(v.Gleich, gleich, 1e-14L);
  EXPECT_NEAR(v.BHoeher + v.Gleich + v.BNiedriger, 1, 1e-17L);
  EXPECT_GT(v.BHoeher, 0.5L);
  EXPECT_GT(v.Zeilen[0].Differenz, 0);
  // VarianteBerechnen prepares the tables as a run does.
  const ExakteVerteilung selbst = VarianteBerechnen(StandardMin, StandardMax, StandardProzente());
  EXPECT_EQ(selbst.Mittelwert, a.Mittelwert);
}

} // namespace
