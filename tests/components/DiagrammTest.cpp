#include <gtest/gtest.h>

#include <cmath>

#include "QtAusgabe.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCoreApplication>
#include <QDir>
#include <QChart>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLegend>
#include <QLineSeries>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "DiagrammAnsicht.h"
#include "Drucker.h"
#include "Meldungen.h"

using namespace kwt;

namespace {

const QLocale Deutsch(QLocale::German, QLocale::Germany);

TEST(AchsenZahl, MusterMitGruppenUndHoechstensDreiStellen) {
  const struct {
    double wert;
    const char *text;
  } faelle[] = {
      {0, "0"},           {1, "1"},         {0.1, "0,1"},       {0.30000000000000004, "0,3"}, {1067.5, "1.067,5"},
      {1234567.891, "1.234.567,891"}, {0.0004, "0"}, {-0.0001, "0"}, {-2500, "-2.500"}, {1.23456, "1,235"},
  };
  for (const auto &f : faelle) EXPECT_EQ(AchsenZahl(f.wert, Deutsch), QString::fromUtf8(f.text)) << f.text;
  EXPECT_EQ(AchsenZahl(1067.5, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("1,067.5"));
}

TEST(AchsenMarken, SchritteUndMarken) {
  EXPECT_DOUBLE_EQ(SchrittWaehlen(1067.5, 8), 200);
  EXPECT_DOUBLE_EQ(SchrittWaehlen(1, 10), 0.1);
  EXPECT_DOUBLE_EQ(SchrittWaehlen(400, 8), 50);
  EXPECT_DOUBLE_EQ(SchrittWaehlen(0, 8), 1);
  EXPECT_DOUBLE_EQ(SchrittWaehlen(0.001, 10), 0.001);

  // Under the upward rounding mode 1 / 0.1 is not below 10: the label at 1 must still come.
  const auto zehntel = ZahlenMarken(0, 1, 0.1, Deutsch);
  ASSERT_EQ(zehntel.size(), 11);
  EXPECT_EQ(zehntel.front().Text, QStringLiteral("0"));
  EXPECT_EQ(zehntel[3].Text, QStringLiteral("0,3"));
  EXPECT_EQ(zehntel.back().Text, QStringLiteral("1"));
  const auto zehner = ZahlenMarken(0, 105, 10, Deutsch);
  ASSERT_EQ(zehner.size(), 11);
  EXPECT_EQ(zehner.back().Text, QStringLiteral("100"));
  const auto tausender = ZahlenMarken(1015.5, 1395, 50, Deutsch);
  ASSERT_EQ(tausender.size(), 7);
  EXPECT_EQ(tausender.front().Text, QStringLiteral("1.050"));

  QStringList klassen;
  for (int i = 0; i < 60; ++i) klassen << QString::number(1000 + i);
  const auto jedeVierte = KlassenMarken(klassen, 600, 40);
  ASSERT_EQ(jedeVierte.size(), 15);
  EXPECT_EQ(jedeVierte[1].Wert, 4);
  EXPECT_EQ(jedeVierte[1].Text, QStringLiteral("1004"));
  EXPECT_EQ(KlassenMarken(klassen.mid(0, 10), 600, 40).size(), 10);
}

class DiagrammTest : public ::testing::Test {
protected:
  void SetUp() override {
    FehlerEmpfaengerSetzen([this](const QString &text) { meldungen << text; });
    balken.setObjectName(QStringLiteral("Chart2"));
    balken.setTitel(QStringLiteral("Histogramm der Verkehrswerte"));
    balken.resize(700, 350);
    balken.show();
    linien.setObjectName(QStringLiteral("ChartRH"));
    linien.resize(700, 350);
    linien.show();
  }
  void TearDown() override { FehlerEmpfaengerSetzen({}); }

  QStringList meldungen;
  TDiagrammAnsicht balken{TDiagrammAnsicht::Art::Balken};
  TDiagrammAnsicht linien{TDiagrammAnsicht::Art::Linien};
};

TEST_F(DiagrammTest, GemeinsamesAussehen) {
  balken.BalkenSetzen({QStringLiteral("410"), QStringLiteral("430")}, {3, 7}); // grid lines need classes
  for (TDiagrammAnsicht *ansicht : {&balken, &linien}) {
    QChart *d = ansicht->chart();
    EXPECT_FALSE(d->legend()->isVisible());
    EXPECT_EQ(d->animationOptions(), QChart::NoAnimation);
    EXPECT_EQ(d->backgroundBrush().color(), QColor(Qt::white));
    EXPECT_TRUE(d->isPlotAreaBackgroundVisible());
    EXPECT_EQ(d->plotAreaBackgroundBrush().color(), QColor(Qt::white));
    EXPECT_TRUE(d->titleFont().bold());
    EXPECT_EQ(d->titleBrush().color(), QColor(Qt::black));
    EXPECT_EQ(ansicht->rubberBand(), QChartView::NoRubberBand);
    EXPECT_EQ(ansicht->frameShape(), QFrame::NoFrame);
    TAchse *unten = ansicht->UntereAchse();
    TAchse *links = ansicht->LinkeAchse();
    EXPECT_TRUE(unten->isGridLineVisible());
    EXPECT_EQ(unten->gridLinePen().color(), QColor(128, 128, 128));
    EXPECT_EQ(unten->gridLinePen().style(), Qt::DotLine);
    EXPECT_FALSE(unten->gridLinePen().isCosmetic());
    EXPECT_FALSE(links->isGridLineVisible());
    EXPECT_TRUE(unten->labelsFont().bold());
    EXPECT_TRUE(links->labelsFont().bold());
    EXPECT_EQ(links->labelsPosition(), QCategoryAxis::AxisLabelsPositionOnValue);
  }
}

TEST_F(DiagrammTest, Balkenansicht) {
  ASSERT_NE(balken.Balkenreihe(), nullptr);
  EXPECT_EQ(balken.Balkenreihe()->objectName(), QStringLiteral("Series2"));
  EXPECT_EQ(balken.Balkenreihe()->name(), QStringLiteral("BarSeries"));
  EXPECT_DOUBLE_EQ(balken.Balkenreihe()->barWidth(), 1.0);
  EXPECT_FALSE(balken.Balkenreihe()->isLabelsVisible());
  EXPECT_EQ(balken.Balken()->color(), QColor(255, 255, 128));
  EXPECT_NE(balken.Balken()->borderColor(), QColor(Qt::white));

  balken.BalkenSetzen({QStringLiteral("410"), QStringLiteral("430"), QStringLiteral("450")}, {3, 7, 2});
  balken.setLinkeAchse(0, 12);
  EXPECT_EQ(balken.Balken()->count(), 3);
  EXPECT_EQ(balken.Balken()->at(1), 7);
  EXPECT_EQ(balken.UntereAchse()->categoriesLabels(),
            QStringList({QStringLiteral("410"), QStringLiteral("430"), QStringLiteral("450")}));
  EXPECT_DOUBLE_EQ(balken.UntereAchse()->min(), -0.5);
  EXPECT_DOUBLE_EQ(balken.UntereAchse()->max(), 2.5);
  EXPECT_DOUBLE_EQ(balken.LinkeAchse()->max(), 12);

  // Same classes again: only the heights change, the labels are left alone.
  QSignalSpy kategorien(balken.UntereAchse(), &QCategoryAxis::categoriesChanged);
  balken.BalkenSetzen({QStringLiteral("410"), QStringLiteral("430"), QStringLiteral("450")}, {3, 8, 2});
  EXPECT_EQ(kategorien.count(), 0);
  EXPECT_EQ(balken.Balken()->at(1), 8);
  // Without classes the axis is a bare line: one empty label at its end, no grid.
  balken.BalkenSetzen({}, {});
  EXPECT_EQ(balken.Balken()->count(), 0);
  EXPECT_EQ(balken.UntereAchse()->categoriesLabels(), QStringList{QString()});
  EXPECT_FALSE(balken.UntereAchse()->isGridLineVisible());

  // The distribution editor: labels every 10, up to 105 for a one-point distribution.
  balken.setLinkeAchse(0, 105, 10);
  EXPECT_EQ(balken.LinkeAchse()->categoriesLabels().size(), 11);
  EXPECT_EQ(balken.LinkeAchse()->categoriesLabels().back(), QStringLiteral("100"));
  // A histogram of 1000 and more is labelled with grouped thousands.
  balken.setLinkeAchse(0, 1067.5);
  EXPECT_TRUE(balken.LinkeAchse()->categoriesLabels().contains(QStringLiteral("1.000")));
}

// A bar view emptied after a run looks exactly as one that never had bars (Qt would keep the last
// grid lines of an axis whose labels all went), and both show the bottom axis.
TEST_F(DiagrammTest, GeleerteBalkenansichtWieNeu) {
  TDiagrammAnsicht neu{TDiagrammAnsicht::Art::Balken};
  for (TDiagrammAnsicht *a : {&balken, &neu}) {
    a->setTitel(QStringLiteral("Histogramm der Verkehrswerte"));
    a->setLinkeAchse(0, 1067.5);
  }
  neu.resize(balken.size());
  neu.show();
  QStringList klassen;
  for (int i = 0; i < 35; ++i) klassen << QString::number(4000 + 60 * i);
  balken.BalkenSetzen(klassen, QList<double>(35, 80));
  balken.setLinkeAchse(0, 85);
  balken.SofortZeichnen();
  balken.BalkenSetzen({}, {});
  balken.setLinkeAchse(0, 1067.5);
  QCoreApplication::processEvents();
  const QImage geleert = balken.grab().toImage(), leer = neu.grab().toImage();
  EXPECT_TRUE(geleert == leer);
  // The bottom axis line runs along the plot's foot: a row of black pixels across the middle.
  const QRectF flaeche = neu.chart()->plotArea();
  int schwarz = 0;
  for (int y = static_cast<int>(flaeche.bottom()) - 1; y <= static_cast<int>(flaeche.bottom()) + 1; ++y)
    schwarz += leer.pixelColor(static_cast<int>(flaeche.center().x()), y) == QColor(Qt::black);
  EXPECT_EQ(schwarz, 1);
}

TEST_F(DiagrammTest, GleicheKlassenbeschriftungenBleibenSichtbar) {
  // Classes of width 0 all carry the same label.
  balken.BalkenSetzen({QStringLiteral("500"), QStringLiteral("500"), QStringLiteral("500")}, {0, 0, 0});
  EXPECT_EQ(balken.UntereAchse()->count(), 3);
}

TEST_F(DiagrammTest, Linienansicht) {
  ASSERT_NE(linien.Kurve(), nullptr);
  EXPECT_EQ(linien.Kurve()->name(), QStringLiteral("RHKurve"));
  EXPECT_EQ(linien.Kurve()->objectName(), QStringLiteral("Series1"));
  EXPECT_EQ(linien.Median()->name(), QStringLiteral("Median"));
  EXPECT_EQ(linien.Median()->objectName(), QStringLiteral("Series3"));
  EXPECT_EQ(linien.Kurve()->pen().color(), QColor(255, 0, 0));
  EXPECT_EQ(linien.Median()->pen().color(), QColor(0, 128, 0));
  EXPECT_EQ(linien.Kurve()->pen().widthF(), 2);
  EXPECT_FALSE(linien.Kurve()->pointsVisible());
  EXPECT_DOUBLE_EQ(linien.LinkeAchse()->min(), 0);
  EXPECT_DOUBLE_EQ(linien.LinkeAchse()->max(), 1);
  EXPECT_EQ(linien.LinkeAchse()->categoriesLabels().size(), 11);

  linien.LinienSetzen({{450, 0.2}, {490, 0.5}, {530, 0.9}}, {{450, 0.5}, {490, 0.5}, {530, 0.5}});
  EXPECT_EQ(linien.Kurve()->count(), 3);
  EXPECT_DOUBLE_EQ(linien.UntereAchse()->min(), 450);
  EXPECT_DOUBLE_EQ(linien.UntereAchse()->max(), 530);
  for (const QString &text : linien.UntereAchse()->categoriesLabels()) {
    const double wert = Deutsch.toDouble(text);
    EXPECT_GE(wert, 450);
    EXPECT_LE(wert, 530);
  }
  linien.LinienSetzen({}, {});
  EXPECT_EQ(linien.Kurve()->count(), 0);
  EXPECT_EQ(linien.Median()->count(), 0);
}

TEST_F(DiagrammTest, KurveNiedrigZeigtAlleZahlen) {
  // The main window's curve at its default size is about 250 pixels high.
  linien.resize(700, 230);
  linien.LinienSetzen({{450, 0.2}, {490, 0.5}}, {});
  QCoreApplication::processEvents();
  EXPECT_FALSE(linien.LinkeAchse()->labelsTruncated());
  EXPECT_FALSE(linien.UntereAchse()->labelsTruncated());
}

TEST_F(DiagrammTest, Tornado) {
  TDiagrammAnsicht t(TDiagrammAnsicht::Art::Tornado);
  t.resize(600, 300);
  t.show();
  EXPECT_FALSE(t.chart()->legend()->isVisible());
  // Values in thousands around the mean 4977.5; the second row's low value is missing.
  t.TornadoSetzen({QStringLiteral("Jahresrohertrag"), QStringLiteral("Bodenwert")}, {4481.5, NAN}, {5473.5, 4979.5},
                  4977.5);
  // The first row at the top: bar index 1.
  ASSERT_EQ(t.TornadoTief()->count(), 2);
  EXPECT_DOUBLE_EQ(t.TornadoTief()->at(1), -496);
  EXPECT_DOUBLE_EQ(t.TornadoHoch()->at(1), 496);
  EXPECT_DOUBLE_EQ(t.TornadoTief()->at(0), 0);
  EXPECT_DOUBLE_EQ(t.TornadoHoch()->at(0), 2);
  const auto namen = t.LinkeAchse()->Marken();
  ASSERT_EQ(namen.size(), 2);
  EXPECT_EQ(namen[0].Text, QStringLiteral("Bodenwert"));
  EXPECT_EQ(namen[1].Text, QStringLiteral("Jahresrohertrag"));
  EXPECT_DOUBLE_EQ(namen[1].Wert, 1);
  // The bottom axis is laid over the distances but labelled with the values: a label "5.000" sits at
  // 5000 - 4977.5.
  bool fuenftausend = false;
  for (const TAchsenMarke &m : t.UntereAchse()->Marken()) {
    EXPECT_GE(m.Wert + 4977.5, 4481.5 - 50);
    EXPECT_LE(m.Wert + 4977.5, 5473.5 + 50);
    if (m.Text == QStringLiteral("5.000")) fuenftausend = std::fabs(m.Wert - 22.5) < 1e-9;
  }
  EXPECT_TRUE(fuenftausend);
  EXPECT_LT(t.UntereAchse()->min(), -496);
  EXPECT_GT(t.UntereAchse()->max(), 496);
  ASSERT_EQ(t.Mittellinie()->count(), 2);
  EXPECT_EQ(t.Mittellinie()->at(0), QPointF(0, -0.5));
  EXPECT_EQ(t.Mittellinie()->at(1), QPointF(0, 1.5));
  t.setLegendeSichtbar(true);
  EXPECT_TRUE(t.chart()->legend()->isVisible());
  EXPECT_TRUE(t.BitmapKopieren());
}

TEST_F(DiagrammTest, MenuMitNamen) {
  QMenu *menu = balken.findChild<QMenu *>(QStringLiteral("PopupDrucken"));
  ASSERT_NE(menu, nullptr);
  const auto eintraege = menu->actions();
  ASSERT_EQ(eintraege.size(), 4);
  EXPECT_EQ(eintraege[0]->objectName(), QStringLiteral("PopDrucken"));
  EXPECT_EQ(eintraege[0]->text(), QStringLiteral("Drucken"));
  EXPECT_TRUE(eintraege[1]->isSeparator());
  EXPECT_EQ(eintraege[1]->objectName(), QStringLiteral("N1"));
  EXPECT_EQ(eintraege[2]->objectName(), QStringLiteral("Zwischenablage1"));
  EXPECT_EQ(eintraege[2]->text(), QStringLiteral("Zwischenablage (Metafile)"));
  EXPECT_EQ(eintraege[3]->objectName(), QStringLiteral("ZwischenablageBitmap1"));
  EXPECT_EQ(eintraege[3]->text(), QStringLiteral("Zwischenablage (Bitmap)"));

  linien.setMenuNamen(QStringLiteral("PopupDruckenRH"), {QStringLiteral("MenuItem1"), QStringLiteral("MenuItem2"),
                                                         QStringLiteral("MenuItem3"), QStringLiteral("MenuItem4")});
  ASSERT_NE(linien.findChild<QMenu *>(QStringLiteral("PopupDruckenRH")), nullptr);
  QAction *bitmap = linien.findChild<QAction *>(QStringLiteral("MenuItem4"));
  ASSERT_NE(bitmap, nullptr);
  bitmap->trigger();
  EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasImage());
}

TEST_F(DiagrammTest, ZwischenablageSvgInAnsichtsgroesse) {
  QGuiApplication::clipboard()->setText(QStringLiteral("alte Liste\r\n"));
  ASSERT_TRUE(balken.MetafileKopieren());
  const QMimeData *daten = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(daten, nullptr);
  EXPECT_EQ(daten->formats(), QStringList{QStringLiteral("image/svg+xml")}); // the text list is gone
  const QByteArray svg = daten->data(QStringLiteral("image/svg+xml"));
  QSvgRenderer leser(svg);
  ASSERT_TRUE(leser.isValid());
  EXPECT_EQ(leser.viewBox(), QRect(0, 0, 700, 350));
  EXPECT_TRUE(svg.contains("Histogramm der Verkehrswerte"));

  // After the window grew, the copy is larger.
  balken.resize(900, 420);
  ASSERT_TRUE(balken.MetafileKopieren());
  QSvgRenderer groesser(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/svg+xml")));
  EXPECT_EQ(groesser.viewBox(), QRect(0, 0, 900, 420));
  EXPECT_TRUE(meldungen.isEmpty());
}

TEST_F(DiagrammTest, ZwischenablageBitmapInAnsichtsgroesse) {
  balken.BalkenSetzen({QStringLiteral("410"), QStringLiteral("430")}, {4, 9});
  balken.setLinkeAchse(0, 14);
  QGuiApplication::clipboard()->setText(QStringLiteral("alte Liste\r\n"));
  ASSERT_TRUE(balken.BitmapKopieren());
  const QMimeData *daten = QGuiApplication::clipboard()->mimeData();
  EXPECT_FALSE(daten->hasText());
  const QImage bild = qvariant_cast<QImage>(daten->imageData());
  EXPECT_EQ(bild.size(), QSize(700, 350));
  EXPECT_EQ(bild.pixelColor(0, 0), QColor(Qt::white));
  // Somewhere the yellow of the bars.
  bool gelb = false;
  for (int x = 0; x < bild.width() && !gelb; x += 2) gelb = bild.pixelColor(x, 300) == QColor(255, 255, 128);
  EXPECT_TRUE(gelb);
  linien.resize(500, 600);
  ASSERT_TRUE(linien.BitmapKopieren());
  EXPECT_EQ(qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData()).size(), QSize(500, 600));
}

TEST(DruckRaender, BreitHochUndQuadratisch) {
  // A4 at 1200 dpi: printable 9583 x 13699 (portrait), the other way round in landscape.
  const struct {
    int w, h, pw, ph, rx, ry;
    TDruckRaender raender;
  } faelle[] = {
      {700, 350, 9583, 13699, 1200, 1200, {15, 15, 38, 38}}, // p = 75.5 -> 76
      {700, 300, 9583, 13699, 1200, 1200, {15, 15, 40, 40}}, // p = 79.01 rounds up to 80 (nearest: 79)
      {350, 700, 9583, 13699, 1200, 1200, {25, 25, 15, 15}}, // p = 49.97 -> 50
      {400, 400, 9583, 13699, 1200, 1200, {0, 0, 15, 15}},   // p = -0.07 -> 0
      {700, 350, 13699, 9583, 1200, 1200, {15, 15, 25, 25}}, // landscape: p = 49.97 -> 50
      {350, 700, 13699, 9583, 1200, 1200, {38, 38, 15, 15}},
      // 8 x 5.5 inches at 600 x 1200 dpi: 70 % of the width is 5.6 in, the chart 2.8 in high.
      {700, 350, 4800, 6600, 600, 1200, {15, 15, 25, 25}},
      {100, 400, 1000, 10000, 300, 300, {0, 0, 15, 15}}, // too wide at 70 % of the height: no margin
      {0, 0, 9583, 13699, 1200, 1200, {0, 0, 15, 15}},   // a view of no size counts as 1 x 1
  };
  for (const auto &f : faelle) {
    EXPECT_EQ(DruckRaenderBerechnen(f.w, f.h, f.pw, f.ph, f.rx, f.ry), f.raender)
        << f.w << "x" << f.h << " on " << f.pw << "x" << f.ph;
  }
  EXPECT_EQ(DruckRechteck({15, 15, 38, 38}, 9583, 13699), QRect(1438, 5206, 6707, 3287));
  EXPECT_EQ(DruckRechteck({0, 0, 15, 15}, 1000, 10000), QRect(0, 1500, 1000, 7000));
}

// Prints into a PDF and finds the chart on the rendered page.
class DruckTest : public DiagrammTest {
protected:
  void SetUp() override {
    DiagrammTest::SetUp();
    ASSERT_TRUE(ordner.isValid());
    QPrinter &drucker = AktuellerDrucker();
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(QString());
    drucker.setFullPage(true); // page pixels = paper, so the picture can be measured on the paper
    drucker.setPageOrientation(QPageLayout::Portrait);
    // A coloured background shows where the picture lands.
    for (TDiagrammAnsicht *a : {&balken, &linien}) {
      a->chart()->setBackgroundBrush(QColor(0, 0, 255));
      a->chart()->setPlotAreaBackgroundBrush(QColor(0, 0, 255));
    }
  }
  void TearDown() override {
    QPrinter &drucker = AktuellerDrucker();
    drucker.setOutputFileName(QString());
    drucker.setFullPage(false);
    DiagrammTest::TearDown();
  }
  static bool PopplerDa() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
  }
  QString Pfad(const char *name) const { return ordner.filePath(QString::fromLatin1(name)); }

  // The blue rectangle on the page, as fractions of the page.
  static QRectF BlauerBereich(const QString &pdf) {
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) return {};
    QProcess::execute(pdftoppm, {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                                 QStringLiteral("-singlefile"), pdf, pdf});
    const QImage seite(pdf + QStringLiteral(".png"));
    int links = seite.width(), rechts = -1, oben = seite.height(), unten = -1;
    for (int y = 0; y < seite.height(); ++y)
      for (int x = 0; x < seite.width(); ++x) {
        const QColor c = seite.pixelColor(x, y);
        if (c.blue() > 200 && c.red() < 60 && c.green() < 60) {
          links = std::min(links, x), rechts = std::max(rechts, x);
          oben = std::min(oben, y), unten = std::max(unten, y);
        }
      }
    if (rechts < 0) return {};
    return QRectF(double(links) / seite.width(), double(oben) / seite.height(), double(rechts + 1 - links) / seite.width(),
                  double(unten + 1 - oben) / seite.height());
  }
  static QString PdfInfo(const QString &pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
  }

  QTemporaryDir ordner;
};

// A view wider than high fills 70 % of the page width, centred between top and bottom; one higher
// than wide 70 % of the page height, centred between left and right. Each printout is one page,
// named after the view.
TEST_F(DruckTest, SiebzigProzentMittigNachDerLaengerenSeite) {
  if (!PopplerDa()) GTEST_SKIP() << "pdftoppm oder pdfinfo fehlt (poppler-utils)";
  linien.resize(350, 700);
  const struct {
    const char *datei;
    TDiagrammAnsicht *ansicht;
    const char *titel;
    QRectF bild; // left, top, width, height as fractions of the page
  } faelle[] = {
      // 700 x 350 on A4 portrait: margins 15 % left and right, 38 % top and bottom.
      {"breit.pdf", &balken, "Chart2", {0.15, 0.38, 0.70, 0.24}},
      // 350 x 700 on paper 210 x 297 mm: p = 100 * (210 - 0.7 * 297 / 2) / 210 = 50.5 -> 51 -> 25 %.
      {"hoch.pdf", &linien, "ChartRH", {0.25, 0.15, 0.50, 0.70}},
  };
  for (const auto &f : faelle) {
    SCOPED_TRACE(f.datei);
    AktuellerDrucker().setOutputFileName(Pfad(f.datei));
    ASSERT_TRUE(f.ansicht->Drucken());
    EXPECT_TRUE(meldungen.isEmpty());
    const QString info = PdfInfo(Pfad(f.datei));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title:\\s+%1\\n").arg(QLatin1String(f.titel)))))
        << info.toStdString();
    const QRectF bild = BlauerBereich(Pfad(f.datei));
    EXPECT_NEAR(bild.left(), f.bild.left(), 0.01);
    EXPECT_NEAR(bild.top(), f.bild.top(), 0.01);
    EXPECT_NEAR(bild.width(), f.bild.width(), 0.01);
    EXPECT_NEAR(bild.height(), f.bild.height(), 0.01);
  }
}

TEST_F(DruckTest, DruckdialogEntscheidetUndDerDruckerGiltUeberall) {
  if (!PopplerDa()) GTEST_SKIP() << "pdftoppm oder pdfinfo fehlt (poppler-utils)";
  int gefragt = 0;
  balken.setDruckAbfrage([&gefragt](QPrinter &) {
    ++gefragt;
    return false;
  });
  AktuellerDrucker().setOutputFileName(Pfad("abgebrochen.pdf"));
  EXPECT_FALSE(balken.Drucken());
  EXPECT_EQ(gefragt, 1);
  EXPECT_FALSE(QFile::exists(Pfad("abgebrochen.pdf"))); // cancelled: nothing printed
  EXPECT_TRUE(meldungen.isEmpty());

  // The user picks another printer in the main window's dialog ...
  balken.setDruckAbfrage([this](QPrinter &drucker) {
    drucker.setOutputFileName(Pfad("gewaehlt.pdf"));
    return true;
  });
  ASSERT_TRUE(balken.Drucken());
  EXPECT_TRUE(QFile::exists(Pfad("gewaehlt.pdf")));
  QFile::remove(Pfad("gewaehlt.pdf"));
  // ... and the editor's chart, which asks nothing, prints there too.
  TDiagrammAnsicht editor(TDiagrammAnsicht::Art::Balken);
  editor.setObjectName(QStringLiteral("ChartV"));
  editor.resize(500, 350);
  ASSERT_TRUE(editor.Drucken());
  EXPECT_TRUE(PdfInfo(Pfad("gewaehlt.pdf")).contains(QStringLiteral("ChartV")));
}

TEST_F(DruckTest, OhneDruckerEineMeldung) {
  AktuellerDrucker().setOutputFileName(QString());
  EXPECT_FALSE(balken.Drucken());
  EXPECT_EQ(meldungen, QStringList{QString::fromUtf8("Es ist kein Drucker verfügbar.")});
  meldungen.clear();
  // Printing to a file writes it through the program's safe writer, which names the reason.
  AktuellerDrucker().setOutputFileName(Pfad("gibt/es/nicht/datei.pdf"));
  EXPECT_FALSE(balken.Drucken());
  EXPECT_EQ(meldungen, QStringList{"Die Datei '" + Pfad("gibt/es/nicht/datei.pdf") +
                                   QString::fromUtf8("' kann nicht geschrieben werden: Der Ordner existiert nicht.")});
}

// A PDF that replaces an older one is written whole or not at all, and keeps the old file's rights.
TEST_F(DruckTest, DruckInEineDateiErsetztSieSicher) {
  const QString pfad = Pfad("alt.pdf");
  {
    QFile alt(pfad);
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("alt");
  }
  QFile::setPermissions(pfad, QFile::ReadOwner | QFile::WriteOwner);
  AktuellerDrucker().setOutputFileName(pfad);
  ASSERT_TRUE(balken.Drucken());
  QFile neu(pfad);
  ASSERT_TRUE(neu.open(QIODevice::ReadOnly));
  EXPECT_TRUE(neu.readAll().startsWith("%PDF-"));
  EXPECT_EQ(QFile::permissions(pfad), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
  EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files), QStringList{"alt.pdf"});
}

} // namespace
