#include <gtest/gtest.h>

#include "Histogramm.h"

using namespace kwt;

namespace {

TEST(Histogramm, KlassenAnzahlNachVersuchen) {
  const std::pair<std::int32_t, std::int32_t> faelle[] = {
      {-5, 10},     {0, 10},      {50, 10},      {51, 15},      {100, 15},    {101, 20},     {200, 20},
      {201, 25},    {500, 25},    {501, 30},     {1000, 30},    {1001, 35},   {5000, 35},    {5001, 40},
      {20000, 40},  {20001, 50},  {50000, 50},   {50001, 60},   {2147483647, 60},
  };
  for (auto [n, klassen] : faelle) EXPECT_EQ(KlassenAnzahlFuer(n), klassen) << n;
}

TEST(Histogramm, KlassenTexteUndBereich) {
  Histogramm h;
  h.Vorbereiten(50, 400000, 600000);
  EXPECT_EQ(h.KlassenAnzahl, 10);
  EXPECT_EQ(h.KlassenBreite, 20000);
  const char *texte[] = {"410", "430", "450", "470", "490", "510", "530", "550", "570", "590"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(h.KlassenText[i], texte[i]);
  EXPECT_EQ(h.KlassenText[10], "");
  // In range from VkwMin inclusive; VkwMax passes the range test but its index 10 is not counted.
  for (Extended w : {400000.0L, 599999.99L, 600000.0L, 399999.0L, 600001.0L, 410000.0L}) h.Zaehlen(w, 400000, 600000);
  EXPECT_EQ(h.Haeufigkeit[0], 2);
  EXPECT_EQ(h.Haeufigkeit[9], 1);
  int summe = 0;
  for (int a : h.Haeufigkeit) summe += a;
  EXPECT_EQ(summe, 3);
  // Large values get grouped labels in thousands.
  h.Vorbereiten(60000, 1000000, 1600000);
  EXPECT_EQ(h.KlassenAnzahl, 60);
  EXPECT_EQ(h.KlassenText[25], "1.255");
  EXPECT_EQ(h.KlassenText[59], "1.595");
}

TEST(Histogramm, FalschHerumUndOhneBreite) {
  Histogramm h;
  h.Vorbereiten(10, 600000, 400000); // VkwMax below VkwMin: negative width, nothing counts
  EXPECT_EQ(h.KlassenText[0], "590");
  EXPECT_EQ(h.KlassenText[9], "410");
  for (Extended w : {400000.0L, 500000.0L, 600000.0L}) h.Zaehlen(w, 600000, 400000);
  for (int a : h.Haeufigkeit) EXPECT_EQ(a, 0);
  h.Vorbereiten(10, 500000, 500000);
  EXPECT_EQ(h.KlassenText[0], h.KlassenText[9]);
  h.Zaehlen(400000, 500000, 500000); // outside: dropped without a division
  EXPECT_THROW(h.Zaehlen(500000, 500000, 500000), GleitkommaFehler);
}

TEST(Histogramm, BalkenUndAchse) {
  Histogramm leer;
  const Balkenansicht vorDemErstenLauf = HistogrammBalken(leer);
  EXPECT_TRUE(vorDemErstenLauf.Hoehen.empty());
  EXPECT_EQ(vorDemErstenLauf.AchsenMaximum, 5);
  Histogramm h;
  h.Vorbereiten(50, 400000, 600000);
  h.Haeufigkeit[3] = 17;
  const Balkenansicht b = HistogrammBalken(h);
  EXPECT_EQ(b.Hoehen.size(), 10u);
  EXPECT_EQ(b.AchsenMaximum, 22);
  EXPECT_EQ(b.Texte[3], "470");
}

TEST(RHKurve, PunkteNurNachBelegtenKlassen) {
  Histogramm h;
  h.Vorbereiten(50, 400000, 600000);
  const int counts[] = {0, 2, 3, 0, 5};
  // Counts 0, 2, 3, 0, 5 in classes 0 to 4 (total 10): two points, at the centres of classes 2 and 4.
  for (int i = 0; i < 5; ++i) h.Haeufigkeit[i] = counts[i];
  RHKurve k = RHKurveZeichnen(h, 400000);
  ASSERT_EQ(k.Kurve.size(), 2u);
  EXPECT_EQ(k.Kurve[0], (Kurvenpunkt{450, 0.2}));
  EXPECT_EQ(k.Kurve[1], (Kurvenpunkt{490, 0.5}));
  EXPECT_EQ(k.Median[0], (Kurvenpunkt{450, 0.5}));
  EXPECT_EQ(k.Median[1], (Kurvenpunkt{490, 0.5}));
  // One occupied class: no points; two: one point each.
  h.Haeufigkeit = {};
  h.Haeufigkeit[6] = 9;
  EXPECT_TRUE(RHKurveZeichnen(h, 400000).Kurve.empty());
  h.Haeufigkeit[8] = 1;
  k = RHKurveZeichnen(h, 400000);
  ASSERT_EQ(k.Kurve.size(), 1u);
  EXPECT_EQ(k.Median.size(), 1u);
  EXPECT_EQ(k.Kurve[0].Y, 0.9);
  EXPECT_TRUE(RHKurveZeichnen(Histogramm{}, 0).Kurve.empty());
}

} // namespace
