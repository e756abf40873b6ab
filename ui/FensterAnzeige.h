// The main window's side of a run: what LaufAnzeige asks to show goes to the window's counter,
// progress bar, nine labels, histogram and curve, and the clipboard.
//
// It keeps the latest trial count, progress and histogram, and brings them to the screen at most once
// per frame (about 16 ms) while a run goes: every refresh shows the state after the latest trial, and
// Abschliessen draws the final state. Fortschritt is where the window processes its pending messages,
// so where "Stop", Esc and the other commands act during a run.
#pragma once

#include <QElapsedTimer>

#include <array>
#include <cstdint>

#include "Kennzahlen.h"
#include "LaufAnzeige.h"

class QCheckBox;
class QLabel;
class QProgressBar;

namespace kwt {

class TDiagrammAnsicht;

// The widgets a run shows itself in.
struct TLaufWidgets {
  QLabel *Zaehler = nullptr;                  // LCount
  QProgressBar *Fortschritt = nullptr;        // Progress
  std::array<QLabel *, Kennzahlen.size()> Werte{};     // the nine figures, in Kennzahl order
  QCheckBox *Kontinuierlich = nullptr;        // cbHistogramm
  TDiagrammAnsicht *Histogramm = nullptr;     // Chart2
  TDiagrammAnsicht *Kurve = nullptr;          // ChartRH
};

class TFensterAnzeige : public LaufAnzeige {
public:
  explicit TFensterAnzeige(const TLaufWidgets &widgets) : w_(widgets) {}

  // A run starts: from now on the screen follows it at most once per frame.
  void Beginnen();
  // The run has ended: the final state is drawn at once.
  void Abschliessen();

  void VersuchZeigen(std::int32_t versuch) override;
  void Fortschritt(int prozent) override;
  void KennzahlZeigen(Kennzahl k, const std::string &text) override;
  bool HistogrammKontinuierlich() const override;
  void HistogrammLeeren() override;
  void HistogrammZeichnen(const Histogramm &h) override;
  void KurveZeichnen(const RHKurve &kurve) override;
  void Zwischenablage(const std::string &text) override;
  // The fast run reports about twice per screen frame: the window processes its messages then (so
  // "Stop" ends a run within a few milliseconds), and what it does there acts from the next trial on,
  // as if it had been handled in that very trial.
  Meldetakt MeldetaktWaehlen() const override;

private:
  static constexpr qint64 Bildabstand = 16;

  bool Faellig() const { return uhr_.elapsed() - letzteZeichnung_ >= Bildabstand; }
  void Zeichnen();

  TLaufWidgets w_;
  bool laeuft_ = false;
  QElapsedTimer uhr_;
  qint64 letzteZeichnung_ = 0;
  std::int32_t versuch_ = 0;
  int prozent_ = 0;
  bool versuchOffen_ = false, prozentOffen_ = false;
  const Histogramm *histogramm_ = nullptr;
};

} // namespace kwt
