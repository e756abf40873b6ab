// The trial-by-trial run without a window, in trials per second.
#include <benchmark/benchmark.h>

#include "Simulationslauf.h"
#include "Standardwerte.h"

using namespace kwt;

namespace {

void Lauf(benchmark::State &state, const Parameterwerte &min, const Parameterwerte &max, bool uneben) {
  const auto n = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) {
    Bewertungsmodell modell;
    MenuVoreinstellungAnwenden(modell, StandardVoreinstellung);
    if (uneben) {
      modell.Verteilungen[LZ].Prozent = {3.5L, 6.25L, 9, 11.75L, 20, 18.5L, 12, 9, 6, 4};
      modell.Verteilungen[RO].Prozent = ZeilenWerte(Zeile::Zweipunkt);
    }
    modell.Zufall.Zufallszustand = 12345;
    Simulationslauf lauf(modell);
    StilleAnzeige anzeige;
    benchmark::DoNotOptimize(lauf.Berechnen(min, max, n, anzeige).AktVersuch);
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_ReferenzlaufStandard(benchmark::State &state) {
  Lauf(state, StandardMin, StandardMax, false);
}
BENCHMARK(BM_ReferenzlaufStandard)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Remaining lives 40.5 .. 60.5 give midpoints like 41.5: every power takes the logarithm path.
void BM_ReferenzlaufGebrochenUneben(benchmark::State &state) {
  Lauf(state, {4.8L, 40.5L, 310000, 60000, 675000}, {5.1L, 60.5L, 370000, 85000, 720000}, true);
}
BENCHMARK(BM_ReferenzlaufGebrochenUneben)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
