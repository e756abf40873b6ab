// The distribution editor: one parameter's ten class midpoints and percentages, the sum of the
// percentages, and the percentages as a bar chart.
//
// The main window's "Verteilung" buttons prepare the class tables from the current bounds and then
// call VerteilungBearbeiten with the parameter's display name and its table. The dialog works on a
// copy (Arbeitskopie) that every change of a percentage refreshes from the twenty fields, together
// with the sum, its colour, the OK button and the chart. Only OK writes anything back, and then only
// the ten percentages: the table's midpoints and cumulative fractions stay as the preparation left
// them until the next preparation.
//
// OK is enabled only when the percentages add up to exactly 100, summed in the program's extended
// precision and rounding mode, the same way the run accumulates its cumulative fractions: a table
// that passes here always reaches the last class in the run. A negative percentage is no probability:
// its field turns red like an invalid one, and OK stays disabled.
//
// "Form…" opens the shape part (FormTeil.h) below the table: a shape and its numbers give the bounds
// and percentages at once, with the midpoints of the new bounds. OK then also hands the bounds back to
// the main window's fields, and the shape to the model, which keeps it beside the table until the
// percentages are typed by hand or a preset replaces them.
#pragma once

#include <QDialog>

#include <array>
#include <optional>

#include "Formen.h"
#include "Parameter.h"

class QPushButton;

namespace kwt {

class TDiagrammAnsicht;
class TFormTeil;
class TZahlFeld;

// The parameter's bounds as the main window's fields hold them and the shape its table came from.
// After OK: the bounds the editor ends with (GrenzenGeaendert when a shape set them) and the shape
// that made the percentages, or none when they were typed or came from a preset.
struct TGrenzenUndForm {
  Extended Min = 0;
  Extended Max = 0;
  std::optional<FormAngabe> Form;
  bool GrenzenGeaendert = false;
};

class TDlgVerteilung : public QDialog {
  Q_OBJECT

public:
  explicit TDlgVerteilung(QWidget *eltern = nullptr);

  // Steps before the dialog is shown: chart title and caption from the display name, the twenty
  // fields and the working copy from the table, the bounds and shape for "Form…", then one
  // EW1Change. Throws what EW1Change throws.
  void Laden(const QString &name, const TParamVerteilung &tabelle, const TGrenzenUndForm &rahmen);
  // After OK: the ten percentage fields into the table (a field without a valid number gives 0).
  void ProzenteZurueckschreiben(TParamVerteilung &tabelle) const;
  // After OK: the bounds and the shape as the editor ends with them.
  TGrenzenUndForm Rahmen() const;

  const TParamVerteilung &Arbeitskopie() const { return arbeitskopie_; }
  TZahlFeld *E(int klasse) const { return e_[static_cast<std::size_t>(klasse)]; }   // 0-based
  TZahlFeld *EW(int klasse) const { return ew_[static_cast<std::size_t>(klasse)]; } // 0-based
  TZahlFeld *ESumme() const { return eSumme_; }
  TDiagrammAnsicht *ChartV() const { return chartV_; }
  TFormTeil *FormTeil() const { return formTeil_; }

public slots:
  // Recomputes the sum, its colour, the OK button, the working copy and the chart from the fields.
  // May throw a GleitkommaFehler (an overflowing sum); the fields' change signal goes through
  // FeldGeaendert, which reports it instead.
  void EW1Change();
  void BtnOKClick() { accept(); }
  void BtnAbbrechenClick() { reject(); }
  void BtnLinksClick();
  void BtnNormalClick();
  void BtnRechtsClick();
  void BtnGleichClick();
  void BtnEinpunktClick();
  // Shows or hides the shape part; shown, it takes the table's shape or the chosen one's defaults.
  void BtnFormClick(bool an);
  void PopDruckenClick();
  void Zwischenablage1Click();
  void ZwischenablageBitmap1Click();

private:
  void Aufbauen();
  QWidget *Tabelle();
  void ZeileEinsetzen(const Klassenwerte &zeile);
  void FeldGeaendert();
  void FormBerechnet(const FormAngabe &angabe, const FormErgebnis &ergebnis);
  void OkPruefen();

  std::array<TZahlFeld *, KlassenAnzahlVerteilung> e_{};
  std::array<TZahlFeld *, KlassenAnzahlVerteilung> ew_{};
  TZahlFeld *eSumme_ = nullptr;
  TDiagrammAnsicht *chartV_ = nullptr;
  QPushButton *btnOK_ = nullptr;
  QPushButton *btnAbbrechen_ = nullptr;
  QPushButton *btnForm_ = nullptr;
  TFormTeil *formTeil_ = nullptr;
  TParamVerteilung arbeitskopie_;
  TGrenzenUndForm rahmen_;
  bool summeGut_ = false;
};

// Opens the editor modally on one parameter's table and, on OK, writes the ten percentages back and
// the bounds and shape into `rahmen`; returns whether the user confirmed. The dialog is destroyed
// when it closes, also when an error interrupts it.
bool VerteilungBearbeiten(QWidget *eltern, const QString &name, TParamVerteilung &tabelle, TGrenzenUndForm &rahmen);

} // namespace kwt
