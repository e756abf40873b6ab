// Probabilities of the exact distribution as exact whole numbers.
//
// Each parameter's class is decided by one generator state out of 2^32, so the probability of a
// class combination is the product of five state counts divided by 2^160. The products (up to 2^160)
// and their running sums are kept exactly in 256 bits; only the shares shown to the user are
// converted to extended numbers. This keeps the cumulative probabilities free of the upward drift
// that 10^5 rounded additions would collect, and lets a quantile compare P(VKW <= v) with p exactly.
#pragma once

#include <array>
#include <compare>
#include <cstdint>

#include "Gleitkomma.h"

namespace kwt {

// 128-bit products and carries; g++ and clang have the type on every 64-bit target the program runs on.
__extension__ typedef unsigned __int128 Ganz128;

struct Masse {
  std::array<std::uint64_t, 4> Teil{}; // least significant 64 bits first

  constexpr Masse() = default;
  constexpr explicit Masse(std::uint64_t x) : Teil{x, 0, 0, 0} {}

  Masse &operator+=(const Masse &b) {
    Ganz128 uebertrag = 0;
    for (std::size_t i = 0; i < Teil.size(); ++i) {
      uebertrag += static_cast<Ganz128>(Teil[i]) + b.Teil[i];
      Teil[i] = static_cast<std::uint64_t>(uebertrag);
      uebertrag >>= 64;
    }
    return *this;
  }
  // a - b for a >= b.
  Masse &operator-=(const Masse &b) {
    std::uint64_t borgen = 0;
    for (std::size_t i = 0; i < Teil.size(); ++i) {
      const std::uint64_t t = Teil[i] - b.Teil[i] - borgen;
      borgen = (Teil[i] < b.Teil[i] || (Teil[i] == b.Teil[i] && borgen)) ? 1 : 0;
      Teil[i] = t;
    }
    return *this;
  }
  // Multiplies by f. The product of five state counts (each at most 2^32) stays below 2^161, and a
  // total of those times a 64-bit mantissa below 2^225: nothing here comes near 2^256.
  Masse &MalGanz(std::uint64_t f) {
    Ganz128 uebertrag = 0;
    for (std::uint64_t &t : Teil) {
      uebertrag += static_cast<Ganz128>(t) * f;
      t = static_cast<std::uint64_t>(uebertrag);
      uebertrag >>= 64;
    }
    return *this;
  }
  bool IstNull() const { return (Teil[0] | Teil[1] | Teil[2] | Teil[3]) == 0; }

  friend std::strong_ordering operator<=>(const Masse &a, const Masse &b) {
    for (std::size_t i = a.Teil.size(); i-- > 0;) {
      if (a.Teil[i] != b.Teil[i]) return a.Teil[i] <=> b.Teil[i];
    }
    return std::strong_ordering::equal;
  }
  friend bool operator==(const Masse &, const Masse &) = default;

  static Masse ZweiHoch(int n) {
    Masse m;
    m.Teil[static_cast<std::size_t>(n / 64)] = std::uint64_t{1} << (n % 64);
    return m;
  }

  // The value as an extended number, cut to 64 significant bits (exact below 2^64 and for powers of two).
  Extended AlsExtended() const;
};

// a / b as an extended number (b not zero); within three units of the last place.
Extended Anteil(const Masse &a, const Masse &b);

// The smallest whole number T with T >= p * gesamt, exactly, for every extended p in [0, 1]
// (0 for p <= 0, gesamt for p >= 1). "P(X <= v) >= p" is then "mass up to v >= T".
Masse Schwelle(Extended p, const Masse &gesamt);

} // namespace kwt
