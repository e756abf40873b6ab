// One simulation run ("Berechnen") and its results.
//
// A run reads the bounds and the number of trials, prepares the class tables, computes the lowest,
// highest and weighted values, prepares the histogram, then for each trial draws five class values
// (in the order LZ, RND, RO, BO, BWK), computes the market value, stores it rounded up to a whole
// number, shows progress (where the window handles its messages), counts the value into the
// histogram and appends its line. Afterwards it sorts the lines, puts them on the clipboard, shows
// mean, median and the three relative differences, and refreshes histogram and curve.
//
// Nothing in a run catches an error: a GleitkommaFehler ends it at the failing step and everything
// done before stays, as the user then sees it.
//
// Two ways to run, with identical results: Berechnen goes trial by trial and reports every trial,
// as the valuer's program always did; SchnellBerechnen computes each combination of drawn classes
// once, draws with integer comparisons, splits the trials over threads and reports only every few
// milliseconds (LaufAnzeige.h says exactly when, and what the display sees then).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Bewertungsmodell.h"
#include "Ergebnisliste.h"
#include "Histogramm.h"
#include "Kennzahlen.h"
#include "LaufAnzeige.h"

namespace kwt {

namespace schnell {
class Vorrat;
}

class Simulationslauf {
public:
  // The store of single trial values: the first WerteSpeicher trials of a run are kept in trial order.
  // Larger runs count every trial into the mean, the histogram and the sorted lines all the same.
  static constexpr std::int32_t WerteSpeicher = 100000;

  explicit Simulationslauf(Bewertungsmodell &modell);
  ~Simulationslauf();
  Simulationslauf(const Simulationslauf &) = delete;
  Simulationslauf &operator=(const Simulationslauf &) = delete;

  // The run. min and max are the ten bounds as the fields hold them, anzahlVersuche the trial field.
  void Berechnen(const Parameterwerte &min, const Parameterwerte &max, std::int32_t anzahlVersuche,
                 LaufAnzeige &anzeige);

  struct SchnellOptionen {
    int Threads = 0;                     // 0: one per core
    std::int32_t Paketgroesse = 1 << 16; // trials a thread takes at a time
    const char *Kern = nullptr;          // "avx512", "avx2", "standard"; nullptr: the fastest the processor runs
  };
  // The number of threads a fast run with these options uses.
  static int ThreadsFuer(const SchnellOptionen &optionen);
  // The same run at the speed of the machine. Reports as anzeige.MeldetaktWaehlen() asks.
  void SchnellBerechnen(const Parameterwerte &min, const Parameterwerte &max, std::int32_t anzahlVersuche,
                        LaufAnzeige &anzeige, SchnellOptionen optionen);
  void SchnellBerechnen(const Parameterwerte &min, const Parameterwerte &max, std::int32_t anzahlVersuche,
                        LaufAnzeige &anzeige) {
    SchnellBerechnen(min, max, anzahlVersuche, anzeige, SchnellOptionen{});
  }

  // "Stop" and Esc: the run ends after the trial in which this was called.
  void Stoppen() { StopFlag = true; }
  bool Laeuft() const { return laeuft_; }

  // Counts one market value, or with -1 refreshes the bars and the curve ("Aktualisieren").
  void HistogrammZaehlen(Extended wert, LaufAnzeige &anzeige);

  // Progress position: the share of completed trials in percent, a started percent counting in full.
  static int FortschrittProzent(std::int32_t aktVersuch, std::int32_t anzahlVersuche);

  std::int32_t AnzahlVersuche = 0;
  std::int32_t AktVersuch = 0;
  bool StopFlag = false;
  std::vector<double> Werte;
  Ergebnisliste Liste;
  Histogramm Histo;
  // The display strings of the nine figures as last shown ("0" before the first run).
  std::array<std::string, Kennzahlen.size()> Anzeigen;

private:
  friend class Schnelllauf;

  void KennzahlSetzen(LaufAnzeige &anzeige, Kennzahl k, Extended wert);
  // Steps 1 to 8: tables, counters, list, stop flag, the three values, histogram, the first labels.
  void Vorbereiten(const Parameterwerte &min, const Parameterwerte &max, std::int32_t anzahlVersuche,
                   LaufAnzeige &anzeige);
  // Steps 11 to 16, with the sum of the stored values of the completed trials.
  void Abschliessen(Extended summe, LaufAnzeige &anzeige);

  Bewertungsmodell &modell_;
  bool laeuft_ = false;
  std::unique_ptr<schnell::Vorrat> vorrat_; // the fast run's memory, kept for the next run
};

} // namespace kwt
