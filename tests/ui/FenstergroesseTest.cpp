// The main window and the distribution editor at any size, offscreen under German regional
// settings: the window's minimum comes from its layout; at the minimum and at any larger size no
// widget lies over another and no caption or button text is cut; the upper area keeps its height;
// forced below the minimum the window scrolls. The statistics captions stay whole beside figures of
// any width. The progress bar is empty at 0, and a run of 0 trials leaves the histogram as it was
// before the first run.
#include <QBarSet>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QWindow>
#include <QtTest>

#include "DiagrammAnsicht.h"
#include "DialogVerteilung.h"
#include "Fenstermasse.h"
#include "Fenstertest.h"
#include "FormTeil.h"
#include "LaufDiagramme.h"

using namespace kwt;

class FenstergroesseTest : public test::Fenstertest {
  Q_OBJECT

  // The containers of the window's own layout, from the outside in.
  static constexpr const char *Behaelter[] = {"PanelInhalt", "PanelOben",   "GroupBox1",   "PanelParam1",
                                              "PanelParam2", "PanelParam3", "PanelParam4", "PanelParam5",
                                              "GroupBox2",   "GroupBox3"};

  // Nothing of the window's content over anything else, no text cut, the upper area at its height.
  void InhaltPruefen() {
    for (const char *name : Behaelter) {
      test::KinderOhneUeberdeckung(Finde<QWidget>(name));
      if (QTest::currentTestFailed()) return;
    }
    auto *oben = Finde<QWidget>("PanelOben");
    for (QLabel *l : oben->findChildren<QLabel *>())
      if (l->isVisible()) test::TextPasst(l);
    for (QPushButton *b : oben->findChildren<QPushButton *>()) test::TextPasst(b);
    QCOMPARE(oben->height(), 366);
    // The tab bar stays below the last bound field.
    auto *feld = Finde<QWidget>("EParam5Max");
    QVERIFY(feld->mapTo(fenster.get(), feld->rect().bottomLeft()).y() <
            Finde<QWidget>("PageControl1")->mapTo(fenster.get(), QPoint(0, 0)).y());
  }

  // Menu bar, content and status bar inside the window and apart; the hint bar below the content.
  void FensterPruefen() {
    const QRect menu = fenster->menuBar()->geometry(), mitte = fenster->centralWidget()->geometry(),
                status = fenster->statusBar()->geometry();
    for (const QRect &r : {menu, mitte, status}) QVERIFY(fenster->rect().contains(r));
    QVERIFY(!menu.intersects(mitte) && !mitte.intersects(status) && !menu.intersects(status));
    test::KinderOhneUeberdeckung(fenster->centralWidget());
  }

  QScrollArea *Rollbereich() const { return Finde<QScrollArea>("Rollbereich"); }

private slots:
  void initTestCase() { UmgebungEinrichten(); }
  void init() { HauptfensterOeffnen(); }
  void cleanup() { fenster.reset(); }

  // The window cannot be made smaller than its layout needs, and that fits a 1024 x 768 screen. At
  // the minimum, at the reference size and larger, everything has its room; the chart pages take
  // what the upper area leaves.
  void NichtsUeberdecktBeiJederGroesse() {
    fenster->resize(1, 1);
    QCoreApplication::processEvents();
    const QSize minimum = fenster->size();
    QCOMPARE(minimum, fenster->minimumSize());
    QCOMPARE(minimum, fenster->minimumSizeHint());
    QVERIFY2(minimum.width() <= 1024 && minimum.height() <= 700,
             qPrintable(QString("%1 x %2").arg(minimum.width()).arg(minimum.height())));
    int seitenHoehe = 0;
    for (const QSize groesse : {minimum, QSize(766, 741), QSize(1400, 1000)}) {
      fenster->resize(groesse);
      QCoreApplication::processEvents();
      QCOMPARE(fenster->size(), groesse.expandedTo(minimum));
      FensterPruefen();
      InhaltPruefen();
      QVERIFY(!Rollbereich()->horizontalScrollBar()->isVisible() && !Rollbereich()->verticalScrollBar()->isVisible());
      const int hoehe = Finde<QWidget>("PageControl1")->height();
      QVERIFY(hoehe >= seitenHoehe);
      seitenHoehe = hoehe;
      if (QTest::currentTestFailed()) return;
    }
    QCOMPARE(seitenHoehe, Finde<QWidget>("PageControl1")->height());
    QVERIFY(fenster->Chart2()->height() >= 160);
  }

  // Made smaller than its minimum by the window system (an X server without a window manager does
  // that), the window scrolls its content instead of drawing the groups over each other.
  void ErzwungenKleinerRolltStattZuUeberdecken() {
    fenster->windowHandle()->resize(600, 500);
    QTRY_COMPARE(fenster->size(), QSize(600, 500));
    QTRY_VERIFY(Rollbereich()->horizontalScrollBar()->isVisible() && Rollbereich()->verticalScrollBar()->isVisible());
    FensterPruefen();
    InhaltPruefen();
    QVERIFY(Finde<QWidget>("PanelInhalt")->width() >= fenster->minimumWidth());
  }

  // Captions and figures of "Statistische Daten" whole beside figures of any width: up to ten
  // digits (bounds of nine digits) the columns hold them without the window growing; wider figures
  // widen the window.
  void StatistikBeschriftungenNieAbgeschnitten() {
    const struct {
      const char *name;
      std::vector<std::pair<const char *, Extended>> grenzen;
      bool waechst;
    } faelle[] = {
        {"Vorgaben", {}, false},
        {"neunstellige Grenzen",
         {{"EParam3Min", 99999999.99L}, {"EParam3Max", 99999999.99L}, {"EParam5Min", 123456789}, {"EParam5Max", 987654321}},
         false},
        // A yield rate below 0 over a thousand years: market values of thirteen digits.
        {"dreizehnstellige Werte",
         {{"EParam1Min", -0.5L}, {"EParam1Max", -0.4L}, {"EParam2Min", 1000}, {"EParam2Max", 1001},
          {"EParam3Min", 99999999.99L}, {"EParam3Max", 99999999.99L}},
         true},
    };
    for (const auto &f : faelle) {
      HauptfensterOeffnen();
      fenster->resize(1, 1);
      QCoreApplication::processEvents();
      const int breite = fenster->width();
      for (const auto &[feld, wert] : f.grenzen) Finde<TZahlFeld>(feld)->setWert(wert);
      Rechnen(200);
      QVERIFY2(meldungen.isEmpty(), qPrintable(meldungen.join(" | ")));
      // A wider figure reaches the window's layout through a few rounds of layout requests.
      const auto ganz = [this] {
        for (const KennzahlEintrag &e : Kennzahlen) {
          const QLabel *l = Finde<QLabel>(e.Name);
          if (l->contentsRect().width() < l->fontMetrics().horizontalAdvance(l->text())) return false;
        }
        return true;
      };
      QTRY_VERIFY2(ganz(), f.name);
      int laengste = 0;
      for (const KennzahlEintrag &e : Kennzahlen) laengste = std::max(laengste, int(Finde<QLabel>(e.Name)->text().size()));
      auto *gruppe = Finde<QGroupBox>("GroupBox3");
      for (QLabel *l : gruppe->findChildren<QLabel *>()) test::TextPasst(l);
      test::KinderOhneUeberdeckung(gruppe);
      InhaltPruefen();
      QVERIFY2((fenster->width() > breite) == f.waechst, f.name);
      if (QTest::currentTestFailed()) return;
    }
  }

  void FortschrittsbalkenLeerBeiNull() {
    auto *balken = Finde<QProgressBar>("Progress");
    QCOMPARE(balken->value(), 0);
    QCOMPARE(test::FortschrittsPixel(*balken), 0);
    Rechnen(1000);
    QCOMPARE(balken->value(), 100);
    QVERIFY(test::FortschrittsPixel(*balken) > 0);
  }

  // A run of 0 trials ends with its error at the mean and draws no bars: the histogram is the empty
  // view of the start, with its value axis, not the previous run's axis.
  void NullVersucheZeigenDasLeereHistogramm() {
    Bewertungsmodell zweites;
    TMainForm neu(zweites);
    neu.show();
    neu.FormCreate();
    neu.resize(fenster->size());
    Rechnen(2000);
    QVERIFY(fenster->Chart2()->Balken()->count() > 0);
    Rechnen(0);
    QCOMPARE(meldungen, QStringList{"Ungültige Gleitkommaoperation."});
    QCOMPARE(fenster->Chart2()->Balken()->count(), 0);
    QCOMPARE(fenster->Chart2()->LinkeAchse()->max(), HistogrammAchseAnfangs);
    QCoreApplication::processEvents();
    QCOMPARE(fenster->Chart2()->size(), neu.Chart2()->size());
    QVERIFY(fenster->Chart2()->grab().toImage() == neu.Chart2()->grab().toImage());
  }

  // The editor at its minimum size, with and without the shape part: the table whole beside the
  // chart, the buttons apart and their texts whole.
  void EditorBeiJederGroesse() {
    Bewertungsmodell m = test::VorbereitetesStandardmodell();
    TDlgVerteilung d;
    d.Laden("Bodenwert", m.Verteilungen[BO], {StandardMin[BO], StandardMax[BO], std::nullopt, false});
    d.show();
    for (bool form : {false, true}) {
      if (form) QTest::mouseClick(Finde<QPushButton>(&d, "BtnForm"), Qt::LeftButton);
      d.resize(1, 1);
      QCoreApplication::processEvents();
      QCOMPARE(d.size(), d.minimumSize());
      QVERIFY(d.width() <= 1024);
      for (const char *name : {"PanelTabelle", "PanelKnoepfe"}) test::KinderOhneUeberdeckung(Finde<QWidget>(&d, name));
      if (form) test::KinderOhneUeberdeckung(d.FormTeil());
      for (QPushButton *b : d.findChildren<QPushButton *>()) test::TextPasst(b);
      auto *tabelle = Finde<QWidget>(&d, "PanelTabelle");
      QVERIFY(tabelle->width() >= tabelle->minimumWidth() && tabelle->height() >= tabelle->minimumHeight());
      QVERIFY(!tabelle->geometry().intersects(d.ChartV()->geometry()));
      if (QTest::currentTestFailed()) return;
    }
  }
};

KWT_FENSTER_TEST_MAIN(FenstergroesseTest)

#include "FenstergroesseTest.moc"
