// The main window for looking at it and for reading the real clipboard from outside:
//   ui_fotos DIR                              pictures before and after a run, and of the curve tab
//   ui_fotos --zwischenablage text|svg|png    a run, then the result list (text) or the histogram
//                                             (svg, png) on the clipboard; prints "bereit WxH N"
//                                             (the chart's size, the number of lines) and stays until
//                                             it is ended, so that xclip can read the clipboard
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

#include "DiagrammAnsicht.h"
#include "MainForm.h"
#include "W32_CLC.h"
#include "ZahlFeld.h"

int main(int argc, char **argv) {
  kwt::FormatierungInitialisieren();
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const QStringList argumente = QApplication::arguments();
  kwt::Bewertungsmodell modell;
  kwt::TMainForm fenster(modell);
  fenster.show();
  fenster.FormCreate();
  modell.Zufall.Zufallszustand = 2009;
  QApplication::processEvents();

  if (argumente.size() == 3 && argumente[1] == "--zwischenablage") {
    fenster.findChild<kwt::TZahlFeld *>("EVersuche")->setGanzzahl(1000);
    fenster.findChild<QPushButton *>("BtnCalculate")->click();
    const QString art = argumente[2];
    bool gut = true;
    if (art == "svg") gut = fenster.Chart2()->MetafileKopieren();
    if (art == "png") gut = fenster.Chart2()->BitmapKopieren();
    const QSize g = fenster.Chart2()->Bildgroesse();
    std::printf("%s %dx%d %zu\n", gut ? "bereit" : "fehler", g.width(), g.height(),
                fenster.Lauf().Liste.Zeilen().size());
    std::fflush(stdout);
    return QApplication::exec();
  }

  const QString ziel = argumente.size() > 1 ? argumente[1] : ".";
  QDir().mkpath(ziel);
  fenster.grab().save(ziel + "/hauptfenster_vorher.png");
  fenster.findChild<QPushButton *>("BtnCalculate")->click();
  QApplication::processEvents();
  fenster.grab().save(ziel + "/hauptfenster_nachher.png");
  fenster.findChild<QTabWidget *>("PageControl1")->setCurrentIndex(1);
  QApplication::processEvents();
  fenster.grab().save(ziel + "/hauptfenster_kurve.png");
  return 0;
}
