// What a run hands back: everything the window's labels and charts, the PDF report, the CSV export,
// the evaluation and kwt-mc read of a run, in one value that no widget writes.
//
// A run fills its result as it goes, and a display sees it grow at every report (LaufAnzeige.h says
// what it may rely on then); when the run returns, the result is that of the run. The result also
// tells whether and at which step the run failed. A failed run leaves exactly what it had done up to
// the failing step, as the valuer then sees it: the trials completed are stored and listed (in trial
// order, unsorted), the labels it did not reach keep the previous run's figures, a failure before
// the histogram was prepared leaves the previous run's histogram. So Anzeigen holds the display
// strings as the labels show them, Kennwerte only the numbers this run computed.
//
// Sizes stay bounded for runs of any length: the stored values and the lines in trial order are kept
// for the first WerteSpeicher trials; the counts, the distinct lines and the mean take every trial.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Ergebnisliste.h"
#include "Histogramm.h"
#include "Kennzahlen.h"
#include "Parameter.h"

namespace kwt {

// The step of a run that raised its error (the steps of Simulationslauf.h).
enum class Laufabbruch {
  Keiner,
  Vorbereitung, // steps 1 to 8: class tables, VkwMin, VkwMax, VkwGewichtet, histogram classes
  Versuch,      // step 9: a trial's market value, its stored value or its histogram class
  Sortieren,    // steps 11 and 12: the sorted list and the clipboard
  Mittelwert,   // step 13: the mean (no trial completed: 0 / 0)
  Median,       // step 14: the middle line is not a number
  Differenzen,  // step 15: a mean or a weighted value of 0
  Auffrischen,  // step 16: the final bars and curve
};

struct Laufergebnis {
  // The stored values of this many trials are kept in trial order.
  static constexpr std::int32_t WerteSpeicher = 100000;

  std::int32_t AnzahlVersuche = 0; // trials asked for
  std::int32_t AktVersuch = 0;     // trials completed

  // The lowest, highest and weighted market value, as the run computed them at its start.
  Extended VkwMin = 0;
  Extended VkwMax = 0;
  Extended VkwGewichtet = 0;

  // The stored value of trial k (its market value rounded up to a whole number) at index k - 1, for
  // the first WerteSpeicher trials; entries beyond AktVersuch are 0.
  std::vector<double> Werte = std::vector<double>(static_cast<std::size_t>(WerteSpeicher), 0.0);
  // During the run the lines in trial order, afterwards the sorted distinct lines.
  Ergebnisliste Liste;
  Histogramm Histo;
  // The cumulative curve of Histo as last built (the run's final refresh, "Aktualisieren"); empty from
  // the preparation of the histogram until then.
  RHKurve Kurve;

  // The nine figures as the labels show them ("0" before the first run).
  std::array<std::string, Kennzahlen.size()> Anzeigen = AnfangsAnzeigen();
  // The figures this run computed, as numbers; empty for those it did not reach.
  std::array<std::optional<Extended>, Kennzahlen.size()> Kennwerte{};

  Laufabbruch Abbruch = Laufabbruch::Keiner;
  std::string Fehlermeldung; // the German message when Abbruch is not Keiner

  // The class tables the trials drew from, when the run ended without an error (also when stopped):
  // the tables as they stood at its end, so after a distribution editor opened during the run the
  // ones its last trials drew from.
  std::optional<Verteilungstabellen> Tabellen;

  bool Fehlgeschlagen() const { return Abbruch != Laufabbruch::Keiner; }
  // Ended by "Stop", Esc or closing the window before its last trial.
  bool Angehalten() const { return !Fehlgeschlagen() && AktVersuch < AnzahlVersuche; }
  // The stored values of the completed trials (the first WerteSpeicher of a larger run).
  std::span<const double> GespeicherteWerte() const;
  const std::string &Anzeige(Kennzahl k) const { return Anzeigen[static_cast<std::size_t>(k)]; }
  const std::optional<Extended> &Kennwert(Kennzahl k) const { return Kennwerte[static_cast<std::size_t>(k)]; }

  static std::array<std::string, Kennzahlen.size()> AnfangsAnzeigen();
};

} // namespace kwt
