#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <thread>

#include "W32_CLC.h"
#include "W32_STR.h"

using namespace kwt;

namespace {

struct Anzeige {
  Extended x;
  int d;
  bool nullZeigen, gruppieren, suffix;
  const char *erwartet;
};

// The display strings of the program: half up on the decimal expansion, the 18th significant digit
// rounded up first, grouping and the ",-" suffix.
const Anzeige anzeigen[] = {
    {0.0L, 0, false, false, false, ""},
    {0.0L, 0, true, true, false, "0"},
    {0.0L, 2, true, true, false, "0,00"},
    {0.0L, 0, true, true, true, "0,-"},
    {0.0L, 2, true, true, true, "0,00,-"},
    {0.4L, 0, false, false, false, "0"},
    {1234.4L, 0, true, true, false, "1.234"},
    {1234.5L, 0, true, true, false, "1.235"},
    {999.5L, 0, true, true, false, "1.000"},
    {999999.5L, 0, true, true, false, "1.000.000"},
    {2.005L, 2, true, true, false, "2,01"},
    {2.675L, 2, true, true, false, "2,68"},
    {0.045L, 1, true, true, false, "0,0"},
    {1234.49999999999999L, 0, true, true, false, "1.235"},
    {0.124999999999999991L, 2, true, true, false, "0,13"},
    {-0.3L, 0, true, true, false, "-0"},
    {-0.05L, 6, true, true, false, "-0,050000"},
    {-1234567.0L, 0, true, true, false, "-1.234.567"},
    {1234567.891L, 2, true, false, false, "1234567,89"},
    {1234567.891L, 2, true, true, false, "1.234.567,89"},
    {-1234567.891L, 2, true, true, false, "-1.234.567,89"},
    {345678.5L, 0, true, true, true, "345.679,-"},
    // how the program's callers use it
    {1234567.5L, 0, true, true, false, "1.234.568"},
    {0.0123456L, 6, true, true, false, "0,012346"},
    {312.5L, 0, true, true, false, "313"},
    {4.815L, 2, true, true, false, "4,82"},
    {-0.0L, 0, false, false, false, ""},
    {-0.0L, 0, true, false, false, "-0"},
    // exponent form from 2^120 on, untouched by grouping; the 18th digit is rounded up (2^120 = 1.329227995784915872903...e36)
    {1.5e36L, 0, true, true, false, "1,50000000000000000E+0036"},
    {-1.5e36L, 2, true, true, false, "-1,50000000000000000E+0036"},
    {0x1p120L, 0, true, false, false, "1,32922799578491588E+0036"},
    {0x1p119L, 0, true, false, false, "664613997892457937000000000000000000"},
};

TEST(ZahlFormatieren, Anzeigetabelle) {
  for (const Anzeige &a : anzeigen) {
    EXPECT_EQ(ZahlFormatieren(a.d, a.nullZeigen, a.gruppieren, a.x, a.suffix), a.erwartet)
        << "x=" << static_cast<double>(a.x) << " d=" << a.d;
  }
}

// A computed value for a field with two decimals becomes the number the field shows, read back as
// typed: the formatter's half-up digits, then round-to-nearest.
TEST(AufDezimalenRunden, WieDasFeldEsZeigt) {
  struct Fall {
    Extended x;
    int d;
    const char *text;
  };
  const Fall faelle[] = {
      {2.675L, 2, "2.68"},   {23.976L, 2, "23.98"}, {0.465L, 2, "0.47"},     {3.0993L, 2, "3.1"},
      {-0.005L, 2, "-0.01"}, {12, 2, "12"},         {38.5856L, 2, "38.59"},  {4.45L, 2, "4.45"},
      {7.25L, 1, "7.3"},     {1234.5L, 0, "1235"},  {1234.49999999999999L, 0, "1235"},
  };
  for (const Fall &f : faelle) EXPECT_EQ(AufDezimalenRunden(f.x, f.d), TextZuExtended(f.text)) << f.text;
  // What shows as "-0,00" is an ordinary 0.
  EXPECT_FALSE(std::signbit(AufDezimalenRunden(-0.004L, 2)));
  EXPECT_EQ(AufDezimalenRunden(-0.004L, 2), 0);
}

TEST(ZahlFormatieren, ErgebniszeileDerSimulation) {
  struct Fall {
    Extended x;
    const char *zeile;
  };
  const Fall faelle[] = {
      {345678.4L, "0000345678"}, {3900804.46L, "0003900804"}, {-1234.4L, "00000-1234"},
      {-12345.0L, "0000-12345"}, {12345678901.2L, "2345678901"}, {0.0L, ""}, {-0.3L, "00000000-0"},
  };
  for (const Fall &f : faelle) {
    EXPECT_EQ(NullenAuffuellen(ZahlFormatieren(0, false, false, f.x, false), 10), f.zeile);
  }
}

TEST(TausenderEinfuegen, GruppenVonRechts) {
  const std::pair<const char *, const char *> faelle[] = {
      {"1234567", "1.234.567"}, {"-123456", "-123.456"}, {"-1234", "-1.234"},
      {"1234567,89", "1.234.567,89"}, {"123", "123"}, {"12,5", "12,5"}, {" 1234", "1.234"},
  };
  for (auto [ein, aus] : faelle) EXPECT_EQ(TausenderEinfuegen(ein), aus) << ein;
}

// Any value and any number of decimals gives a short string, without a crash or a hang.
TEST(ZahlFormatieren, IstTotal) {
  const Extended werte[] = {
      std::numeric_limits<Extended>::quiet_NaN(),
      std::numeric_limits<Extended>::infinity(),
      -std::numeric_limits<Extended>::infinity(),
      std::numeric_limits<Extended>::max(),
      -std::numeric_limits<Extended>::max(),
      std::numeric_limits<Extended>::denorm_min(),
      std::numeric_limits<Extended>::min(),
      1e300L, 9.999999999999999999e35L, 1e-300L, 123.456L,
  };
  for (Extended x : werte) {
    for (int d : {0, 1, 17, 18, 100, 254, 255, 256, 1000, -1}) {
      const std::string s = ZahlFormatieren(d, true, true, x, true);
      EXPECT_LE(s.size(), 255u);
      EXPECT_FALSE(s.empty());
    }
  }
  EXPECT_EQ(ZahlFormatieren(0, true, true, std::numeric_limits<Extended>::infinity(), false), "INF");
  EXPECT_EQ(ZahlFormatieren(0, true, true, -std::numeric_limits<Extended>::infinity(), false), "-INF");
  EXPECT_EQ(ZahlFormatieren(0, true, true, std::numeric_limits<Extended>::quiet_NaN(), false), "NAN");
  // Decimals count modulo 256: 256 decimals are none.
  EXPECT_EQ(ZahlFormatieren(256, true, true, 1234.5L, false), "1.235");
  // The carried digits end after 17 decimals; the rest are zeros.
  EXPECT_EQ(ZahlFormatieren(20, true, false, 0.5L, false), "0,50000000000000000000");
  // The smallest denormal shows its last carried digit rounded up.
  EXPECT_EQ(ZahlFormatieren(17, true, false, std::numeric_limits<Extended>::denorm_min(), false),
            "0,00000000000000001");
}

TEST(Rundungsmodus, NachDemStartAufwaerts) {
  // The test main has run FormatierungInitialisieren, as the program's start-up does.
  EXPECT_EQ(std::llrint(static_cast<Extended>(2.1L)), 3);
  EXPECT_EQ(std::llrint(static_cast<Extended>(2.5L)), 3);
  EXPECT_EQ(std::llrint(static_cast<Extended>(-2.9L)), -2);
  EXPECT_EQ(std::llrint(static_cast<Extended>(2.0L)), 2);
  EXPECT_EQ(static_cast<long long>(static_cast<Extended>(2.9L)), 2);
  EXPECT_EQ(RundenInt64(2.1L), 3);
  EXPECT_EQ(RundenInt64(-2.9L), -2);
  EXPECT_EQ(AbschneidenInt32(2.9L), 2);
  EXPECT_EQ(AbschneidenInt32(-2.9L), -2);
  EXPECT_EQ(TausenderZeichen(), '.');
  EXPECT_EQ(DezimalZeichen(), ',');
}

TEST(Rundungsmodus, SteuerwortAendertNurDasRundungsfeld) {
  const std::uint16_t wort = SteuerwortLesen();
  EXPECT_EQ((wort >> 10) & 3, 2);
  EXPECT_EQ(StandardSteuerwort(), wort);
  // Precision control: 64-bit mantissa; exception masks as the platform set them.
  EXPECT_EQ((wort >> 8) & 3, 3);
  EXPECT_EQ(wort & 0x3F, 0x3F);
  EXPECT_EQ(RundungsmodusSetzen(0), 2);
  EXPECT_EQ(SteuerwortLesen(), wort & 0xF3FF);
  EXPECT_EQ(std::llrint(static_cast<Extended>(2.1L)), 2);
  EXPECT_EQ(RundungsmodusSetzen(2), 0);
  EXPECT_EQ(SteuerwortLesen(), wort);
  // Doubles are computed in the SSE unit; it follows the same mode.
  volatile double eins = 1.0, drei = 3.0;
  EXPECT_GT(eins / drei, 0.33333333333333331);
}

TEST(Rundungsmodus, ArbeitsthreadUebernimmtModusUndGenauigkeit) {
  // A thread that starts with round-to-nearest and a 53-bit mantissa, as new threads on Windows do.
  std::uint16_t vorher = 0, nachher = 0;
  std::thread t([&] {
    const std::uint16_t fremd = static_cast<std::uint16_t>((SteuerwortLesen() & 0xF0FF) | 0x0200);
    asm volatile("fldcw %0" : : "m"(fremd));
    vorher = SteuerwortLesen();
    StandardRundungUebernehmen();
    nachher = SteuerwortLesen();
  });
  t.join();
  EXPECT_EQ(vorher & 0x0F00, 0x0200);
  EXPECT_EQ(nachher & 0x0F00, StandardSteuerwort() & 0x0F00);
  EXPECT_EQ(nachher & 0x0F00, 0x0B00);
}

} // namespace
