// The random source: a 32-bit linear congruential generator.
//
// state' = state * 134775813 + 1 (mod 2^32); Zufallszahl returns the new state times 2^-32, so the
// results are exactly 0, 2^-32, ..., 1 - 2^-32. The program seeds it at start-up and again when the
// main window is created; a run never reseeds, so each run continues the sequence.
#pragma once

#include <cstdint>

#include "Gleitkomma.h"

namespace kwt {

// A stretch of the sequence as one affine map: n steps take the state s to A s + C (mod 2^32). A fast
// run uses it to start a block of trials anywhere in the sequence, so that several threads can draw
// their blocks at the same time and still draw exactly what one thread would.
struct Sprung {
  std::uint32_t A = 1;
  std::uint32_t C = 0;

  std::uint32_t Anwenden(std::uint32_t s) const { return A * s + C; }
  // First this stretch, then the other one.
  Sprung Danach(const Sprung &weiter) const { return {weiter.A * A, weiter.A * C + weiter.C}; }
};

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

  // The map of n steps, by squaring the map of one step.
  static Sprung SprungUm(std::uint64_t schritte) {
    Sprung ergebnis, potenz{Multiplikator, Inkrement};
    for (; schritte != 0; schritte >>= 1) {
      if (schritte & 1u) ergebnis = ergebnis.Danach(potenz);
      potenz = potenz.Danach(potenz);
    }
    return ergebnis;
  }
};

} // namespace kwt
