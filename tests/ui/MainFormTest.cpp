// The main window, driven as a user would: fields, buttons, keys and menus, offscreen, under German
// regional settings. The error box is replaced by a receiver so that nothing blocks.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QClipboard>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <QBarSet>

#include "DiagrammAnsicht.h"
#include "DialogVerteilung.h"
#include "Fenstertest.h"
#include "StatusLeiste.h"

using namespace kwt;

class MainFormTest : public test::Fenstertest {
  Q_OBJECT

  QString Text(const char *name) { return Finde<QLabel>(name)->text(); }
  // Expected display strings: the run without a window, with the same seed and the window's default fields.
  std::array<std::string, Kennzahlen.size()> Erwartet(std::uint32_t seed, int n) {
    Bewertungsmodell m = test::Standardmodell();
    m.Zufall.Zufallszustand = seed;
    Simulationslauf l(m);
    StilleAnzeige s;
    return l.Berechnen(StandardMin, StandardMax, n, s).Anzeigen;
  }
  // The CSV file of the last run, split at trenner: header, the ten stored values in trial order,
  // the sorted lines quoted.
  void CsvPruefen(const QString &pfad, char trenner) {
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::ReadOnly));
    const QList<QByteArray> zeilen = datei.readAll().split('\n');
    QCOMPARE(zeilen.size(), 12); // header, ten trials, and the empty rest after the last CR LF
    QCOMPARE(zeilen[0], QByteArray("Versuch") + trenner + "Wert" + trenner + "Zeile\r");
    for (int i = 1; i <= 10; ++i) {
      const QList<QByteArray> felder = zeilen[i].chopped(1).split(trenner);
      QCOMPARE(felder.size(), 3);
      QCOMPARE(felder[0].toInt(), i);
      QCOMPARE(felder[1].toDouble(), Ergebnis().Werte[static_cast<std::size_t>(i - 1)]);
      const auto &liste = Ergebnis().Liste.Zeilen();
      QCOMPARE(felder[2], static_cast<std::size_t>(i) <= liste.size()
                              ? QByteArray("\"") + liste[static_cast<std::size_t>(i - 1)].c_str() + "\""
                              : QByteArray());
    }
  }
  void LabelsPruefen(const std::array<std::string, Kennzahlen.size()> &erwartet) {
    for (const KennzahlEintrag &e : Kennzahlen) {
      QCOMPARE(Text(e.Name), QString::fromStdString(erwartet[static_cast<std::size_t>(e.Art)]));
    }
  }

private slots:
  void initTestCase() { UmgebungEinrichten(); }
  void init() { HauptfensterOeffnen(); }
  void cleanup() { fenster.reset(); }

  void StandardwerteNachDemStart() {
    const char *felder[][2] = {{"EParam1Min", "4,80"},       {"EParam1Max", "5,10"},      {"EParam2Min", "40,00"},
                               {"EParam2Max", "60,00"},      {"EParam3Min", "310.000,00"}, {"EParam3Max", "370.000,00"},
                               {"EParam4Min", "60.000,00"},  {"EParam4Max", "85.000,00"}, {"EParam5Min", "675.000,00"},
                               {"EParam5Max", "720.000,00"}, {"EVersuche", "10.000"}};
    for (auto &[name, text] : felder) QCOMPARE(Finde<TZahlFeld>(name)->text(), QString(text));
    for (const KennzahlEintrag &e : Kennzahlen) QCOMPARE(Text(e.Name), QString("0"));
    QCOMPARE(Text("LCount"), QString("0"));
    QCOMPARE(Finde<QProgressBar>("Progress")->value(), 0);
    QCOMPARE(Finde<QLabel>("StatusVersion")->text(), QString("2"));
    QCOMPARE(Finde<QTabWidget>("PageControl1")->currentIndex(), 0);
    QVERIFY(Finde<QCheckBox>("cbHistogramm")->isChecked());
    QCOMPARE(fenster->windowTitle(), QString("KWT Monte-Carlo Simulation Version 3 [2009]"));
    for (Parameter p : AlleParameter) QCOMPARE(modell->Verteilungen[p].Prozent, ZeilenWerte(Zeile::Normal));
  }

  void BerechnenFuelltDieLabelsWieDieEngine() {
    Versuche(2000);
    Klick("BtnCalculate");
    LabelsPruefen(Erwartet(0, 2000));
    QCOMPARE(Text("LCount"), QString("2000"));
    QCOMPARE(Finde<QProgressBar>("Progress")->value(), 100);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromStdString(Ergebnis().Liste.ZwischenablageText()));
    QVERIFY(QGuiApplication::clipboard()->text().endsWith("\r\n"));
    // The final histogram is drawn: 35 classes with the counts of the run.
    QCOMPARE(fenster->Chart2()->Balken()->count(), 35);
    QVERIFY(meldungen.isEmpty());
  }

  void StopUndEscWaehrendDesLaufs() {
    for (bool esc : {false, true}) {
      init();
      Versuche(10000);
      // Handled in the message processing of the first trial: the run ends after that trial.
      QTimer::singleShot(0, this, [&] {
        if (esc)
          QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : fenster.get(), Qt::Key_Escape);
        else
          Klick("BtnStop");
      });
      Klick("BtnCalculate");
      QCOMPARE(Ergebnis().AktVersuch, 1);
      QCOMPARE(Text("LCount"), QString("1"));
      LabelsPruefen(Erwartet(0, 1)); // mean, median and differences of the one trial done
      QVERIFY(Ergebnis().Liste.IstSortiert());
      cleanup();
    }
  }

  void EscVorDemLaufHaeltIhnNichtAuf() {
    Versuche(300);
    QTest::keyClick(Finde<TZahlFeld>("EVersuche"), Qt::Key_Escape);
    Klick("BtnCalculate");
    QCOMPARE(Ergebnis().AktVersuch, 300);
  }

  void AktualisierenVorDemErstenLauf() {
    fenster->findChild<QAction *>("mnDateiAktualisieren")->trigger();
    QVERIFY(meldungen.isEmpty());
    QCOMPARE(fenster->Chart2()->Balken()->count(), 0);
  }

  void LZGrenzeNullMeldetDenFehlerUndLaesstDieLabels() {
    Versuche(100);
    Klick("BtnCalculate");
    const QString vorher = Text("LMWSTP");
    Finde<TZahlFeld>("EParam1Min")->setWert(0);
    Finde<TZahlFeld>("EParam1Max")->setWert(0);
    Klick("BtnCalculate");
    QCOMPARE(meldungen, QStringList{"Ungültige Gleitkommaoperation."});
    QCOMPARE(Text("LMWSTP"), vorher);
    QCOMPARE(Text("LMinVKW"), QString::fromStdString(Erwartet(0, 100)[0]));
    QCOMPARE(Ergebnis().AktVersuch, 0);
  }

  void UngueltigesFeldIstRotUndLiestSichAlsNull() {
    auto *feld = Finde<TZahlFeld>("EParam2Min");
    feld->clear();
    QTest::keyClicks(feld, "1.2"); // a thousands separator needs three digits after it
    QVERIFY(!feld->Gueltig());
    QCOMPARE(feld->Wert(), 0.0L);
    QCOMPARE(feld->palette().color(QPalette::Base), QColor(Qt::red));
  }

  void ZweitesBerechnenWaehrendDesLaufsTutNichts() {
    Versuche(500);
    int klicks = 0;
    QTimer::singleShot(0, this, [&] {
      Klick("BtnCalculate");
      ++klicks;
    });
    Klick("BtnCalculate");
    QCOMPARE(klicks, 1);
    QCOMPARE(Ergebnis().AktVersuch, 500);
    LabelsPruefen(Erwartet(0, 500));
  }

  // A preset or new bounds in the middle of a run change the percentages and the fields only: the run
  // keeps drawing from the tables it prepared at its start, and the next run uses the new values.
  void VoreinstellungUndGrenzenWaehrendDesLaufs() {
    Versuche(3000);
    QTimer::singleShot(0, this, [&] {
      fenster->findChild<QAction *>("mnEinpunktverteilung")->trigger();
      Finde<TZahlFeld>("EParam3Max")->setWert(999999);
    });
    Klick("BtnCalculate");
    LabelsPruefen(Erwartet(0, 3000));
    QCOMPARE(modell->Verteilungen[RO].Prozent, ZeilenWerte(Zeile::Einpunkt));
    Klick("BtnCalculate");
    QCOMPARE(modell->ParamMax[RO], 999999.0L);
    QCOMPARE(Ergebnis().Liste.Zeilen().size(), 1u); // every trial draws class 5 now
  }

  void SchliessenWaehrendDesLaufs() {
    Versuche(100000);
    QTimer::singleShot(0, this, [&] { fenster->close(); });
    Klick("BtnCalculate");
    QCOMPARE(Ergebnis().AktVersuch, 1);
    QVERIFY(!fenster->isVisible());
  }

  void VoreinstellungenAusDemMenu() {
    fenster->findChild<QAction *>("mnLinksschiefeVerteilung")->trigger();
    QCOMPARE(modell->Verteilungen[LZ].Prozent, ZeilenWerte(Zeile::Fallend));
    QCOMPARE(modell->Verteilungen[RO].Prozent, ZeilenWerte(Zeile::Steigend));
  }

  void SzenarioHinUndZurueck() {
    const QString pfad = QDir::temp().filePath("kwt-fenster-test.kwt");
    fenster->setDateiDialog([&](QWidget *, bool, const QString &, const QString &, const QString &) { return pfad; });
    Finde<TZahlFeld>("EParam2Min")->setWert(40.5L);
    Finde<TZahlFeld>("EParam5Max")->setWert(730000.25L);
    modell->Verteilungen[RO].Prozent = {3.5L, 6.25L, 9, 11.75L, 20, 18.5L, 12, 9, 6, 4};
    Versuche(1234);
    Finde<QCheckBox>("cbHistogramm")->setChecked(false);
    fenster->findChild<QAction *>("mnSzenarioSpeichern")->trigger();
    QVERIFY(meldungen.isEmpty());
    const Szenario gespeichert = fenster->SzenarioAusFenster();
    modell->Zufall.Zufallszustand = 77;
    Klick("BtnCalculate");
    const auto ersterLauf = Ergebnis().Anzeigen;

    // Change everything, then load.
    fenster->findChild<QAction *>("mnEinpunktverteilung")->trigger();
    for (const char *name : {"EParam1Min", "EParam2Min", "EParam3Max", "EParam5Max"}) Finde<TZahlFeld>(name)->setWert(1);
    Versuche(5);
    Finde<QCheckBox>("cbHistogramm")->setChecked(true);
    fenster->findChild<QAction *>("mnSzenarioOeffnen")->trigger();
    QVERIFY(meldungen.isEmpty());
    QVERIFY(fenster->SzenarioAusFenster() == gespeichert);
    QCOMPARE(Finde<TZahlFeld>("EParam2Min")->text(), QString("40,50"));
    QVERIFY(!Finde<QCheckBox>("cbHistogramm")->isChecked());
    modell->Zufall.Zufallszustand = 77;
    Klick("BtnCalculate");
    QVERIFY(Ergebnis().Anzeigen == ersterLauf);

    // A bad file gives its message and changes nothing.
    QFile datei(pfad);
    QVERIFY(datei.open(QIODevice::WriteOnly | QIODevice::Truncate));
    datei.write(R"({"format": "KWT-Szenario", "version": 3})");
    datei.close();
    Versuche(42);
    fenster->findChild<QAction *>("mnSzenarioOeffnen")->trigger();
    QCOMPARE(meldungen.size(), 1);
    QVERIFY(meldungen[0].contains("Formatversion 3"));
    QCOMPARE(Finde<TZahlFeld>("EVersuche")->Ganzzahl(), 42);
    QFile::remove(pfad);

    // A field without a valid number is not saved as 0; the message names it by its caption.
    const char *felder[][2] = {{"EParam1Max", "Liegenschaftszinssatz, Maximum"},
                               {"EParam4Min", "Bewirtschaftungskosten, Minimum"},
                               {"EVersuche", "Anzahl Durchläufe"}};
    for (const auto &[name, beschriftung] : felder) {
      meldungen.clear();
      TZahlFeld *feld = Finde<TZahlFeld>(name);
      const QString vorher = feld->text();
      feld->setText("");
      fenster->findChild<QAction *>("mnSzenarioSpeichern")->trigger();
      QCOMPARE(meldungen, QStringList{"Das Feld \"" + QString::fromUtf8(beschriftung) +
                                      "\" enthält keine gültige Zahl; das Szenario wurde nicht gespeichert."});
      QVERIFY(!QFile::exists(pfad));
      feld->setText(vorher);
    }
  }

  // What goes wrong reading a scenario or writing a file says why, in a message a box can show.
  void DateifehlerMitGrund() {
    QTemporaryDir ordner;
    const QString schluessel = QString(900000, u'k');
    QFile datei(ordner.filePath("riesig.kwt"));
    QVERIFY(datei.open(QIODevice::WriteOnly));
    std::string text = SzenarioAlsText(Szenario{});
    text.insert(1, "\"" + schluessel.toStdString() + "\": 1,");
    datei.write(text.data(), static_cast<qint64>(text.size()));
    datei.close();
    QDir(ordner.path()).mkdir("ordner.kwt");
    const struct {
      QString pfad;
      const char *aktion;
      QString meldung;
    } faelle[] = {
        {ordner.filePath("riesig.kwt"), "mnSzenarioOeffnen",
         "Unbekannter Eintrag '" + QString(59, u'k') + QString::fromUtf8("…' im Szenario.")},
        {ordner.filePath("ordner.kwt"), "mnSzenarioOeffnen",
         "Die Datei '" + ordner.filePath("ordner.kwt") + QString::fromUtf8("' kann nicht gelesen werden: Das ist ein Ordner.")},
        // A long path is quoted by its end, where the file's own name stands.
        {ordner.filePath(QString(70, u'f') + "/neu.kwt"), "mnSzenarioSpeichern",
         QString::fromUtf8("Die Datei '…") + ordner.filePath(QString(70, u'f') + "/neu.kwt").right(59) +
             QString::fromUtf8("' kann nicht geschrieben werden: Der Ordner existiert nicht.")},
        {ordner.filePath("ordner.kwt"), "mnWerteCsv",
         "Die Datei '" + ordner.filePath("ordner.kwt") + QString::fromUtf8("' kann nicht geschrieben werden: Das ist ein Ordner.")},
    };
    for (const auto &f : faelle) {
      meldungen.clear();
      fenster->setDateiDialog([&](QWidget *, bool, const QString &, const QString &, const QString &) { return f.pfad; });
      fenster->findChild<QAction *>(f.aktion)->trigger();
      QCOMPARE(meldungen, QStringList{f.meldung});
    }
    QCOMPARE(QDir(ordner.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             (QStringList{"ordner.kwt", "riesig.kwt"}));
  }

  // "Werte als CSV speichern…" offers semicolons first (a spreadsheet under German regional
  // settings splits at them) and RFC 4180 commas second; the file follows the filter chosen, also in
  // the real file dialog, and "Alle Dateien" keeps the first. Read back, it holds the run's values.
  void WerteAlsCsv() {
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath("werte.csv");
    Versuche(10);
    Klick("BtnCalculate");
    const struct {
      int wahl; // the filter chosen; -1: the dialog leaves it as offered
      char trenner;
    } faelle[] = {{-1, ';'}, {0, ';'}, {1, ','}, {2, ';'}};
    for (const auto &f : faelle) {
      QStringList angeboten;
      fenster->setDateiDialog([&](QWidget *, bool, const QString &, QString &filter, const QString &) {
        angeboten = filter.split(";;");
        if (f.wahl >= 0) filter = angeboten[f.wahl];
        return pfad;
      });
      Menu("mnWerteCsv");
      QCOMPARE(angeboten.size(), 3);
      QVERIFY(angeboten[0].startsWith("CSV mit Semikolon"));
      QVERIFY(angeboten[1].startsWith("CSV mit Komma") && angeboten[1].contains("RFC 4180"));
      CsvPruefen(pfad, f.trenner);
    }
    // The real dialog: the comma filter chosen there, for a new file (an existing one it would ask
    // about first).
    const QString neu = ordner.filePath("neu.csv");
    HauptfensterOeffnen();
    Versuche(10);
    Klick("BtnCalculate");
    QStringList angeboten;
    ImModalenDialog<QFileDialog>([&](QFileDialog &d) {
      angeboten = d.nameFilters();
      QCOMPARE(d.selectedNameFilter(), angeboten.value(0));
      d.selectNameFilter(angeboten.value(1));
      d.selectFile(neu);
      static_cast<QDialog &>(d).accept(); // as the button "Speichern" does
    });
    Menu("mnWerteCsv");
    QCOMPARE(angeboten.size(), 3);
    CsvPruefen(neu, ',');
    QVERIFY(meldungen.isEmpty());
  }

  void VerteilungKnopfBereitetMitDenFeldernVor() {
    QString name;
    Extended ersteMitte = 0;
    std::pair<Extended, Extended> grenzen;
    fenster->setVerteilungBearbeiten([&](QWidget *, const QString &n, TParamVerteilung &t, TGrenzenUndForm &r) {
      name = n;
      ersteMitte = t.Mitte[0];
      grenzen = {r.Min, r.Max};
      return false;
    });
    Finde<TZahlFeld>("EParam2Min")->setWert(50);
    Finde<TZahlFeld>("EParam2Max")->setWert(70);
    Klick("BtnV_RND");
    QCOMPARE(name, QString("Restnutzungsdauer"));
    QCOMPARE(ersteMitte, 51.0L); // from the edited bounds, without a run
    QCOMPARE(grenzen.first, 50.0L);
    QCOMPARE(grenzen.second, 70.0L);
    Klick("BtnV_RO");
    QCOMPARE(name, QString("Rohertrag"));
    Klick("BtnV_BWK");
    QCOMPARE(name, QString("Bewirtschaftungskosten"));
  }
};

KWT_FENSTER_TEST_MAIN(MainFormTest)

#include "MainFormTest.moc"
