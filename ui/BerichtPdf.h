// "Bericht als PDF…": the evaluation laid out for an appraisal file, on A4 pages.
//
//   Page 1: title and date; the inputs with their units (%, Jahre, €) and the class percentages;
//     the result in words (the central 80 % and 90 % ranges, the price thresholds the valuer
//     entered); the exact figures with the sample beside them and the combinations that cannot be
//     computed; the last run with its nine figures and the precision of its sample.
//   Page 2: sensitivity: the tornado figures and the variance shares in one table, the tornado and
//     the Sobol bars side by side, the exact distribution function (with the sample's over it).
//   Page 3, only with a current run: the run's histogram and cumulative curve, drawn by the same
//     chart views and the same path from the result to the chart (LaufDiagramme.h) as in the main
//     window, with units on their axes.
//   Last page, after a comparison with a scenario ("Vergleichen mit Szenario…"): variant B's inputs,
//     the figures of both variants with their differences, P(VKW_B > VKW_A) and both curves; variant
//     A is the inputs of page 1.
// A block that does not fit starts the next page; every page carries the date and "Seite n von N".
//
// The run's part appears only when its sample belongs to the bounds and percentages on the page
// (StichprobenStand::Vergleichbar); otherwise the page says why it is missing, so that a report
// never shows figures of other inputs under these ones, and no page of empty charts follows.
//
// The report shows two medians of one run and names each: the main window's "Median:", the middle
// of the sorted list of distinct result lines (every value once), as "Median der verschiedenen
// Werte", and the sample's median beside the exact one, the middle of all stored trials.
#pragma once

#include <QByteArray>
#include <QDateTime>

#include "Auswertung.h"
#include "Vergleich.h"

namespace kwt {

// The PDF file's bytes; vergleich: the comparison to add, or none. Throws Fehler when the pages
// cannot be drawn.
QByteArray BerichtPdf(const Auswertung &auswertung, const Laufergebnis &lauf, const QDateTime &zeitpunkt,
                      const Vergleichsauswertung *vergleich = nullptr);

} // namespace kwt
