// kwt-mc's own texts in German: its help and CLI11's messages.
//
// CLI11 brings English labels ("Usage:", "Options:", "TEXT") and English errors. Both are replaced
// through CLI11's own hooks: a formatter with German labels and value names that pads and wraps by
// characters (the descriptions hold umlauts), and a failure message that words each kind of parse
// error in German, naming the option.
#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
class Error;
} // namespace CLI

namespace kwt::cli {

// Value names of the help, in place of CLI11's "TEXT".
inline constexpr const char *WertZahl = "ZAHL";
inline constexpr const char *WertDatei = "DATEI";
inline constexpr const char *WertGrenzen = "MIN:MAX";
inline constexpr const char *WertProzent = "PARAM=P1,…,P10";
inline constexpr const char *WertName = "NAME";
inline constexpr const char *WertForm = "PARAM=FORM:Z1:Z2[:Z3[:Z4]]";
inline constexpr const char *WertRndModell = "GND:ALTER:PUNKTE_MIN:PUNKTE_MAX";

// Before any option is added: the German formatter, the option group "Optionen", the footer (presets,
// numbers, exit status) and the failure message. `argumente` are the command line's words after the
// program name, for naming the option an extra value followed.
void DeutschEinrichten(CLI::App &app, std::vector<std::string> argumente);

// The German message for a parse error of app.
std::string Fehlermeldung(const CLI::App &app, const CLI::Error &fehler, const std::vector<std::string> &argumente);

} // namespace kwt::cli
