// The about box, offscreen: its texts from this test program's own version resource (the program's),
// its layout, and which clicks close it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "Programminfo.h"
#include "W32_VVI.h"

namespace {

using namespace kwt;

QString Pfad(const char *name) { return QStringLiteral(KWT_TEST_RESSOURCEN "/") + QLatin1String(name); }

QLabel *Kind(QWidget &box, const char *name) {
  auto *label = box.findChild<QLabel *>(QLatin1String(name));
  EXPECT_NE(label, nullptr) << name;
  return label;
}

TEST(TDialogProgrammInfo, ZeigtProduktBuildUndDateinameDesProgramms) {
  TDialogProgrammInfo box;
  auto *vvi = box.findChild<TKeloVersionResource *>(QStringLiteral("vvi"));
  ASSERT_NE(vvi, nullptr);
  EXPECT_EQ(vvi->Language(), TLanguage::lnGerman);
  EXPECT_EQ(vvi->VersionInfo()->FileDescription(), "Monte-Carlo-Simulation"); // the German table was read
  // The program's "ProductName" is empty.
  EXPECT_EQ(box.windowTitle(), "Info über ");
  EXPECT_EQ(Kind(box, "FileVersion")->text(), "Build: 3.0.0.0");
  EXPECT_EQ(Kind(box, "Dateiname")->text(), QCoreApplication::applicationFilePath());
  EXPECT_EQ(Kind(box, "Label1")->text(), "Monte-Carlo-Simulation");
  EXPECT_FALSE(Kind(box, "Label2")->text().isEmpty());
  EXPECT_FALSE(Kind(box, "Label3")->text().isEmpty());
}

TEST(TDialogProgrammInfo, OhneVersionsressourceBleibenTitelUndBuildOhneWert) {
  TDialogProgrammInfo box;
  auto *vvi = box.findChild<TKeloVersionResource *>(QStringLiteral("vvi"));
  vvi->setFileName(Pfad("ressource_ohne.dll"));
  box.FormCreate();
  EXPECT_EQ(box.windowTitle(), "Info über ");
  EXPECT_EQ(Kind(box, "FileVersion")->text(), "Build: ");
  EXPECT_EQ(Kind(box, "Dateiname")->text(), Pfad("ressource_ohne.dll"));

  vvi->setFileName(Pfad("ressource_schluessel.dll"));
  box.FormCreate();
  EXPECT_EQ(box.windowTitle(), "Info über Produkt");
}

TEST(TDialogProgrammInfo, FensterUndAnordnung) {
  TDialogProgrammInfo box;
  EXPECT_EQ(box.size(), QSize(506, 366));
  EXPECT_EQ(box.minimumSize(), box.maximumSize());
  EXPECT_TRUE(box.autoFillBackground());
  EXPECT_EQ(box.palette().color(QPalette::Window), QColor(Qt::white));
  const Qt::WindowFlags flags = box.windowFlags();
  EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
  EXPECT_TRUE(flags & Qt::WindowTitleHint);
  for (const Qt::WindowType knopf : {Qt::WindowSystemMenuHint, Qt::WindowCloseButtonHint,
                                     Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint,
                                     Qt::WindowContextHelpButtonHint})
    EXPECT_FALSE(flags & knopf) << knopf;

  QLabel *bild = Kind(box, "Image1");
  EXPECT_EQ(bild->geometry(), QRect(72, 55, 348, 80));
  const QImage logo = bild->pixmap().toImage();
  ASSERT_EQ(logo.size(), QSize(348, 80));
  // The logo is a picture, not a blank: dark lettering on white.
  EXPECT_EQ(QColor(logo.pixel(2, 2)).lightness() > 240, true);
  int dunkel = 0;
  for (int y = 0; y < logo.height(); ++y)
    for (int x = 0; x < logo.width(); ++x) dunkel += QColor(logo.pixel(x, y)).lightness() < 100;
  EXPECT_GT(dunkel, 1000);

  QLabel *titel = Kind(box, "Label1");
  EXPECT_EQ(titel->y(), 166);
  EXPECT_EQ(titel->font().pointSize(), 16);
  EXPECT_TRUE(titel->font().bold());
  EXPECT_EQ(titel->font().families().value(0), "Arial");
  EXPECT_EQ(Kind(box, "Label2")->y(), 221);
  EXPECT_EQ(Kind(box, "Label2")->size(), QSize(335, 43));
  EXPECT_EQ(Kind(box, "Label3")->y(), 263);
  EXPECT_EQ(Kind(box, "Label3")->size(), QSize(335, 33));
  for (const char *name : {"Label2", "Label3"}) {
    EXPECT_TRUE(Kind(box, name)->wordWrap()) << name;
    EXPECT_EQ(Kind(box, name)->font().pointSize(), 10) << name;
    EXPECT_TRUE(Kind(box, name)->alignment() & Qt::AlignHCenter) << name;
  }
  EXPECT_EQ(Kind(box, "Dateiname")->geometry(), QRect(4, 329, 297, 19));
  EXPECT_EQ(Kind(box, "FileVersion")->geometry(), QRect(4, 343, 124, 17));
  for (const char *name : {"Dateiname", "FileVersion"}) {
    EXPECT_EQ(Kind(box, name)->font().pointSize(), 7) << name;
    EXPECT_EQ(Kind(box, name)->font().families().value(0), "Small Fonts") << name;
  }
}

// Clicks: on the logo, the file name, the build and the free background the box closes with OK; on the
// three fixed texts nothing happens.
TEST(TDialogProgrammInfo, KlickeSchliessenDieBoxNurAusserhalbDerTexte) {
  const struct {
    const char *ziel; // nullptr: the background
    QPoint stelle;
    bool schliesst;
  } faelle[] = {
      {"Image1", {174, 40}, true},       {"Dateiname", {10, 5}, true}, {"FileVersion", {10, 5}, true},
      {nullptr, {480, 20}, true},        {nullptr, {20, 200}, true},   {"Label1", {10, 10}, false},
      {"Label2", {167, 10}, false},      {"Label3", {167, 10}, false},
  };
  for (const auto &fall : faelle) {
    SCOPED_TRACE(fall.ziel ? fall.ziel : "Hintergrund");
    TDialogProgrammInfo box;
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QWidget *ziel = fall.ziel ? static_cast<QWidget *>(Kind(box, fall.ziel)) : &box;
    // The point lies on the target itself, not on a child above it.
    ASSERT_EQ(box.childAt(ziel->mapTo(&box, fall.stelle)), fall.ziel ? ziel : nullptr);
    QTest::mouseClick(ziel, Qt::LeftButton, {}, fall.stelle);
    QCoreApplication::processEvents();
    EXPECT_EQ(box.isVisible(), !fall.schliesst);
    EXPECT_EQ(box.result(), fall.schliesst ? QDialog::Accepted : 0);
    // The right mouse button never closes it.
    if (!fall.schliesst) {
      QTest::mouseClick(&box, Qt::RightButton, {}, QPoint(480, 20));
      EXPECT_TRUE(box.isVisible());
    }
  }
}

TEST(TDialogProgrammInfo, ProgrammInfoZeigenIstModalUndGibtDieBoxFrei) {
  QWidget hauptfenster;
  hauptfenster.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&hauptfenster));
  QPointer<TDialogProgrammInfo> gezeigt;
  bool modal = false;
  QTimer::singleShot(0, [&] {
    gezeigt = qobject_cast<TDialogProgrammInfo *>(QApplication::activeModalWidget());
    if (!gezeigt) return;
    modal = gezeigt->isModal() && gezeigt->parentWidget() == &hauptfenster;
    QTest::mouseClick(gezeigt, Qt::LeftButton, {}, QPoint(480, 20));
  });
  // Should the box not be found, closing whatever is modal keeps the test from waiting for ever.
  QTimer notfall;
  notfall.setSingleShot(true);
  QObject::connect(&notfall, &QTimer::timeout, [] {
    if (QWidget *w = QApplication::activeModalWidget()) w->close();
  });
  notfall.start(10000);
  ProgrammInfoZeigen(&hauptfenster);
  EXPECT_TRUE(modal);
  EXPECT_TRUE(gezeigt.isNull()); // freed when closed
  EXPECT_TRUE(hauptfenster.findChildren<TDialogProgrammInfo *>().isEmpty());
}

} // namespace
