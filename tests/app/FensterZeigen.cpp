// Shows the main window with one of the program's other windows open over it, its application set up
// as the program sets it up (AnwendungEinrichten), and stays until it is ended; the captions are then
// read from the X server (fenster_titel_xvfb.sh):
//   fenster_zeigen verteilung|rohertrag|info|auswertung|fehler|oeffnen|speichern|drucken
//   fenster_zeigen frage DATEI      (DATEI exists: the save dialog asks before replacing it)
// prints "bereit" once the window is up.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include <cstdio>

#include "DiagrammAnsicht.h"
#include "MainForm.h"
#include "Meldungen.h"
#include "Programmstart.h"
#include "W32_CLC.h"

int main(int argc, char **argv) {
  kwt::FormatierungInitialisieren();
  QApplication app(argc, argv);
  kwt::AnwendungEinrichten(app);
  const QStringList argumente = QApplication::arguments();
  const QString art = argumente.value(1);
  kwt::Bewertungsmodell modell;
  kwt::TMainForm fenster(modell);
  fenster.FormCreate();
  fenster.show();

  // Reports once the window asked for is visible: a dialog over the main window, for "frage" the
  // message box over the save dialog.
  auto *warten = new QTimer(&fenster);
  QObject::connect(warten, &QTimer::timeout, [&] {
    for (QWidget *w : QApplication::topLevelWidgets()) {
      if (w == &fenster || !w->isVisible() || w->inherits("QMenu")) continue;
      if (art == "frage" && !qobject_cast<QMessageBox *>(w)) continue;
      warten->stop();
      std::printf("bereit\n");
      std::fflush(stdout);
      return;
    }
  });
  warten->start(50);

  const std::function<void()> oeffnen = [&]() -> std::function<void()> {
    if (art == "verteilung") return [&] { fenster.findChild<QPushButton *>("BtnV_LZ")->click(); };
    if (art == "rohertrag") return [&] { fenster.findChild<QPushButton *>("BtnV_RO")->click(); };
    if (art == "info") return [&] { fenster.findChild<QAction *>("Info1")->trigger(); };
    if (art == "auswertung") return [&] { fenster.findChild<QAction *>("mnExakteVerteilung")->trigger(); };
    if (art == "fehler") return [&] { kwt::FehlerMelden(&fenster, "Gleitkommadivision durch Null"); };
    if (art == "oeffnen") return [&] { fenster.findChild<QAction *>("mnSzenarioOeffnen")->trigger(); };
    if (art == "speichern") return [&] { fenster.findChild<QAction *>("mnSzenarioSpeichern")->trigger(); };
    if (art == "drucken") return [&] { fenster.Chart2()->findChild<QAction *>("PopDrucken")->trigger(); };
    // The save dialog with the name of a file that exists: Qt's file dialog asks before replacing it.
    if (art == "frage") {
      return [&] {
        // The name typed into the name field: selectFile leaves that field as it is once it has the
        // focus, and the accept then only opens the folder. Tried again until the question shows.
        auto *eintragen = new QTimer(&fenster);
        QObject::connect(eintragen, &QTimer::timeout, [eintragen] {
          for (QWidget *w : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMessageBox *>(w) && w->isVisible()) {
              eintragen->stop();
              return;
            }
          }
          auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
          if (!dialog || !dialog->isVisible()) return;
          const QString pfad = QApplication::arguments().value(2);
          dialog->selectFile(pfad);
          if (auto *name = dialog->findChild<QLineEdit *>("fileNameEdit")) name->setText(pfad);
          QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        eintragen->start(300);
        fenster.findChild<QAction *>("mnSzenarioSpeichern")->trigger();
      };
    }
    return {};
  }();
  if (!oeffnen) {
    std::fprintf(stderr, "fenster_zeigen: unbekannte Art '%s'\n", qPrintable(art));
    return 2;
  }
  QTimer::singleShot(100, &fenster, oeffnen);
  return QApplication::exec();
}
