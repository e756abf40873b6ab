// One simulation run ("Berechnen") and its result.
//
// How data flows through the program: bounds and percentages (the window's fields, kwt-mc's options,
// a scenario file) -> class tables (Bewertungsmodell::VerteilungenVorbereiten) -> five random class
// draws per trial (KlasseZiehen) -> market value (Ertragswert) -> result store, sorted lines,
// histogram and curve, the nine figures (Laufergebnis) -> labels and charts (ui/), the report, the CSV
// file, kwt-mc's output.
//
// The pieces a run wires together: the model draws (generator), Ertragswert prices a trial, the
// result accumulates; the run knows no widget and talks to whoever shows it only through LaufAnzeige.
//
// A run, step by step: 1 to 4 it prepares the class tables from the bounds, takes the number of
// trials, empties the list and clears a pending stop; 5 to 8 it computes the lowest, highest and
// weighted values, prepares the histogram, shows the first four figures and clears the store; 9 for
// each trial it draws five class values (in the order LZ, RND, RO, BO, BWK), computes the market
// value, stores it rounded up to a whole number, reports progress (where the window handles its
// messages), counts the value into the histogram and appends its line; 11 to 16 it sorts the lines,
// puts them on the clipboard, shows mean, median and the three relative differences, and refreshes
// histogram and curve.
//
// An error ends the run at the failing step; the run catches it there and records it in its result
// (Laufergebnis::Abbruch, Fehlermeldung), keeping everything done before, as the user then sees it.
//
// Two ways to run, with identical results: Berechnen goes trial by trial and reports every trial,
// as the valuer's program always did; SchnellBerechnen computes each combination of drawn classes
// once, draws with integer comparisons, splits the trials over threads and reports only every few
// milliseconds (LaufAnzeige.h says exactly when, and what the display sees then).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "Bewertungsmodell.h"
#include "LaufAnzeige.h"
#include "Laufergebnis.h"

namespace kwt {

namespace schnell {
class Vorrat;
}

// What acts on a run from outside while it goes: "Stop", Esc and closing the window ask it to end
// after the current trial; the window asks whether one is going. The run discards a stop requested
// before its step 4.
class Laufsteuerung {
public:
  void Stoppen() { stop_ = true; }
  void StopVerwerfen() { stop_ = false; }
  bool StopVerlangt() const { return stop_; }
  bool Laeuft() const { return laeuft_; }
  void LaufBeginnt() { laeuft_ = true; }
  void LaufEndet() { laeuft_ = false; }

private:
  bool stop_ = false;
  bool laeuft_ = false;
};

class Simulationslauf {
public:
  explicit Simulationslauf(Bewertungsmodell &modell);
  ~Simulationslauf();
  Simulationslauf(const Simulationslauf &) = delete;
  Simulationslauf &operator=(const Simulationslauf &) = delete;

  // The run. min and max are the ten bounds as the fields hold them, anzahlVersuche the trial field.
  // Returns the result, which also says whether and where the run failed.
  const Laufergebnis &Berechnen(const Parameterwerte &min, const Parameterwerte &max, std::int32_t anzahlVersuche,
                                LaufAnzeige &anzeige);

  struct SchnellOptionen {
    int Threads = 0;                     // 0: one per core
    std::int32_t Paketgroesse = 1 << 16; // trials a thread takes at a time
    const char *Kern = nullptr;          // "avx512", "avx2", "standard"; nullptr: the fastest the processor runs
  };
  // The number of threads a fast run with these options uses.
  static int ThreadsFuer(const SchnellOptionen &optionen);
  // The same run at the speed of the machine. Reports as anzeige.MeldetaktWaehlen() asks.
  const Laufergebnis &SchnellBerechnen(const Parameterwerte &min, const Parameterwerte &max,
                                       std::int32_t anzahlVersuche, LaufAnzeige &anzeige, SchnellOptionen optionen);
  const Laufergebnis &SchnellBerechnen(const Parameterwerte &min, const Parameterwerte &max,
                                       std::int32_t anzahlVersuche, LaufAnzeige &anzeige) {
    return SchnellBerechnen(min, max, anzahlVersuche, anzeige, SchnellOptionen{});
  }

  // The result of the current or the last run; during a run, what it has done so far.
  const Laufergebnis &Ergebnis() const { return ergebnis_; }

  // "Stop" and Esc: the run ends after the trial in which this was called.
  void Stoppen() { steuerung_.Stoppen(); }
  bool Laeuft() const { return steuerung_.Laeuft(); }
  // As the main window is created: both counters 0 and no stop pending.
  void ZaehlerZuruecksetzen();

  // "Aktualisieren": HistogrammZaehlen(-1), the bars and the curve drawn from the counts so far.
  void Auffrischen(LaufAnzeige &anzeige);

  // Progress position: the share of completed trials in percent, a started percent counting in full.
  static int FortschrittProzent(std::int32_t aktVersuch, std::int32_t anzahlVersuche);

private:
  // The run's frame: steps 1 to 8, then versuche (step 9, returning the sum of the stored values of
  // the completed trials), then steps 11 to 16; an error is recorded with the step it came from.
  const Laufergebnis &Ausfuehren(const Parameterwerte &min, const Parameterwerte &max, std::int32_t anzahlVersuche,
                                 LaufAnzeige &anzeige, const std::function<Extended()> &versuche);
  void Vorbereiten(const Parameterwerte &min, const Parameterwerte &max, std::int32_t anzahlVersuche,
                   LaufAnzeige &anzeige);
  Extended VersuchFuerVersuch(LaufAnzeige &anzeige);
  void Abschliessen(Extended summe, LaufAnzeige &anzeige);
  void KennzahlSetzen(LaufAnzeige &anzeige, Kennzahl k, Extended wert);

  Bewertungsmodell &modell_;
  Laufergebnis ergebnis_;
  Laufsteuerung steuerung_;
  Laufabbruch schritt_ = Laufabbruch::Keiner; // the step going on
  std::unique_ptr<schnell::Vorrat> vorrat_;   // the fast run's memory, kept for the next run
};

// HistogrammZaehlen of a run: counts one market value into the result's histogram (redrawing the bars
// when "Histogramm kontinuierlich" is ticked), or with -1 refreshes bars and curve from the counts.
void HistogrammZaehlen(Laufergebnis &ergebnis, Extended wert, LaufAnzeige &anzeige);

} // namespace kwt
