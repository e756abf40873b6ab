// The floating-point unit used directly: logarithm and power of the market value formula, rounding to
// a whole number, the control words. The expected bits were computed with glibc's log2l and exp2l
// under the program's upward mode; the table runs on Linux and under Windows alike, and on Linux the
// functions are compared with glibc's on random arguments as well.
#include <gtest/gtest.h>

#include <cfenv>
#include <cstdio>
#include <cstring>
#include <random>
#include <thread>

#include "../common/ExtendedVergleich.h"
#include "W32_CLC.h"
#include "X87.h"

using namespace kwt;

namespace {

TEST(X87, LogarithmusUndPotenzBitgenau) {
  const std::pair<Extended, Extended> log2[] = {
      {0.5L, -1.0L},
      {1.0625L, 0xb.31fb7d64898b3e7p-7L}, // near 1: fyl2xp1
      {1.3L, 0xc.1cc46860fb064dfp-5L},
      {3.0L, 0xc.ae00d1cfdeb43dp-3L},
      {1e-300L, -0xf.92504f8d45c46e2p+6L},
  };
  for (auto [x, erwartet] : log2) EXPECT_TRUE(Bitgleich(x87::Log2(x), erwartet)) << Hex(x) << ": " << Hex(x87::Log2(x));
  const std::pair<Extended, Extended> exp2[] = {
      {0.5L, 0xb.504f333f9de6485p-3L},
      {-0.3L, 0xc.fefc5e67299eb9p-4L},
      {10.25L, 0x9.837f0518db8a97p+7L},
      {-16400.5L, 0x0.00016a09e667f3cp-16385L}, // subnormal
      {1e-25L, 0x8.000000000000001p-3L},        // below 2^-65: 1 + x, rounded up
      {16383.9L, 0xe.edb4008bd58a0fcp+16380L},
      {-std::numeric_limits<Extended>::infinity(), 0.0L},
  };
  for (auto [x, erwartet] : exp2) EXPECT_TRUE(Bitgleich(x87::Exp2(x), erwartet)) << Hex(x) << ": " << Hex(x87::Exp2(x));
  EXPECT_TRUE(std::isinf(x87::Exp2(16384.5L)));
  EXPECT_TRUE(std::isnan(x87::Log2(-1.0L)));
}

TEST(X87, RundenFolgtDemModus) {
  EXPECT_EQ(x87::Runden(2.1L), 3.0L);
  EXPECT_EQ(x87::Runden(-2.9L), -2.0L);
  {
    const RundungZumNaechsten naechst;
    EXPECT_EQ(x87::Runden(2.5L), 2.0L);
    EXPECT_EQ(x87::Runden(3.5L), 4.0L);
    volatile double eins = 1.0, drei = 3.0;
    EXPECT_EQ(eins / drei, 0.33333333333333331);
  }
  // The upward mode is back in both units.
  EXPECT_EQ(SteuerwortLesen(), StandardSteuerwort());
  volatile double eins = 1.0, drei = 3.0;
  EXPECT_GT(eins / drei, 0.33333333333333331);
}

// The start-up gives the main thread the 64-bit mantissa even if the process started with 53 bits, as
// a Windows program may.
TEST(X87, StartMitFremderGenauigkeit) {
  const std::uint16_t vorher = SteuerwortLesen();
  x87::SteuerwortLaden(static_cast<std::uint16_t>((vorher & 0xF0FF) | 0x0200));
  FormatierungInitialisieren();
  EXPECT_EQ(SteuerwortLesen(), vorher);
  EXPECT_EQ(SteuerwortLesen() & 0x0F00, 0x0B00);
  volatile Extended eins = 1, drei = 3;
  EXPECT_EQ(eins / drei, 0xa.aaaaaaaaaaaaaabp-5L); // 64 bits, rounded up
}

#ifdef __GLIBC__
TEST(X87, GleichDenFunktionenVonGlibc) {
  std::mt19937_64 g(87);
  for (int modus : {FE_UPWARD, FE_TONEAREST}) {
    std::fesetround(modus);
    for (int i = 0; i < 100000; ++i) {
      // Interest factors 0.5 .. 1.5, and exponents of 2^x below 64 in magnitude (as remaining lives
      // give them) or of any size.
      const Extended b = 0.5L + std::ldexp(static_cast<Extended>(g()), -64);
      const Extended e = std::ldexp(static_cast<Extended>(static_cast<std::int64_t>(g())), i % 2 ? -49 : -57);
      volatile Extended l1 = log2l(b), l2 = x87::Log2(b), e1 = exp2l(e), e2 = x87::Exp2(e);
      ASSERT_TRUE(Bitgleich(l1, l2)) << Hex(b);
      ASSERT_TRUE(Bitgleich(e1, e2)) << Hex(e);
    }
  }
  std::fesetround(FE_UPWARD);
}
#endif

} // namespace
