#include "Schnellkern.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <immintrin.h>

namespace kwt::schnell {

namespace {

// A state s of bucket b lies in [b 2^(32 - bits), (b + 1) 2^(32 - bits) - 1]: thresholds below the
// bucket count for every s in it, thresholds from its last state on for none, the others must be compared.
template <int Anzahl> void EimerFuellen(KernTabellen::Eimertabelle<Anzahl> &e, int d, const Ziehung &z) {
  constexpr int Verschiebung = Anzahl == 32 ? 27 : 29;
  static_assert((std::int64_t{Anzahl} << Verschiebung) == std::int64_t{1} << 32);
  e.Innen[d] = 0;
  for (int b = 0; b < Anzahl; ++b) {
    const std::uint64_t unten = std::uint64_t{static_cast<std::uint32_t>(b)} << Verschiebung;
    const std::uint64_t oben = unten + (std::uint64_t{1} << Verschiebung) - 1;
    int basis = 0, innen = 0;
    for (int i = 0; i < KlassenAnzahlVerteilung; ++i) e.Schwelle[d][i][b] = INT32_MAX;
    for (int i = 0; i < z.Anzahl; ++i) {
      if (z.Schwelle[i] < unten) {
        ++basis;
      } else if (z.Schwelle[i] < oben) {
        e.Schwelle[d][innen++][b] = static_cast<std::int32_t>(z.Schwelle[i] ^ 0x80000000u);
      }
    }
    e.Basis[d][b] = static_cast<std::uint32_t>(basis) * z.Gewicht;
    e.Innen[d] = std::max(e.Innen[d], innen);
  }
}

} // namespace

KernTabellen::KernTabellen(const Ziehungstabellen &tabellen)
    : A{}, C{}, AVor{}, CVor{}, Schwelle{}, Gewicht{}, Eimer32{}, Eimer8{} {
  for (int l = 0; l <= Bahnen; ++l) {
    const Sprung vor = Zufallsgenerator::SprungUm(static_cast<std::uint64_t>(ParameterAnzahl) * l);
    AVor[l] = vor.A;
    CVor[l] = vor.C;
    if (l == Bahnen) break;
    for (int d = 0; d < ParameterAnzahl; ++d) {
      const Sprung s = Zufallsgenerator::SprungUm(static_cast<std::uint64_t>(ParameterAnzahl) * l + d + 1);
      A[d][l] = s.A;
      C[d][l] = s.C;
    }
  }
  for (int d = 0; d < ParameterAnzahl; ++d) {
    const Ziehung &z = tabellen.Z(d);
    for (int i = 0; i < KlassenAnzahlVerteilung; ++i) {
      Schwelle[d][i] = i < z.Anzahl ? static_cast<std::int32_t>(z.Schwelle[i] ^ 0x80000000u) : INT32_MAX;
    }
    Gewicht[d] = z.Gewicht;
    EimerFuellen(Eimer32, d, z);
    EimerFuellen(Eimer8, d, z);
  }
}

namespace {

// The scalar half of a batch: each trial's word, its count and its stored value. Returns the lanes
// done; fewer than bahnen means the next lane's combination has no ordinary word.
template <bool Aufzeichnen>
__attribute__((always_inline)) inline int BahnenZaehlen(const std::uint32_t (&k)[Bahnen], int bahnen,
                                                         const std::atomic<std::uint64_t> *woerter,
                                                         Markenzaehler &zaehler, std::int64_t &summe,
                                                         std::uint32_t *aufzeichnung) {
  for (int l = 0; l < bahnen; ++l) {
    const std::uint64_t wort = woerter[k[l]].load(std::memory_order_relaxed);
    const std::uint32_t m = MarkeVon(wort);
    if (m - 1u > marke::NichtGezaehlt - 1u) [[unlikely]] return l;
    ++zaehler[l][m];
    summe += GespeichertVon(wort);
    if constexpr (Aufzeichnen) aufzeichnung[l] = k[l];
  }
  return bahnen;
}

// The x86-64 baseline (SSE2): every state compared with all ten thresholds of its draw, in GCC's vector
// notation with vectors of N lanes as wide as the registers (GCC splits wider ones into single lanes).
template <int N, bool Aufzeichnen>
__attribute__((always_inline)) inline std::int64_t KernKoerper(const KernTabellen &t,
                                                                const std::atomic<std::uint64_t> *woerter,
                                                                std::int64_t anzahl, KernStand &stand) {
  typedef std::uint32_t Vektor __attribute__((vector_size(N * sizeof(std::uint32_t))));
  typedef std::int32_t VektorZ __attribute__((vector_size(N * sizeof(std::int32_t))));
  constexpr int Teile = Bahnen / N;
  Vektor a[ParameterAnzahl][Teile], c[ParameterAnzahl][Teile];
  static_assert(sizeof a == sizeof t.A && sizeof c == sizeof t.C);
  std::memcpy(a, t.A, sizeof a);
  std::memcpy(c, t.C, sizeof c);
  std::uint32_t z = stand.Zustand;
  std::int64_t summe = stand.Summe;
  Markenzaehler &zaehler = *stand.Zaehler;
  std::uint32_t *aufzeichnung = stand.Aufzeichnung;
  std::int64_t erledigt = 0;
  while (erledigt < anzahl) {
    const Vektor basis = Vektor{} + z;
    Vektor kombination[Teile] = {};
#pragma GCC unroll 5
    for (int d = 0; d < ParameterAnzahl; ++d) {
      for (int teil = 0; teil < Teile; ++teil) {
        const VektorZ s = reinterpret_cast<VektorZ>((a[d][teil] * basis + c[d][teil]) ^ 0x80000000u);
        VektorZ stufe = {};
#pragma GCC unroll 10
        for (int i = 0; i < KlassenAnzahlVerteilung; ++i) stufe -= s > t.Schwelle[d][i];
        kombination[teil] += reinterpret_cast<Vektor>(stufe) * t.Gewicht[d];
      }
    }
    alignas(64) std::uint32_t k[Bahnen];
    std::memcpy(k, kombination, sizeof k);
    const int bahnen = anzahl - erledigt < Bahnen ? static_cast<int>(anzahl - erledigt) : Bahnen;
    const int fertig = BahnenZaehlen<Aufzeichnen>(k, bahnen, woerter, zaehler, summe,
                                                  Aufzeichnen ? aufzeichnung + erledigt : nullptr);
    if (fertig < bahnen) [[unlikely]] {
      stand.Zustand = t.AVor[fertig] * z + t.CVor[fertig];
      stand.Summe = summe;
      stand.Halt = k[fertig];
      return erledigt + fertig;
    }
    z = t.AVor[bahnen] * z + t.CVor[bahnen];
    erledigt += bahnen;
  }
  stand.Zustand = z;
  stand.Summe = summe;
  return erledigt;
}

// AVX-512: the step of a draw from two 32-entry lookups by the state's top five bits (vpermt2d) and
// the comparisons with the few thresholds inside the state's bucket, under a mask.
template <bool Aufzeichnen>
__attribute__((target("avx512f,avx512bw,avx512vl,avx512dq"), always_inline)) inline std::int64_t
Avx512Koerper(const KernTabellen &t, const std::atomic<std::uint64_t> *woerter, std::int64_t anzahl, KernStand &stand) {
  __m512i a[ParameterAnzahl], c[ParameterAnzahl], basisUnten[ParameterAnzahl], basisOben[ParameterAnzahl],
      gewicht[ParameterAnzahl];
  for (int d = 0; d < ParameterAnzahl; ++d) {
    a[d] = _mm512_loadu_si512(t.A[d]);
    c[d] = _mm512_loadu_si512(t.C[d]);
    basisUnten[d] = _mm512_load_si512(t.Eimer32.Basis[d]);
    basisOben[d] = _mm512_load_si512(t.Eimer32.Basis[d] + 16);
    gewicht[d] = _mm512_set1_epi32(static_cast<int>(t.Gewicht[d]));
  }
  const __m512i vorzeichen = _mm512_set1_epi32(INT32_MIN);
  // The shift in GCC's vector notation: GCC 12 warns about its own header for the shift intrinsics
  // (GCC bug 105593).
  typedef std::uint32_t Vektor16 __attribute__((vector_size(64)));
  std::uint32_t z = stand.Zustand;
  std::int64_t summe = stand.Summe;
  Markenzaehler &zaehler = *stand.Zaehler;
  std::uint32_t *aufzeichnung = stand.Aufzeichnung;
  std::int64_t erledigt = 0;
  while (erledigt < anzahl) {
    const __m512i basis = _mm512_set1_epi32(static_cast<int>(z));
    __m512i teil[ParameterAnzahl];
#pragma GCC unroll 5
    for (int d = 0; d < ParameterAnzahl; ++d) {
      const __m512i s = _mm512_add_epi32(_mm512_mullo_epi32(a[d], basis), c[d]);
      const __m512i eimer = reinterpret_cast<__m512i>(reinterpret_cast<Vektor16>(s) >> 27);
      const __m512i sv = _mm512_xor_si512(s, vorzeichen);
      __m512i k = _mm512_permutex2var_epi32(basisUnten[d], eimer, basisOben[d]);
      for (int i = 0; i < t.Eimer32.Innen[d]; ++i) {
        const __m512i schwelle = _mm512_permutex2var_epi32(_mm512_load_si512(t.Eimer32.Schwelle[d][i]), eimer,
                                                           _mm512_load_si512(t.Eimer32.Schwelle[d][i] + 16));
        k = _mm512_mask_add_epi32(k, _mm512_cmpgt_epi32_mask(sv, schwelle), k, gewicht[d]);
      }
      teil[d] = k;
    }
    const __m512i kombination = _mm512_add_epi32(
        _mm512_add_epi32(_mm512_add_epi32(teil[0], teil[1]), _mm512_add_epi32(teil[2], teil[3])), teil[4]);
    alignas(64) std::uint32_t k[Bahnen];
    _mm512_store_si512(k, kombination);
    const int bahnen = anzahl - erledigt < Bahnen ? static_cast<int>(anzahl - erledigt) : Bahnen;
    const int fertig = BahnenZaehlen<Aufzeichnen>(k, bahnen, woerter, zaehler, summe,
                                                  Aufzeichnen ? aufzeichnung + erledigt : nullptr);
    if (fertig < bahnen) [[unlikely]] {
      stand.Zustand = t.AVor[fertig] * z + t.CVor[fertig];
      stand.Summe = summe;
      stand.Halt = k[fertig];
      return erledigt + fertig;
    }
    z = t.AVor[bahnen] * z + t.CVor[bahnen];
    erledigt += bahnen;
  }
  stand.Zustand = z;
  stand.Summe = summe;
  return erledigt;
}

// AVX2: the same with 8-entry lookups (vpermd) by the top three bits, 16 trials as two halves.
template <bool Aufzeichnen>
__attribute__((target("avx2"), always_inline)) inline std::int64_t
Avx2Koerper(const KernTabellen &t, const std::atomic<std::uint64_t> *woerter, std::int64_t anzahl, KernStand &stand) {
  __m256i a[ParameterAnzahl][2], c[ParameterAnzahl][2], basisTabelle[ParameterAnzahl], gewicht[ParameterAnzahl];
  for (int d = 0; d < ParameterAnzahl; ++d) {
    for (int h = 0; h < 2; ++h) {
      a[d][h] = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(t.A[d] + 8 * h));
      c[d][h] = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(t.C[d] + 8 * h));
    }
    basisTabelle[d] = _mm256_load_si256(reinterpret_cast<const __m256i *>(t.Eimer8.Basis[d]));
    gewicht[d] = _mm256_set1_epi32(static_cast<int>(t.Gewicht[d]));
  }
  const __m256i vorzeichen = _mm256_set1_epi32(INT32_MIN);
  std::uint32_t z = stand.Zustand;
  std::int64_t summe = stand.Summe;
  Markenzaehler &zaehler = *stand.Zaehler;
  std::uint32_t *aufzeichnung = stand.Aufzeichnung;
  std::int64_t erledigt = 0;
  while (erledigt < anzahl) {
    const __m256i basis = _mm256_set1_epi32(static_cast<int>(z));
    alignas(32) std::uint32_t k[Bahnen];
    for (int h = 0; h < 2; ++h) {
      __m256i teil[ParameterAnzahl];
#pragma GCC unroll 5
      for (int d = 0; d < ParameterAnzahl; ++d) {
        const __m256i s = _mm256_add_epi32(_mm256_mullo_epi32(a[d][h], basis), c[d][h]);
        const __m256i eimer = _mm256_srli_epi32(s, 29);
        const __m256i sv = _mm256_xor_si256(s, vorzeichen);
        __m256i summand = _mm256_permutevar8x32_epi32(basisTabelle[d], eimer);
        for (int i = 0; i < t.Eimer8.Innen[d]; ++i) {
          const __m256i schwelle = _mm256_permutevar8x32_epi32(
              _mm256_load_si256(reinterpret_cast<const __m256i *>(t.Eimer8.Schwelle[d][i])), eimer);
          summand = _mm256_add_epi32(summand, _mm256_and_si256(_mm256_cmpgt_epi32(sv, schwelle), gewicht[d]));
        }
        teil[d] = summand;
      }
      const __m256i kombination = _mm256_add_epi32(
          _mm256_add_epi32(_mm256_add_epi32(teil[0], teil[1]), _mm256_add_epi32(teil[2], teil[3])), teil[4]);
      _mm256_store_si256(reinterpret_cast<__m256i *>(k + 8 * h), kombination);
    }
    const int bahnen = anzahl - erledigt < Bahnen ? static_cast<int>(anzahl - erledigt) : Bahnen;
    const int fertig = BahnenZaehlen<Aufzeichnen>(k, bahnen, woerter, zaehler, summe,
                                                  Aufzeichnen ? aufzeichnung + erledigt : nullptr);
    if (fertig < bahnen) [[unlikely]] {
      stand.Zustand = t.AVor[fertig] * z + t.CVor[fertig];
      stand.Summe = summe;
      stand.Halt = k[fertig];
      return erledigt + fertig;
    }
    z = t.AVor[bahnen] * z + t.CVor[bahnen];
    erledigt += bahnen;
  }
  stand.Zustand = z;
  stand.Summe = summe;
  return erledigt;
}

std::int64_t KernStandard(const KernTabellen &t, const std::atomic<std::uint64_t> *w, std::int64_t n, KernStand &s) {
  return s.Aufzeichnung != nullptr ? KernKoerper<4, true>(t, w, n, s) : KernKoerper<4, false>(t, w, n, s);
}

__attribute__((target("avx2"))) std::int64_t KernAvx2(const KernTabellen &t, const std::atomic<std::uint64_t> *w,
                                                      std::int64_t n, KernStand &s) {
  return s.Aufzeichnung != nullptr ? Avx2Koerper<true>(t, w, n, s) : Avx2Koerper<false>(t, w, n, s);
}

__attribute__((target("avx512f,avx512bw,avx512vl,avx512dq"))) std::int64_t
KernAvx512(const KernTabellen &t, const std::atomic<std::uint64_t> *w, std::int64_t n, KernStand &s) {
  return s.Aufzeichnung != nullptr ? Avx512Koerper<true>(t, w, n, s) : Avx512Koerper<false>(t, w, n, s);
}

} // namespace

std::vector<KernVariante> KernVarianten() {
  __builtin_cpu_init();
  std::vector<KernVariante> v;
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl") &&
      __builtin_cpu_supports("avx512dq"))
    v.push_back({"avx512", KernAvx512});
  if (__builtin_cpu_supports("avx2")) v.push_back({"avx2", KernAvx2});
  v.push_back({"standard", KernStandard});
  return v;
}

KernVariante KernWaehlen(const std::string &name) {
  static const std::vector<KernVariante> varianten = KernVarianten();
  for (const KernVariante &v : varianten) {
    if (name == v.Name) return v;
  }
  return varianten.front();
}

} // namespace kwt::schnell
