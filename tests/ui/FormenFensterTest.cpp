// The distribution editor's "Form…" part, negative percentages in the editor, and the remaining-life
// dialog of the RND row, driven as a user would, offscreen under German regional settings: on their
// own and from the main window.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <functional>

#include <QBarSet>

#include "DiagrammAnsicht.h"
#include "DialogRestnutzungsdauer.h"
#include "DialogVerteilung.h"
#include "Fenstertest.h"
#include "FormTeil.h"

using namespace kwt;
using test::Einfuegen;
using test::Tippen;

namespace {

Extended Dezimal(const char *text) { return TextZuExtended(text); }

const QColor Rot(255, 0, 0);
bool RotHinterlegt(const QWidget *w) { return w->palette().color(QPalette::Base) == Rot; }
bool OkAn(const QWidget &d) { return d.findChild<QPushButton *>("BtnOK")->isEnabled(); }

Klassenwerte Prozente(const TDlgVerteilung &d) {
  Klassenwerte w{};
  for (int k = 0; k < 10; ++k) w[static_cast<std::size_t>(k)] = d.EW(k)->Wert();
  return w;
}

// Choosing a shape in the list, as the mouse does it.
void FormWaehlen(TFormTeil &teil, FormArt art) {
  QComboBox *liste = teil.EFormArt();
  liste->setCurrentIndex(liste->findData(static_cast<int>(art)));
}

} // namespace

class FormenFensterTest : public test::Fenstertest {
  Q_OBJECT

  Bewertungsmodell vorbereitet; // tables as after start-up and a "Verteilung" button
  std::unique_ptr<TDlgVerteilung> dialog;

  TDlgVerteilung &Oeffnen(Parameter p) {
    dialog = std::make_unique<TDlgVerteilung>();
    dialog->Laden(ParameterBezeichnung[p], vorbereitet.Verteilungen[p], {StandardMin[p], StandardMax[p], std::nullopt, false});
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog.get())) qFatal("Editor nicht sichtbar");
    return *dialog;
  }
  using Fenstertest::Klick;
  static void Klick(QWidget *in, const char *name) {
    auto *knopf = in->findChild<QPushButton *>(name);
    if (!knopf) qFatal("%s fehlt", name);
    QTest::mouseClick(knopf, Qt::LeftButton);
  }
  template <class D> void ImDialog(std::function<void(D &)> schritt) { ImModalenDialog<D>(std::move(schritt)); }

private slots:
  void initTestCase() { UmgebungEinrichten(); }
  void init() {
    meldungen.clear();
    vorbereitet = test::VorbereitetesStandardmodell();
  }
  void cleanup() {
    dialog.reset();
    fenster.reset();
    QVERIFY2(meldungen.isEmpty(), qPrintable(meldungen.join(" | ")));
  }

  // "Form…" opens the part below the table with the first shape's defaults for the bounds and takes
  // it at once: 4,80 / 4,95 / 5,10 is a symmetric triangle, 2 6 10 14 18 per cent from each side.
  void FormKnopfOeffnetUndRechnetSofort() {
    TDlgVerteilung &d = Oeffnen(LZ);
    TFormTeil *teil = d.FormTeil();
    QVERIFY(!teil->isVisible());
    Klick(&d, "BtnForm");
    QVERIFY(teil->isVisible());
    QCOMPARE(d.height(), 398 + teil->height());
    QCOMPARE(teil->EFormArt()->currentText(), QString("Dreieck"));
    QCOMPARE(teil->EFormZahl(0)->text(), QString("4,80"));
    QCOMPARE(teil->EFormZahl(1)->text(), QString("4,95"));
    QCOMPARE(teil->EFormZahl(2)->text(), QString("5,10"));
    QVERIFY(!teil->EFormZahl(3)->isVisible());
    // Tab goes from "Form…" to the shape and on through its numbers.
    QCOMPARE(d.findChild<QPushButton *>("BtnForm")->nextInFocusChain(), static_cast<QWidget *>(teil->EFormArt()));
    QCOMPARE(teil->EFormArt()->nextInFocusChain(), static_cast<QWidget *>(teil->EFormZahl(0)));
    QCOMPARE(Prozente(d), (Klassenwerte{2, 6, 10, 14, 18, 18, 14, 10, 6, 2}));
    QCOMPARE(d.E(0)->text(), QString("4,82"));
    QCOMPARE(d.ChartV()->LinkeAchse()->max(), 23.0);
    QCOMPARE(teil->LFormMeldung()->text(), QString("Grenzen 4,80 bis 5,10, Prozente auf 0,1 gerundet."));
    QVERIFY(OkAn(d));
    // Closed again, the part goes and the table stays as the shape left it.
    Klick(&d, "BtnForm");
    QVERIFY(!teil->isVisible());
    QCOMPARE(d.height(), 398);
    QCOMPARE(Prozente(d), (Klassenwerte{2, 6, 10, 14, 18, 18, 14, 10, 6, 2}));
  }

  // A shape chosen and its numbers typed: bounds, midpoints, percentages and chart follow at once.
  void FormenGetippt_data() {
    QTest::addColumn<int>("param");
    QTest::addColumn<int>("art");
    QTest::addColumn<QStringList>("zahlen");
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("ersteMitte");
    QTest::addColumn<QString>("meldung");
    // Class width 8.000 on 300.000 to 380.000; a symmetric triangle.
    QTest::newRow("dreieck") << int(RO) << int(FormArt::Dreieck) << QStringList{"300000", "340000", "380000"}
                             << "300000" << "380000" << "304.000,00"
                             << "Grenzen 300.000,00 bis 380.000,00, Prozente auf 0,1 gerundet.";
    QTest::newRow("gleich") << int(RND) << int(FormArt::Gleich) << QStringList{"35", "55"} << "35" << "55" << "36,00"
                            << "Grenzen 35,00 bis 55,00, Prozente auf 0,1 gerundet.";
    // MITTEL ± 3 SIGMA: 4,45 to 5,35, first midpoint 4,495.
    QTest::newRow("normal") << int(LZ) << int(FormArt::Normal) << QStringList{"4,9", "0,15"} << "4.45" << "5.35"
                            << "4,50" << "Grenzen 4,45 bis 5,35, Prozente auf ganze Zahlen gerundet.";
    // A rent table's two-thirds range: SIGMA 1,033, bounds 8,5 ± 3,10.
    QTest::newRow("spanne") << int(RO) << int(FormArt::Spanne) << QStringList{"7,5", "9,5", "66,7"} << "5.4" << "11.6"
                            << "5,71" << "Grenzen 5,40 bis 11,60, Prozente auf ganze Zahlen gerundet.";
  }
  void FormenGetippt() {
    QFETCH(int, param);
    QFETCH(int, art);
    QFETCH(QStringList, zahlen);
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(QString, ersteMitte);
    QFETCH(QString, meldung);
    TDlgVerteilung &d = Oeffnen(static_cast<Parameter>(param));
    Klick(&d, "BtnForm");
    TFormTeil &teil = *d.FormTeil();
    FormWaehlen(teil, static_cast<FormArt>(art));
    FormAngabe erwartet{static_cast<FormArt>(art), {}};
    for (int i = 0; i < zahlen.size(); ++i) {
      Tippen(teil.EFormZahl(i), zahlen[i]);
      erwartet.Zahlen.push_back(TextZuExtended(QString(zahlen[i]).replace(',', '.').toStdString()));
    }
    const FormErgebnis e = FormBerechnen(erwartet);
    QCOMPARE(e.Min, Dezimal(min.toLatin1().constData()));
    QCOMPARE(e.Max, Dezimal(max.toLatin1().constData()));
    QCOMPARE(Prozente(d), e.Prozent);
    QCOMPARE(d.E(0)->text(), ersteMitte);
    QCOMPARE(d.Arbeitskopie().Prozent, e.Prozent);
    for (int k = 0; k < 10; ++k) QCOMPARE(d.ChartV()->Balken()->at(k), static_cast<double>(e.Prozent[static_cast<std::size_t>(k)]));
    QCOMPARE(teil.LFormMeldung()->text(), meldung);
    QVERIFY(!teil.Fehlerhaft());
    QVERIFY(OkAn(d));
    const TGrenzenUndForm r = d.Rahmen();
    QVERIFY(r.GrenzenGeaendert);
    QCOMPARE(r.Min, e.Min);
    QCOMPARE(r.Max, e.Max);
    QCOMPARE(r.Form, erwartet);
  }

  // Numbers a shape cannot take: a message naming the field, the field red, OK disabled, and the
  // table as it was; the corrected number takes effect.
  void UngueltigeZahlenAendernNichts_data() {
    QTest::addColumn<int>("art");
    QTest::addColumn<int>("feld");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("meldung");
    QTest::addColumn<QString>("richtig");
    QTest::addColumn<int>("rot"); // the field the message names
    QTest::newRow("MIN über MODAL") << int(FormArt::Dreieck) << 0 << "5" << "MIN darf nicht größer als MODAL sein."
                                    << "4,8" << 0;
    QTest::newRow("MODAL über MAX") << int(FormArt::Pert) << 1 << "6" << "MODAL darf nicht größer als MAX sein."
                                    << "5" << 1;
    QTest::newRow("SIGMA 0") << int(FormArt::Normal) << 1 << "0" << "SIGMA muss größer als 0 sein." << "0,05" << 1;
    QTest::newRow("SIGMA negativ") << int(FormArt::Normal) << 1 << "-0,1" << "SIGMA muss größer als 0 sein."
                                   << "0,05" << 1;
    QTest::newRow("ANTEIL 100") << int(FormArt::Spanne) << 2 << "100"
                                << "ANTEIL muss größer als 0 und kleiner als 100 sein." << "50" << 2;
    QTest::newRow("ANTEIL 0") << int(FormArt::Spanne) << 2 << "0"
                              << "ANTEIL muss größer als 0 und kleiner als 100 sein." << "50" << 2;
    QTest::newRow("nur MIN") << int(FormArt::Normal) << 2 << "4,5"
                             << "MIN und MAX gelten nur zusammen: bitte beide angeben oder beide leer lassen." << ""
                             << 3;
    QTest::newRow("MITTEL leer") << int(FormArt::Normal) << 0 << "" << "Bitte MITTEL eingeben." << "4,95" << 0;
    QTest::newRow("UNTEN über OBEN") << int(FormArt::Spanne) << 0 << "6" << "UNTEN muss kleiner als OBEN sein."
                                     << "4,9" << 0;
    QTest::newRow("gleich verkehrt") << int(FormArt::Gleich) << 1 << "4" << "MIN muss kleiner als MAX sein." << "5,1"
                                     << 0;
  }
  void UngueltigeZahlenAendernNichts() {
    QFETCH(int, art);
    QFETCH(int, feld);
    QFETCH(QString, text);
    QFETCH(QString, meldung);
    QFETCH(QString, richtig);
    QFETCH(int, rot);
    TDlgVerteilung &d = Oeffnen(LZ);
    Klick(&d, "BtnForm");
    TFormTeil &teil = *d.FormTeil();
    FormWaehlen(teil, static_cast<FormArt>(art));
    const Klassenwerte vorher = Prozente(d);
    const QString mitteVorher = d.E(0)->text();
    const TGrenzenUndForm rahmenVorher = d.Rahmen();
    QVERIFY(OkAn(d));
    Einfuegen(teil.EFormZahl(feld), text);
    QCOMPARE(teil.LFormMeldung()->text(), meldung);
    QVERIFY(teil.Fehlerhaft());
    QVERIFY(RotHinterlegt(teil.EFormZahl(rot)));
    QVERIFY(!OkAn(d));
    QCOMPARE(Prozente(d), vorher);
    QCOMPARE(d.E(0)->text(), mitteVorher);
    QCOMPARE(d.Rahmen().Min, rahmenVorher.Min);
    QCOMPARE(d.Rahmen().Form, rahmenVorher.Form);
    // Corrected, the shape applies again.
    Einfuegen(teil.EFormZahl(feld), richtig);
    QVERIFY(!teil.Fehlerhaft());
    QVERIFY(!RotHinterlegt(teil.EFormZahl(rot)));
    QVERIFY(OkAn(d));
    // Closing the part withdraws an open complaint as well.
    Einfuegen(teil.EFormZahl(feld), text);
    QVERIFY(!OkAn(d));
    Klick(&d, "BtnForm");
    QVERIFY(OkAn(d));
  }

  // Percentages typed or a preset after a shape: the shape no longer describes them; the bounds it
  // set stay.
  void VonHandGeaendertGiltDieFormNichtMehr() {
    for (const char *wie : {"tippen", "BtnGleich"}) {
      TDlgVerteilung &d = Oeffnen(BO);
      Klick(&d, "BtnForm");
      FormWaehlen(*d.FormTeil(), FormArt::Pert);
      QVERIFY(d.Rahmen().Form.has_value());
      if (QString(wie) == "tippen") {
        Tippen(d.EW(0), "0");
      } else {
        Klick(&d, wie);
      }
      QCOMPARE(d.FormTeil()->LFormMeldung()->text(),
               QString("Die Prozente wurden von Hand geändert; sie stammen nicht mehr aus der Form."));
      QCOMPARE(d.Rahmen().Form, std::nullopt);
      QVERIFY(d.Rahmen().GrenzenGeaendert);
      QCOMPARE(d.Rahmen().Min, StandardMin[BO]);
    }
  }

  // A negative percentage is no probability: its field is marked like an invalid one and OK stays
  // disabled, also when the ten add up to 100.
  void NegativeProzente() {
    TDlgVerteilung &d = Oeffnen(RO);
    Klick(&d, "BtnGleich");
    Tippen(d.EW(0), "-5");
    Tippen(d.EW(1), "25");
    QCOMPARE(d.ESumme()->text(), QString("100,00"));
    QVERIFY(RotHinterlegt(d.EW(0)));
    QCOMPARE(d.EW(0)->palette().color(QPalette::Text), QColor(Qt::black));
    QVERIFY(!RotHinterlegt(d.EW(1)));
    QVERIFY(RotHinterlegt(d.ESumme()));
    QVERIFY(!OkAn(d));
    // The same as a preset row with a negative entry set from code.
    Klick(&d, "BtnEinpunkt");
    QVERIFY(!RotHinterlegt(d.EW(0)));
    QVERIFY(OkAn(d));
    Tippen(d.EW(4), "150");
    Tippen(d.EW(9), "-50");
    QVERIFY(RotHinterlegt(d.EW(9)));
    QVERIFY(!OkAn(d));
    Tippen(d.EW(9), "0");
    Tippen(d.EW(4), "100");
    QVERIFY(!RotHinterlegt(d.EW(9)));
    QVERIFY(!RotHinterlegt(d.ESumme()));
    QVERIFY(OkAn(d));
  }

  // --- from the main window --------------------------------------------------------------------------

  // OK with a shape writes the bounds into the main window's fields and keeps the shape in the model;
  // reopening shows it again; a run draws from its tables; a preset drops it.
  void FormUeberDasHauptfenster() {
    HauptfensterOeffnen();
    const FormAngabe pert{FormArt::Pert, {300000, 340000, 380000}};
    ImDialog<TDlgVerteilung>([](TDlgVerteilung &d) {
      Klick(&d, "BtnForm");
      TFormTeil &teil = *d.FormTeil();
      FormWaehlen(teil, FormArt::Pert);
      Tippen(teil.EFormZahl(0), "300.000");
      Tippen(teil.EFormZahl(1), "340.000");
      Tippen(teil.EFormZahl(2), "380.000");
      Klick(&d, "BtnOK");
    });
    QTest::mouseClick(Finde<QPushButton>("BtnV_RO"), Qt::LeftButton);
    const FormErgebnis e = FormBerechnen(pert);
    QCOMPARE(Finde<TZahlFeld>("EParam3Min")->text(), QString("300.000,00"));
    QCOMPARE(Finde<TZahlFeld>("EParam3Max")->text(), QString("380.000,00"));
    QCOMPARE(modell->Verteilungen[RO].Prozent, e.Prozent);
    QCOMPARE(modell->Formen[RO], pert);
    QCOMPARE(Finde<TZahlFeld>("EParam1Min")->text(), QString("4,80")); // the other rows untouched

    // Reopened: the part shows the shape and its numbers, and taking it again changes nothing.
    bool offen = false;
    ImDialog<TDlgVerteilung>([&](TDlgVerteilung &d) {
      offen = true;
      QCOMPARE(d.E(0)->text(), QString("304.000,00"));
      Klick(&d, "BtnForm");
      QCOMPARE(d.FormTeil()->EFormArt()->currentText(), QString("PERT"));
      QCOMPARE(d.FormTeil()->EFormZahl(1)->text(), QString("340.000,00"));
      QCOMPARE(Prozente(d), e.Prozent);
    });
    QTest::mouseClick(Finde<QPushButton>("BtnV_RO"), Qt::LeftButton);
    QVERIFY(offen);

    // A run of 100 trials draws from the shape's tables: the window's figures are those of the
    // engine on the same bounds and percentages.
    Rechnen(100);
    Bewertungsmodell m = test::Standardmodell();
    m.Verteilungen[RO].Prozent = e.Prozent;
    m.Zufall.Zufallszustand = 0;
    Simulationslauf lauf(m);
    StilleAnzeige still;
    Parameterwerte min = StandardMin, max = StandardMax;
    min[RO] = 300000;
    max[RO] = 380000;
    const Laufergebnis &ergebnis = lauf.Berechnen(min, max, 100, still);
    for (const KennzahlEintrag &k : Kennzahlen) {
      QCOMPARE(Finde<QLabel>(k.Name)->text(), QString::fromStdString(ergebnis.Anzeige(k.Art)));
    }

    // A bound typed afterwards: the shape no longer fits, the part opens with the defaults.
    Tippen(Finde<TZahlFeld>("EParam3Max"), "390.000");
    ImDialog<TDlgVerteilung>([](TDlgVerteilung &d) {
      Klick(&d, "BtnForm");
      QCOMPARE(d.FormTeil()->EFormArt()->currentText(), QString("Dreieck"));
      QCOMPARE(d.FormTeil()->EFormZahl(2)->text(), QString("390.000,00"));
    });
    QTest::mouseClick(Finde<QPushButton>("BtnV_RO"), Qt::LeftButton);
    QCOMPARE(modell->Formen[RO], pert); // cancelled: kept, for bounds that come back

    fenster->findChild<QAction *>("mnGleichverteilung")->trigger();
    QCOMPARE(modell->Formen[RO], std::nullopt);
  }

  // --- the remaining-life dialog ---------------------------------------------------------------------

  // 80 years, age 60, 8 to 12 points: 36,50 38,60 40,69 42,79 44,88 (by hand from Tabelle 3).
  void RestnutzungsdauerDialog() {
    TDlgRestnutzungsdauer d;
    d.Laden({80, 60, 8, 12});
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCOMPARE(d.LErgebnis()->text(), QString("Restnutzungsdauer: 36,50 bis 44,88 Jahre"));
    QCOMPARE(d.TabellePunkte()->rowCount(), 5);
    const QStringList spalte{"36,50 Jahre", "38,60 Jahre", "40,69 Jahre", "42,79 Jahre", "44,88 Jahre"};
    for (int r = 0; r < 5; ++r) QCOMPARE(d.TabellePunkte()->item(r, 2)->text(), spalte[r]);
    QCOMPARE(d.TabellePunkte()->item(0, 1)->text(), QString("mittlerer Modernisierungsgrad"));
    QCOMPARE(d.EGrad()->currentIndex(), 0); // 8 to 12 is no degree of Tabelle 2
    QVERIFY(OkAn(d));

    // A degree chosen sets its points: 18 to 20 at 80/60 give 57,96 each (0,2 · 45 − 0,44 · 60 + 75,36).
    d.EGrad()->setCurrentIndex(5);
    emit d.EGrad()->activated(5);
    QCOMPARE(d.EPunkteVon()->text(), QString("18"));
    QCOMPARE(d.EPunkteBis()->text(), QString("20"));
    QCOMPARE(d.LErgebnis()->text(), QString("Restnutzungsdauer: 57,96 bis 57,96 Jahre"));

    // The published examples typed: GND 80, age 80, 5 points: 23,98.
    Tippen(d.EAlter(), "80");
    Tippen(d.EPunkteVon(), "5");
    Tippen(d.EPunkteBis(), "5");
    QCOMPARE(d.LErgebnis()->text(), QString("Restnutzungsdauer: 23,98 bis 23,98 Jahre"));
    QCOMPARE(d.EGrad()->currentIndex(), 0);
    QVERIFY(!d.findChild<QLabel *>("LAlterHinweis")->font().bold());
    // Older than GND: counted as GND, and the note on it stands out.
    Tippen(d.EAlter(), "95");
    QCOMPARE(d.LErgebnis()->text(), QString("Restnutzungsdauer: 23,98 bis 23,98 Jahre"));
    QVERIFY(d.findChild<QLabel *>("LAlterHinweis")->font().bold());

    // Entries the model cannot take: the message names them, OK waits.
    Tippen(d.EGnd(), "0");
    QCOMPARE(d.LMeldung()->text(), QString("GND muss größer als 0 sein."));
    QCOMPARE(d.LErgebnis()->text(), QString("Restnutzungsdauer: –"));
    QVERIFY(!OkAn(d));
    Tippen(d.EGnd(), "80");
    Tippen(d.EPunkteBis(), "21");
    QCOMPARE(d.LMeldung()->text(), QString("Die Punkte „bis“ müssen zwischen 0 und 20 liegen."));
    QVERIFY(!OkAn(d));
    Tippen(d.EPunkteBis(), "");
    QCOMPARE(d.LMeldung()->text(), QString("Das Feld „Punkte bis“ enthält keine gültige Zahl."));
    Tippen(d.EPunkteBis(), "4");
    QCOMPARE(d.LMeldung()->text(), QString("Die Punkte „von“ dürfen nicht über den Punkten „bis“ liegen."));
    Tippen(d.EPunkteVon(), "2");
    QVERIFY(OkAn(d));
    QCOMPARE(d.EGrad()->currentIndex(), 0);
    Tippen(d.EPunkteBis(), "5");
    QCOMPARE(d.EGrad()->currentText(), QString("kleine Modernisierungen im Rahmen der Instandhaltung (2 bis 5 Punkte)"));
  }

  // "Modernisierung…" in the RND row: OK writes the RND bounds, the percentages stay, a shape of RND
  // goes; the entries are there again at the next opening.
  void RestnutzungsdauerUeberDasHauptfenster() {
    HauptfensterOeffnen();
    modell->Formen[RND] = FormAngabe{FormArt::Gleich, {40, 60}};
    const Klassenwerte prozente = modell->Verteilungen[RND].Prozent;
    ImDialog<TDlgRestnutzungsdauer>([](TDlgRestnutzungsdauer &d) {
      Tippen(d.EGnd(), "80");
      Tippen(d.EAlter(), "70");
      Tippen(d.EPunkteVon(), "6");
      Tippen(d.EPunkteBis(), "10");
      Klick(&d, "BtnOK");
    });
    QTest::mouseClick(Finde<QPushButton>("BtnRND_Modell"), Qt::LeftButton);
    // 80/70: 6 points 0,615 · 61,25 − 1,3385 · 70 + 84,536 = 28,50975; 10 points 0,432 · 61,25 − 66,78
    // + 78,488 = 38,168; the points between lie between.
    QCOMPARE(Finde<TZahlFeld>("EParam2Min")->text(), QString("28,51"));
    QCOMPARE(Finde<TZahlFeld>("EParam2Max")->text(), QString("38,17"));
    QCOMPARE(Finde<TZahlFeld>("EParam2Max")->Wert(), Dezimal("38.17"));
    QCOMPARE(modell->Verteilungen[RND].Prozent, prozente);
    QCOMPARE(modell->Formen[RND], std::nullopt);

    bool offen = false;
    ImDialog<TDlgRestnutzungsdauer>([&](TDlgRestnutzungsdauer &d) {
      offen = true;
      QCOMPARE(d.EAlter()->text(), QString("70,00"));
      QCOMPARE(d.EGrad()->currentIndex(), 3); // 6 to 10: "mittlerer Modernisierungsgrad"
      Tippen(d.EAlter(), "10");
      Klick(&d, "BtnAbbrechen");
    });
    QTest::mouseClick(Finde<QPushButton>("BtnRND_Modell"), Qt::LeftButton);
    QVERIFY(offen);
    QCOMPARE(Finde<TZahlFeld>("EParam2Max")->text(), QString("38,17")); // cancelled: nothing written
  }
};

KWT_FENSTER_TEST_MAIN(FormenFensterTest)

#include "FormenFensterTest.moc"
