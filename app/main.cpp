// KWT Monte-Carlo-Simulation: start-up and shutdown.
//
// Order of start-up: the random source is seeded, then the separators and the upward rounding mode
// are set for the rest of the process, all before the application object exists; then the title,
// the main window with the splash shown while it sets itself up, the message loop, the end.
// Nothing is saved at the end.
#include <QApplication>

#include "Bewertungsmodell.h"
#include "Bilder.h"
#include "MainForm.h"
#include "Meldungen.h"
#include "Splash.h"
#include "W32_CLC.h"

int main(int argc, char **argv) {
  static kwt::Bewertungsmodell modell; // the program's one model, for its whole life
  modell.ZufallInitialisieren();
  kwt::FormatierungInitialisieren();

  QApplication app(argc, argv);
  QApplication::setApplicationName(kwt::ProgrammTitel);
  QApplication::setApplicationDisplayName(kwt::ProgrammTitel);
  QApplication::setWindowIcon(kwt::ProgrammSymbol());

  kwt::TMainForm fenster(modell);
  // The splash belongs to the main window, so that closing the window early takes it along.
  auto *splash = new kwt::TSplash(kwt::SplashBild(), &fenster);
  splash->Zeigen();
  fenster.FormCreate();
  fenster.show();
  return QApplication::exec();
}
