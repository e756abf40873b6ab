#include "Meldungen.h"

#include <QMessageBox>

namespace kwt {

namespace {
TFehlerEmpfaenger &Empfaenger() {
  static TFehlerEmpfaenger empfaenger;
  return empfaenger;
}
} // namespace

QString MeldungMitPunkt(const QString &meldung) {
  // The comparison is by character code, as the runtime compares characters.
  if (!meldung.isEmpty() && meldung.back() > QChar(u'.')) return meldung + u'.';
  return meldung;
}

void FehlerMelden(QWidget *eltern, const QString &meldung) {
  const QString text = MeldungMitPunkt(meldung);
  if (Empfaenger()) {
    Empfaenger()(text);
    return;
  }
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(ProgrammTitel), text, QMessageBox::Ok, eltern);
  box.exec();
}

void FehlerEmpfaengerSetzen(TFehlerEmpfaenger empfaenger) { Empfaenger() = std::move(empfaenger); }

} // namespace kwt
