// The exact distribution of the market value: all class combinations with their probabilities and
// values, sorted, with the cumulative masses, the figures including the seven quantiles, and the
// tornado. The goal is under 50 ms for the 10^5 combinations of the default scenario.
#include <benchmark/benchmark.h>

#include "ExakteAuswertung.h"
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

} // namespace
