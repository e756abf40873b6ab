// A run in the main window (offscreen): 10000 trials with "Histogramm kontinuierlich" on, from the click
// on "Berechnen" to the final labels; how long "Stop" takes to end a run; and how long the evaluation
// dialog and the comparison of two variants take to open.
// Run: QT_QPA_PLATFORM=offscreen build/bench/kwt_fenster_bench
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTimer>

#include "DialogAuswertung.h"
#include "DialogVergleich.h"
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

// From the click on "Exakte Verteilung…" after a run of the defaults to the dialog on the screen with
// everything in it: exact distribution, sample, ranges, precision, tornado and variance shares, two
// price thresholds. The goal is 100 ms.
void BM_AuswertungOeffnen(benchmark::State &state) {
  Fenster f;
  f.modell.Zufall.Zufallszustand = 0;
  f.Klick("BtnCalculate");
  // Once before the measurement: two amounts, which the window keeps for every later opening.
  QTimer::singleShot(0, [] {
    auto *dialog = qobject_cast<TDlgAuswertung *>(QApplication::activeModalWidget());
    if (!dialog) return;
    for (const char *betrag : {"4.500.000", "5.000.000"}) {
      dialog->findChild<TZahlFeld *>("ESchwelle")->insert(betrag);
      dialog->BtnSchwelleHinzufuegenClick();
    }
    dialog->accept();
  });
  f.fenster.findChild<QAction *>("mnExakteVerteilung")->trigger();
  for (auto _ : state) {
    QElapsedTimer seitKlick;
    QTimer::singleShot(0, [&] {
      auto *dialog = qobject_cast<TDlgAuswertung *>(QApplication::activeModalWidget());
      if (!dialog) return;
      QApplication::processEvents(); // its first paint
      state.SetIterationTime(static_cast<double>(seitKlick.nsecsElapsed()) * 1e-9);
      dialog->accept();
    });
    seitKlick.start();
    f.fenster.findChild<QAction *>("mnExakteVerteilung")->trigger();
  }
}
BENCHMARK(BM_AuswertungOeffnen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// From the choice of the scenario file in "Vergleichen mit Szenario…" to the comparison on the screen:
// two exact distributions, P(VKW_B > VKW_A), both curves. The goal is 150 ms.
void BM_VergleichOeffnen(benchmark::State &state) {
  Fenster f;
  const QString pfad = QDir::temp().filePath("kwt-bench-vergleich.kwt");
  Szenario b = f.fenster.SzenarioAusFenster();
  b.Min[RO] += 10000;
  b.Max[RO] += 10000;
  SzenarioSpeichern(pfad.toStdString(), b);
  QElapsedTimer seitWahl;
  f.fenster.setDateiDialog([&](QWidget *, bool, const QString &, const QString &, const QString &) {
    seitWahl.start();
    return pfad;
  });
  for (auto _ : state) {
    QTimer::singleShot(0, [&] {
      auto *dialog = qobject_cast<TDlgVergleich *>(QApplication::activeModalWidget());
      if (!dialog) return;
      QApplication::processEvents();
      state.SetIterationTime(static_cast<double>(seitWahl.nsecsElapsed()) * 1e-9);
      dialog->accept();
    });
    f.fenster.findChild<QAction *>("mnVergleichen")->trigger();
  }
  QFile::remove(pfad);
}
BENCHMARK(BM_VergleichOeffnen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char **argv) {
  FormatierungInitialisieren();
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
