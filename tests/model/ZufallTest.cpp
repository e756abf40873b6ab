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
