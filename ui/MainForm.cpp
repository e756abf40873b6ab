#include "MainForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "DialogVerteilung.h"
#include "FensterAnzeige.h"
#include "Programminfo.h"
#include "StatusLeiste.h"
#include "ZahlFeld.h"

namespace kwt {

TMainForm::TMainForm(Bewertungsmodell &modell, QWidget *eltern)
    : QMainWindow(eltern), modell_(modell), lauf_(modell) {
  setObjectName("MainForm");
  setWindowTitle("KWT Monte-Carlo Simulation Version 3 [2009]");
  // "MS Sans Serif" where it exists, else the system's sans serif, at 8 points.
  QFont schrift("MS Sans Serif", 8);
  schrift.setStyleHint(QFont::SansSerif);
  setFont(schrift);
  Aufbauen();
  MenuAufbauen();
  TLaufWidgets widgets;
  widgets.Zaehler = lCount_;
  widgets.Fortschritt = progress_;
  widgets.Werte = werte_;
  widgets.Kontinuierlich = cbHistogramm_;
  widgets.Histogramm = chart2_;
  widgets.Kurve = chartRH_;
  anzeige_ = std::make_unique<TFensterAnzeige>(widgets);
  // The reference size, or what the layout needs where the window's fonts are wider.
  const QSize groesse = QSize(766, 741).expandedTo(minimumSizeHint());
  resize(groesse);
  if (const QScreen *bildschirm = screen()) {
    const QRect r = bildschirm->availableGeometry();
    move(r.center() - QPoint(groesse.width() / 2, groesse.height() / 2));
  }
  // Key preview: the window sees every key before the control that has the focus.
  qApp->installEventFilter(this);
  verteilungBearbeiten_ = VerteilungBearbeiten;
  programmInfo_ = [](QWidget *eltern) { ProgrammInfoZeigen(eltern); };
  dateiDialog_ = [](QWidget *eltern, bool speichern, const QString &titel, QString &filter, const QString &endung) {
    QFileDialog dialog(eltern, titel, QString(), filter);
    dialog.setAcceptMode(speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(speichern ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(endung);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    filter = dialog.selectedNameFilter();
    return dialog.selectedFiles().first();
  };
  druckDialog_ = [](QWidget *eltern, QPrinter &drucker) {
    QPrintDialog dialog(&drucker, eltern);
    dialog.setObjectName("PrDlg");
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog.exec() == QDialog::Accepted;
  };
}

TMainForm::~TMainForm() { qApp->removeEventFilter(this); }

void TMainForm::FormCreate() {
  status_->VersionsTextSetzen(VersionsText, font());
  lauf_.ZaehlerZuruecksetzen(); // no trials asked for or done, no stop pending
  modell_.ZufallInitialisieren(); // the seed that the runs use
  FortschrittZeigen();
  modell_.TabellenLoeschen();
  StandardwerteSetzen();
}

void TMainForm::StandardwerteSetzen() {
  for (Parameter p : AlleParameter) {
    eMin_[p]->setWert(StandardMin[p]);
    eMax_[p]->setWert(StandardMax[p]);
  }
  MenuVoreinstellung(StandardVoreinstellung);
  eVersuche_->setGanzzahl(StandardVersuche);
}

void TMainForm::FortschrittZeigen() {
  const Laufergebnis &e = lauf_.Ergebnis();
  progress_->setValue(Simulationslauf::FortschrittProzent(e.AktVersuch, e.AnzahlVersuche));
  QCoreApplication::processEvents();
}

void TMainForm::GrenzenLesen(Parameterwerte &min, Parameterwerte &max) const {
  for (Parameter p : AlleParameter) min[p] = eMin_[p]->Wert();
  for (Parameter p : AlleParameter) max[p] = eMax_[p]->Wert();
}

Szenario TMainForm::SzenarioAusFenster() const {
  auto wert = [](const TZahlFeld *feld) {
    if (!feld->Gueltig()) {
      throw Fehler("Das Feld \"" + feld->accessibleName().toStdString() +
                   "\" enthält keine gültige Zahl; das Szenario wurde nicht gespeichert.");
    }
    return feld->Wert();
  };
  Szenario s;
  for (Parameter p : AlleParameter) {
    s.Min[p] = wert(eMin_[p]);
    s.Max[p] = wert(eMax_[p]);
    s.Prozent[p] = modell_.Verteilungen[p].Prozent;
    // The shape goes with the file only while it gives the bounds in the fields and the percentages.
    const std::optional<FormAngabe> &form = modell_.Formen[p];
    if (form && FormPasst(*form, s.Min[p], s.Max[p], s.Prozent[p])) s.Formen[p] = form;
  }
  wert(eVersuche_);
  s.Versuche = eVersuche_->Ganzzahl();
  s.HistogrammKontinuierlich = cbHistogramm_->isChecked();
  return s;
}

void TMainForm::SzenarioInsFenster(const Szenario &s) {
  for (Parameter p : AlleParameter) {
    eMin_[p]->setWert(s.Min[p]);
    eMax_[p]->setWert(s.Max[p]);
    modell_.Verteilungen[p].Prozent = s.Prozent[p];
    modell_.Formen[p] = s.Formen[p];
  }
  eVersuche_->setGanzzahl(s.Versuche);
  cbHistogramm_->setChecked(s.HistogrammKontinuierlich);
}

void TMainForm::FormKeyDown(QKeyEvent *taste) {
  if (taste->key() == Qt::Key_Escape) lauf_.Stoppen();
}

bool TMainForm::eventFilter(QObject *objekt, QEvent *ereignis) {
  if (ereignis->type() == QEvent::KeyPress) {
    auto *w = qobject_cast<QWidget *>(objekt);
    if (w && w->window() == this && w == QApplication::focusWidget()) {
      auto *taste = static_cast<QKeyEvent *>(ereignis);
      FormKeyDown(taste);
      // "Stop" is the window's default button: Enter activates it unless a button has the focus.
      if ((taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter) && !qobject_cast<QPushButton *>(w)) {
        btnStop_->click();
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(objekt, ereignis);
}

void TMainForm::closeEvent(QCloseEvent *ereignis) {
  // Closing during a run stops it after the current trial; the window closes when the run has ended.
  if (lauf_.Laeuft()) {
    schliessenNachLauf_ = true;
    lauf_.Stoppen();
    ereignis->ignore();
    return;
  }
  ereignis->accept();
}

} // namespace kwt
