// KWT Monte-Carlo-Simulation: start-up and shutdown.
//
// Order of start-up: the random source is seeded, then the separators and the upward rounding mode
// are set for the rest of the process, all before the application object exists; then the
// application's names and Qt's German texts, the command line, the main window with the splash
// shown while it sets itself up, the scenario named on the command line, the message loop, the end.
// Nothing is saved at the end.
#include <QApplication>
#include <QTimer>

#include <cstdio>

#include "Bewertungsmodell.h"
#include "Bilder.h"
#include "MainForm.h"
#include "Programmstart.h"
#include "Splash.h"
#include "W32_CLC.h"

int main(int argc, char **argv) {
  static kwt::Bewertungsmodell modell; // the program's one model, for its whole life
  modell.ZufallInitialisieren();
  kwt::FormatierungInitialisieren();

  QApplication app(argc, argv);
  kwt::AnwendungEinrichten(app);
  const kwt::Startauftrag auftrag = kwt::BefehlszeileLesen(QApplication::arguments());
  if (auftrag.Ende) {
    std::fputs(auftrag.Ausgabe.toLocal8Bit().constData(), stdout);
    std::fputs(auftrag.Fehler.toLocal8Bit().constData(), stderr);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
      std::fputs("KWTMonteCarlo: Die Ausgabe kann nicht geschrieben werden.\n", stderr);
      return 1;
    }
    return *auftrag.Ende;
  }

  kwt::TMainForm fenster(modell);
  // The splash belongs to the main window, so that closing the window early takes it along.
  auto *splash = new kwt::TSplash(kwt::SplashBild(), &fenster);
  splash->Zeigen();
  fenster.FormCreate();
  fenster.show();
  // Opened as "Szenario öffnen…" opens it, once the window is up: a bad file gets the error box over
  // the window, which keeps its defaults.
  if (!auftrag.Datei.isEmpty()) {
    QTimer::singleShot(0, &fenster, [&fenster, datei = auftrag.Datei] { fenster.SzenarioOeffnen(datei); });
  }
  return QApplication::exec();
}
