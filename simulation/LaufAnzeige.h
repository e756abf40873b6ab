// What a run shows, and where: the window, the command line or a test double implement this.
//
// A report at trial k is this sequence of calls: VersuchZeigen(k), Fortschritt(p), then — after the
// run has counted trial k into the histogram — HistogrammZeichnen when "Histogramm kontinuierlich" is
// ticked. Fortschritt is where the window processes its pending messages, so where "Stop", Esc and
// every other command of the window run in the middle of a run.
//
// The trial-by-trial run (Simulationslauf::Berechnen) reports at every trial.
//
// The fast run (Simulationslauf::SchnellBerechnen) reports only at some trials and makes no call at
// all in between. It reports
//   - at the latest after MeldetaktWaehlen().Versuche trials and, when Millisekunden is above 0, about
//     that often in time (it measures its own speed and sizes its blocks of trials to match; the first
//     report then comes at trial 1 and the blocks grow from there);
//   - at the last trial of the run;
//   - at the trial before one whose market value cannot be computed (the run then ends with that
//     error, unless the report stopped the run or changed the class tables);
//   - at a trial whose value the histogram cannot count (the run ends with that error after the report).
// During a report at trial k everything the display can see is exactly as in the trial-by-trial run at
// trial k: in the run's result (Simulationslauf::Ergebnis()) AktVersuch = k, the stored values of
// trials 1..k, the histogram counts and the result lines (in trial order) of trials 1..k-1; in the
// model Stichprobe holding trial k's drawn values and the generator after trial k. What the display
// does there acts from trial k + 1 on, as in the trial-by-trial run: Stoppen() ends the run after
// trial k, Auffrischen() draws the counts so far, the result list can be copied, and class tables
// prepared anew (the distribution editor) are drawn from from trial k + 1 on. So a fast run in which the display does something at trial k ends with results identical,
// byte for byte, to the trial-by-trial run in which the same is done at trial k. With the default
// Meldetakt (every trial) the fast run makes exactly the trial-by-trial run's calls.
//
// What the fast run does not show between reports: the bars are redrawn once per report, not after
// every trial; and a trial whose value is exactly -1, which the histogram takes as a refresh request,
// refreshes bars and curve only when it is the trial of a report.
//
// From within a report the display must not start another run (neither kind).
#pragma once

#include <cstdint>
#include <string>

#include "Histogramm.h"
#include "Kennzahlen.h"

namespace kwt {

// How often a fast run reports.
struct Meldetakt {
  // At most this many trials from one report to the next (at least 1).
  std::int32_t Versuche = 1;
  // Above 0: also report about this often, in milliseconds. 0: only by the number of trials.
  std::int32_t Millisekunden = 0;
};

class LaufAnzeige {
public:
  virtual ~LaufAnzeige() = default;

  // The trial counter LCount, in plain decimal digits.
  virtual void VersuchZeigen(std::int32_t versuch) = 0;
  // Progress position 0..100, then processing of pending messages.
  virtual void Fortschritt(int prozent) = 0;
  virtual void KennzahlZeigen(Kennzahl kennzahl, const std::string &text) = 0;
  // The check box "Histogramm kontinuierlich": rebuild the bars at every report.
  virtual bool HistogrammKontinuierlich() const = 0;
  // The preparation removes all bars.
  virtual void HistogrammLeeren() = 0;
  // Rebuild of the bar view from the current counts, repainted at once.
  virtual void HistogrammZeichnen(const Histogramm &histogramm) = 0;
  virtual void KurveZeichnen(const RHKurve &kurve) = 0;
  virtual void Zwischenablage(const std::string &text) = 0;
  // Asked once at the start of a fast run. The default reports every trial, as the trial-by-trial run;
  // a window wants {max, 10 to 20}: messages processed every few milliseconds whatever the speed.
  virtual Meldetakt MeldetaktWaehlen() const { return {}; }
};

// A display that shows nothing: for batch runs, benchmarks and tests, which override what they need.
class StilleAnzeige : public LaufAnzeige {
public:
  StilleAnzeige() = default;
  explicit StilleAnzeige(Meldetakt takt) : takt_(takt) {}
  void VersuchZeigen(std::int32_t) override {}
  void Fortschritt(int) override {}
  void KennzahlZeigen(Kennzahl, const std::string &) override {}
  bool HistogrammKontinuierlich() const override { return false; }
  void HistogrammLeeren() override {}
  void HistogrammZeichnen(const Histogramm &) override {}
  void KurveZeichnen(const RHKurve &) override {}
  void Zwischenablage(const std::string &) override {}
  Meldetakt MeldetaktWaehlen() const override { return takt_; }

private:
  Meldetakt takt_{};
};

} // namespace kwt
