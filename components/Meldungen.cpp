#include "Meldungen.h"

#include <QMessageBox>

#include "Fehler.h"

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

bool BefehlAusfuehren(QWidget *eltern, const std::function<void()> &befehl) {
  try {
    befehl();
    return true;
  } catch (...) {
    FehlerMelden(eltern, QString::fromStdString(MeldungZumFehler(std::current_exception())));
    return false;
  }
}

void FehlerEmpfaengerSetzen(TFehlerEmpfaenger empfaenger) { Empfaenger() = std::move(empfaenger); }

} // namespace kwt
