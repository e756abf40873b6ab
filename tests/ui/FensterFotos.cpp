// Takes pictures of the main window before and after a run and of the distribution editor, for
// looking at them and for the README:
//   ui_fotos DIR
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "MainForm.h"
#include "W32_CLC.h"
#include "ZahlFeld.h"

int main(int argc, char **argv) {
  kwt::FormatierungInitialisieren();
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const QString ziel = argc > 1 ? argv[1] : ".";
  QDir().mkpath(ziel);
  kwt::Bewertungsmodell modell;
  kwt::TMainForm fenster(modell);
  fenster.show();
  fenster.FormCreate();
  modell.Zufall.Zufallszustand = 2009;
  QApplication::processEvents();
  fenster.grab().save(ziel + "/hauptfenster_vorher.png");
  fenster.findChild<QPushButton *>("BtnCalculate")->click();
  QApplication::processEvents();
  fenster.grab().save(ziel + "/hauptfenster_nachher.png");
  fenster.findChild<QTabWidget *>("PageControl1")->setCurrentIndex(1);
  QApplication::processEvents();
  fenster.grab().save(ziel + "/hauptfenster_kurve.png");
  // The editor is modal: it is photographed from inside its own message loop, then cancelled. The
  // chart lays out its axis labels for the shown size over a few rounds of messages.
  for (const char *knopf : {"BtnV_LZ", "BtnV_RO"}) {
    QTimer::singleShot(100, [&] {
      QWidget *dialog = QApplication::activeModalWidget();
      if (!dialog) return;
      const QString name = ziel + "/verteilung_" + QString(knopf).mid(5).toLower();
      dialog->grab().save(name + ".png");
      // A sum other than 100: red, OK disabled.
      dialog->findChild<QLineEdit *>("EW5")->setText("26");
      QMetaObject::invokeMethod(dialog, "EW1Change");
      dialog->grab().save(name + "_rot.png");
      dialog->close();
    });
    fenster.findChild<QPushButton *>(knopf)->click();
  }
  return 0;
}
