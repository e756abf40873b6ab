// What "Exakte Verteilung…" and "Bericht als PDF…" show, without any widget.
//
// The exact distribution is that of the tables a run started now would draw from: the ten bounds as
// the fields hold them and the current percentages, prepared by VerteilungenVorbereiten as step 1 of
// a run prepares them (the same as `kwt-mc --exakt` for the same inputs). The preparation works on a
// copy of the model, so opening the evaluation changes nothing the window or a running run uses.
//
// The last run's sample stands beside it only when it was drawn from exactly these tables (the same
// midpoints and cumulative fractions, the only parts a draw reads): after the bounds or the
// percentages have changed, a comparison would measure the change, not the sample. A run that is
// still going, or that ended with an error, has no sample to compare either.
//
// The sample's curve is its own distribution function, the share of stored values not above x, which
// is the curve the Kolmogorov–Smirnov distance measures. The main window's curve is not used: it
// gives at each class centre the share of the classes below, so it lies half a class to the right
// of the values, and over the exact curve that offset would look like an error of the sample.
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

#include "Bewertungsmodell.h"
#include "ExakteAuswertung.h"

namespace kwt {

enum class StichprobenStand {
  Vergleichbar,  // a finished run drawn from the same tables
  KeinLauf,      // no run yet (or none that completed a trial)
  LaufGeht,      // the evaluation was opened during a run
  LaufFehler,    // the last run ended with an error
  AndereTabellen // bounds or percentages changed since the last run
};

struct Auswertung {
  Parameterwerte Min{}, Max{};
  Verteilungstabellen Tabellen{}; // prepared from Min, Max and the percentages
  ExakteVerteilung Exakt;
  StichprobenVergleich Vergleich; // the sample beside the exact figures; Umfang 0 unless Vergleichbar
  StichprobenStand Stand = StichprobenStand::KeinLauf;
  std::string StandText;          // one sentence about the sample, as the dialog and the report show it
  std::string KopfText;           // "12.345 Werte aus 100.000 Klassenkombinationen"
  std::vector<Kurvenpunkt> ExakteKurve;      // X in thousands
  std::vector<Kurvenpunkt> StichprobenKurve; // empty unless Vergleichbar
};

// lauf: the result of the last run (its Tabellen tell what it drew from, when it ended without an
// error); laufGeht: a run is still going. Throws GleitkommaFehler when the tables cannot be prepared
// from the bounds.
Auswertung AuswertungBerechnen(const Bewertungsmodell &modell, const Parameterwerte &min, const Parameterwerte &max,
                               const Laufergebnis &lauf, bool laufGeht);

// True when a draw from a and from b gives the same outcomes: equal midpoints and fractions.
bool GleicheZiehung(const Verteilungstabellen &a, const Verteilungstabellen &b);

// The sample's distribution function in thousands: a staircase while it fits into hoechstens
// points, otherwise the share not above x at hoechstens evenly spaced x from the lowest value to the
// highest (as ExakteVerteilung::Kurve, so both curves are drawn alike).
std::vector<Kurvenpunkt> StichprobenKurve(std::span<const double> werte, std::size_t hoechstens = 2000);

} // namespace kwt
