// Scenario files (.kwt): what a valuer entered for an appraisal, kept with the file and reopened
// months later.
//
// A scenario is JSON with a format name and version: the ten bounds, the five percentage rows, the
// number of trials and the state of "Histogramm kontinuierlich". Numbers are written as decimal text
// (the shortest that reads back to the same extended value), so a reloaded scenario gives the very
// same fields, and with the same seed the very same run. Reading also takes plain JSON numbers.
//
// Reading is strict: anything that is not exactly a scenario of this version, with every key present,
// no other keys, the right types and every number inside what its entry field can hold, is refused
// with a German message naming the problem.
#pragma once

#include <cstdint>
#include <string>

#include "Parameter.h"
#include "Standardwerte.h"

namespace kwt {

struct Szenario {
  Parameterwerte Min{};
  Parameterwerte Max{};
  std::array<Klassenwerte, ParameterAnzahl> Prozent{};
  std::int32_t Versuche = StandardVersuche;
  bool HistogrammKontinuierlich = true;

  friend bool operator==(const Szenario &, const Szenario &) = default;
};

inline constexpr int SzenarioFormatVersion = 1;

// What the entry fields can hold: digits before the decimal point of each bound's field (lower bounds
// LZ..BO, then upper bounds), two decimals for bounds and percentages, percentages up to three digits.
inline constexpr std::array<int, ParameterAnzahl> StellenMin{7, 7, 7, 7, 9};
inline constexpr std::array<int, ParameterAnzahl> StellenMax{8, 8, 8, 7, 9};
inline constexpr int StellenProzent = 3;

class SzenarioFehler : public Fehler {
public:
  using Fehler::Fehler;
};

std::string SzenarioAlsText(const Szenario &szenario);
// Throws SzenarioFehler.
Szenario SzenarioAusText(const std::string &text);

// Writes to a temporary file beside the target and renames it, so an interrupted save never leaves a
// half file. Throws SzenarioFehler when the file cannot be written.
void DateiSicherSchreiben(const std::string &pfad, const std::string &inhalt);
void SzenarioSpeichern(const std::string &pfad, const Szenario &szenario);
Szenario SzenarioLaden(const std::string &pfad);

} // namespace kwt
