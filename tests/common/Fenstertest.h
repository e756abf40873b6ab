// What every Qt Test program of the windows shares: German regional settings whatever the machine
// has, the error box replaced by a list of its messages (so that no modal box blocks a test), the
// main window as after start-up on a model of its own, finding and driving its widgets by their
// object names, typing into fields, and steps inside a modal dialog. KWT_FENSTER_TEST_MAIN gives the
// program's main().
#pragma once

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#include "MainForm.h"
#include "Meldungen.h"
#include "Standardmodell.h"
#include "W32_CLC.h"
#include "ZahlFeld.h"

namespace kwt::test {

// The user replaces a field's text: selects all and types it key by key, or pastes it as one change
// (without the states typing passes through); an empty text deletes.
inline void Ersetzen(TZahlFeld *feld, const QString &text, bool einfuegen) {
  feld->setFocus();
  feld->selectAll();
  if (text.isEmpty())
    QTest::keyClick(feld, Qt::Key_Backspace);
  else if (einfuegen)
    feld->insert(text);
  else
    QTest::keyClicks(feld, text);
}
inline void Tippen(TZahlFeld *feld, const QString &text) { Ersetzen(feld, text, false); }
inline void Einfuegen(TZahlFeld *feld, const QString &text) { Ersetzen(feld, text, true); }

class Fenstertest : public QObject {
protected:
  // For initTestCase.
  void UmgebungEinrichten() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    FehlerEmpfaengerSetzen([this](const QString &text) { meldungen << text; });
  }

  // The main window as after start-up, shown, with the seed 0 for its runs; no messages yet.
  void HauptfensterOeffnen() {
    meldungen.clear();
    fenster.reset();
    modell = std::make_unique<Bewertungsmodell>();
    fenster = std::make_unique<TMainForm>(*modell);
    fenster->show();
    fenster->FormCreate();
    modell->Zufall.Zufallszustand = 0;
  }

  template <class T> static T *Finde(const QObject *wo, const char *name) {
    T *w = wo->findChild<T *>(name);
    if (!w) qFatal("%s fehlt", name);
    return w;
  }
  template <class T> T *Finde(const char *name) const { return Finde<T>(fenster.get(), name); }
  void Klick(const char *name) const { QTest::mouseClick(Finde<QPushButton>(name), Qt::LeftButton); }
  void Versuche(int n) const { Finde<TZahlFeld>("EVersuche")->setGanzzahl(n); }
  void Menu(const char *name) const { Finde<QAction>(name)->trigger(); }
  // "Berechnen" with this many trials.
  void Rechnen(int versuche) const {
    Versuche(versuche);
    Klick("BtnCalculate");
  }
  const Laufergebnis &Ergebnis() const { return fenster->Lauf().Ergebnis(); }

  // Runs schritt on the modal dialog of type D from inside its message loop, once it is open. Whatever
  // the step leaves open (a failed check returns early) is cancelled, so that no test hangs.
  template <class D> void ImModalenDialog(std::function<void(D &)> schritt) {
    QTimer::singleShot(0, this, [schritt] {
      auto *d = qobject_cast<D *>(QApplication::activeModalWidget());
      QVERIFY2(d, "der Dialog ist nicht offen");
      schritt(*d);
      if (d->isVisible()) d->reject();
    });
  }

  std::unique_ptr<Bewertungsmodell> modell;
  std::unique_ptr<TMainForm> fenster; // goes before its model
  QStringList meldungen;
};

// The program's rounding mode as at start-up, one application (offscreen unless a platform is
// asked for), the test object.
template <class Test> int FensterTestAusfuehren(int argc, char **argv) {
  FormatierungInitialisieren();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication anwendung(argc, argv);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  Test test;
  return QTest::qExec(&test, argc, argv);
}

} // namespace kwt::test

#define KWT_FENSTER_TEST_MAIN(Klasse)                                                                                 \
  int main(int argc, char **argv) { return kwt::test::FensterTestAusfuehren<Klasse>(argc, argv); }
