#include <gtest/gtest.h>

#include <cmath>

#include "Bewertungsmodell.h"
#include "Ertragswert.h"
#include "Standardwerte.h"
#include "W32_CLC.h"
#include "X87.h"

using namespace kwt;

namespace {

std::string ZweiStellen(Extended x) { return ZahlFormatieren(2, true, false, x, false); }

std::string Meldung(Extended lz, Extended rnd) {
  try {
    Ertragswert(lz, rnd, 340000, 72500, 697500);
  } catch (const GleitkommaFehler &f) {
    return f.what();
  }
  return "";
}

TEST(Ertragswert, Beispiel) {
  EXPECT_EQ(ZweiStellen(Ertragswert(5, 50, 340000, 72500, 697500)), "4944284,66");
  // Remaining life 0: V = 0, D = 1, the value is the land value.
  EXPECT_EQ(Ertragswert(5, 0, 340000, 72500, 697500), 697500);
  EXPECT_EQ(Ertragswert(-37, 0, 1, 2, 12345), 12345);
  // A negative yield rate above -100 gives a finite value.
  EXPECT_TRUE(std::isfinite(Ertragswert(-2, 50, 340000, 72500, 697500)));
}

// Present-value factors (Barwertfaktoren für die Kapitalisierung) and discount factors of the
// published German tables.
TEST(Ertragswert, VervielfaeltigerUndAbzinsungWieInDenTabellen) {
  struct Fall {
    Extended lz, rnd;
    const char *barwert;
    const char *abzinsung;
  };
  const Fall faelle[] = {
      {3, 30, "19,60", "0,4120"}, {5, 50, "18,26", "0,0872"}, {4.5L, 40, "18,40", nullptr}, {6, 60, "16,16", nullptr},
  };
  for (const Fall &f : faelle) {
    // A of 1 and BO of 0 give V; A of 0 and BO of 1 give D.
    EXPECT_EQ(ZahlFormatieren(2, true, true, Ertragswert(f.lz, f.rnd, 1, 0, 0), false), f.barwert);
    if (f.abzinsung) {
      EXPECT_EQ(ZahlFormatieren(4, true, true, Ertragswert(f.lz, f.rnd, 0, 0, 1), false), f.abzinsung);
    }
  }
}

TEST(Ertragswert, GanzzahligeUndGebrocheneRestnutzungsdauer) {
  // Whole exponents by repeated multiplication, the others by logarithm: they agree to the last bits.
  for (Extended rnd : {1.0L, 7.0L, 41.0L, 59.0L, 100.0L}) {
    const Extended ganz = Potenz(1.05L, rnd);
    const Extended log = x87::Exp2(rnd * x87::Log2(1.05L));
    EXPECT_LT(std::fabs(ganz / log - 1), 1e-17L) << static_cast<double>(rnd);
  }
  EXPECT_EQ(Potenz(0, 0), 1);
  EXPECT_EQ(Potenz(0, 2.5L), 0);
  EXPECT_EQ(Potenz(2, -2), 0.25L);
  EXPECT_EQ(Potenz(1.5L, 3), 3.375L);
}

TEST(Ertragswert, Fehlertabelle) {
  struct Fall {
    Extended lz, rnd;
    const char *meldung;
  };
  const Fall faelle[] = {
      {0, 50, "Ungültige Gleitkommaoperation"},       // q = 1: V = 0 / 0
      {0, 37.5L, "Ungültige Gleitkommaoperation"},
      {-100, 50, "Gleitkommadivision durch Null"},     // q = 0
      {-100, 12.5L, "Gleitkommadivision durch Null"},
      {-100, -3, "Gleitkommadivision durch Null"},     // the power itself divides by zero
      {-150, 12.5L, "Ungültige Gleitkommaoperation"},  // logarithm of a negative number
      {5, 1e6L, "Gleitkommaüberlauf"},                 // a power beyond the extended range
      {5, 1e6L + 0.5L, "Gleitkommaüberlauf"},
  };
  for (const Fall &f : faelle) EXPECT_EQ(Meldung(f.lz, f.rnd), f.meldung) << static_cast<double>(f.lz);
}

TEST(Ertragswert, KleinsterUndGroessterWertDerStandardgrenzen) {
  Bewertungsmodell m;
  for (int preset = 0; preset < 6; ++preset) {
    MenuVoreinstellungAnwenden(m, static_cast<MenuVoreinstellung>(preset));
    m.VerteilungenVorbereiten(StandardMin, StandardMax);
    EXPECT_EQ(ZweiStellen(m.VkwMinBerechnen()), "3900804,46");
    EXPECT_EQ(ZweiStellen(m.VkwMaxBerechnen()), "6113897,11");
  }
}

TEST(Ertragswert, GewichteterWert) {
  Bewertungsmodell m;
  MenuVoreinstellungAnwenden(m, MenuVoreinstellung::Einpunktverteilung);
  m.VerteilungenVorbereiten(StandardMin, StandardMax);
  // All weight in one class: the value at that class's midpoints 4.935, 49, 337000, 71250, 695250.
  EXPECT_EQ(ZweiStellen(m.VkwGewichtetBerechnen()), "4942363,51");
  EXPECT_EQ(m.Stichprobe[RND], 49);
  // A parameter whose percentages are all 0 enters as 0.
  m.Verteilungen[BO].Prozent = {};
  m.VkwGewichtetBerechnen();
  EXPECT_EQ(m.Stichprobe[BO], 0);
}

} // namespace
