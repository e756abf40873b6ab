// The program's own conversions between text and extended values. They run on Linux and, cross-built,
// under Windows: the tables hold the compiler's correctly rounded literals as the expected values, and
// where glibc is there its strtold and printf serve as a second reference (the conversions replace
// them, and the numbers the program writes on Linux must stay what they were).
#include <gtest/gtest.h>

#include <cfenv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "Dezimalumwandlung.h"
#include "Gleitkomma.h"
#include "../common/ExtendedVergleich.h"
#include "W32_CLC.h"

using namespace kwt;

namespace {

// Random finite extended values: between 10^-30 and 10^30 or short decimals as a user enters them,
// and (fewer, their digits take milliseconds) of any exponent and subnormals.
class Zufallswerte {
public:
  explicit Zufallswerte(std::uint64_t saat) : g_(saat) {}
  Extended Naechster(bool extrem = false) {
    const std::uint64_t art = g_() % 4;
    std::uint64_t m = g_();
    std::uint16_t feld = 0;
    if (!extrem && art == 0) {
      return TextZuExtended(std::to_string(g_() % 100000000) + "." + std::to_string(g_() % 100));
    } else if (extrem && art == 0) {
      m = (m >> 1) >> g_() % 63; // subnormal: no integer bit
    } else {
      m |= std::uint64_t{1} << 63;
      feld = static_cast<std::uint16_t>(extrem ? 1 + g_() % 0x7FFE : 16383 - 100 + g_() % 200);
    }
    if (g_() & 1) feld |= 0x8000;
    Extended x = 0;
    std::memcpy(&x, &m, 8);
    std::memcpy(reinterpret_cast<char *>(&x) + 8, &feld, 2);
    return x;
  }

private:
  std::mt19937_64 g_;
};

TEST(Dezimalumwandlung, TextZuExtendedRundetZumNaechsten) {
  struct Fall {
    const char *text;
    Extended erwartet;
  };
  const Fall faelle[] = {
      {"0.3", 0.3L},
      {"4.8", 4.8L},
      {"-0.1", -0.1L},
      {"675000", 675000.0L},
      {"1e25", 1e25L},
      {".5", 0.5L},
      {"5.", 5.0L},
      {"+1.5E-3", 1.5e-3L},
      {"123456789012345678901234567890e-40", 123456789012345678901234567890e-40L},
      // exactly between 2^64 and 2^64 + 2: to the even significand; 2 beyond it up to the next one
      {"18446744073709551617", 18446744073709551616.0L},
      {"18446744073709551619", 18446744073709551620.0L},
      // 1 + 2^-64 lies halfway between 1 and the next value, 1 + 2^-63
      {"1.0000000000000000000542101086242752217003726400434970855712890625", 1.0L},
      {"1.0000000000000000000542101086242752217003726400434970855712890626", 1.0L + 0x1p-63L},
      // the ends of the range: largest value, smallest normal, subnormals
      {"1.18973149535723176502e+4932", 1.18973149535723176502e+4932L},
      {"3.36210314311209350626e-4932", 3.36210314311209350626e-4932L},
      {"1e-4940", 1e-4940L},
      {"3.6451995318824746025e-4951", 3.6451995318824746025e-4951L},
      {"1.9e-4951", 3.6451995318824746025e-4951L}, // above half the smallest subnormal
      {"1.8e-4951", 0.0L},
      {"1e-99999", 0.0L},
      {"-0", -0.0L},
      {"0000000000000000000000000001.5", 1.5L},
  };
  for (const Fall &f : faelle) {
    Extended x = 1;
    ASSERT_TRUE(TextZuExtendedVersuchen(f.text, x)) << f.text;
    EXPECT_TRUE(Bitgleich(x, f.erwartet)) << f.text << ": " << Hex(x) << " statt " << Hex(f.erwartet);
  }
  // Beyond the range, and what is not plain decimal notation.
  for (const char *text : {"1.2e4932", "-1e99999", "1e", "1e+", ".", "+", "1.2.3", "1e5.5", "--1", "0x10", "inf",
                           "nan", "1 2", "١"}) {
    Extended x = 0;
    EXPECT_FALSE(TextZuExtendedVersuchen(text, x)) << text;
  }
}

// Digits beyond the first 12,000 are read as "more than zero": enough to decide every rounding.
TEST(Dezimalumwandlung, SehrLangeZahlen) {
  const std::string halb = "1.0000000000000000000542101086242752217003726400434970855712890625";
  EXPECT_EQ(TextZuExtended(halb + std::string(20000, '0')), 1.0L);
  EXPECT_EQ(TextZuExtended(halb + std::string(20000, '0') + "1"), 1.0L + 0x1p-63L);
  EXPECT_EQ(TextZuExtended("0." + std::string(5000, '0') + "1e5005"), 10000.0L);
  EXPECT_EQ(TextZuExtended(std::string(100000, '9') + "e-99999"), 10.0L);
}

TEST(Dezimalumwandlung, ExakteZiffern) {
  struct Fall {
    Extended x;
    const char *ziffern;
    std::int64_t exponent;
  };
  const Fall faelle[] = {
      {0.5L, "5", -1},
      {675000.0L, "675", 3},
      {0x1p-64L, "542101086242752217003726400434970855712890625", -64},
      {0x1p64L, "18446744073709551616", 0},
      {-2.5L, "25", -1},
      {0.0L, "", 0},
  };
  for (const Fall &f : faelle) {
    const Dezimalzahl z = ExakteDezimalzahl(f.x);
    EXPECT_EQ(z.Ziffern, f.ziffern);
    EXPECT_EQ(z.Exponent, f.exponent);
    EXPECT_EQ(z.Negativ, f.x < 0);
  }
  // The smallest subnormal, 2^-16445 = 5^16445 10^-16445, has 11,495 digits from 10^-4951 on.
  const Dezimalzahl klein = ExakteDezimalzahl(std::numeric_limits<Extended>::denorm_min());
  EXPECT_EQ(klein.Ziffern.substr(0, 20), "36451995318824746025");
  EXPECT_EQ(klein.Ziffern.size() + 4950, static_cast<std::size_t>(-klein.Exponent));
}

TEST(Dezimalumwandlung, FestkommaRundetZumGeradenNachbarn) {
  struct Fall {
    Extended x;
    int d;
    const char *text;
  };
  const Fall faelle[] = {
      {0.125L, 2, "0.12"}, {0.375L, 2, "0.38"}, {2.5L, 0, "2"}, {3.5L, 0, "4"}, {0.5L, 0, "0"},
      {-0.125L, 2, "-0.12"}, {-0.001L, 2, "-0.00"}, {-0.0L, 1, "-0.0"}, {0.0L, 0, "0"},
      {9.995L, 2, "9.99"}, // the extended value nearest to 9.995 lies below it
      {99.5L, 0, "100"}, {1234567.891L, 3, "1234567.891"}, {0x1p-64L, 25, "0.0000000000000000000542101"},
      {1e20L, 1, "100000000000000000000.0"},
  };
  for (const Fall &f : faelle) EXPECT_EQ(FestkommaGenau(f.x, f.d), f.text) << Hex(f.x);
}

// Text and value go back and forth without a change, for every kind of value.
TEST(Dezimalumwandlung, HinUndZurueckBitgenau) {
  Zufallswerte werte(18);
  for (int i = 0; i < 10200; ++i) {
    const Extended x = werte.Naechster(i % 50 == 0);
    const std::string text = ExtendedText(x);
    Extended zurueck = 0;
    ASSERT_TRUE(TextZuExtendedVersuchen(text, zurueck)) << text;
    ASSERT_TRUE(Bitgleich(zurueck, x)) << Hex(x) << " -> " << text << " -> " << Hex(zurueck);
    ASSERT_TRUE(Bitgleich(DezimalZuExtended(ExakteDezimalzahl(x)), x)) << Hex(x);
  }
}

#ifdef __GLIBC__
// glibc's conversions, as the program used them before it had its own, under round-to-nearest.
std::string GlibcExtendedText(Extended x) {
  char puffer[96];
  std::string text;
  for (int stellen = 1; stellen <= 21; ++stellen) {
    std::snprintf(puffer, sizeof puffer, "%.*Le", stellen - 1, x);
    volatile Extended zurueck = std::strtold(puffer, nullptr);
    text = puffer;
    if (zurueck != x) continue;
    const int exponent = std::atoi(std::strchr(puffer, 'e') + 1);
    if (exponent >= -6 && exponent <= 21) {
      std::snprintf(puffer, sizeof puffer, "%.*Lf", std::max(0, stellen - 1 - exponent), x);
      text = puffer;
    }
    break;
  }
  return text;
}

// The midpoint between x and its upper neighbour, exactly, as decimal text: the hardest input.
std::string Mittelpunkt(Extended x) {
  const Extended y = std::nextafter(x, std::numeric_limits<Extended>::infinity());
  // (x + y) / 2 = 5 (x + y) / 10, with x and y written over a common exponent
  Dezimalzahl a = ExakteDezimalzahl(x), b = ExakteDezimalzahl(y);
  const std::int64_t e = std::min(a.Exponent, b.Exponent);
  a.Ziffern.append(static_cast<std::size_t>(a.Exponent - e), '0');
  b.Ziffern.append(static_cast<std::size_t>(b.Exponent - e), '0');
  const std::size_t laenge = std::max(a.Ziffern.size(), b.Ziffern.size()) + 2;
  a.Ziffern.insert(0, laenge - a.Ziffern.size(), '0');
  b.Ziffern.insert(0, laenge - b.Ziffern.size(), '0');
  std::string fuenfmal(laenge, '0');
  int uebertrag = 0;
  for (std::size_t i = laenge; i-- > 0;) {
    const int v = 5 * ((a.Ziffern[i] - '0') + (b.Ziffern[i] - '0')) + uebertrag;
    fuenfmal[i] = static_cast<char>('0' + v % 10);
    uebertrag = v / 10;
  }
  return fuenfmal + "e" + std::to_string(e - 1);
}

TEST(Dezimalumwandlung, GleichDenKonvertierungenVonGlibc) {
  std::fesetround(FE_TONEAREST);
  Zufallswerte werte(1812);
  for (int i = 0; i < 2000; ++i) {
    const Extended x = werte.Naechster(i % 20 == 0);
    EXPECT_EQ(ExtendedText(x), GlibcExtendedText(x)) << Hex(x);
    for (int d : {0, 2, 6, 20}) {
      char puffer[6000];
      std::snprintf(puffer, sizeof puffer, "%.*Lf", d, x);
      ASSERT_EQ(FestkommaGenau(x, d), puffer) << Hex(x);
    }
    if (x > 0 && std::isfinite(std::nextafter(x, std::numeric_limits<Extended>::infinity()))) {
      const std::string mitte = Mittelpunkt(x);
      Extended eigen = 0;
      ASSERT_TRUE(TextZuExtendedVersuchen(mitte, eigen));
      ASSERT_TRUE(Bitgleich(eigen, std::strtold(mitte.c_str(), nullptr))) << mitte;
    }
  }
  std::fesetround(FE_UPWARD);
}
#endif

} // namespace
