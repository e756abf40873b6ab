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

namespace {

// A word longer than this gets a break opportunity (a zero-width space) after every so many
// characters: left alone, the box would grow as wide as the word, and on a small screen beyond it.
constexpr int LaengstesWort = 30;

QString Umbrechbar(const QString &text) {
  QString r;
  r.reserve(text.size() + text.size() / LaengstesWort);
  int imWort = 0;
  for (const QChar c : text) {
    imWort = c.isSpace() ? 0 : imWort + 1;
    if (imWort > LaengstesWort && !c.isLowSurrogate()) {
      r += QChar(0x200B);
      imWort = 1;
    }
    r += c;
  }
  return r;
}

std::unique_ptr<QMessageBox> BoxErstellen(QWidget *eltern, const QString &text, QMessageBox::Icon symbol) {
  QString gezeigt = text;
  if (gezeigt.size() > LaengsteMeldung) {
    gezeigt.truncate(LaengsteMeldung - 1);
    if (gezeigt.back().isHighSurrogate()) gezeigt.chop(1);
    gezeigt += u'…';
  }
  gezeigt = Umbrechbar(gezeigt);
  auto box = std::make_unique<QMessageBox>(symbol, QString::fromUtf8(ProgrammTitel), gezeigt, QMessageBox::Ok, eltern);
  // Plain text: a file name or key quoted in the message is shown as it is, never as markup.
  box->setTextFormat(Qt::PlainText);
  return box;
}

void Melden(QWidget *eltern, const QString &meldung, QMessageBox::Icon symbol) {
  const QString text = MeldungMitPunkt(meldung);
  if (Empfaenger()) {
    Empfaenger()(text);
    return;
  }
  BoxErstellen(eltern, text, symbol)->exec();
}

} // namespace

std::unique_ptr<QMessageBox> FehlerBoxErstellen(QWidget *eltern, const QString &text) {
  return BoxErstellen(eltern, text, QMessageBox::Critical);
}

void FehlerMelden(QWidget *eltern, const QString &meldung) { Melden(eltern, meldung, QMessageBox::Critical); }

void HinweisMelden(QWidget *eltern, const QString &meldung) { Melden(eltern, meldung, QMessageBox::Warning); }

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
