// The inner loop of the fast run: trials as integers only.
//
// Sixteen trials at a time: their 80 generator states come from the batch's first state by the jump
// maps (A s + C), each state's step is counted against the draw's thresholds, the five steps make the
// combination number, and the combination's word gives the histogram mark and the stored value. The
// loop stops at the first trial whose combination has no ordinary word yet; the caller deals with that
// trial and lets it go on. Compiled for AVX-512 and AVX2 (a lookup by the top bits of the state, then
// the one or two thresholds inside its bucket) and for the x86-64 baseline (all ten thresholds); the
// processor decides at run time.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "Kombinationen.h"

namespace kwt::schnell {

inline constexpr int Bahnen = 16;

struct KernTabellen {
  // Lane l of draw d: the state 5 l + d + 1 steps after the batch's first state.
  alignas(64) std::uint32_t A[ParameterAnzahl][Bahnen];
  alignas(64) std::uint32_t C[ParameterAnzahl][Bahnen];
  // The state before lane l's trial (l = Bahnen: the next batch).
  std::uint32_t AVor[Bahnen + 1];
  std::uint32_t CVor[Bahnen + 1];
  // The thresholds minus 2^31, to compare as signed numbers (SSE2 and AVX2 have no unsigned comparison),
  // filled up to ten with the largest number, which no state exceeds.
  std::int32_t Schwelle[ParameterAnzahl][KlassenAnzahlVerteilung];
  std::uint32_t Gewicht[ParameterAnzahl];

  // For the processors that look up 32 (AVX-512) or 8 (AVX2) entries of a register in one instruction:
  // the states split into as many buckets by their top bits. Per bucket the weighted step of its lowest
  // state, and the thresholds inside it (minus 2^31, filled up with the largest number); Innen is the
  // most thresholds of a bucket. So a draw costs a lookup and a comparison or two instead of ten.
  template <int Anzahl> struct Eimertabelle {
    alignas(64) std::uint32_t Basis[ParameterAnzahl][Anzahl];
    alignas(64) std::int32_t Schwelle[ParameterAnzahl][KlassenAnzahlVerteilung][Anzahl];
    std::int32_t Innen[ParameterAnzahl];
  };
  Eimertabelle<32> Eimer32;
  Eimertabelle<8> Eimer8;

  explicit KernTabellen(const Ziehungstabellen &tabellen);
};

// One histogram by mark per lane, so that trials in a row counted into the same class do not wait for
// each other.
using Markenzaehler = std::uint32_t[Bahnen][64];

struct KernStand {
  std::uint32_t Zustand = 0;            // generator state before the next trial
  std::int64_t Summe = 0;               // of the stored values
  Markenzaehler *Zaehler = nullptr;
  std::uint32_t *Aufzeichnung = nullptr; // if set: the combination of every trial done, in order
  std::uint32_t Halt = 0;               // the combination the loop stopped at
};

// Runs up to anzahl trials and returns how many it completed; fewer means the next trial's combination
// (Halt) has no ordinary word, and Zustand is the state before that trial.
using KernFunktion = std::int64_t (*)(const KernTabellen &, const std::atomic<std::uint64_t> *, std::int64_t,
                                      KernStand &);

struct KernVariante {
  const char *Name; // "avx512", "avx2", "standard"
  KernFunktion Funktion;
};
// The variants this processor runs, the fastest first.
std::vector<KernVariante> KernVarianten();
// The variant of that name, or with an empty or unknown name the fastest.
KernVariante KernWaehlen(const std::string &name);

} // namespace kwt::schnell
