// The window program's start-up before its window exists: the application's names, icon and version,
// Qt's German texts, and the command line. The program (main.cpp) and the test programs that show its
// windows set up their application object through AnwendungEinrichten, so they show the same captions.
#pragma once

#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

class QApplication;
class QCoreApplication;
class QTranslator;

namespace kwt {

// The name under which the desktop knows the program: its desktop entry, icon and AppStream data.
inline constexpr const char *DesktopId = KWT_DESKTOP_ID; // set in CMakeLists.txt

// Application name (the error box's caption, the task bar), icon, version and desktop entry, and
// Qt's German translation. No display name is set: Qt would append it to every window's caption,
// and the captions are the windows' own ("KWT Monte-Carlo Simulation Version 3 [2009]", the
// parameter's name in the editor).
void AnwendungEinrichten(QApplication &app);

// Installs Qt's own translation (qtbase: the standard buttons, file, print and message dialogs) in
// German, for the system's German regional variant where it is one. The program speaks German only,
// so its dialogs do so on any system. Returns the installed translator (owned by the application),
// or nullptr when the folder has none: Qt's built-in English texts stay, without a message.
QTranslator *QtUebersetzungLaden(QCoreApplication &app, const QLocale &system = QLocale::system(),
                                 const QString &ordner = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

// The command line: KWTMonteCarlo [-h|--help] [-v|--version] [DATEI]. With a file, the window opens
// that scenario after it has written its defaults. Help, version and bad arguments end the program
// at once with the given status, after the texts for standard output and standard error.
struct Startauftrag {
  QString Datei;
  std::optional<int> Ende;
  QString Ausgabe;
  QString Fehler;
};
Startauftrag BefehlszeileLesen(const QStringList &argumente);

} // namespace kwt
