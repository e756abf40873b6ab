// The floating-point unit used directly.
//
// The C runtimes of Linux (glibc) and Windows (mingw-w64) implement the long double functions, the
// rounding-mode calls and the conversions differently, and some of their results differ in the last
// bit. An appraisal must give the same digits on both, so the program does not call them for anything
// that reaches a result: the control words are read and loaded here, and the few transcendental
// steps of the market value formula are the x87 instructions themselves, in the order glibc's x86-64
// routines use them (so results on Linux are those the program always gave).
#pragma once

#include <cmath>
#include <cstdint>
#include <xmmintrin.h>

namespace kwt::x87 {

using Extended = long double;

inline std::uint16_t SteuerwortLesen() {
  std::uint16_t wort;
  asm volatile("fnstcw %0" : "=m"(wort));
  return wort;
}

// Loads an x87 control word (after clearing pending exceptions) and gives the SSE unit the same
// rounding mode; MXCSR keeps its exception masks and flags apart from the flags cleared.
inline void SteuerwortLaden(std::uint16_t wort) {
  asm volatile("fnclex\n\tfldcw %0" : : "m"(wort));
  // MXCSR carries the rounding mode in bits 13 and 14, with the x87 encoding.
  unsigned int mxcsr = _mm_getcsr();
  mxcsr = (mxcsr & ~0x6000u & ~0x3Fu) | ((static_cast<unsigned int>(wort) >> 10 & 3u) << 13);
  _mm_setcsr(mxcsr);
}

inline constexpr std::uint16_t RundungsfeldMaske = 0x0C00;
inline constexpr std::uint16_t GenauigkeitsfeldMaske = 0x0300;
inline constexpr std::uint16_t Genauigkeit64Bit = 0x0300;

// x rounded to a whole number under the current x87 rounding mode (frndint).
inline Extended Runden(Extended x) {
  asm volatile("frndint" : "+t"(x));
  return x;
}

// log2(x) for x > 0. As glibc: near 1 (|x - 1| <= 0.29) as log2(1 + (x - 1)) with fyl2xp1, which
// keeps the digits of the small logarithm, otherwise with fyl2x. (The asm statements take their
// operands in st(0) and st(1) and pop one, as GCC's documentation shows for these instructions.)
inline Extended Log2(Extended x) {
  if (std::isnan(x)) return x + x;
  Extended d = x - 1;
  asm volatile("" : "+t"(d)); // d is computed here, under the mode in force, not folded or moved
  Extended ergebnis;
  if (!(std::fabs(d) > 0.29)) {
    if (d == 0) d = std::fabs(d); // +0, also for x - 1 = -0 under downward rounding
    asm volatile("fyl2xp1" : "=t"(ergebnis) : "0"(d), "u"(1.0L) : "st(1)");
  } else {
    asm volatile("fyl2x" : "=t"(ergebnis) : "0"(x), "u"(1.0L) : "st(1)");
  }
  return ergebnis;
}

// 2^x. As glibc: 2^(x - n) with f2xm1, scaled by 2^n with fscale, n = x rounded by frndint under the
// current mode; for |x| < 2^-65 simply 1 + x. Infinities give 0 and +infinity.
inline Extended Exp2(Extended x) {
  if (std::isinf(x)) return x < 0 ? 0 : x;
  Extended eins = 1;
  asm volatile("" : "+t"(eins)); // 1 + ... is added at run time, under the mode in force
  if (std::fabs(x) < 0x1p-65L) return eins + x;
  const Extended n = Runden(x);
  Extended f = x - n; // under the mode in force, as glibc's fsubr
  asm volatile("f2xm1" : "+t"(f));
  const Extended faktor = f + eins;
  Extended ergebnis;
  asm volatile("fscale" : "=t"(ergebnis) : "0"(faktor), "u"(n));
  return ergebnis;
}

} // namespace kwt::x87
