// The remaining life after modernisation (Restnutzungsdauer.h, ImmoWertV 2021 Anlage 2), reached
// from the RND row of the main window: total life, age and the range of modernisation points the
// valuer thinks plausible (typed, or taken from a modernisation degree of Tabelle 2) give the lowest
// and highest remaining life, which OK writes into the RND bounds. A table lists the remaining life
// for every point total of the range. The dialog states how it treats an age beyond the total life.
#pragma once

#include <QDialog>

#include <optional>

#include "Restnutzungsdauer.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kwt {

class TZahlFeld;

class TDlgRestnutzungsdauer : public QDialog {
  Q_OBJECT

public:
  explicit TDlgRestnutzungsdauer(QWidget *eltern = nullptr);

  // Fills the fields and computes.
  void Laden(const RndModellEingabe &eingabe);
  // What the fields hold (a field without a valid number gives 0) and the bounds they give, if valid.
  RndModellEingabe Eingabe() const;
  const std::optional<RndModellErgebnis> &Ergebnis() const { return ergebnis_; }

  TZahlFeld *EGnd() const { return eGnd_; }
  TZahlFeld *EAlter() const { return eAlter_; }
  TZahlFeld *EPunkteVon() const { return ePunkteVon_; }
  TZahlFeld *EPunkteBis() const { return ePunkteBis_; }
  QComboBox *EGrad() const { return eGrad_; }
  QTableWidget *TabellePunkte() const { return tabelle_; }
  QLabel *LErgebnis() const { return lErgebnis_; }
  QLabel *LMeldung() const { return lMeldung_; }

private:
  void Berechnen();
  void GradGewaehlt(int index);
  void GradAnzeigen();
  void TabelleFuellen(const RndModellEingabe &e);

  TZahlFeld *eGnd_ = nullptr;
  TZahlFeld *eAlter_ = nullptr;
  TZahlFeld *ePunkteVon_ = nullptr;
  TZahlFeld *ePunkteBis_ = nullptr;
  QComboBox *eGrad_ = nullptr;
  QTableWidget *tabelle_ = nullptr;
  QLabel *lErgebnis_ = nullptr;
  QLabel *lMeldung_ = nullptr;
  QLabel *lAlterHinweis_ = nullptr;
  QPushButton *btnOK_ = nullptr;
  std::optional<RndModellErgebnis> ergebnis_;
};

// Opens the dialog modally with `eingabe`; on OK returns the bounds and keeps the entries in
// `eingabe` for the next opening.
std::optional<RndModellErgebnis> RestnutzungsdauerBestimmen(QWidget *eltern, RndModellEingabe &eingabe);

} // namespace kwt
