// Speed of fast runs of the default scenario (the window's default bounds, "Normalverteilung"), by
// number of trials and threads, and of its inner loop alone; items_per_second is trials per second.
// A display that shows nothing stands in for the window. The trial-by-trial run: LaufBench.cpp.
//   build/bench/kwt_bench --benchmark_filter='Schnell|Innen|Referenz'
#include <benchmark/benchmark.h>

#include <memory>

#include "Kombinationen.h"
#include "Schnellkern.h"
#include "Simulationslauf.h"
#include "Standardwerte.h"

using namespace kwt;

namespace {

using StummeAnzeige = StilleAnzeige;

// Arguments: trials, threads (0: one per core). Reports every 10 ms, as the window asks.
void BM_LaufSchnell(benchmark::State &state) {
  const auto n = static_cast<std::int32_t>(state.range(0));
  Bewertungsmodell modell;
  MenuVoreinstellungAnwenden(modell, StandardVoreinstellung);
  Simulationslauf lauf(modell);
  StummeAnzeige anzeige({2147483647, 10});
  Simulationslauf::SchnellOptionen optionen;
  optionen.Threads = static_cast<int>(state.range(1));
  for (auto _ : state) lauf.SchnellBerechnen(StandardMin, StandardMax, n, anzeige, optionen);
  state.SetItemsProcessed(state.iterations() * n);
  state.SetLabel(schnell::KernWaehlen("").Name);
}
BENCHMARK(BM_LaufSchnell)
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Args({10000000, 1})
    ->Args({10000000, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
// A billion trials, once each: all cores and one thread.
BENCHMARK(BM_LaufSchnell)
    ->Args({1000000000, 0})
    ->Args({1000000000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// The inner loop alone, per variant, on the default tables with every combination known: trials per
// second of one thread (CPU time is the figure to read on a busy machine).
void BM_Innenschleife(benchmark::State &state) {
  const auto varianten = schnell::KernVarianten();
  const auto i = static_cast<std::size_t>(state.range(0));
  if (i >= varianten.size()) {
    state.SkipWithError("Variante fehlt auf diesem Prozessor");
    return;
  }
  Bewertungsmodell modell;
  MenuVoreinstellungAnwenden(modell, static_cast<MenuVoreinstellung>(state.range(1)));
  modell.VerteilungenVorbereiten(StandardMin, StandardMax);
  modell.VkwMin = modell.VkwMinBerechnen();
  modell.VkwMax = modell.VkwMaxBerechnen();
  Histogramm histo;
  histo.Vorbereiten(100000000, modell.VkwMin, modell.VkwMax);
  const schnell::Ziehungstabellen tabellen(modell.Verteilungen);
  schnell::Vorrat vorrat;
  schnell::Kombinationsspeicher speicher(tabellen, histo, modell.VkwMin, modell.VkwMax, 0x1p40, vorrat);
  for (std::uint32_t k = 0; k < tabellen.Kombinationen(); ++k) speicher.Holen(k, nullptr);
  const auto kern = std::make_unique<schnell::KernTabellen>(tabellen);
  alignas(64) static schnell::Markenzaehler zaehler;
  schnell::KernStand stand;
  stand.Zustand = 12345;
  stand.Zaehler = &zaehler;
  const std::int64_t n = 1 << 20;
  for (auto _ : state) {
    const std::int64_t fertig = varianten[i].Funktion(*kern, speicher.Woerter(), n, stand);
    if (fertig != n) state.SkipWithError("angehalten");
  }
  benchmark::DoNotOptimize(stand.Summe);
  state.SetItemsProcessed(state.iterations() * n);
  state.SetLabel(varianten[i].Name);
}
BENCHMARK(BM_Innenschleife)->ArgsProduct({{0, 1, 2}, {0, 4}});

} // namespace
