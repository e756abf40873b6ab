// "Bericht als PDF…": one A4 page for the appraisal file.
//
// Top to bottom: title and date; the ten bounds and the five percentage rows the evaluation was
// computed from; the last run with its nine figures as the main window shows them; the exact figures
// beside the sample, the combinations that cannot be computed and the tornado figures; the run's
// histogram and cumulative curve, drawn by the same chart views and the same path from the result
// to the chart (LaufDiagramme.h) as in the main window.
//
// The run's part (figures and charts) appears only when its sample belongs to the bounds and
// percentages on the page (StichprobenStand::Vergleichbar); otherwise the page says why it is missing,
// so that a report never shows figures of other inputs under these ones.
#pragma once

#include <QByteArray>
#include <QDateTime>

#include "Auswertung.h"

namespace kwt {

// The PDF file's bytes. Throws Fehler when the page cannot be drawn.
QByteArray BerichtPdf(const Auswertung &auswertung, const Laufergebnis &lauf, const QDateTime &zeitpunkt);

} // namespace kwt
