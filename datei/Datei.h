// The program's one way to write a file, and its careful way to read one.
//
// A valuer keeps scenarios, value lists, CSV files and reports with the appraisal; the program must
// never be the reason one of them is damaged or gone. So every file the program writes goes through
// DateiSicherSchreiben:
//
// - A regular file (or one that does not exist yet) is written to a temporary file with a short name
//   in the same folder, flushed and synced to the disk, given the old file's permission bits (and,
//   where allowed, its owner), and then renamed over the target in one step. Whatever fails on the
//   way, the temporary file is removed and the old file stays as it was, byte for byte.
// - A symbolic link stays a link: the file it points to is written as above (also when it does not
//   exist yet).
// - A target that is not a regular file, a device such as /dev/null, a FIFO, or /dev/stdout, is
//   written directly and never replaced or removed.
// - An existing file the user may not write is refused, as an editor would refuse it, although the
//   folder would allow replacing it.
//
// Every failure is a DateiFehler whose German message names the file and the reason the system gave
// (the folder does not exist, no permission, the disk is full, the name is too long, ...).
//
// The platform's side (POSIX calls, or the wide-character Windows API) is in Plattform.cpp.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "Gleitkomma.h"

namespace kwt {

// Error numbers of the program's own, beside the system's errno values.
inline constexpr int FehlerKeineGewoehnlicheDatei = -1; // a device, FIFO or socket where a file is read
inline constexpr int FehlerZuGross = -2;                 // more bytes than the reader takes

class DateiFehler : public Fehler {
public:
  DateiFehler(const std::string &meldung, int fehlernummer) : Fehler(meldung), fehlernummer_(fehlernummer) {}
  // The system's errno value (Windows errors mapped to their errno equivalents) or one of the above.
  int Fehlernummer() const { return fehlernummer_; }

private:
  int fehlernummer_;
};

enum class Vorgang { Lesen, Schreiben };

// The reason for an error number as a German sentence: "Der Datenträger ist voll."
std::string FehlerGrund(int fehlernummer, Vorgang vorgang);

// "Die Datei '<pfad>' kann nicht geschrieben werden: <Grund>" (the path quoted and shortened).
std::string DateiMeldung(const std::string &pfad, int fehlernummer, Vorgang vorgang);

// Writes inhalt as the whole content of the file pfad, safely as described above. Throws DateiFehler.
void DateiSicherSchreiben(const std::string &pfad, std::string_view inhalt);

// Reads a whole regular file of at most `hoechstens` bytes. What is not a regular file (a folder, a
// FIFO, a device) is refused before it is opened for reading, so that reading never waits for a
// writer that never comes. Throws DateiFehler.
std::string DateiLesen(const std::string &pfad, std::size_t hoechstens);

} // namespace kwt
