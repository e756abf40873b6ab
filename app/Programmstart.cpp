#include "Programmstart.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTranslator>

#include "Bilder.h"
#include "Meldungen.h"

namespace kwt {

void AnwendungEinrichten(QApplication &app) {
  QtUebersetzungLaden(app);
  QApplication::setApplicationName(ProgrammTitel);
  QApplication::setApplicationVersion(KWT_VERSION);
  QGuiApplication::setDesktopFileName(DesktopId);
  QApplication::setWindowIcon(ProgrammSymbol());
}

QTranslator *QtUebersetzungLaden(QCoreApplication &app, const QLocale &system, const QString &ordner) {
  const QLocale deutsch = system.language() == QLocale::German ? system : QLocale(QLocale::German, QLocale::Germany);
  auto *uebersetzung = new QTranslator(&app);
  if (!uebersetzung->load(deutsch, QStringLiteral("qtbase"), QStringLiteral("_"), ordner) ||
      !QCoreApplication::installTranslator(uebersetzung)) {
    delete uebersetzung;
    return nullptr;
  }
  return uebersetzung;
}

Startauftrag BefehlszeileLesen(const QStringList &argumente) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("KWT Monte-Carlo-Simulation: Unsicherheit des Verkehrswerts im Ertragswertverfahren."));
  const QCommandLineOption hilfe = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("DATEI"),
                               QStringLiteral("Szenario (.kwt), das das Fenster nach dem Start öffnet."),
                               QStringLiteral("[DATEI]"));
  Startauftrag auftrag;
  const QString programm = argumente.isEmpty() ? QStringLiteral("KWTMonteCarlo") : argumente.first();
  if (!parser.parse(argumente)) {
    auftrag.Fehler = programm + QStringLiteral(": ") + parser.errorText() + u'\n';
    auftrag.Ende = 2;
  } else if (parser.isSet(hilfe)) {
    auftrag.Ausgabe = parser.helpText();
    auftrag.Ende = 0;
  } else if (parser.isSet(version)) {
    auftrag.Ausgabe = QStringLiteral("KWTMonteCarlo (KWT Monte-Carlo-Simulation) " KWT_VERSION "\n");
    auftrag.Ende = 0;
  } else if (parser.positionalArguments().size() > 1) {
    auftrag.Fehler = programm + QStringLiteral(": Es kann nur ein Szenario geöffnet werden, nicht ") +
                     QString::number(parser.positionalArguments().size()) + QStringLiteral(".\n");
    auftrag.Ende = 2;
  } else if (!parser.positionalArguments().isEmpty()) {
    auftrag.Datei = parser.positionalArguments().first();
  }
  return auftrag;
}

} // namespace kwt
