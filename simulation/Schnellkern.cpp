#include "Schnellkern.h"

#include <cstring>

namespace kwt::schnell {

KernTabellen::KernTabellen(const Ziehungstabellen &tabellen) : A{}, C{}, AVor{}, CVor{}, Anzahl{}, Schwelle{}, Gewicht{} {
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
    Anzahl[d] = z.Anzahl;
    for (int i = 0; i < z.Anzahl; ++i) Schwelle[d][i] = z.Schwelle[i];
    Gewicht[d] = z.Gewicht;
  }
}

namespace {

typedef std::uint32_t Vektor __attribute__((vector_size(Bahnen * sizeof(std::uint32_t))));

// One body for all variants: the compiler turns the 16-lane vectors into one AVX-512 register, two AVX2
// registers or four SSE2 registers, as the target of the function it is inlined into allows.
__attribute__((always_inline)) inline std::int64_t KernKoerper(const KernTabellen &t,
                                                                const std::atomic<std::uint64_t> *woerter,
                                                                std::int64_t anzahl, KernStand &stand) {
  Vektor a[ParameterAnzahl], c[ParameterAnzahl];
  std::memcpy(a, t.A, sizeof a);
  std::memcpy(c, t.C, sizeof c);
  std::uint32_t z = stand.Zustand;
  std::int64_t summe = stand.Summe;
  Markenzaehler &zaehler = *stand.Zaehler;
  std::uint32_t *aufzeichnung = stand.Aufzeichnung;
  std::int64_t erledigt = 0;
  while (erledigt < anzahl) {
    const Vektor basis = Vektor{} + z;
    Vektor kombination = {};
    for (int d = 0; d < ParameterAnzahl; ++d) {
      const Vektor s = a[d] * basis + c[d];
      Vektor stufe = {};
      for (int i = 0; i < t.Anzahl[d]; ++i) stufe -= reinterpret_cast<Vektor>(s > t.Schwelle[d][i]);
      kombination += stufe * t.Gewicht[d];
    }
    alignas(64) std::uint32_t k[Bahnen];
    std::memcpy(k, &kombination, sizeof k);
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
      ++zaehler[l & 3][m];
      summe += GespeichertVon(wort);
      if (aufzeichnung != nullptr) aufzeichnung[erledigt + l] = k[l];
    }
    z = t.AVor[bahnen] * z + t.CVor[bahnen];
    erledigt += bahnen;
  }
  stand.Zustand = z;
  stand.Summe = summe;
  return erledigt;
}

std::int64_t KernStandard(const KernTabellen &t, const std::atomic<std::uint64_t> *w, std::int64_t n, KernStand &s) {
  return KernKoerper(t, w, n, s);
}

__attribute__((target("avx2"))) std::int64_t KernAvx2(const KernTabellen &t, const std::atomic<std::uint64_t> *w,
                                                      std::int64_t n, KernStand &s) {
  return KernKoerper(t, w, n, s);
}

__attribute__((target("avx512f,avx512bw,avx512vl,avx512dq"))) std::int64_t
KernAvx512(const KernTabellen &t, const std::atomic<std::uint64_t> *w, std::int64_t n, KernStand &s) {
  return KernKoerper(t, w, n, s);
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
