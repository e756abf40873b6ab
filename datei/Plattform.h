// The platform's side of the program's file access: POSIX calls, or the wide-character Windows API
// (Plattform.cpp). Nothing here throws or builds a message: every function returns 0 on success or an
// errno value (Windows errors mapped to their errno equivalents), or one of the program's own numbers
// of Datei.h. Datei.cpp decides and words the messages.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kwt::plattform {

enum class Art {
  Fehlt,       // nothing there yet
  Gewoehnlich, // a regular file: replaced through a temporary file
  Ordner,
  Anderes, // a device, FIFO, socket, or a channel such as /dev/stdout: written directly
};

struct Ziel {
  Art art = Art::Fehlt;
  std::string pfad;    // the file itself: symbolic links followed to their end
  int deskriptor = -1; // /dev/stdout, /dev/fd/N: the process's own open descriptor N
};

int ZielErmitteln(const std::string &pfad, Ziel &ziel);

// Temporary file beside the target, all bytes, synced, the old file's mode, renamed over the target.
// On failure the temporary file is gone and the target untouched.
int Ersetzen(const Ziel &ziel, std::string_view inhalt);

// Writes into what is there, a descriptor of the process at its own position.
int DirektSchreiben(const Ziel &ziel, std::string_view inhalt);

// The whole regular file, refused before opening when it is no regular file or larger than hoechstens.
int Lesen(const std::string &pfad, std::size_t hoechstens, std::string &inhalt);

// All bytes to the standard output, retried after interruptions.
int StandardausgabeSchreiben(const char *daten, std::size_t laenge);

// A closed pipe and a file size limit become errors of the write that meets them (EPIPE, EFBIG)
// instead of signals that end the process without a word.
void AusgabeVorbereiten();

} // namespace kwt::plattform
