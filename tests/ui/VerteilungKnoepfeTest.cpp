// The distribution editor opened by the main window's five "Verteilung" buttons, driven as a user
// would, offscreen under German regional settings: the names and tables each button hands over, what
// OK writes back, and the editor in the middle of a run.
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "DiagrammAnsicht.h"
#include "DialogVerteilung.h"
#include "Fenstertest.h"

using namespace kwt;

class VerteilungKnoepfeTest : public test::Fenstertest {
  Q_OBJECT

  void ImDialog(std::function<void(TDlgVerteilung &)> schritt) { ImModalenDialog<TDlgVerteilung>(std::move(schritt)); }

private slots:
  void initTestCase() { UmgebungEinrichten(); }
  void init() { HauptfensterOeffnen(); }
  void cleanup() {
    fenster.reset();
    QVERIFY(meldungen.isEmpty());
  }

  void BeschriftungJeParameter() {
    const std::array<std::pair<const char *, QString>, 5> knoepfe{{{"BtnV_LZ", "Liegenschaftszinssatz"},
                                                                   {"BtnV_RND", "Restnutzungsdauer"},
                                                                   {"BtnV_RO", "Rohertrag"},
                                                                   {"BtnV_BWK", "Bewirtschaftungskosten"},
                                                                   {"BtnV_BO", "Bodenwert"}}};
    for (Parameter p : AlleParameter) {
      const auto &[knopf, name] = knoepfe[p];
      bool offen = false;
      ImDialog([&, p](TDlgVerteilung &d) {
        offen = true;
        QCOMPARE(d.windowTitle(), name);
        QCOMPARE(d.ChartV()->Titel(), "Verteilung " + name);
        QCOMPARE(d.E(0)->Wert(), modell->Verteilungen[p].Mitte[0]);
        QCOMPARE(d.Arbeitskopie(), modell->Verteilungen[p]);
      });
      Klick(knopf);
      QVERIFY2(offen, knopf);
    }
    QCOMPARE(modell->Verteilungen[RO].Mitte[0], 313000.0L);
  }

  // "Linksschief" in the editor is the rising row for every parameter, also for LZ, where the menu's
  // "linksschiefe Verteilung" gives the falling one. After OK the next opening shows the new
  // percentages and the midpoints of the bounds as they are then.
  void LinksschiefFuerLZUndWiederOeffnen() {
    ImDialog([](TDlgVerteilung &d) {
      QTest::mouseClick(d.findChild<QPushButton *>("BtnLinks"), Qt::LeftButton);
      for (int k = 0; k < 10; ++k) QCOMPARE(d.EW(k)->Wert(), ZeilenWerte(Zeile::Steigend)[static_cast<std::size_t>(k)]);
      QTest::mouseClick(d.findChild<QPushButton *>("BtnOK"), Qt::LeftButton);
    });
    Klick("BtnV_LZ");
    QCOMPARE(modell->Verteilungen[LZ].Prozent, (Klassenwerte{0, 1, 1, 2, 3, 5, 8, 10, 30, 40}));

    Finde<TZahlFeld>("EParam1Min")->setWert(3);
    Finde<TZahlFeld>("EParam1Max")->setWert(4);
    ImDialog([](TDlgVerteilung &d) {
      QCOMPARE(d.EW(9)->text(), QString("40,00"));
      QCOMPARE(d.E(0)->text(), QString("3,05"));
      QCOMPARE(d.E(9)->text(), QString("3,95"));
    });
    Klick("BtnV_LZ");
  }

  // A "Verteilung" button in the middle of a run: the button prepares the tables from the fields at
  // once, the run waits while the editor is open and then draws from the recomputed tables; the
  // percentages accepted meanwhile wait for the next run.
  void WaehrendDesLaufs() {
    constexpr int anzahl = 60;
    Finde<TZahlFeld>("EVersuche")->setGanzzahl(anzahl);
    Parameterwerte neuMin = StandardMin, neuMax = StandardMax;
    neuMin[BO] = 100000000;
    neuMax[BO] = 120000000;
    std::int32_t versuchBeimOeffnen = -1;
    bool offen = false;
    QTimer::singleShot(0, this, [&] {
      versuchBeimOeffnen = Ergebnis().AktVersuch;
      Finde<TZahlFeld>("EParam5Min")->setWert(neuMin[BO]);
      Finde<TZahlFeld>("EParam5Max")->setWert(neuMax[BO]);
      ImDialog([&](TDlgVerteilung &d) {
        offen = true;
        QVERIFY(fenster->Lauf().Laeuft());
        QCOMPARE(Ergebnis().AktVersuch, versuchBeimOeffnen); // the run waits
        QCOMPARE(d.E(0)->Wert(), modell->Verteilungen[BO].Mitte[0]);
        // Nine digits in a field masked for eight: shown whole.
        QCOMPARE(d.E(0)->text(), QString("101.000.000,00"));
        QTest::mouseClick(d.findChild<QPushButton *>("BtnEinpunkt"), Qt::LeftButton);
        QTest::mouseClick(d.findChild<QPushButton *>("BtnOK"), Qt::LeftButton);
      });
      Klick("BtnV_BO");
    });
    Klick("BtnCalculate");
    QVERIFY(offen);
    QCOMPARE(versuchBeimOeffnen, 1);
    QCOMPARE(Ergebnis().AktVersuch, anzahl);
    QCOMPARE(Finde<QLabel>("LCount")->text(), QString::number(anzahl));
    QCOMPARE(modell->Verteilungen[BO].Prozent, ZeilenWerte(Zeile::Einpunkt));

    // The same draws by hand: trial 1 from the tables of the run's start, the rest from the tables
    // the button prepared (new bounds of BO, the normal percentages of that moment).
    Bewertungsmodell m = test::VorbereitetesStandardmodell();
    m.Zufall.Zufallszustand = 0;
    for (int k = 0; k < anzahl; ++k) {
      if (k == 1) m.VerteilungenVorbereiten(neuMin, neuMax);
      for (Parameter p : {LZ, RND, RO, BO, BWK}) m.Stichprobe[p] = m.KlasseZiehen(p);
      const double erwartet = static_cast<double>(RundenInt64(m.VkwStichprobe()));
      QCOMPARE(Ergebnis().Werte[static_cast<std::size_t>(k)], erwartet);
    }
    // Land values of a hundred million lift every trial after the first one above the run's range.
    QVERIFY(Ergebnis().Werte[0] <= modell->VkwMax);
    for (int k = 1; k < anzahl; ++k) QVERIFY(Ergebnis().Werte[static_cast<std::size_t>(k)] > modell->VkwMax);
    QCOMPARE(m.Verteilungen[BO].Kumuliert, modell->Verteilungen[BO].Kumuliert);
  }
  // Esc in the editor closes the editor only; the run it interrupted goes on to its last trial.
  void EscImDialogHaeltDenLaufNicht() {
    Finde<TZahlFeld>("EVersuche")->setGanzzahl(40);
    bool offen = false;
    QTimer::singleShot(0, this, [&] {
      ImDialog([&](TDlgVerteilung &d) {
        offen = true;
        QTest::keyClick(d.EW(0), Qt::Key_Escape);
        QVERIFY(!d.isVisible());
      });
      Klick("BtnV_RND");
    });
    Klick("BtnCalculate");
    QVERIFY(offen);
    QCOMPARE(Ergebnis().AktVersuch, 40);
  }
};

KWT_FENSTER_TEST_MAIN(VerteilungKnoepfeTest)

#include "VerteilungKnoepfeTest.moc"
