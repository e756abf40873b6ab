// Splash, status bar with clock, splitter, pictures, the error box, the progress bar, the scroll area
// around a window and the sizes from the font.
#include <gtest/gtest.h>

#include "QtAusgabe.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLayout>
#include <QVBoxLayout>
#include <QScrollBar>
#include <QPushButton>
#include <QProgressBar>
#include <QLabel>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <map>
#include <new>
#include <stdexcept>

#include "Bilder.h"
#include "Fenstermasse.h"
#include "Fortschrittsbalken.h"
#include "Gleitkomma.h"
#include "Meldungen.h"
#include "Referenzgroessen.h"
#include "Rollbereich.h"
#include "Splash.h"
#include "StatusLeiste.h"
#include "Teiler.h"

using namespace kwt;

namespace {

TEST(Meldung, PunktNurWennDasLetzteZeichenNachDemPunktKommt) {
  const struct {
    const char *meldung, *text;
  } faelle[] = {
      {"Gleitkommadivision durch Null", "Gleitkommadivision durch Null."},
      {"Fertig.", "Fertig."},
      {"'abc' ist kein gültiger Gleitkommawert", "'abc' ist kein gültiger Gleitkommawert."},
      {"Wert 5", "Wert 5."},
      {"Achtung!", "Achtung!"}, // '!' sorts before '.'
      {"(x)", "(x)"},
      {"", ""},
  };
  for (const auto &f : faelle) EXPECT_EQ(MeldungMitPunkt(QString::fromUtf8(f.meldung)), QString::fromUtf8(f.text));
  QString erhalten;
  FehlerEmpfaengerSetzen([&erhalten](const QString &text) { erhalten = text; });
  FehlerMelden(nullptr, QStringLiteral("Gleitkommaüberlauf"));
  FehlerEmpfaengerSetzen({});
  EXPECT_EQ(erhalten, QStringLiteral("Gleitkommaüberlauf."));
}

// Without a receiver the message is a modal box with the program's title: the error icon for an
// error, the warning icon for a note on what a command left out.
TEST(Meldung, FehlerUndHinweisBox) {
  const struct {
    void (*melden)(QWidget *, const QString &);
    QMessageBox::Icon symbol;
  } faelle[] = {{FehlerMelden, QMessageBox::Critical}, {HinweisMelden, QMessageBox::Warning}};
  for (const auto &f : faelle) {
    QMessageBox::Icon gezeigt = QMessageBox::NoIcon;
    QString titel, text;
    QTimer::singleShot(0, [&] {
      auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
      if (!box) return;
      gezeigt = box->icon();
      titel = box->windowTitle();
      text = box->text();
      box->accept();
    });
    f.melden(nullptr, QStringLiteral("Die Form wurde verworfen"));
    EXPECT_EQ(gezeigt, f.symbol);
    EXPECT_EQ(titel, QStringLiteral("KWT Monte-Carlo-Simulation"));
    EXPECT_EQ(text, QStringLiteral("Die Form wurde verworfen."));
  }
}

// The edge of every window command: an error ends the command where it is raised, what it did before
// stays, and the box shows the program's message or a German text, never an English one.
TEST(Meldung, BefehlsRandZeigtJedenFehlerDeutsch) {
  QStringList meldungen;
  FehlerEmpfaengerSetzen([&meldungen](const QString &text) { meldungen << text; });
  const struct {
    const char *name;
    std::function<void()> rest; // what the command does after its first step
    const char *meldung;        // shown in the box; nullptr: none
  } faelle[] = {
      {"ohne Fehler", [] {}, nullptr},
      {"Fehler des Programms", [] { FehlerUeberlauf(); }, "Gleitkommaüberlauf."},
      {"Bibliothek", [] { throw std::length_error("basic_string::_M_create"); },
       "Unerwarteter Fehler im Programm; der Vorgang wurde abgebrochen."},
      {"kein Speicher", [] { throw std::bad_alloc(); }, "Nicht genügend Arbeitsspeicher."},
  };
  for (const auto &f : faelle) {
    meldungen.clear();
    int schritte = 0;
    const bool fertig = BefehlAusfuehren(nullptr, [&] {
      ++schritte;
      f.rest();
      ++schritte;
    });
    EXPECT_EQ(fertig, f.meldung == nullptr) << f.name;
    EXPECT_EQ(schritte, f.meldung == nullptr ? 2 : 1) << f.name;
    EXPECT_EQ(meldungen, f.meldung ? QStringList{QString::fromUtf8(f.meldung)} : QStringList{}) << f.name;
  }
  FehlerEmpfaengerSetzen({});
}

// A message quoting a huge key or a path without blanks still fits on the screen: cut to a sane
// length, wrapped, within a word where it must be.
TEST(Meldung, LangeMeldungenBleibenAufDemBildschirm) {
  const QRect bildschirm = QGuiApplication::primaryScreen()->availableGeometry();
  const QString satz = QStringLiteral("Der Eintrag im Szenario ist unbekannt. ");
  const struct {
    QString text;
    bool gekuerzt;
  } faelle[] = {
      {QStringLiteral("Gleitkommaüberlauf."), false},
      {satz.repeated(20), false},
      {satz.repeated(200), true},
      {QStringLiteral("Unbekannter Eintrag '") + QString(900000, u'k') + QStringLiteral("' im Szenario."), true},
      {QStringLiteral("Die Datei '/") + QString(400, u'x') + QStringLiteral("' kann nicht geschrieben werden."), false},
      {QStringLiteral("<b>Markup</b> bleibt Text"), false},
  };
  for (const auto &f : faelle) {
    const std::unique_ptr<QMessageBox> box = FehlerBoxErstellen(nullptr, f.text);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("KWT Monte-Carlo-Simulation"));
    QString gezeigt = box->text();
    gezeigt.remove(QChar(0x200B)); // the break opportunities in long words
    EXPECT_LE(gezeigt.size(), LaengsteMeldung);
    EXPECT_EQ(gezeigt.endsWith(u'…'), f.gekuerzt) << f.text.size();
    if (!f.gekuerzt) {
      EXPECT_EQ(gezeigt, f.text);
    }
    box->show();
    QCoreApplication::processEvents();
    EXPECT_LE(box->frameGeometry().width(), bildschirm.width()) << f.text.left(40).toStdString();
    EXPECT_LE(box->frameGeometry().height(), bildschirm.height()) << f.text.left(40).toStdString();
  }
}

TEST(Bilder, SplashUndSymbol) {
  const QImage splash = SplashBild();
  ASSERT_FALSE(splash.isNull());
  EXPECT_EQ(splash.size(), QSize(800, 250));
  const QIcon symbol = ProgrammSymbol();
  const auto groessen = symbol.availableSizes();
  EXPECT_TRUE(groessen.contains(QSize(16, 16)));
  EXPECT_TRUE(groessen.contains(QSize(32, 32)));
}

TEST(Splash, MitteDesBildschirmsNachClientbereich) {
  const struct {
    QRect bildschirm;
    QPoint client;
  } faelle[] = {
      {QRect(0, 0, 1920, 1080), QPoint(560, 415)},
      {QRect(0, 0, 1024, 768), QPoint(112, 259)},
      {QRect(0, 0, 1025, 769), QPoint(112, 259)}, // div: the odd pixel goes right and down
      {QRect(1920, 0, 1280, 1024), QPoint(1920 + 240, 387)},
      {QRect(0, 0, 641, 200), QPoint(-79, -25)}, // smaller than the picture: truncated toward zero
  };
  for (const auto &f : faelle) EXPECT_EQ(TSplash::ClientPosition(f.bildschirm, QSize(800, 250)), f.client);
}

TEST(Splash, ErscheintZentriertOhneWartenUndGehtNachZweiRunden) {
  auto *splash = new TSplash(SplashBild());
  QPointer<TSplash> beobachter(splash);
  EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(splash->size(), QSize(802, 252));
  splash->Zeigen();
  EXPECT_TRUE(splash->isVisible());
  const QRect bildschirm = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(splash->ClientBereich().topLeft(), TSplash::ClientPosition(bildschirm, QSize(800, 250)));
  EXPECT_EQ(splash->ClientBereich().size(), QSize(800, 250));
  EXPECT_TRUE(splash->Zeitgeber()->isActive());
  EXPECT_EQ(splash->Zeitgeber()->interval(), 3000);

  // The picture is drawn inside the thin border.
  const QImage bild = splash->grab().toImage();
  const QColor erwartet = SplashBild().pixelColor(400, 100);
  const QColor gezeichnet = bild.pixelColor(401, 101);
  EXPECT_NEAR(gezeichnet.red(), erwartet.red(), 2);
  EXPECT_NEAR(gezeichnet.blue(), erwartet.blue(), 2);

  // A click does nothing.
  QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(400, 125));
  EXPECT_TRUE(splash->isVisible());

  splash->ZeitgeberAbgelaufen();
  EXPECT_EQ(splash->Zeitgeber()->interval(), 1);
  EXPECT_TRUE(splash->Zeitgeber()->isActive());
  EXPECT_TRUE(splash->isVisible());
  splash->ZeitgeberAbgelaufen();
  EXPECT_FALSE(splash->Zeitgeber()->isActive());
  EXPECT_FALSE(splash->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(beobachter.isNull());
}

TEST(Splash, SchliesstSichMitDemEchtenZeitgeber) {
  // A short delay instead of 3000 ms; the rest is the real timer in the message loop.
  QPointer<TSplash> splash(new TSplash(SplashBild(), nullptr, 30));
  splash->Zeigen();
  EXPECT_TRUE(splash->isVisible());
  QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 5000);
}

TEST(Splash, GehtMitDemHauptfenster) {
  auto *fenster = new QWidget;
  QPointer<TSplash> splash(new TSplash(SplashBild(), fenster));
  splash->Zeigen();
  EXPECT_TRUE(splash->isWindow());
  delete fenster;
  EXPECT_TRUE(splash.isNull());
}

TEST(Uhr, KurzesDatumUndLangeZeit) {
  const QDateTime zeitpunkt(QDate(2024, 3, 5), QTime(14, 7, 9));
  EXPECT_EQ(UhrText(zeitpunkt, QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("05.03.24 14:07:09"));
  EXPECT_EQ(UhrText(zeitpunkt, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("3/5/24 2:07:09 PM"));
  EXPECT_EQ(UhrText(zeitpunkt, QLocale(QLocale::French, QLocale::France)), QStringLiteral("05/03/2024 14:07:09"));
}

TEST(Uhr, HaeltSichAktuell) {
  TUhrAnzeige uhr;
  EXPECT_EQ(uhr.objectName(), QStringLiteral("StatusUhr"));
  EXPECT_TRUE(uhr.Zeitgeber()->isActive());
  EXPECT_LE(uhr.Zeitgeber()->interval(), 1005);
  const QString vorher = uhr.text();
  EXPECT_EQ(vorher.size(), QStringLiteral("05.03.24 14:07:09").size());
  // The text changes with the next full second.
  QTRY_VERIFY_WITH_TIMEOUT(uhr.text() != vorher, 3000);
  EXPECT_TRUE(uhr.Zeitgeber()->isActive());
}

TEST(StatusLeiste, DreiFelder) {
  TStatusLeiste status;
  ASSERT_NE(status.findChild<QLabel *>(QStringLiteral("StatusText")), nullptr);
  ASSERT_NE(status.findChild<QLabel *>(QStringLiteral("StatusVersion")), nullptr);
  ASSERT_NE(status.findChild<TUhrAnzeige *>(QStringLiteral("StatusUhr")), nullptr);
  EXPECT_EQ(status.StatusUhr()->width(), 128);
  const QFont schrift = status.font();
  status.VersionsTextSetzen(QStringLiteral("2"), schrift);
  EXPECT_EQ(status.StatusVersion()->text(), QStringLiteral("2"));
  EXPECT_EQ(status.StatusVersion()->width(), QFontMetrics(schrift).horizontalAdvance(QStringLiteral("2")) + 20);
  EXPECT_TRUE(status.StatusText()->text().isEmpty());
}

// Moving the divider is what the user does with the mouse.
class Teiler : public TTeiler {
public:
  using TTeiler::moveSplitter;
  using TTeiler::TTeiler;
};

TEST(Teiler, BehaeltDasVerhaeltnis) {
  QWidget dialog;
  dialog.resize(765, 357);
  auto *teiler = new Teiler(Qt::Horizontal, &dialog);
  teiler->addWidget(new QWidget);
  teiler->addWidget(new QWidget);
  teiler->resize(765, 357);
  dialog.show();
  EXPECT_EQ(teiler->handleWidth(), 3);
  teiler->GroessenSetzen({259, 503});
  EXPECT_EQ(teiler->sizes(), QList<int>({259, 503}));

  teiler->resize(1530, 357);
  EXPECT_NEAR(teiler->sizes()[0], 1527 * 259.0 / 762, 1);
  // Shrinking far and growing back gives the same division: no drift from rounding.
  for (int breite : {300, 41, 977, 123}) teiler->resize(breite, 357);
  teiler->resize(765, 357);
  EXPECT_EQ(teiler->sizes(), QList<int>({259, 503}));

  // A dragged divider is kept in proportion from then on.
  teiler->moveSplitter(381, 1);
  EXPECT_EQ(teiler->sizes()[0], 381);
  teiler->resize(1530, 357);
  EXPECT_NEAR(teiler->sizes()[0], 1527 * 381.0 / 762, 1);
}

// At 0 the run's progress bar is empty (Qt's Fusion style draws a line of progress there); from the
// first percent on the chunk grows with the value.
TEST(Fortschrittsbalken, BeiNullLeer) {
  TFortschrittsbalken balken;
  balken.setOrientation(Qt::Vertical);
  balken.setRange(0, 100);
  balken.setTextVisible(false);
  balken.setFixedSize(19, 133);
  balken.show();
  std::map<int, int> pixel;
  for (int wert : {0, 1, 50, 100, 0}) {
    balken.setValue(wert);
    pixel[wert] = test::FortschrittsPixel(balken);
  }
  EXPECT_EQ(pixel[0], 0);
  EXPECT_GT(pixel[1], 0);
  EXPECT_GT(pixel[50], 3 * pixel[1]);
  EXPECT_GT(pixel[100], pixel[50] * 3 / 2);
  // Qt's own bar draws a line at 0: the test sees what it claims to see.
  QProgressBar qt;
  qt.setOrientation(Qt::Vertical);
  qt.setRange(0, 100);
  qt.setValue(0);
  qt.setTextVisible(false);
  qt.setFixedSize(19, 133);
  qt.show();
  EXPECT_GT(test::FortschrittsPixel(qt), 0);
}

// Buttons keep the reference size unless their text needs more; a number shape gets the room of its
// widest digits.
TEST(Referenzgroessen, KnoepfeUndZahlen) {
  QWidget fenster;
  QPushButton kurz(QStringLiteral("OK"), &fenster), lang(QStringLiteral("Gleichverteilt und noch mehr Text"), &fenster);
  for (QPushButton *k : {&kurz, &lang}) KnopfGroesseSetzen(k, {75, 25});
  EXPECT_EQ(kurz.size(), QSize(75, 25));
  EXPECT_EQ(lang.height(), 25);
  EXPECT_GE(lang.width(), lang.fontMetrics().horizontalAdvance(lang.text()));
  EXPECT_GE(lang.width(), lang.sizeHint().width());
  const QFontMetrics masse(fenster.font());
  EXPECT_GE(ZahlenBreite(masse, QStringLiteral("-9.999.999.999")), masse.horizontalAdvance(QStringLiteral("-1.234.567.890")));
  EXPECT_EQ(ZahlenBreite(masse, QStringLiteral("1.0")), ZahlenBreite(masse, QStringLiteral("7.3")));

  // A widget of reference size grows with its contents, and asks for no more than it needs.
  TReferenzgroesse<QWidget> rahmen({320, 184});
  auto *zeile = new QHBoxLayout(&rahmen);
  auto *text = new QLabel(QStringLiteral("schmal"));
  zeile->addWidget(text);
  EXPECT_EQ(rahmen.sizeHint(), QSize(320, 184));
  text->setText(QString(80, u'W'));
  EXPECT_GT(rahmen.minimumSizeHint().width(), 320);
  EXPECT_EQ(rahmen.sizeHint(), rahmen.minimumSizeHint());
}

// Smaller than its content, the area scrolls; the content keeps its minimum and the area reports
// it as its own, so that a window's minimum follows its content, also when that grows.
TEST(Rollbereich, MindestensDerInhalt) {
  auto *inhalt = new QWidget;
  auto *zeile = new QHBoxLayout(inhalt);
  auto *text = new QLabel(QStringLiteral("Mittel Stichprobe:"));
  zeile->addWidget(text);
  QWidget fenster;
  auto *spalte = new QVBoxLayout(&fenster);
  spalte->setContentsMargins(0, 0, 0, 0);
  auto *bereich = new TRollbereich(inhalt, &fenster);
  spalte->addWidget(bereich);
  fenster.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(fenster.minimumSizeHint(), inhalt->minimumSizeHint());
  text->setText(QString(60, u'W'));
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(fenster.minimumSize().width(), inhalt->minimumSizeHint().width());
  EXPECT_GE(fenster.width(), inhalt->minimumSizeHint().width());
  // Forced smaller (a window system that ignores the minimum): scroll bars, the content whole.
  fenster.setMinimumSize(0, 0);
  fenster.layout()->setSizeConstraint(QLayout::SetNoConstraint);
  fenster.resize(100, 30);
  QCoreApplication::processEvents();
  EXPECT_TRUE(bereich->horizontalScrollBar()->isVisible());
  EXPECT_GE(inhalt->width(), inhalt->minimumSizeHint().width());
}

} // namespace
