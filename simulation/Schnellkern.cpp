#include "Schnellkern.h"

#include <cstdint>
#include <cstring>

namespace kwt::schnell {

KernTabellen::KernTabellen(const Ziehungstabellen &tabellen) : A{}, C{}, AVor{}, CVor{}, Schwelle{}, Gewicht{} {
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
  }
}

namespace {

// One body for all variants, over vectors of N lanes as wide as the target's registers (a batch of 16
// trials is 16 / N of them): GCC turns a vector wider than the registers into single lanes.
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
    for (int l = 0; l < bahnen; ++l) {
      const std::uint64_t wort = woerter[k[l]].load(std::memory_order_relaxed);
      const std::uint32_t m = MarkeVon(wort);
      if (m - 1u > marke::NichtGezaehlt - 1u) [[unlikely]] {
        stand.Zustand = t.AVor[l] * z + t.CVor[l];
        stand.Summe = summe;
        stand.Halt = k[l];
        return erledigt + l;
      }
      ++zaehler[l][m];
      summe += GespeichertVon(wort);
      if constexpr (Aufzeichnen) aufzeichnung[erledigt + l] = k[l];
    }
    z = t.AVor[bahnen] * z + t.CVor[bahnen];
    erledigt += bahnen;
  }
  stand.Zustand = z;
  stand.Summe = summe;
  return erledigt;
}

template <int N>
__attribute__((always_inline)) inline std::int64_t Kern(const KernTabellen &t, const std::atomic<std::uint64_t> *w,
                                                         std::int64_t n, KernStand &s) {
  return s.Aufzeichnung != nullptr ? KernKoerper<N, true>(t, w, n, s) : KernKoerper<N, false>(t, w, n, s);
}

std::int64_t KernStandard(const KernTabellen &t, const std::atomic<std::uint64_t> *w, std::int64_t n, KernStand &s) {
  return Kern<4>(t, w, n, s);
}

__attribute__((target("avx2"))) std::int64_t KernAvx2(const KernTabellen &t, const std::atomic<std::uint64_t> *w,
                                                      std::int64_t n, KernStand &s) {
  return Kern<8>(t, w, n, s);
}

__attribute__((target("avx512f,avx512bw,avx512vl,avx512dq"))) std::int64_t
KernAvx512(const KernTabellen &t, const std::atomic<std::uint64_t> *w, std::int64_t n, KernStand &s) {
  return Kern<16>(t, w, n, s);
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
