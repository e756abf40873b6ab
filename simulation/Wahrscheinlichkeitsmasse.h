// Probabilities of the exact distribution as exact whole numbers.
//
// Each parameter's class is decided by one generator state out of 2^32, so the probability of a
// class combination is the product of five state counts divided by 2^160. The products (up to 2^160)
// and their running sums are kept exactly in 256 bits; only the shares shown to the user are
// converted to extended numbers. This keeps the cumulative probabilities free of the upward drift
// that 10^5 rounded additions would collect, and lets a quantile compare P(VKW <= v) with p exactly.
//
// Two independent variants multiply their masses: P(VKW_B > VKW_A) sums products of a mass of each,
// up to 2^320, which Produktmasse (512 bits) holds exactly.
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>

#include "Gleitkomma.h"

namespace kwt {

// 128-bit products and carries; g++ and clang have the type on every 64-bit target the program runs on.
__extension__ typedef unsigned __int128 Ganz128;

// A whole number of W 64-bit words, least significant first. Nothing here checks for overflow: the
// callers' sizes stay far below 2^(64 W) (see Masse and Produktmasse).
template <std::size_t W> struct GanzeZahl {
  std::array<std::uint64_t, W> Teil{};

  constexpr GanzeZahl() = default;
  constexpr explicit GanzeZahl(std::uint64_t x) { Teil[0] = x; }

  GanzeZahl &operator+=(const GanzeZahl &b) {
    Ganz128 uebertrag = 0;
    for (std::size_t i = 0; i < W; ++i) {
      uebertrag += static_cast<Ganz128>(Teil[i]) + b.Teil[i];
      Teil[i] = static_cast<std::uint64_t>(uebertrag);
      uebertrag >>= 64;
    }
    return *this;
  }
  // a - b for a >= b.
  GanzeZahl &operator-=(const GanzeZahl &b) {
    std::uint64_t borgen = 0;
    for (std::size_t i = 0; i < W; ++i) {
      const std::uint64_t t = Teil[i] - b.Teil[i] - borgen;
      borgen = (Teil[i] < b.Teil[i] || (Teil[i] == b.Teil[i] && borgen)) ? 1 : 0;
      Teil[i] = t;
    }
    return *this;
  }
  // Multiplies by f.
  GanzeZahl &MalGanz(std::uint64_t f) {
    Ganz128 uebertrag = 0;
    for (std::uint64_t &t : Teil) {
      uebertrag += static_cast<Ganz128>(t) * f;
      t = static_cast<std::uint64_t>(uebertrag);
      uebertrag >>= 64;
    }
    return *this;
  }
  bool IstNull() const {
    for (std::uint64_t t : Teil)
      if (t != 0) return false;
    return true;
  }

  friend std::strong_ordering operator<=>(const GanzeZahl &a, const GanzeZahl &b) {
    for (std::size_t i = W; i-- > 0;) {
      if (a.Teil[i] != b.Teil[i]) return a.Teil[i] <=> b.Teil[i];
    }
    return std::strong_ordering::equal;
  }
  friend bool operator==(const GanzeZahl &, const GanzeZahl &) = default;

  static GanzeZahl ZweiHoch(int n) {
    GanzeZahl m;
    m.Teil[static_cast<std::size_t>(n / 64)] = std::uint64_t{1} << (n % 64);
    return m;
  }

  // The value as an extended number, cut to 64 significant bits (exact below 2^64 and for powers of two).
  Extended AlsExtended() const;
};

// The product (A + B words hold it whole).
template <std::size_t A, std::size_t B> GanzeZahl<A + B> Produkt(const GanzeZahl<A> &a, const GanzeZahl<B> &b) {
  GanzeZahl<A + B> p;
  for (std::size_t i = 0; i < A; ++i) {
    Ganz128 uebertrag = 0;
    for (std::size_t j = 0; j < B; ++j) {
      uebertrag += static_cast<Ganz128>(a.Teil[i]) * b.Teil[j] + p.Teil[i + j];
      p.Teil[i + j] = static_cast<std::uint64_t>(uebertrag);
      uebertrag >>= 64;
    }
    p.Teil[i + B] = static_cast<std::uint64_t>(uebertrag);
  }
  return p;
}

// The product of five state counts (each at most 2^32) stays below 2^161, and a total of those times a
// 64-bit mantissa below 2^225: nothing here comes near 2^256.
using Masse = GanzeZahl<4>;
// Products of two masses (below 2^322) and their sums over two distributions.
using Produktmasse = GanzeZahl<8>;

// a / b as an extended number (b not zero); within three units of the last place.
Extended Anteil(const Masse &a, const Masse &b);
Extended Anteil(const Produktmasse &a, const Produktmasse &b);

// The smallest whole number T with T >= p * gesamt, exactly, for every extended p in [0, 1]
// (0 for p <= 0, gesamt for p >= 1). "P(X <= v) >= p" is then "mass up to v >= T".
Masse Schwelle(Extended p, const Masse &gesamt);

extern template struct GanzeZahl<4>;
extern template struct GanzeZahl<8>;

} // namespace kwt
