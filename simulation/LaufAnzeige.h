// What a run shows, and where: the window, the command line or a test double implement this.
//
// The run calls it in the order of its steps. Fortschritt comes once per trial, right after the
// trial's count has been shown, and is where the window processes its pending messages (so where
// "Stop", Esc and every other command of the window run in the middle of a run).
#pragma once

#include <cstdint>
#include <string>

#include "Histogramm.h"
#include "Kennzahlen.h"

namespace kwt {

class LaufAnzeige {
public:
  virtual ~LaufAnzeige() = default;

  // The trial counter LCount, in plain decimal digits.
  virtual void VersuchZeigen(std::int32_t versuch) = 0;
  // Progress position 0..100, then processing of pending messages.
  virtual void Fortschritt(int prozent) = 0;
  virtual void KennzahlZeigen(Kennzahl kennzahl, const std::string &text) = 0;
  // The check box "Histogramm kontinuierlich": rebuild the bars after every trial.
  virtual bool HistogrammKontinuierlich() const = 0;
  // The preparation removes all bars.
  virtual void HistogrammLeeren() = 0;
  // Rebuild of the bar view from the current counts, repainted at once.
  virtual void HistogrammZeichnen(const Histogramm &histogramm) = 0;
  virtual void KurveZeichnen(const RHKurve &kurve) = 0;
  virtual void Zwischenablage(const std::string &text) = 0;
};

} // namespace kwt
