// Cost of redrawing the histogram view, as a run does after every trial with "Histogramm
// kontinuierlich" ticked: 700 x 350 pixels, offscreen. Run: build/bench/kwt_diagramm_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "DiagrammAnsicht.h"
#include "W32_CLC.h"

using namespace kwt;

namespace {

QStringList Klassen(int n, int verschiebung) {
  QStringList klassen;
  for (int i = 0; i < n; ++i) klassen << QString::number(1000 + verschiebung + 10 * i);
  return klassen;
}

// The picture is painted into an image of the view's size so that the cost of painting is measured
// the same way on every platform.
void Zeichnen(TDiagrammAnsicht &ansicht, QImage &bild) {
  ansicht.SofortZeichnen();
  QPainter maler(&bild);
  ansicht.render(&maler);
}

// One trial counted: one bar grows by one, the axis maximum follows, the classes stay.
void BM_HistogrammNachEinemVersuch(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  TDiagrammAnsicht ansicht(TDiagrammAnsicht::Art::Balken);
  ansicht.resize(700, 350);
  ansicht.show();
  QImage bild(700, 350, QImage::Format_RGB32);
  const QStringList klassen = Klassen(n, 0);
  QList<double> hoehen(n, 0.0);
  int versuch = 0;
  for (auto _ : state) {
    hoehen[(versuch * 7) % n] += 1;
    ++versuch;
    ansicht.BalkenSetzen(klassen, hoehen);
    ansicht.setLinkeAchse(0, *std::max_element(hoehen.begin(), hoehen.end()) + 5);
    Zeichnen(ansicht, bild);
  }
}
BENCHMARK(BM_HistogrammNachEinemVersuch)->Arg(40)->Arg(60)->Unit(benchmark::kMillisecond);

// A new run: new class labels every time (the case that is rare in practice).
void BM_HistogrammNeueKlassen(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  TDiagrammAnsicht ansicht(TDiagrammAnsicht::Art::Balken);
  ansicht.resize(700, 350);
  ansicht.show();
  QImage bild(700, 350, QImage::Format_RGB32);
  const QList<double> hoehen(n, 3.0);
  int lauf = 0;
  for (auto _ : state) {
    ansicht.BalkenSetzen(Klassen(n, ++lauf % 2), hoehen);
    Zeichnen(ansicht, bild);
  }
}
BENCHMARK(BM_HistogrammNeueKlassen)->Arg(40)->Arg(60)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
  FormatierungInitialisieren();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
