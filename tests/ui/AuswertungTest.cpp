// The menu "&Auswertung", driven as a user would, offscreen, under German regional settings: the
// dialog "Exakte Verteilung…" against the figures of `kwt-mc --exakt` for the same inputs, and the
// report "Bericht als PDF…" read back with poppler's pdfinfo and pdftotext.
#include <QAction>
#include <QApplication>
#include <QBarSet>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sstream>

#include "Auswertung.h"
#include "DialogAuswertung.h"
#include "Fenstertest.h"
#include "KwtMc.h"

using namespace kwt;

namespace {

// The lines of `kwt-mc ARGS` with runs of blanks made single.
QStringList KwtMcZeilen(std::vector<const char *> argumente) {
  argumente.insert(argumente.begin(), "kwt-mc");
  std::ostringstream aus, fehler;
  cli::KwtMc(static_cast<int>(argumente.size()), argumente.data(), aus, fehler);
  QStringList zeilen;
  for (const QString &z : QString::fromStdString(aus.str()).split('\n')) {
    zeilen << z.simplified();
  }
  return zeilen;
}

QString Zellen(const QTableWidget *t, int zeile) {
  QStringList texte;
  for (int s = 0; s < t->columnCount(); ++s) {
    if (!t->isColumnHidden(s) && t->item(zeile, s)) texte << t->item(zeile, s)->text();
  }
  return texte.join(' ').simplified();
}

bool Vorhanden(const char *programm) { return !QStandardPaths::findExecutable(programm).isEmpty(); }

QString Ausgabe(const QString &programm, const QStringList &argumente) {
  QProcess p;
  p.start(programm, argumente);
  p.waitForFinished(30000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class AuswertungTest : public test::Fenstertest {
  Q_OBJECT

  void Lauf(int versuche) { Rechnen(versuche); }

  // Opens "Exakte Verteilung…", hands the dialog to pruefen and closes it again, also when a check
  // in pruefen failed.
  template <class F> bool ImDialog(F pruefen) {
    bool gesehen = false;
    QTimer::singleShot(0, this, [&] {
      auto *dialog = fenster->findChild<TDlgAuswertung *>();
      if (!dialog) return;
      gesehen = true;
      pruefen(*dialog);
      dialog->accept();
    });
    Menu("mnExakteVerteilung");
    return gesehen;
  }

  QString PdfPfad(const QTemporaryDir &ordner) { return ordner.filePath("bericht.pdf"); }
  void DateiDialogNach(const QString &pfad) {
    fenster->setDateiDialog([pfad](QWidget *, bool, const QString &, const QString &, const QString &) { return pfad; });
  }

private slots:
  void initTestCase() { UmgebungEinrichten(); }
  void init() { HauptfensterOeffnen(); }
  void cleanup() { fenster.reset(); }

  void MenuZwischenVerteilungenUndInfo() {
    QStringList oben;
    for (QAction *a : fenster->menuBar()->actions()) oben << a->text();
    QCOMPARE(oben, QStringList({"&Datei", "&Verteilungen", "&Auswertung", "Info"}));
    QStringList eintraege;
    for (QAction *a : Finde<QMenu>(fenster.get(), "mnAuswertung")->actions()) eintraege << a->text();
    QCOMPARE(eintraege, QStringList({"Exakte Verteilung…", "Bericht als PDF…"}));
  }

  // The default scenario after a run from the state 0: every figure as `kwt-mc --seed 0 --exakt`
  // prints it, the sample's curve over the exact one, the tornado in the order of the swing.
  void DialogZeigtDieZahlenVonKwtMc() {
    Lauf(10000);
    const QStringList erwartet = KwtMcZeilen({"--seed", "0", "--exakt"});
    QVERIFY(ImDialog([&](TDlgAuswertung &d) {
      QCOMPARE(Finde<QLabel>(&d, "LKopf")->text(),
               QString("Exakte Verteilung des Verkehrswerts: 96.466 Werte aus 100.000 Klassenkombinationen"));
      auto *tabelle = Finde<QTableWidget>(&d, "TabKennzahlen");
      QCOMPARE(tabelle->rowCount(), 9);
      QVERIFY(!tabelle->isColumnHidden(2));
      for (int z = 0; z < tabelle->rowCount(); ++z) QVERIFY2(erwartet.contains(Zellen(tabelle, z)), qPrintable(Zellen(tabelle, z)));
      QCOMPARE(Zellen(tabelle, 0), QString("Mittelwert: 4.977.455 4.980.695 3.240 0,065 %"));
      QVERIFY(erwartet.contains(Finde<QLabel>(&d, "LKsAbstand")->text()));
      QCOMPARE(Finde<QLabel>(&d, "LStichprobe")->text(),
               QString("Stichprobe des letzten Laufs: 10.000 gespeicherte Versuche (aufgerundete Werte)."));
      QVERIFY(!d.findChild<QWidget *>("GroupFehler"));

      auto *tornado = Finde<QTableWidget>(&d, "TabTornado");
      QStringList reihenfolge;
      for (int z = 0; z < tornado->rowCount(); ++z) {
        reihenfolge << tornado->item(z, 0)->text();
        const QString zeile = Zellen(tornado, z);
        // kwt-mc writes "Spanne" before the swing.
        const QStringList teile = zeile.split(' ');
        QVERIFY2(erwartet.contains(QStringList(teile.mid(0, teile.size() - 1)).join(' ') + " Spanne " + teile.last()),
                 qPrintable(zeile));
      }
      QCOMPARE(reihenfolge, QStringList({"Jahresrohertrag", "Bewirtschaftungskosten", "Restnutzungsdauer",
                                         "Liegenschaftszinssatz", "Bodenwert"}));

      TDiagrammAnsicht *kurve = d.ChartVerteilung();
      QCOMPARE(kurve->Kurve()->count(), 2000); // 96,466 values: evenly spaced points
      QVERIFY(kurve->Median()->count() > 0);
      QCOMPARE(kurve->Median()->points().last().y(), 1.0);
      // The largest swing at the top (bar index 4), bars as distances from the exact mean in thousands.
      TDiagrammAnsicht *t = d.ChartTornado();
      QVERIFY(qAbs(t->TornadoMitte() - 4977.455) < 0.001);
      QCOMPARE(t->TornadoTief()->count(), 5);
      QVERIFY(qAbs(t->TornadoTief()->at(4) - (4481.446 - 4977.455)) < 0.002);
      QVERIFY(qAbs(t->TornadoHoch()->at(4) - (5473.465 - 4977.455)) < 0.002);
      QVERIFY(t->chart()->legend()->isVisible());
    }));
    QVERIFY(meldungen.isEmpty());
  }

  void VorDemErstenLaufNurExakt() {
    const QStringList erwartet = KwtMcZeilen({"--seed", "0", "--exakt"});
    QVERIFY(ImDialog([&](TDlgAuswertung &d) {
      auto *tabelle = Finde<QTableWidget>(&d, "TabKennzahlen");
      for (int s = 2; s <= 4; ++s) QVERIFY(tabelle->isColumnHidden(s));
      QCOMPARE(Zellen(tabelle, 0), QString("Mittelwert: 4.977.455"));
      for (int z = 0; z < tabelle->rowCount(); ++z) {
        // The exact column of kwt-mc's line.
        const QString beschriftung = tabelle->item(z, 0)->text();
        bool gefunden = false;
        for (const QString &zeile : erwartet) gefunden |= zeile.startsWith(Zellen(tabelle, z) + " ");
        QVERIFY2(gefunden, qPrintable(beschriftung));
      }
      QVERIFY(Finde<QLabel>(&d, "LStichprobe")->text().startsWith("Noch keine Stichprobe"));
      QVERIFY(!d.findChild<QLabel *>("LKsAbstand"));
      QCOMPARE(d.ChartVerteilung()->Median()->count(), 0);
      QVERIFY(d.ChartVerteilung()->Kurve()->count() > 0);
    }));
    QVERIFY(meldungen.isEmpty());
  }

  // "Einpunktverteilung": every figure but the standard deviation is the value at the class-5
  // midpoints (class 1 keeps the state 0, 2^-32 of the draws).
  void EinpunktverteilungEinWert() {
    Menu("mnEinpunktverteilung");
    Lauf(500);
    modell->VerteilungenVorbereiten(StandardMin, StandardMax);
    for (Parameter p : AlleParameter) modell->Stichprobe[p] = modell->Verteilungen[p].Mitte[4];
    const QString wert = QString::fromStdString(ZahlFormatieren(0, true, true, RundenInt64(modell->VkwStichprobe()), false));
    QCOMPARE(wert, QString("4.942.364"));
    QVERIFY(ImDialog([&](TDlgAuswertung &d) {
      auto *tabelle = Finde<QTableWidget>(&d, "TabKennzahlen");
      for (int z = 0; z < tabelle->rowCount(); ++z) {
        if (z == 1) continue; // standard deviation
        QCOMPARE(Zellen(tabelle, z).section(' ', -5), wert + " " + wert + " 0 0,000 %");
      }
      QCOMPARE(tabelle->item(1, 2)->text(), QString("0"));
    }));
  }

  // Every lower bound equal to its upper one: all classes have the same midpoint, one value.
  void GleicheGrenzenEinWert() {
    for (int p = 1; p <= ParameterAnzahl; ++p) {
      const QString min = QString("EParam%1Min").arg(p), max = QString("EParam%1Max").arg(p);
      Finde<TZahlFeld>(fenster.get(), qPrintable(max))->setWert(Finde<TZahlFeld>(fenster.get(), qPrintable(min))->Wert());
    }
    QVERIFY(ImDialog([&](TDlgAuswertung &d) {
      QCOMPARE(Finde<QLabel>(&d, "LKopf")->text(),
               QString("Exakte Verteilung des Verkehrswerts: 1 Wert aus 100.000 Klassenkombinationen"));
      auto *tabelle = Finde<QTableWidget>(&d, "TabKennzahlen");
      QCOMPARE(tabelle->item(1, 1)->text(), QString("0"));
      for (int z = 2; z < tabelle->rowCount(); ++z) QCOMPARE(tabelle->item(z, 1)->text(), tabelle->item(0, 1)->text());
    }));
  }

  // After the bounds or the percentages changed, the last run's sample is not set beside the new
  // exact figures.
  void GeaenderteEingabenVergleichenNicht() {
    Lauf(200);
    Menu("mnLinksschiefeVerteilung");
    QVERIFY(ImDialog([&](TDlgAuswertung &d) {
      QVERIFY(Finde<QTableWidget>(&d, "TabKennzahlen")->isColumnHidden(2));
      QVERIFY(Finde<QLabel>(&d, "LStichprobe")->text().startsWith("Grenzen oder Verteilungen wurden"));
    }));
    Menu("mnNormalverteilung"); // back to the run's inputs
    QVERIFY(ImDialog([&](TDlgAuswertung &d) { QVERIFY(!Finde<QTableWidget>(&d, "TabKennzahlen")->isColumnHidden(2)); }));
    Finde<TZahlFeld>(fenster.get(), "EParam3Max")->setWert(380000);
    QVERIFY(ImDialog([&](TDlgAuswertung &d) { QVERIFY(Finde<QTableWidget>(&d, "TabKennzahlen")->isColumnHidden(2)); }));
  }

  // Percentages of LZ summing to 90: a tenth of the draws give LZ = 0, which the formula cannot
  // take. The run stops with the message; the dialog lists the combinations and compares nothing.
  void NichtBerechenbareKombinationen() {
    modell->Verteilungen[LZ].Prozent = {0, 10, 10, 10, 20, 20, 10, 10, 0, 0};
    Lauf(1000);
    QCOMPARE(meldungen, QStringList{"Ungültige Gleitkommaoperation."});
    QVERIFY(ImDialog([&](TDlgAuswertung &d) {
      auto *fehler = Finde<QTableWidget>(&d, "TabFehler");
      QCOMPARE(fehler->rowCount(), 1);
      QCOMPARE(Zellen(fehler, 0), QString("Ungültige Gleitkommaoperation 10,0000 % 10.000"));
      QVERIFY(Finde<QLabel>(&d, "LStichprobe")->text().startsWith("Der letzte Lauf endete mit einem Fehler"));
      QVERIFY(Finde<QTableWidget>(&d, "TabKennzahlen")->isColumnHidden(2));
    }));
  }

  // "Drucken" on the dialog's charts asks the main window's print dialog, over the evaluation dialog;
  // a cancelled dialog prints nothing.
  void DruckenFragtDenDruckdialog() {
    QWidget *eltern = nullptr;
    int gefragt = 0;
    fenster->setDruckDialog([&](QWidget *e, QPrinter &) {
      eltern = e;
      ++gefragt;
      return false;
    });
    QVERIFY(ImDialog([&](TDlgAuswertung &d) {
      QVERIFY(!d.ChartTornado()->Drucken());
      Finde<QAction>(&d, "MenuVerteilungDrucken")->trigger();
      QCOMPARE(gefragt, 2);
      QCOMPARE(eltern, &d);
      QVERIFY(d.ChartVerteilung()->BitmapKopieren());
      QVERIFY(d.ChartTornado()->MetafileKopieren());
    }));
    QVERIFY(meldungen.isEmpty());
  }

  void BerichtEineSeiteMitDenZahlen() {
    if (!Vorhanden("pdfinfo") || !Vorhanden("pdftotext")) QSKIP("pdfinfo/pdftotext (poppler-utils) fehlen");
    QTemporaryDir ordner;
    DateiDialogNach(PdfPfad(ordner));
    Lauf(2000);
    Menu("mnBerichtPdf");
    QVERIFY(meldungen.isEmpty());
    QVERIFY(QFile::exists(PdfPfad(ordner)));
    QCOMPARE(QDir(ordner.path()).entryList(QDir::Files), QStringList{"bericht.pdf"}); // no temporary file left

    const QString info = Ausgabe("pdfinfo", {PdfPfad(ordner)});
    QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
    QVERIFY2(info.contains("(A4)"), qPrintable(info));
    const QString text = Ausgabe("pdftotext", {"-layout", PdfPfad(ordner), "-"}).simplified();
    QStringList erwartet{"KWT Monte-Carlo-Simulation: Bericht",
                         "Erstellt am " + QDate::currentDate().toString("dd.MM.yyyy"),
                         "Liegenschaftszinssatz 4,80 5,10", "Bodenwert 675.000,00 720.000,00",
                         "2.000 Durchläufe",
                         "Exakte Verteilung des Verkehrswerts: 96.466 Werte aus 100.000 Klassenkombinationen",
                         "Mittelwert: 4.977.455", "Kolmogorow-Smirnow-Abstand:",
                         "Jahresrohertrag Klasse 1: 313.000,00 4.481.446 Klasse 10: 367.000,00 5.473.465 992.019",
                         "Histogramm der Verkehrswerte", "Relative Häufigkeitsverteilung"};
    // The nine figures of the run, as the main window's labels show them.
    for (const KennzahlEintrag &e : Kennzahlen) {
      erwartet << QString::fromUtf8(e.Beschriftung) + " " +
                      QString::fromStdString(Ergebnis().Anzeige(e.Art));
    }
    for (const QString &e : erwartet) QVERIFY2(text.contains(e), qPrintable(e + "\n---\n" + text));
  }

  void BerichtOhneLaufNennteDenGrund() {
    if (!Vorhanden("pdftotext")) QSKIP("pdftotext (poppler-utils) fehlt");
    QTemporaryDir ordner;
    DateiDialogNach(PdfPfad(ordner));
    Menu("mnBerichtPdf");
    const QString text = Ausgabe("pdftotext", {"-layout", PdfPfad(ordner), "-"}).simplified();
    QVERIFY(text.contains("Noch keine Stichprobe"));
    QVERIFY(text.contains("Mittelwert: 4.977.455"));
    QVERIFY(!text.contains("Histogramm der Verkehrswerte"));
    QVERIFY(!text.contains("Mittel Stichprobe:"));
  }

  void BerichtAbgebrochenSchreibtNichts() {
    QTemporaryDir ordner;
    int gefragt = 0;
    fenster->setDateiDialog([&](QWidget *, bool speichern, const QString &, const QString &filter, const QString &endung) {
      ++gefragt;
      [&] {
        QVERIFY(speichern);
        QVERIFY(filter.contains("*.pdf"));
        QCOMPARE(endung, QString("pdf"));
      }();
      return QString();
    });
    Lauf(100);
    Menu("mnBerichtPdf");
    QCOMPARE(gefragt, 1);
    QVERIFY(QDir(ordner.path()).isEmpty());
    QVERIFY(meldungen.isEmpty());
  }

  // The program's own save dialog asks before it replaces a file.
  void DerSpeicherdialogFragtVorDemErsetzen() {
    bool gesehen = false;
    QTimer::singleShot(0, this, [&] {
      auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
      if (!dialog) return;
      gesehen = true;
      [&] {
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(dialog->defaultSuffix(), QString("pdf"));
      }();
      dialog->reject();
    });
    Menu("mnBerichtPdf");
    QVERIFY(gesehen);
  }

  void SchreibfehlerInDerFehlerbox() {
    DateiDialogNach(QDir::temp().filePath("kwt-gibt-es-nicht/bericht.pdf"));
    Menu("mnBerichtPdf");
    QCOMPARE(meldungen.size(), 1);
    QVERIFY(meldungen[0].contains("kann nicht geschrieben werden"));
  }

  void StichprobenKurveAlsTreppe() {
    const std::vector<double> werte{3000, 1000, 2000, 2000};
    const auto treppe = StichprobenKurve(werte);
    const std::vector<Kurvenpunkt> erwartet{{1, 0}, {1, 0.25}, {2, 0.25}, {2, 0.75}, {3, 0.75}, {3, 1}};
    QVERIFY(treppe == erwartet);
    // Too many steps: the share not above x at evenly spaced x.
    const auto duenn = StichprobenKurve(werte, 5);
    const std::vector<Kurvenpunkt> gleichmaessig{{1, 0.25}, {1.5, 0.25}, {2, 0.75}, {2.5, 0.75}, {3, 1}};
    QVERIFY(duenn == gleichmaessig);
    QVERIFY(StichprobenKurve({}).empty());
  }
};

KWT_FENSTER_TEST_MAIN(AuswertungTest)

#include "AuswertungTest.moc"
