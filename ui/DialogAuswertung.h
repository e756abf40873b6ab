// The dialog "Exakte Verteilung…" of the menu "&Auswertung": the exact figures of the market value
// beside the last run's sample, the combinations that cannot be computed, the exact distribution
// function with the sample's over it, and the tornado of the five parameters.
//
// The dialog only shows an Auswertung (Auswertung.h) that the main window computed when it was
// opened; it changes nothing. Its two charts print and copy like the main window's: right-click
// menu with "Drucken" (the main window's print dialog first, then the current printer),
// "Zwischenablage (Metafile)" and "Zwischenablage (Bitmap)". Each chart has a legend, as it shows
// two things that must be told apart.
#pragma once

#include <QDialog>

#include "Auswertung.h"
#include "DiagrammAnsicht.h"

class QLabel;
class QTableWidget;

namespace kwt {

class TDlgAuswertung : public QDialog {
  Q_OBJECT

public:
  explicit TDlgAuswertung(const Auswertung &auswertung, QWidget *eltern = nullptr);

  // The question before "Drucken" prints, for both charts.
  void setDruckAbfrage(const TDiagrammAnsicht::TDruckAbfrage &abfrage);

  TDiagrammAnsicht *ChartVerteilung() const { return chartVerteilung_; }
  TDiagrammAnsicht *ChartTornado() const { return chartTornado_; }

private:
  QWidget *KennzahlenTeil(const Auswertung &a);
  QWidget *TornadoTeil(const Auswertung &a);
  void DiagrammeFuellen(const Auswertung &a);

  TDiagrammAnsicht *chartVerteilung_ = nullptr;
  TDiagrammAnsicht *chartTornado_ = nullptr;
};

} // namespace kwt
