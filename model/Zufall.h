// The random source: a 32-bit linear congruential generator.
//
// state' = state * 134775813 + 1 (mod 2^32); Zufallszahl returns the new state times 2^-32, so the
// results are exactly 0, 2^-32, ..., 1 - 2^-32. The program seeds it at start-up and again when the
// main window is created; a run never reseeds, so each run continues the sequence.
#pragma once

#include <cstdint>

#include "Gleitkomma.h"

namespace kwt {

struct Zufallsgenerator {
  static constexpr std::uint32_t Multiplikator = 134775813u; // 0x08088405
  static constexpr std::uint32_t Inkrement = 1u;

  std::uint32_t Zufallszustand = 0;

  std::uint32_t Schritt() {
    Zufallszustand = Zufallszustand * Multiplikator + Inkrement;
    return Zufallszustand;
  }
  Extended Zufallszahl() { return ZustandAlsZahl(Schritt()); }
  Extended ZufallImBereich(Extended lo, Extended hi) { return Plus(Mal(Minus(hi, lo), Zufallszahl()), lo); }
  // Seeds from the low 32 bits of a high-resolution clock, so that two starts differ.
  void ZufallInitialisieren();

  static Extended ZustandAlsZahl(std::uint32_t s) { return static_cast<Extended>(s) * 0x1p-32L; }
};

} // namespace kwt
