// Cost of the valuation core per call: the market value formula on both power paths, the number
// formatter, a shape's bounds and percentages, the remaining life over a range of points.
// Run: build/bench/kwt_bench
#include <benchmark/benchmark.h>

#include "Ertragswert.h"
#include "Formen.h"
#include "Restnutzungsdauer.h"
#include "W32_CLC.h"

using namespace kwt;

namespace {

void BM_ErtragswertGanzzahlig(benchmark::State &state) {
  Extended rnd = 41;
  for (auto _ : state) {
    benchmark::DoNotOptimize(rnd);
    benchmark::DoNotOptimize(Ertragswert(4.845L, rnd, 331000, 71250, 697500));
  }
}
BENCHMARK(BM_ErtragswertGanzzahlig);

void BM_ErtragswertGebrochen(benchmark::State &state) {
  Extended rnd = 41.5L;
  for (auto _ : state) {
    benchmark::DoNotOptimize(rnd);
    benchmark::DoNotOptimize(Ertragswert(4.845L, rnd, 331000, 71250, 697500));
  }
}
BENCHMARK(BM_ErtragswertGebrochen);

void BM_ZahlFormatierenZeile(benchmark::State &state) {
  Extended x = 4944284.66L;
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(ZahlFormatieren(0, false, false, x, false));
  }
}
BENCHMARK(BM_ZahlFormatierenZeile);

void BM_ZahlFormatierenSechsStellen(benchmark::State &state) {
  Extended x = -0.0123456L;
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(ZahlFormatieren(6, true, true, x, false));
  }
}
BENCHMARK(BM_ZahlFormatierenSechsStellen);

// What the editor's "Form…" part computes on every change of a number (Boost's distribution
// functions with the rounding mode switched around them, largest remainder, the sum check).
void BM_FormBerechnen(benchmark::State &state) {
  const FormAngabe formen[] = {
      {FormArt::Dreieck, {300000, 320000, 380000}},
      {FormArt::Pert, {300000, 320000, 380000}},
      {FormArt::Normal, {4.9L, 0.15L}},
      {FormArt::Spanne, {252000, 319200, 66.7L}},
      {FormArt::Gleich, {675000, 720000}},
  };
  const FormAngabe &angabe = formen[state.range(0)];
  state.SetLabel(FormEintragVon(angabe.Art).Kuerzel);
  for (auto _ : state) benchmark::DoNotOptimize(FormBerechnen(angabe));
}
BENCHMARK(BM_FormBerechnen)->DenseRange(0, 4);

void BM_RndGrenzen(benchmark::State &state) {
  for (auto _ : state) benchmark::DoNotOptimize(RndGrenzenBerechnen({80, 60, 0, 20}));
}
BENCHMARK(BM_RndGrenzen);

} // namespace

int main(int argc, char **argv) {
  FormatierungInitialisieren();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
