// Cost of the valuation core per call: the market value formula on both power paths and the
// number formatter. Run: build/bench/kwt_bench
#include <benchmark/benchmark.h>

#include "Ertragswert.h"
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

} // namespace

int main(int argc, char **argv) {
  FormatierungInitialisieren();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
