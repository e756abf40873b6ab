// The exact distribution of the market value: all class combinations with their probabilities and
// values, sorted, with the cumulative masses, the figures including the seven quantiles, and the
// tornado. The goal is under 50 ms for the 10^5 combinations of the default scenario.
#include <benchmark/benchmark.h>

#include "ExakteAuswertung.h"
#include "Preisschwellen.h"
#include "Sobolindizes.h"
#include "Stichprobengenauigkeit.h"
#include "Variantenvergleich.h"
#include "Standardwerte.h"

using namespace kwt;

namespace {

void Exakt(benchmark::State &state, Bewertungsmodell &modell) {
  for (auto _ : state) {
    const ExakteVerteilung e = ExakteVerteilungBerechnen(modell.Verteilungen);
    const StichprobenVergleich zeilen = ExakteZeilen(e); // mean, standard deviation, seven quantiles
    benchmark::DoNotOptimize(zeilen.Zeilen[5].Exakt);
    state.counters["Kombinationen"] = static_cast<double>(e.Kombinationen);
  }
}

// "Normalverteilung" with the default bounds: 10^5 combinations.
void BM_ExaktStandard(benchmark::State &state) {
  Bewertungsmodell modell;
  MenuVoreinstellungAnwenden(modell, StandardVoreinstellung);
  modell.VerteilungenVorbereiten(StandardMin, StandardMax);
  Exakt(state, modell);
}
BENCHMARK(BM_ExaktStandard)->Unit(benchmark::kMillisecond);

// Percentages summing to 90 everywhere: "no class" is an eleventh outcome, 11^5 = 161,051
// combinations; remaining lives like 41.5 take the logarithm path. A yield rate of 0 makes a tenth of
// the combinations fail with a message.
void BM_ExaktElfAusgaengeGebrochen(benchmark::State &state) {
  Bewertungsmodell modell;
  for (TParamVerteilung &v : modell.Verteilungen) v.Prozent = {1, 5, 9, 10, 25, 15, 10, 9, 5, 1};
  modell.VerteilungenVorbereiten({4.8L, 40.5L, 310000, 60000, 675000}, {5.1L, 60.5L, 370000, 85000, 720000});
  Exakt(state, modell);
}
BENCHMARK(BM_ExaktElfAusgaengeGebrochen)->Unit(benchmark::kMillisecond);

// What the evaluation adds to the exact distribution of the defaults: the variance shares over the
// class grid, the comparison with a second variant (exact products of masses), the sample's precision
// of 10^5 stored values, and a price threshold.
Bewertungsmodell Standardmodell() {
  Bewertungsmodell modell;
  MenuVoreinstellungAnwenden(modell, StandardVoreinstellung);
  modell.VerteilungenVorbereiten(StandardMin, StandardMax);
  return modell;
}

void BM_Sobolindizes(benchmark::State &state) {
  const ExakteVerteilung e = ExakteVerteilungBerechnen(Standardmodell().Verteilungen);
  for (auto _ : state) benchmark::DoNotOptimize(SobolindizesBerechnen(e)[RO].Gesamt);
}
BENCHMARK(BM_Sobolindizes)->Unit(benchmark::kMillisecond);

void BM_Variantenvergleich(benchmark::State &state) {
  const ExakteVerteilung a = ExakteVerteilungBerechnen(Standardmodell().Verteilungen);
  Parameterwerte min = StandardMin, max = StandardMax;
  min[RO] += 10000;
  max[RO] += 10000;
  const ExakteVerteilung b = VarianteBerechnen(min, max, StandardProzente());
  for (auto _ : state) benchmark::DoNotOptimize(VariantenVergleichen(a, b).BHoeher);
}
BENCHMARK(BM_Variantenvergleich)->Unit(benchmark::kMillisecond);

void BM_Genauigkeit(benchmark::State &state) {
  std::vector<double> werte;
  for (std::uint32_t i = 0; i < 100000; ++i) werte.push_back(4000000 + (i * 2654435761u) % 2000000);
  for (auto _ : state) benchmark::DoNotOptimize(GenauigkeitBerechnen(werte).MedianUnten);
}
BENCHMARK(BM_Genauigkeit)->Unit(benchmark::kMillisecond);

void BM_Preisschwelle(benchmark::State &state) {
  const ExakteVerteilung e = ExakteVerteilungBerechnen(Standardmodell().Verteilungen);
  for (auto _ : state) benchmark::DoNotOptimize(PreisschwelleBerechnen(e, {}, 5000000).ExaktUnter);
}
BENCHMARK(BM_Preisschwelle)->Unit(benchmark::kMicrosecond);

} // namespace
