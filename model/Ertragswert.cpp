#include "Ertragswert.h"

#include <cmath>
#include <cstdint>

#include "X87.h"

namespace kwt {

Extended Potenz(Extended b, Extended e) {
  if (std::fabs(e) <= 2147483647.0L && e == std::trunc(e)) {
    const std::int64_t n = static_cast<std::int64_t>(e);
    if (n == 0) return 1;
    std::uint64_t rest = static_cast<std::uint64_t>(n < 0 ? -n : n);
    Extended ergebnis = 1, quadrat = b;
    for (;;) {
      if (rest & 1u) ergebnis = Mal(ergebnis, quadrat);
      rest >>= 1;
      if (rest == 0) break;
      // Squared only while bits remain, so that a square the result does not need cannot overflow.
      quadrat = Mal(quadrat, quadrat);
    }
    return n < 0 ? Durch(1, ergebnis) : ergebnis;
  }
  if (b == 0) return 0;
  if (b < 0 || std::isnan(b)) FehlerUngueltig();
  // The x87 instructions, not the C library's log2l and exp2l, whose last bits differ between Linux
  // and Windows.
  const Extended exponent = Mal(e, x87::Log2(b));
  return Geprueft(x87::Exp2(exponent), exponent, 2);
}

Zinsfaktoren ZinsfaktorenBerechnen(Extended lz, Extended rnd) {
  const Extended q = Plus(Durch(lz, 100), 1);
  const Extended p = Potenz(q, rnd);
  const Extended v = Durch(Minus(p, 1), Mal(p, Minus(q, 1)));
  const Extended d = Potenz(q, -rnd);
  return {v, d};
}

Extended Ertragswert(Extended lz, Extended rnd, Extended ro, Extended bwk, Extended bo) {
  const Extended a = Minus(ro, bwk);
  return ErtragswertAusFaktoren(a, ZinsfaktorenBerechnen(lz, rnd), bo);
}

} // namespace kwt
