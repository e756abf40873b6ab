// "Vergleichen mit Szenario…" driven as a user would, offscreen, under German regional settings: the
// current inputs against a scenario file, against themselves, and files that cannot be compared.
#include <QAction>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <fstream>

#include "DialogVergleich.h"
#include "ExakteAuswertung.h"
#include "Fenstertest.h"
#include "Szenario.h"
#include "Variantenvergleich.h"

using namespace kwt;

class VergleichTest : public test::Fenstertest {
  Q_OBJECT

  QTemporaryDir ordner;

  // Opens the comparison with the file `pfad`, hands the window to pruefen and closes it; false when
  // no window opened.
  template <class F> bool ImVergleich(const QString &pfad, F pruefen) {
    fenster->setDateiDialog([pfad](QWidget *, bool speichern, const QString &, const QString &, const QString &endung) {
      return !speichern && endung == "kwt" ? pfad : QString();
    });
    bool gesehen = false;
    QTimer::singleShot(0, this, [&] {
      auto *dialog = fenster->findChild<TDlgVergleich *>();
      if (!dialog) return;
      gesehen = true;
      pruefen(*dialog);
      dialog->accept();
    });
    Menu("mnVergleichen");
    return gesehen;
  }

  QString Speichern(const char *name, const Szenario &s) {
    const QString pfad = ordner.filePath(name);
    SzenarioSpeichern(pfad.toStdString(), s);
    return pfad;
  }

  static QStringList Spalte(const QTableWidget *t, int s) {
    QStringList texte;
    for (int z = 0; z < t->rowCount(); ++z) texte << t->item(z, s)->text();
    return texte;
  }

private slots:
  void initTestCase() { UmgebungEinrichten(); }
  void init() { HauptfensterOeffnen(); }
  void cleanup() { fenster.reset(); }

  // The window's own inputs as B: every difference 0, higher and lower equally likely.
  void MitSichSelbst() {
    const QString pfad = Speichern("selbst.kwt", fenster->SzenarioAusFenster());
    QVERIFY(ImVergleich(pfad, [&](TDlgVergleich &d) {
      auto *t = Finde<QTableWidget>(&d, "TabVergleich");
      QCOMPARE(t->rowCount(), 9);
      QCOMPARE(Spalte(t, 1), Spalte(t, 2));
      QCOMPARE(Spalte(t, 3), QStringList(QList<QString>(9, "0")));
      QCOMPARE(t->item(0, 1)->text(), QString("4.977.455"));
      const QString hoeher = Finde<QLabel>(&d, "LBHoeher")->text().section("= ", 1);
      QVERIFY(Finde<QLabel>(&d, "LGleich")->text().endsWith("P(VKW_B < VKW_A) = " + hoeher + "."));
      QCOMPARE(Finde<QLabel>(&d, "LVarianteB")->text().left(24), QString("Variante B: selbst.kwt ("));
      TDiagrammAnsicht *chart = d.ChartVergleich();
      QCOMPARE(chart->Kurve()->points(), chart->Median()->points());
      QVERIFY(chart->chart()->legend()->isVisible());
    }));
    QVERIFY(meldungen.isEmpty());
  }

  // A higher gross income as B, with the thresholds of the evaluation: the figures of both exact
  // distributions, computed here from the bounds, and "Drucken" asking the main window's dialog.
  void MitHoeheremRohertrag() {
    Szenario b = fenster->SzenarioAusFenster();
    b.Min[RO] += 10000;
    b.Max[RO] += 10000;
    const QString pfad = Speichern("b.kwt", b);
    const ExakteVerteilung ea = VarianteBerechnen(StandardMin, StandardMax, StandardProzente());
    const ExakteVerteilung eb = VarianteBerechnen(b.Min, b.Max, b.Prozent);
    const Variantenvergleich v = VariantenVergleichen(ea, eb);
    int gefragt = 0;
    fenster->setDruckDialog([&](QWidget *, QPrinter &) {
      ++gefragt;
      return false;
    });
    // An amount entered in the evaluation reaches the comparison.
    QTimer::singleShot(0, this, [&] {
      auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
      if (!d) return;
      d->findChild<TZahlFeld *>("ESchwelle")->insert("5.000.000");
      QMetaObject::invokeMethod(d, "BtnSchwelleHinzufuegenClick");
      d->accept();
    });
    Menu("mnExakteVerteilung");
    QVERIFY(ImVergleich(pfad, [&](TDlgVergleich &d) {
      auto *t = Finde<QTableWidget>(&d, "TabVergleich");
      for (int z = 0; z < 9; ++z) {
        QCOMPARE(t->item(z, 1)->text(), QString::fromStdString(v.Zeilen[static_cast<std::size_t>(z)].AText));
        QCOMPARE(t->item(z, 2)->text(), QString::fromStdString(v.Zeilen[static_cast<std::size_t>(z)].BText));
      }
      QCOMPARE(t->item(5, 2)->text(), QString::fromStdString(ZahlFormatieren(0, true, true, eb.Quantil(0.5L), false)));
      QCOMPARE(Finde<QLabel>(&d, "LBHoeher")->text(), "P(VKW_B > VKW_A) = " + QString::fromStdString(v.BHoeherText));
      auto *schwellen = Finde<QTableWidget>(&d, "TabVergleichSchwellen");
      QCOMPARE(schwellen->rowCount(), 1);
      QCOMPARE(schwellen->item(0, 2)->text(), QString::fromStdString(ProzentText(eb.AnteilUnter(5000000))));
      QVERIFY(!d.ChartVergleich()->Drucken());
      QVERIFY(d.ChartVergleich()->BitmapKopieren());
    }));
    QCOMPARE(gefragt, 1);
    QVERIFY(meldungen.isEmpty());
  }

  // After a comparison the report carries it on its last page, variant B's inputs with it.
  void BerichtMitDemVergleich() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext (poppler-utils) fehlt");
    Szenario b = fenster->SzenarioAusFenster();
    b.Min[RO] = 320000;
    b.Max[RO] = 380000;
    const QString pfad = Speichern("b.kwt", b);
    QString hoeher;
    QVERIFY(ImVergleich(pfad, [&](TDlgVergleich &d) { hoeher = Finde<QLabel>(&d, "LBHoeher")->text(); }));
    const QString pdf = ordner.filePath("bericht.pdf");
    fenster->setDateiDialog([pdf](QWidget *, bool, const QString &, const QString &, const QString &) { return pdf; });
    Menu("mnBerichtPdf");
    QVERIFY(meldungen.isEmpty());
    QProcess p;
    p.start("pdftotext", {"-layout", "-f", "3", "-l", "3", pdf, "-"});
    p.waitForFinished(30000);
    const QString text = QString::fromUtf8(p.readAllStandardOutput()).simplified();
    for (const QString &e : {QString("Vergleich zweier Varianten"), QString("Variante B: b.kwt"),
                             QString("Eingaben der Variante B"), QString("Jahresrohertrag €/Jahr 320.000,00 380.000,00"),
                             hoeher, QString("Verteilungsfunktionen der beiden Varianten"), QString("Seite 3 von 3")}) {
      QVERIFY2(text.contains(e), qPrintable(e + "\n---\n" + text));
    }
  }

  // A file that is no scenario, a scenario whose bounds cannot be prepared, and a cancelled file
  // dialog: a message naming the reason, or nothing, and no window.
  void NichtVergleichbar() {
    const QString kaputt = ordner.filePath("kaputt.kwt");
    std::ofstream(kaputt.toStdString()) << "{\"format\": \"KWT-Szenario\", \"version\": 9}";
    QVERIFY(!ImVergleich(kaputt, [](TDlgVergleich &) {}));
    QCOMPARE(meldungen.size(), 1);
    QVERIFY2(meldungen[0].contains("9"), qPrintable(meldungen[0]));
    QVERIFY(!ImVergleich(ordner.filePath("fehlt.kwt"), [](TDlgVergleich &) {}));
    QCOMPARE(meldungen.size(), 2);
    QVERIFY2(meldungen[1].contains("fehlt.kwt"), qPrintable(meldungen[1]));
    QVERIFY(!ImVergleich(QString(), [](TDlgVergleich &) {}));
    QCOMPARE(meldungen.size(), 2);
  }
};

KWT_FENSTER_TEST_MAIN(VergleichTest)

#include "VergleichTest.moc"
