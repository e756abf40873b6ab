// Opens the about box as the program's "Info" command does, for looking at it on a real screen.
// With --bild DATEI.png the whole screen is saved half a second after the box has appeared, and the box
// is closed by a click on its background.
#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>

#include "Programminfo.h"

int main(int argc, char **argv) {
  QApplication anwendung(argc, argv);
  QCommandLineParser optionen;
  optionen.addOption({QStringLiteral("bild"), QStringLiteral("Bildschirmfoto nach DATEI"), QStringLiteral("DATEI")});
  optionen.process(anwendung);
  const QString bild = optionen.value(QStringLiteral("bild"));
  bool gespeichert = bild.isEmpty();
  if (!bild.isEmpty()) {
    QTimer::singleShot(500, [&] {
      QWidget *box = QApplication::activeModalWidget();
      gespeichert = QGuiApplication::primaryScreen()->grabWindow(0).save(bild);
      std::printf("%s: %s\n", qPrintable(bild), gespeichert ? "gespeichert" : "FEHLER");
      if (box) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(480, 20));
    });
  }
  kwt::ProgrammInfoZeigen();
  return gespeichert ? 0 : 1;
}
