// The headless command kwt-mc: the window's run on a terminal, for batch use.
//
//   kwt-mc [--szenario DATEI] [--versuche N] [--seed S] [--lz MIN:MAX] ... [--verteilung NAME]
//          [--prozent PARAM=p1,...,p10] [--form PARAM=FORM:Z1:Z2[:Z3[:Z4]]]
//          [--rnd-modell GND:ALTER:PUNKTE_MIN:PUNKTE_MAX] [--liste DATEI|-] [--csv DATEI]
//          [--csv-trenner ;|,] [--json] [--exakt] [--threads N] [--versuchsweise] [--zeit]
//
// The run is the fast one on all cores (--threads N to choose); its results are those of the window's
// trial-by-trial run, which --versuchsweise runs instead. --zeit adds the run's time and its trials
// per second.
//
// Without arguments it runs the main window's defaults (the ten default bounds, "Normalverteilung",
// 10000 trials) and prints the nine figures with the window's captions, a text histogram and the
// points of the cumulative curve; --exakt adds the exact distribution beside the run (ExaktAusgabe.h).
// --form and --rnd-modell fill a parameter's bounds (and percentages) as the window's "Form…" and
// "Modernisierung…" do; --json then shows in "eingaben" what the run drew from (Eingaben.h).
// Every option is checked before the run (Argumente.cpp); the help and CLI11's messages are German
// (Hilfe.cpp). Files go through the program's safe writer; a failed run writes none. The standard
// output is checked to the last byte.
//
// Exit status: 0 success; 1 the run failed (the German message is printed, and with --json the
// figures done before the failure) or a file or the standard output could not be written (the
// message names the reason); 2 bad arguments; 141 the reader closed the standard output's pipe
// (kwt-mc --liste - | head -1): no message, the status a shell shows for a tool ended by SIGPIPE.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "Bewertungsmodell.h"
#include "ErgebnisCsv.h"
#include "Fehler.h"
#include "Restnutzungsdauer.h"
#include "Standardwerte.h"

namespace kwt::cli {

// Without options: the window's defaults (Standardwerte.h).
struct Auftrag {
  Parameterwerte Min = StandardMin;
  Parameterwerte Max = StandardMax;
  std::array<Klassenwerte, ParameterAnzahl> Prozent = StandardProzente();
  // Options take effect in the order given, so a later --lz, --prozent, --verteilung or --rnd-modell
  // overrides what a --form gave. A shape (from --form or a scenario) is kept only while it gives
  // exactly the parameter's bounds and percentages of the run, and the remaining-life model only
  // while it gives RND's bounds: what "eingaben" reports is always how the run's inputs were made.
  std::array<std::optional<FormAngabe>, ParameterAnzahl> Formen{};
  std::optional<RndModellEingabe> RndModell;
  // Notes from reading a scenario (a shape it dropped), for the standard error before the run.
  std::vector<std::string> Hinweise;
  std::int32_t Versuche = StandardVersuche;
  std::optional<std::uint32_t> Seed;
  std::optional<std::string> Liste;
  std::optional<std::string> Csv;
  CsvTrenner CsvTrennzeichen = CsvTrenner::Komma; // RFC 4180, as the files written before
  bool Json = false;
  bool Exakt = false;
  int Threads = 0; // 0: one per core
  bool Versuchsweise = false;
  bool Zeit = false;
  bool Hilfe = false;
  bool Version = false;
};

inline constexpr int StatusEmpfaengerGeschlossen = 141;

// Reads and checks the arguments. Throws ArgumentFehler with a German message naming the option (or
// the scenario's key) and what it takes. When the arguments ask for the help, Hilfe is set and
// *hilfe holds its text.
class ArgumentFehler : public Fehler {
public:
  using Fehler::Fehler;
};
Auftrag ArgumenteLesen(int argc, const char *const *argv, std::string *hilfe = nullptr);

// "kwt-mc (KWT Monte-Carlo-Simulation) 3.0.0.0": the version of project(VERSION), as the window's about box.
std::string VersionsZeile();

// The whole command: arguments, run, output. Returns the exit status.
int KwtMc(int argc, const char *const *argv, std::ostream &aus, std::ostream &fehler);

} // namespace kwt::cli
