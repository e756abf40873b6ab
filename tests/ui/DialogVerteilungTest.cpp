// The distribution editor, driven as a user would, offscreen under German regional settings: on its
// own and opened modally by VerteilungBearbeiten. From the main window's buttons: VerteilungKnoepfeTest.
#include <QApplication>
#include <QBarSet>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cfloat>
#include <functional>

#include "DiagrammAnsicht.h"
#include "DialogVerteilung.h"
#include "Drucker.h"
#include "Fenstermasse.h"
#include "Fenstertest.h"
#include "Teiler.h"

using namespace kwt;
using test::Tippen;

namespace {

QList<double> Hoehen(const TDlgVerteilung &d) {
  QList<double> h;
  for (int i = 0; i < d.ChartV()->Balken()->count(); ++i) h.append(d.ChartV()->Balken()->at(i));
  return h;
}

QList<double> AlsListe(const Klassenwerte &w) { return QList<double>(w.begin(), w.end()); }

// The bounds the main window's fields hold after start-up, without a shape.
TGrenzenUndForm Rahmen(Parameter p) { return {StandardMin[p], StandardMax[p], std::nullopt, false}; }

QStringList Beschriftungen(const TDlgVerteilung &d) {
  QStringList texte;
  for (const TAchsenMarke &m : d.ChartV()->UntereAchse()->Marken()) texte << m.Text;
  return texte;
}

QList<double> LinkeMarken(const TDlgVerteilung &d) {
  QList<double> werte;
  for (const TAchsenMarke &m : d.ChartV()->LinkeAchse()->Marken()) werte << m.Wert;
  return werte;
}

bool Gruen(const TDlgVerteilung &d) { return d.ESumme()->palette().color(QPalette::Base) == QColor(0, 128, 0); }
bool Rot(const TDlgVerteilung &d) { return d.ESumme()->palette().color(QPalette::Base) == QColor(255, 0, 0); }
bool OkAn(const TDlgVerteilung &d) { return d.findChild<QPushButton *>("BtnOK")->isEnabled(); }

} // namespace

class DialogVerteilungTest : public test::Fenstertest {
  Q_OBJECT

  std::unique_ptr<TDlgVerteilung> dialog;
  Bewertungsmodell vorbereitet; // tables as after start-up and a "Verteilung" button

  using Fenstertest::Klick;
  void Klick(QWidget *in, const char *name) {
    auto *knopf = in->findChild<QPushButton *>(name);
    if (!knopf) qFatal("%s fehlt", name);
    QTest::mouseClick(knopf, Qt::LeftButton);
  }

  void ImDialog(std::function<void(TDlgVerteilung &)> schritt) { ImModalenDialog<TDlgVerteilung>(std::move(schritt)); }

  void Oeffnen(Parameter p, const QString &name) {
    dialog = std::make_unique<TDlgVerteilung>();
    dialog->Laden(name, vorbereitet.Verteilungen[p], Rahmen(p));
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
  }

private slots:
  void initTestCase() { UmgebungEinrichten(); }
  void init() {
    meldungen.clear();
    vorbereitet = test::VorbereitetesStandardmodell();
  }
  void cleanup() {
    dialog.reset();
    fenster.reset();
    QVERIFY(meldungen.isEmpty());
  }

  void GeoeffnetNachNormalverteilung() {
    Oeffnen(LZ, "Liegenschaftszinssatz");
    TDlgVerteilung &d = *dialog;
    const QStringList spalte{"1,00", "5,00", "9,00", "10,00", "25,00", "25,00", "10,00", "9,00", "5,00", "1,00"};
    for (int k = 0; k < 10; ++k) {
      QCOMPARE(d.EW(k)->text(), spalte[k]);
      QCOMPARE(d.E(k)->Wert(), vorbereitet.Verteilungen[LZ].Mitte[static_cast<std::size_t>(k)]);
    }
    QCOMPARE(d.E(0)->text(), QString("4,82"));
    QCOMPARE(d.ESumme()->text(), QString("100,00"));
    QVERIFY(Gruen(d));
    QVERIFY(OkAn(d));
    QCOMPARE(d.ChartV()->LinkeAchse()->min(), 0.0);
    QCOMPARE(d.ChartV()->LinkeAchse()->max(), 30.0);
    QCOMPARE(LinkeMarken(d), (QList<double>{0, 10, 20, 30}));
    QCOMPARE(Hoehen(d), AlsListe(ZeilenWerte(Zeile::Normal)));
    // Midpoints 4.815, 4.845, ... with two decimals, rounded half away from zero.
    QCOMPARE(Beschriftungen(d), (QStringList{"4,82", "4,85", "4,88", "4,91", "4,94", "4,97", "5,00", "5,03", "5,06",
                                             "5,09"}));
    QCOMPARE(d.Arbeitskopie(), vorbereitet.Verteilungen[LZ]);
    QCOMPARE(d.windowTitle(), QString("Liegenschaftszinssatz"));
    QCOMPARE(d.ChartV()->Titel(), QString("Verteilung Liegenschaftszinssatz"));
  }

  void EW5AufSechsundzwanzigUndZurueck() {
    Oeffnen(RND, "Restnutzungsdauer");
    TDlgVerteilung &d = *dialog;
    Tippen(d.EW(4), "26");
    QCOMPARE(d.ESumme()->text(), QString("101,00"));
    QVERIFY(Rot(d));
    QVERIFY(!OkAn(d));
    QCOMPARE(d.ChartV()->LinkeAchse()->max(), 31.0);
    QCOMPARE(d.Arbeitskopie().Prozent[4], 26.0L);
    QCOMPARE(d.ChartV()->Balken()->at(4), 26.0);
    // The table itself is untouched while the dialog is open.
    QCOMPARE(vorbereitet.Verteilungen[RND].Prozent, ZeilenWerte(Zeile::Normal));
    // Far above 100 the labels every 10 would not fit the axis; it takes a coarser step.
    Tippen(d.EW(4), "250");
    QCOMPARE(d.ChartV()->LinkeAchse()->max(), 255.0);
    QVERIFY(LinkeMarken(d).size() <= 11);
    QCOMPARE(LinkeMarken(d).first(), 0.0);
    Tippen(d.EW(4), "25");
    QCOMPARE(d.ESumme()->text(), QString("100,00"));
    QVERIFY(Gruen(d));
    QVERIFY(OkAn(d));
    QCOMPARE(d.ChartV()->LinkeAchse()->max(), 30.0);
  }

  void VoreinstellungsKnoepfe_data() {
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<int>("zeile");
    QTest::addColumn<double>("achse");
    QTest::newRow("Linksschief") << "BtnLinks" << int(Zeile::Steigend) << 45.0;
    QTest::newRow("Normal") << "BtnNormal" << int(Zeile::Normal) << 30.0;
    QTest::newRow("Rechtsschief") << "BtnRechts" << int(Zeile::Fallend) << 45.0;
    QTest::newRow("Gleichverteilt") << "BtnGleich" << int(Zeile::Gleich) << 15.0;
    QTest::newRow("Einpunkt") << "BtnEinpunkt" << int(Zeile::Einpunkt) << 105.0;
  }
  void VoreinstellungsKnoepfe() {
    QFETCH(QString, knopf);
    QFETCH(int, zeile);
    QFETCH(double, achse);
    const Klassenwerte &reihe = ZeilenWerte(static_cast<Zeile>(zeile));
    Oeffnen(BWK, "Bewirtschaftungskosten");
    TDlgVerteilung &d = *dialog;
    Tippen(d.EW(0), "7"); // a red state first, so that the button has something to repair
    QVERIFY(Rot(d));
    Klick(&d, knopf.toLatin1().constData());
    for (int k = 0; k < 10; ++k) QCOMPARE(d.EW(k)->Wert(), reihe[static_cast<std::size_t>(k)]);
    QCOMPARE(d.Arbeitskopie().Prozent, reihe);
    QCOMPARE(Hoehen(d), AlsListe(reihe));
    QCOMPARE(d.ChartV()->LinkeAchse()->max(), achse);
    QCOMPARE(LinkeMarken(d).size(), qsizetype(achse / 10) + 1); // every 10 from 0
    QVERIFY(Gruen(d));
    QVERIFY(OkAn(d));
  }

  void AlleFelderGeleert() {
    Oeffnen(LZ, "Liegenschaftszinssatz");
    TDlgVerteilung &d = *dialog;
    const QStringList vorher = Beschriftungen(d);
    for (int k = 0; k < 10; ++k) Tippen(d.EW(k), "");
    for (int k = 0; k < 10; ++k) QVERIFY(d.EW(k)->text().isEmpty());
    QCOMPARE(d.ESumme()->Wert(), 0.0L);
    QVERIFY(Rot(d));
    QVERIFY(!OkAn(d));
    QCOMPARE(d.ChartV()->LinkeAchse()->max(), 5.0);
    QCOMPARE(Hoehen(d), QList<double>(10, 0.0)); // ten empty slots ...
    QCOMPARE(Beschriftungen(d), vorher);          // ... still labelled with the midpoints
    QCOMPARE(Beschriftungen(d).size(), 10);
    QCOMPARE(d.Arbeitskopie().Prozent, Klassenwerte{});
    QCOMPARE(d.Arbeitskopie().Mitte, vorbereitet.Verteilungen[LZ].Mitte);
  }

  // OK follows the extended-precision sum, accumulated in class order under upward rounding, not the
  // decimal sum on paper.
  void DezimaleSummen_data() {
    QTest::addColumn<QStringList>("prozente");
    QTest::addColumn<bool>("ok");
    QTest::newRow("33,33+33,33+33,34 misses 100 in the last place")
        << QStringList{"33,33", "33,33", "33,34", "0", "0", "0", "0", "0", "0", "0"} << false;
    QTest::newRow("10,1 and 9,9 alternating misses too")
        << QStringList{"10,1", "9,9", "10,1", "9,9", "10,1", "9,9", "10,1", "9,9", "10,1", "9,9"} << false;
    QTest::newRow("nine times 0,1 and 99,1 hits 100")
        << QStringList{"0,1", "0,1", "0,1", "0,1", "0,1", "0,1", "0,1", "0,1", "0,1", "99,1"} << true;
    QTest::newRow("whole numbers") << QStringList{"3", "0", "17", "0", "0", "44", "6", "0", "29", "1"} << true;
    QTest::newRow("one field with 100") << QStringList{"", "", "", "", "", "", "", "", "", "100"} << true;
  }
  void DezimaleSummen() {
    QFETCH(QStringList, prozente);
    QFETCH(bool, ok);
    // The sum as the program forms it, and the decimal sum, which is 100 in every row.
    Extended summe = 0;
    long long hundertstel = 0;
    for (QString p : prozente) {
      p.replace(',', '.');
      summe = Plus(summe, p.isEmpty() ? 0 : TextZuExtended(p.toStdString()));
      hundertstel += p.isEmpty() ? 0 : std::llround(p.toDouble() * 100);
    }
    QCOMPARE(hundertstel, 10000LL);
    QCOMPARE(summe == 100, ok);

    Oeffnen(RO, "Rohertrag");
    TDlgVerteilung &d = *dialog;
    for (int k = 0; k < 10; ++k) Tippen(d.EW(k), prozente[k]);
    QCOMPARE(d.ESumme()->Wert(), summe);
    QCOMPARE(d.ESumme()->text(), QString("100,00"));
    QCOMPARE(Gruen(d), ok);
    QCOMPARE(Rot(d), !ok);
    QCOMPARE(OkAn(d), ok);
  }

  void AbbrechenEscUndSchliessfeldSchreibenNichts() {
    const TParamVerteilung vorher = vorbereitet.Verteilungen[BO];
    for (const char *wie : {"Abbrechen", "Esc", "Schliessfeld"}) {
      ImDialog([wie](TDlgVerteilung &d) {
        QTest::mouseClick(d.findChild<QPushButton *>("BtnEinpunkt"), Qt::LeftButton);
        Tippen(d.EW(0), "3");
        if (QString(wie) == "Abbrechen") QTest::mouseClick(d.findChild<QPushButton *>("BtnAbbrechen"), Qt::LeftButton);
        if (QString(wie) == "Esc") QTest::keyClick(d.EW(0), Qt::Key_Escape);
        if (QString(wie) == "Schliessfeld") d.close();
        QVERIFY(!d.isVisible());
      });
      TGrenzenUndForm rahmen = Rahmen(BO);
      QVERIFY(!VerteilungBearbeiten(nullptr, "Bodenwert", vorbereitet.Verteilungen[BO], rahmen));
      QCOMPARE(vorbereitet.Verteilungen[BO], vorher);
    }
    // Opened again, the old values show.
    ImDialog([](TDlgVerteilung &d) { QCOMPARE(d.EW(4)->Wert(), 25.0L); });
    TGrenzenUndForm rahmen = Rahmen(BO);
    VerteilungBearbeiten(nullptr, "Bodenwert", vorbereitet.Verteilungen[BO], rahmen);
  }

  void OkSchreibtNurDieProzente() {
    TParamVerteilung &tabelle = vorbereitet.Verteilungen[RND];
    // Cumulative fractions that do not match the percentages show that OK leaves them alone.
    tabelle.Kumuliert.fill(0.5L);
    const TParamVerteilung vorher = tabelle;
    ImDialog([&tabelle](TDlgVerteilung &d) {
      // Midpoints changed behind the dialog's back stay as they are: OK writes the percentages only.
      tabelle.Mitte[0] = 7;
      QCOMPARE(d.focusWidget(), static_cast<QWidget *>(d.EW(0)));
      QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(d.EW(0)));
      QTest::mouseClick(d.findChild<QPushButton *>("BtnGleich"), Qt::LeftButton);
      Tippen(d.EW(0), "0,1");
      Tippen(d.EW(1), "19,9");
      QVERIFY(OkAn(d));
      QTest::mouseClick(d.findChild<QPushButton *>("BtnOK"), Qt::LeftButton);
    });
    TGrenzenUndForm rahmen = Rahmen(RND);
    QVERIFY(VerteilungBearbeiten(nullptr, "Restnutzungsdauer", tabelle, rahmen));
    // Without a shape the bounds stay the main window's.
    QVERIFY(!rahmen.GrenzenGeaendert);
    QCOMPARE(rahmen.Min, StandardMin[RND]);
    QCOMPARE(rahmen.Max, StandardMax[RND]);
    QCOMPARE(rahmen.Form, std::nullopt);
    Klassenwerte erwartet = ZeilenWerte(Zeile::Gleich);
    erwartet[0] = TextZuExtended("0.1"); // the value as typed, read with round-to-nearest
    erwartet[1] = TextZuExtended("19.9");
    QCOMPARE(tabelle.Prozent, erwartet);
    Klassenwerte mitte = vorher.Mitte;
    mitte[0] = 7;
    QCOMPARE(tabelle.Mitte, mitte);
    QCOMPARE(tabelle.Kumuliert, vorher.Kumuliert);
  }

  void OkGesperrtBeiFalscherSumme() {
    const TParamVerteilung vorher = vorbereitet.Verteilungen[LZ];
    ImDialog([](TDlgVerteilung &d) {
      Tippen(d.EW(9), "2");
      QTest::mouseClick(d.findChild<QPushButton *>("BtnOK"), Qt::LeftButton);
      QTest::keyClick(d.EW(9), Qt::Key_Return); // OK is the default button, but disabled
      QVERIFY(d.isVisible());
      Tippen(d.EW(9), "1");
      QTest::keyClick(d.EW(9), Qt::Key_Return);
      QVERIFY(!d.isVisible());
      QCOMPARE(d.result(), int(QDialog::Accepted));
    });
    TGrenzenUndForm rahmen = Rahmen(LZ);
    VerteilungBearbeiten(nullptr, "Liegenschaftszinssatz", vorbereitet.Verteilungen[LZ], rahmen);
    QCOMPARE(vorbereitet.Verteilungen[LZ], vorher);
  }

  // A percentage field that holds no number counts as 0, also in what OK writes back.
  void UngueltigesFeldZaehltNull() {
    Oeffnen(LZ, "Liegenschaftszinssatz");
    TDlgVerteilung &d = *dialog;
    Klick(&d, "BtnEinpunkt");
    Tippen(d.EW(0), "-");
    QVERIFY(!d.EW(0)->Gueltig());
    QVERIFY(Gruen(d));
    TParamVerteilung t = vorbereitet.Verteilungen[LZ];
    d.ProzenteZurueckschreiben(t);
    QCOMPARE(t.Prozent, ZeilenWerte(Zeile::Einpunkt));
  }

  // The error that stops the opening (an overflowing sum) leaves no dialog behind.
  void FehlerBeimOeffnenRaeumtAuf() {
    TParamVerteilung t{};
    t.Prozent[0] = LDBL_MAX;
    t.Prozent[1] = LDBL_MAX;
    bool geworfen = false;
    try {
      TGrenzenUndForm rahmen = Rahmen(BO);
      VerteilungBearbeiten(nullptr, "Bodenwert", t, rahmen);
    } catch (const GleitkommaFehler &f) {
      geworfen = true;
      QCOMPARE(QString::fromUtf8(f.what()), QString("Gleitkommaüberlauf"));
    }
    QVERIFY(geworfen);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget *w : QApplication::topLevelWidgets()) QVERIFY(!qobject_cast<TDlgVerteilung *>(w));
    QCOMPARE(t.Prozent[0], LDBL_MAX);
  }

  void Aufbau() {
    Oeffnen(BO, "Bodenwert");
    TDlgVerteilung &d = *dialog;
    QCOMPARE(d.size(), QSize(765, 398));
    const Qt::WindowFlags f = d.windowFlags();
    QVERIFY(f & Qt::WindowStaysOnTopHint);
    QVERIFY(f & Qt::WindowCloseButtonHint);
    QVERIFY(!(f & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(f & Qt::WindowMaximizeButtonHint));

    // The button bar: 41 pixels at the bottom, seven buttons of 75 x 25 from the left in this order,
    // wider where the text needs it ("Rechtsschief", "Gleichverteilt"), none over the next.
    QWidget *leiste = d.findChild<QWidget *>("PanelKnoepfe");
    QCOMPARE(leiste->geometry(), QRect(0, 398 - 41, 765, 41));
    int rechts = -1;
    for (const char *name : {"BtnOK", "BtnAbbrechen", "BtnLinks", "BtnNormal", "BtnRechts", "BtnGleich", "BtnEinpunkt"}) {
      auto *b = d.findChild<QPushButton *>(name);
      QCOMPARE(b->height(), 25);
      QVERIFY2(b->width() >= 75, name);
      test::TextPasst(b);
      QVERIFY2(b->x() > rechts, name);
      rechts = b->geometry().right();
    }
    QVERIFY(rechts < leiste->width());
    QCOMPARE(d.findChild<QPushButton *>("BtnOK")->text(), QString("&OK"));
    QVERIFY(d.findChild<QPushButton *>("BtnOK")->isDefault());
    QCOMPARE(d.findChild<QPushButton *>("BtnLinks")->text(), QString("Linksschief"));
    QCOMPARE(d.findChild<QPushButton *>("BtnGleich")->text(), QString("Gleichverteilt"));

    // The table: rows 28 pixels apart, the midpoints and the sum only show.
    for (int k = 1; k < 10; ++k) {
      QCOMPARE(d.EW(k)->y() - d.EW(k - 1)->y(), 28);
      QCOMPARE(d.E(k)->y(), d.EW(k)->y());
    }
    QCOMPARE(d.ESumme()->y() - d.EW(9)->y(), 28);
    for (TZahlFeld *f : {d.E(0), d.E(9), d.ESumme()}) {
      QVERIFY(f->isReadOnly());
      QVERIFY(!f->isEnabled());
      QCOMPARE(f->focusPolicy(), Qt::NoFocus);
    }
    QCOMPARE(d.E(0)->palette().color(QPalette::Base), d.palette().color(QPalette::Window));
    QCOMPARE(d.E(0)->Maske().Bild, QString("##,###,###.##"));
    QCOMPARE(d.EW(0)->Maske().Bild, QString("###.##"));
    QCOMPARE(d.ESumme()->Maske().Bild, QString("###.##"));
    // Readable on both colours: not the grey of a disabled field.
    QCOMPARE(d.ESumme()->palette().color(QPalette::Disabled, QPalette::Text), QColor(Qt::white));
    for (const char *text : {"Klassenmitten:", "Wahrscheinlichkeit", "Summe:"}) {
      bool da = false;
      for (QLabel *l : d.findChildren<QLabel *>()) da = da || l->text() == text;
      QVERIFY2(da, text);
    }

    // The splitter: 3 pixels, 259 on the left; twice as wide keeps the proportion.
    auto *teiler = d.findChild<TTeiler *>("OvcSplitter1");
    QCOMPARE(teiler->handleWidth(), 3);
    QCOMPARE(teiler->sizes().first(), 259);
    QCOMPARE(teiler->height(), 398 - 41);
    d.resize(2 * 762 + 3, 500);
    QCOMPARE(teiler->sizes(), (QList<int>{2 * 259, 2 * 503}));

    // Tab order: the percentages from the top, then the buttons.
    QStringList folge;
    QWidget *w = d.EW(0);
    for (int i = 0; i < 17; ++i, w = w->nextInFocusChain()) {
      while (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(&d)) w = w->nextInFocusChain();
      folge << w->objectName();
    }
    QCOMPARE(folge, (QStringList{"EW1", "EW2", "EW3", "EW4", "EW5", "EW6", "EW7", "EW8", "EW9", "EW10", "BtnOK",
                                 "BtnAbbrechen", "BtnLinks", "BtnNormal", "BtnRechts", "BtnGleich", "BtnEinpunkt"}));
  }

  // Right-click menu of the chart: "Drucken" goes to the current printer at once, without a dialog.
  void DiagrammMenu() {
    Oeffnen(RO, "Rohertrag");
    TDlgVerteilung &d = *dialog;
    QMenu *menu = d.ChartV()->Menu();
    QCOMPARE(menu->objectName(), QString("PopupDrucken"));
    QStringList namen, texte;
    for (QAction *a : menu->actions()) {
      namen << a->objectName();
      texte << a->text();
    }
    QCOMPARE(namen, (QStringList{"PopDrucken", "N1", "Zwischenablage1", "ZwischenablageBitmap1"}));
    QCOMPARE(texte, (QStringList{"Drucken", "", "Zwischenablage (Metafile)", "Zwischenablage (Bitmap)"}));

    QTemporaryDir ordner;
    QPrinter &drucker = AktuellerDrucker();
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(ordner.filePath("ChartV.pdf"));
    int fremdeDialoge = 0;
    QTimer waechter; // a print dialog would block here; close it and count it
    connect(&waechter, &QTimer::timeout, this, [&] {
      if (QWidget *m = QApplication::activeModalWidget()) {
        ++fremdeDialoge;
        m->close();
      }
    });
    waechter.start(50);
    menu->actions()[0]->trigger();
    waechter.stop();
    drucker.setOutputFileName(QString());
    QCOMPARE(fremdeDialoge, 0);
    QVERIFY(QFileInfo(ordner.filePath("ChartV.pdf")).size() > 0);

    d.ZwischenablageBitmap1Click();
    const QImage bild = QGuiApplication::clipboard()->image();
    QCOMPARE(bild.size(), d.ChartV()->Bildgroesse());
  }
};

KWT_FENSTER_TEST_MAIN(DialogVerteilungTest)

#include "DialogVerteilungTest.moc"
