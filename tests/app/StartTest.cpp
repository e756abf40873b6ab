// The window program's start-up, offscreen: Qt's German texts, the command line, a scenario named on
// it, and the one version that kwt-mc, the command line and the about box show.
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include "Datei.h"
#include "Fenstertest.h"
#include "KwtMc.h"
#include "Programminfo.h"
#include "Programmstart.h"
#include "Szenario.h"

using namespace kwt;

namespace {

QStringList Knoepfe(QMessageBox::StandardButtons welche) {
  QMessageBox box(QMessageBox::Question, "KWT Monte-Carlo-Simulation", "Frage", welche);
  QStringList texte;
  for (QAbstractButton *knopf : box.buttons()) texte << knopf->text();
  texte.sort();
  return texte;
}

} // namespace

class StartTest : public test::Fenstertest {
  Q_OBJECT

  QTranslator *uebersetzung = nullptr;

  void Entfernen() {
    if (uebersetzung) QCoreApplication::removeTranslator(uebersetzung);
    delete uebersetzung;
    uebersetzung = nullptr;
  }

private slots:
  void initTestCase() { UmgebungEinrichten(); }
  void cleanup() { Entfernen(); }

  // Whatever the system's regional settings, Qt's own texts come in German: the standard buttons of
  // a message box, of a button box, and the file dialog's labels.
  void QtTexteDeutsch_data() {
    QTest::addColumn<QLocale>("system");
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany);
    QTest::newRow("de_AT") << QLocale(QLocale::German, QLocale::Austria);
    QTest::newRow("de_CH") << QLocale(QLocale::German, QLocale::Switzerland);
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("fr_FR") << QLocale(QLocale::French, QLocale::France);
    QTest::newRow("C") << QLocale::c();
  }
  void QtTexteDeutsch() {
    QFETCH(QLocale, system);
    QCOMPARE(Knoepfe(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
             QStringList({"&No", "&Yes", "Cancel"}));
    uebersetzung = QtUebersetzungLaden(*qApp, system);
    QVERIFY2(uebersetzung, "qtbase_de.qm fehlt (qt6-translations-l10n)");
    QCOMPARE(Knoepfe(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel),
             QStringList({"&Ja", "&Nein", "Abbrechen"}));
    QDialogButtonBox leiste(QDialogButtonBox::Save | QDialogButtonBox::Discard | QDialogButtonBox::Close);
    QCOMPARE(leiste.button(QDialogButtonBox::Save)->text(), "Speichern");
    QCOMPARE(leiste.button(QDialogButtonBox::Close)->text(), "Schließen");
    QCOMPARE(QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?"),
             "Die Datei %1 existiert bereits.\nSoll sie überschrieben werden?");
  }

  // A missing translation leaves Qt's English texts, without a message or a crash.
  void OhneUebersetzungBleibtQtEnglisch() {
    QTemporaryDir leer;
    QVERIFY(!QtUebersetzungLaden(*qApp, QLocale(QLocale::German, QLocale::Germany), leer.path()));
    QVERIFY(!QtUebersetzungLaden(*qApp, QLocale(QLocale::German, QLocale::Germany), leer.path() + "/fehlt"));
    QCOMPARE(Knoepfe(QMessageBox::Yes | QMessageBox::No), QStringList({"&No", "&Yes"}));
  }

  void Befehlszeile_data() {
    QTest::addColumn<QStringList>("argumente");
    QTest::addColumn<QString>("datei");
    QTest::addColumn<int>("ende"); // -1: the window opens
    QTest::addColumn<QString>("ausgabe");
    QTest::addColumn<QString>("fehler");
    QTest::newRow("nichts") << QStringList{"KWTMonteCarlo"} << "" << -1 << "" << "";
    QTest::newRow("datei") << QStringList{"KWTMonteCarlo", "/tmp/gutachten.kwt"} << "/tmp/gutachten.kwt" << -1 << ""
                           << "";
    QTest::newRow("datei mit minus") << QStringList{"KWTMonteCarlo", "--", "-x.kwt"} << "-x.kwt" << -1 << "" << "";
    QTest::newRow("version") << QStringList{"KWTMonteCarlo", "--version"} << "" << 0
                             << "KWTMonteCarlo (KWT Monte-Carlo-Simulation) " KWT_VERSION "\n" << "";
    QTest::newRow("-v") << QStringList{"KWTMonteCarlo", "-v", "a.kwt"} << "" << 0
                        << "KWTMonteCarlo (KWT Monte-Carlo-Simulation) " KWT_VERSION "\n" << "";
    QTest::newRow("hilfe") << QStringList{"KWTMonteCarlo", "--help"} << "" << 0 << "[DATEI]" << "";
    QTest::newRow("unbekannt") << QStringList{"KWTMonteCarlo", "--gibtsnicht"} << "" << 2 << ""
                               << "KWTMonteCarlo: Unbekannte Option 'gibtsnicht'.";
    QTest::newRow("zwei dateien") << QStringList{"KWTMonteCarlo", "a.kwt", "b.kwt"} << "" << 2 << ""
                                  << "KWTMonteCarlo: Es kann nur ein Szenario geöffnet werden, nicht 2.";
  }
  void Befehlszeile() {
    QFETCH(QStringList, argumente);
    QFETCH(QString, datei);
    QFETCH(int, ende);
    QFETCH(QString, ausgabe);
    QFETCH(QString, fehler);
    uebersetzung = QtUebersetzungLaden(*qApp);
    const Startauftrag a = BefehlszeileLesen(argumente);
    QCOMPARE(a.Datei, datei);
    QCOMPARE(a.Ende.value_or(-1), ende);
    QVERIFY2(ausgabe.isEmpty() ? a.Ausgabe.isEmpty() : a.Ausgabe.contains(ausgabe), qPrintable(a.Ausgabe));
    QVERIFY2(fehler.isEmpty() ? a.Fehler.isEmpty() : a.Fehler.startsWith(fehler), qPrintable(a.Fehler));
    // The help is German throughout: Qt's part through its translation, the program's own.
    if (argumente.contains("--help")) {
      for (const char *text : {"Aufruf:", "Optionen:", "Argumente:", "Szenario (.kwt)", "Verkehrswerts"}) {
        QVERIFY2(a.Ausgabe.contains(QString::fromUtf8(text)), text);
      }
    }
  }

  // The file named on the command line is opened as the menu opens one: a scenario fills the fields,
  // anything else gets the error box and leaves the defaults.
  void SzenarioVonDerBefehlszeile() {
    QTemporaryDir ordner;
    Szenario s;
    s.Min = {4.5L, 35.5L, 300000, 50000, 600000};
    s.Max = {5.5L, 45.5L, 380000, 90000, 800000};
    for (auto &zeile : s.Prozent) zeile = {10, 10, 10, 10, 10, 10, 10, 10, 10, 10};
    s.Versuche = 2500;
    const QString gut = ordner.filePath("gutachten.kwt"), schlecht = ordner.filePath("kaputt.kwt");
    SzenarioSpeichern(gut.toStdString(), s);
    DateiSicherSchreiben(schlecht.toStdString(), "{\"format\": \"etwas anderes\"}");

    const struct {
      QString datei;
      QString min1, versuche, meldung;
    } faelle[] = {
        {gut, "4,50", "2.500", ""},
        {schlecht, "4,80", "10.000", "Die Datei ist kein KWT-Szenario."},
        {ordner.filePath("fehlt.kwt"), "4,80", "10.000", "kann nicht gelesen werden: Die Datei existiert nicht."},
    };
    for (const auto &fall : faelle) {
      meldungen.clear();
      Bewertungsmodell modell;
      TMainForm fenster(modell);
      fenster.FormCreate();
      const Startauftrag a = BefehlszeileLesen({"KWTMonteCarlo", fall.datei});
      QVERIFY(!a.Ende);
      fenster.SzenarioOeffnen(a.Datei);
      QCOMPARE(fenster.findChild<TZahlFeld *>("EParam1Min")->text().trimmed(), fall.min1);
      QCOMPARE(fenster.findChild<TZahlFeld *>("EVersuche")->text().trimmed(), fall.versuche);
      if (fall.meldung.isEmpty()) {
        QCOMPARE(meldungen, QStringList());
        QCOMPARE(modell.Verteilungen[BO].Prozent[0], 10.0L);
      } else {
        QCOMPARE(meldungen.size(), 1);
        QVERIFY2(meldungen[0].contains(fall.meldung), qPrintable(meldungen[0]));
        QCOMPARE(modell.Verteilungen[BO].Prozent[4], 25.0L); // "Normalverteilung" stays
      }
    }
  }

  // One version, from project(VERSION): kwt-mc --version, the window's --version and the about box,
  // which reads it from the program's version resource.
  void EineVersion() {
    const QString version = QStringLiteral(KWT_VERSION);
    QCOMPARE(version.count('.'), 3);
    TDialogProgrammInfo box;
    QCOMPARE(box.findChild<QLabel *>("FileVersion")->text(), "Build: " + version);
    QVERIFY(QString::fromStdString(cli::VersionsZeile()).endsWith(" " + version));
    QVERIFY(BefehlszeileLesen({"KWTMonteCarlo", "--version"}).Ausgabe.endsWith(" " + version + "\n"));
  }
};

KWT_FENSTER_TEST_MAIN(StartTest)

#include "StartTest.moc"
