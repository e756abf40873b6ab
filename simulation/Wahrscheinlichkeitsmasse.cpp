#include "Wahrscheinlichkeitsmasse.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace kwt {

namespace {

// Index of the highest set bit, -1 for zero.
template <std::size_t W> int HoechstesBit(const GanzeZahl<W> &m) {
  for (int i = static_cast<int>(W) - 1; i >= 0; --i) {
    if (m.Teil[static_cast<std::size_t>(i)] != 0) return i * 64 + 63 - std::countl_zero(m.Teil[static_cast<std::size_t>(i)]);
  }
  return -1;
}

// The 64 bits of m from bit position ab upward.
template <std::size_t W> std::uint64_t BitsAb(const GanzeZahl<W> &m, int ab) {
  const std::size_t wort = static_cast<std::size_t>(ab / 64);
  const int versatz = ab % 64;
  std::uint64_t bits = m.Teil[wort] >> versatz;
  if (versatz != 0 && wort + 1 < m.Teil.size()) bits |= m.Teil[wort + 1] << (64 - versatz);
  return bits;
}

} // namespace

template <std::size_t W> Extended GanzeZahl<W>::AlsExtended() const {
  const int h = HoechstesBit(*this);
  if (h < 64) return static_cast<Extended>(Teil[0]);
  // The 64 leading bits are the extended mantissa with its explicit leading 1; the number is
  // mantissa * 2^(h - 63), so the biased exponent is 16383 + h. Built directly, as ldexp would.
  struct {
    std::uint64_t mantisse;
    std::uint16_t exponent;
  } teile{BitsAb(*this, h - 63), static_cast<std::uint16_t>(16383 + h)};
  Extended x;
  static_assert(sizeof teile >= 10 && sizeof x >= 10);
  std::memcpy(&x, &teile, 10);
  return x;
}

template struct GanzeZahl<4>;
template struct GanzeZahl<8>;

Extended Anteil(const Masse &a, const Masse &b) { return Durch(a.AlsExtended(), b.AlsExtended()); }
Extended Anteil(const Produktmasse &a, const Produktmasse &b) { return Durch(a.AlsExtended(), b.AlsExtended()); }

Masse Schwelle(Extended p, const Masse &gesamt) {
  if (!(p > 0)) return Masse{};
  if (p >= 1) return gesamt;
  // p = m 2^(e - 64) with a 64-bit whole number m: the extended mantissa taken as it is.
  int e = 0;
  const Extended f = std::frexp(p, &e);
  const auto m = static_cast<std::uint64_t>(std::ldexp(f, 64));
  Masse produkt = gesamt;
  produkt.MalGanz(m);
  const int verschiebung = 64 - e; // at least 64, since p < 1
  if (verschiebung >= 256) return produkt.IstNull() ? Masse{} : Masse{1};
  Masse t;
  bool rest = false;
  const std::size_t woerter = static_cast<std::size_t>(verschiebung / 64);
  const int bits = verschiebung % 64;
  for (std::size_t i = 0; i < woerter; ++i) rest |= produkt.Teil[i] != 0;
  if (bits != 0) rest |= (produkt.Teil[woerter] & ((std::uint64_t{1} << bits) - 1)) != 0;
  for (std::size_t i = 0; i + woerter < 4; ++i) {
    std::uint64_t w = produkt.Teil[i + woerter] >> bits;
    if (bits != 0 && i + woerter + 1 < 4) w |= produkt.Teil[i + woerter + 1] << (64 - bits);
    t.Teil[i] = w;
  }
  if (rest) t += Masse{1};
  return t;
}

} // namespace kwt
