// The dialog "Exakte Verteilung…" of the menu "&Auswertung", on two pages:
//   "Verteilung": the exact figures of the market value beside the last run's sample, the central
//     80 % and 90 % ranges as sentences for the appraisal, the price thresholds the valuer enters
//     (purchase price, loan), the precision of the sample, the combinations that cannot be computed,
//     and the exact distribution function with the sample's over it;
//   "Empfindlichkeit": the tornado of the five parameters and beside it their variance shares
//     (first-order and total Sobol indices) as a table and as bars, with one line saying what the
//     two numbers mean.
//
// The dialog shows an Auswertung (Auswertung.h) that the main window computed when it was opened;
// it changes nothing of the model. The thresholds are the dialog's only input: an amount typed into
// the field and added with Enter or "Hinzufügen" gets its row at once; the main window keeps the
// amounts for the next opening and for the report. The three charts print and copy like the main
// window's: right-click menu with "Drucken" (the main window's print dialog first, then the current
// printer), "Zwischenablage (Metafile)" and "Zwischenablage (Bitmap)". Each chart has a legend, as it
// shows two things that must be told apart.
#pragma once

#include <QDialog>

#include <vector>

#include "Auswertung.h"
#include "DiagrammAnsicht.h"

class QPushButton;
class QTableWidget;
class QTabWidget;

namespace kwt {

class TZahlFeld;

class TDlgAuswertung : public QDialog {
  Q_OBJECT

public:
  explicit TDlgAuswertung(Auswertung auswertung, QWidget *eltern = nullptr);

  // The question before "Drucken" prints, for all charts.
  void setDruckAbfrage(const TDiagrammAnsicht::TDruckAbfrage &abfrage);

  TDiagrammAnsicht *ChartVerteilung() const { return chartVerteilung_; }
  TDiagrammAnsicht *ChartTornado() const { return chartTornado_; }
  TDiagrammAnsicht *ChartSobol() const { return chartSobol_; }
  QTabWidget *Seiten() const { return seiten_; }

  // The amounts of the thresholds table, in their order.
  std::vector<Extended> Schwellenbetraege() const;

public slots:
  // The amount in the field becomes a row (an amount already listed is not listed twice); an empty
  // or invalid field changes nothing.
  void BtnSchwelleHinzufuegenClick();
  // Removes the selected rows.
  void BtnSchwelleEntfernenClick();

protected:
  // Enter in the amount field adds it instead of closing the dialog.
  void keyPressEvent(QKeyEvent *taste) override;

private:
  QWidget *VerteilungSeite();
  QWidget *EmpfindlichkeitSeite();
  QWidget *KennzahlenTeil(QWidget *eltern);
  QWidget *SchwellenTeil(QWidget *eltern);
  QWidget *GenauigkeitTeil(QWidget *eltern);
  QWidget *TornadoTeil(QWidget *eltern);
  QWidget *SobolTeil(QWidget *eltern);
  void DiagrammeFuellen();
  void SchwellenZeigen();

  Auswertung a_;
  QTabWidget *seiten_ = nullptr;
  TDiagrammAnsicht *chartVerteilung_ = nullptr;
  TDiagrammAnsicht *chartTornado_ = nullptr;
  TDiagrammAnsicht *chartSobol_ = nullptr;
  TZahlFeld *eSchwelle_ = nullptr;
  QTableWidget *tabSchwellen_ = nullptr;
};

// The exact distribution function and the sample's over it, the tornado and the variance shares, into
// views of the kinds Linien, Tornado and Anteile: for the dialog and the report alike.
void VerteilungsDiagrammFuellen(TDiagrammAnsicht &ansicht, const Auswertung &a);
void TornadoDiagrammFuellen(TDiagrammAnsicht &ansicht, const Auswertung &a);
void SobolDiagrammFuellen(TDiagrammAnsicht &ansicht, const Auswertung &a);

} // namespace kwt
