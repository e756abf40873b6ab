#include <gtest/gtest.h>

#include "Zufall.h"

using namespace kwt;

TEST(Zufall, FolgeAusZustandNull) {
  Zufallsgenerator z;
  z.Zufallszustand = 0;
  const std::uint32_t zustaende[] = {1u, 134775814u, 3698175007u, 870078620u};
  const double zahlen[] = {2.3283064365386963e-10, 0.031379939522594213, 0.8610484672244638, 0.20258096512407064};
  for (int i = 0; i < 4; ++i) {
    const Extended x = z.Zufallszahl();
    EXPECT_EQ(z.Zufallszustand, zustaende[i]);
    EXPECT_EQ(x, static_cast<Extended>(zustaende[i]) / 4294967296.0L);
    EXPECT_EQ(static_cast<double>(x), zahlen[i]);
  }
}

TEST(Zufall, ImBereichNullBisEinsIstDieZahlSelbst) {
  Zufallsgenerator a, b;
  a.Zufallszustand = b.Zufallszustand = 123456789u;
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(a.ZufallImBereich(0, 1), b.Zufallszahl());
}

TEST(Zufall, ZweiStartsUnterscheidenSich) {
  Zufallsgenerator a, b;
  a.ZufallInitialisieren();
  volatile int warten = 0;
  for (int i = 0; i < 100000; ++i) warten = warten + 1;
  b.ZufallInitialisieren();
  EXPECT_NE(a.Zufallszustand, b.Zufallszustand);
}

TEST(Zufall, SprungGleichtEinzelnenSchritten) {
  for (std::uint32_t start : {0u, 1u, 123456789u, 4294967295u}) {
    Zufallsgenerator z{start};
    for (std::uint64_t n = 0; n <= 300; ++n) {
      ASSERT_EQ(Zufallsgenerator::SprungUm(n).Anwenden(start), z.Zufallszustand) << start << " " << n;
      z.Schritt();
    }
  }
  // The period is 2^32: the map of 2^32 steps is the identity, and 2^32 + 5 steps are 5 steps.
  const Sprung voll = Zufallsgenerator::SprungUm(std::uint64_t{1} << 32);
  EXPECT_EQ(voll.A, 1u);
  EXPECT_EQ(voll.C, 0u);
  EXPECT_EQ(Zufallsgenerator::SprungUm((std::uint64_t{1} << 32) + 5).Anwenden(77), Zufallsgenerator::SprungUm(5).Anwenden(77));
  // Two stretches one after the other are one stretch of the summed length.
  const Sprung a = Zufallsgenerator::SprungUm(1000), b = Zufallsgenerator::SprungUm(2345);
  EXPECT_EQ(a.Danach(b).Anwenden(99), Zufallsgenerator::SprungUm(3345).Anwenden(99));
}
