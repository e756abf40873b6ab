// The program's error type, and the German text the user sees for any error.
//
// Everything the program raises itself is a Fehler (or derived from it) whose message is German
// (UTF-8) and is what the user reads: in the error box of the window, on kwt-mc's standard error, in a
// run's result. Commands catch it at their edge (components/Meldungen.h: BefehlAusfuehren). Anything
// else that arrives there (no memory, a fault of the program itself) gets a German text of its own from
// MeldungZumFehler, never the library's English what().
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace kwt {

class Fehler : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char *MeldungKeinSpeicher = "Nicht genügend Arbeitsspeicher";
inline constexpr const char *MeldungUnerwartet = "Unerwarteter Fehler im Programm; der Vorgang wurde abgebrochen";

// The message for an error caught as std::exception_ptr: a Fehler's own message, MeldungKeinSpeicher for
// std::bad_alloc, MeldungUnerwartet for anything else.
std::string MeldungZumFehler(const std::exception_ptr &fehler);

} // namespace kwt
