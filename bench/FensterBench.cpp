// A run in the main window (offscreen): 10000 trials with "Histogramm kontinuierlich" on, from the click
// on "Berechnen" to the final labels; and how long "Stop" takes to end a run.
// Run: QT_QPA_PLATFORM=offscreen build/bench/kwt_fenster_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include "MainForm.h"
#include "W32_CLC.h"
#include "ZahlFeld.h"

using namespace kwt;

namespace {

struct Fenster {
  Bewertungsmodell modell;
  TMainForm fenster{modell};
  Fenster() {
    fenster.show();
    fenster.FormCreate();
    QApplication::processEvents();
  }
  void Klick(const char *name) { fenster.findChild<QPushButton *>(name)->click(); }
};

void BM_FensterlaufStandard(benchmark::State &state) {
  Fenster f;
  f.fenster.findChild<TZahlFeld *>("EVersuche")->setGanzzahl(static_cast<std::int32_t>(state.range(0)));
  for (auto _ : state) {
    f.modell.Zufall.Zufallszustand = 1;
    f.Klick("BtnCalculate");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FensterlaufStandard)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// From the click on "Stop" (a real mouse click, delivered in the run's message processing) to the end
// of the run with its final labels and charts.
void BM_StopBisZumEnde(benchmark::State &state) {
  Fenster f;
  f.fenster.findChild<TZahlFeld *>("EVersuche")->setGanzzahl(100000000);
  for (auto _ : state) {
    QElapsedTimer seitKlick;
    QTimer::singleShot(50, [&] {
      seitKlick.start();
      f.Klick("BtnStop");
    });
    f.Klick("BtnCalculate");
    state.SetIterationTime(static_cast<double>(seitKlick.nsecsElapsed()) * 1e-9);
  }
}
BENCHMARK(BM_StopBisZumEnde)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv) {
  FormatierungInitialisieren();
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
