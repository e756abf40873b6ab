// The window of "Vergleichen mit Szenario…" (menu "&Auswertung"): two variants side by side, the
// current inputs as A and a scenario file as B. Left the figures of both exact distributions with
// their differences, P(VKW_B > VKW_A) with the share of ties and how ties count, and the price
// thresholds of the evaluation for both; right both distribution functions in one chart, which
// prints and copies like every chart of the program (right-click menu).
//
// It shows a Vergleichsauswertung (Vergleich.h) that the main window computed; it changes nothing.
#pragma once

#include <QDialog>

#include "DiagrammAnsicht.h"
#include "Vergleich.h"

namespace kwt {

class TDlgVergleich : public QDialog {
  Q_OBJECT

public:
  explicit TDlgVergleich(const Vergleichsauswertung &vergleich, QWidget *eltern = nullptr);

  void setDruckAbfrage(const TDiagrammAnsicht::TDruckAbfrage &abfrage) { chart_->setDruckAbfrage(abfrage); }
  TDiagrammAnsicht *ChartVergleich() const { return chart_; }

private:
  QWidget *ZahlenTeil(const Vergleichsauswertung &v);

  TDiagrammAnsicht *chart_ = nullptr;
};

// Both variants' distribution functions into a view of the kind Linien: A in red, B in blue.
void VergleichsDiagrammFuellen(TDiagrammAnsicht &ansicht, const Vergleichsauswertung &v);

} // namespace kwt
