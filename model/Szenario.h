// Scenario files (.kwt): what a valuer entered for an appraisal, kept with the file and reopened
// months later.
//
// A scenario is JSON with a format name and version: the ten bounds, the five percentage rows, the
// number of trials and the state of "Histogramm kontinuierlich", and for each parameter whose bounds
// and percentages a shape made (Formen.h) the shape and its numbers, so that reopening shows how
// they were made. Version 2 brought the shapes ("formen"); a scenario without a shape is still
// written as version 1, which programs before the shapes open too. Numbers are written as decimal text
// (the shortest that reads back to the same extended value), so a reloaded scenario gives the very
// same fields, and with the same seed the very same run. Reading also takes plain JSON numbers.
//
// Reading is strict: anything that is not exactly a scenario of versions 1 or 2, with every key
// present once, no other keys, the right types and every number inside what its entry field can
// hold, is refused with a German message naming the problem; text taken from the file is quoted
// shortened. A negative percentage is refused too: it is no probability. The bounds and percentages
// are the record, the shape its explanation: a shape that does not give exactly the stored bounds
// and percentages (a file edited by hand) is dropped with a note, and the rest loads.
// Files are read only when they are regular files of at most 1 MiB, and written through the
// program's safe writer (Datei.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Formen.h"
#include "Parameter.h"
#include "Standardwerte.h"

namespace kwt {

struct Szenario {
  Parameterwerte Min{};
  Parameterwerte Max{};
  std::array<Klassenwerte, ParameterAnzahl> Prozent{};
  std::int32_t Versuche = StandardVersuche;
  bool HistogrammKontinuierlich = true;
  // The shape each parameter's bounds and percentages came from, where one did.
  std::array<std::optional<FormAngabe>, ParameterAnzahl> Formen{};

  friend bool operator==(const Szenario &, const Szenario &) = default;
};

// The newest version this program reads and writes; it writes the oldest one that holds the scenario.
inline constexpr int SzenarioFormatVersion = 2;

// What the entry fields can hold: digits before the decimal point of each bound's field (lower bounds
// LZ..BO, then upper bounds), two decimals for bounds and percentages, percentages up to three digits.
inline constexpr std::array<int, ParameterAnzahl> StellenMin{7, 7, 7, 7, 9};
inline constexpr std::array<int, ParameterAnzahl> StellenMax{8, 8, 8, 7, 9};
inline constexpr int StellenProzent = 3;

// 10^stellen, exactly (a library power under the program's upward rounding may lie above it): every
// value of a field is below this in magnitude.
inline constexpr Extended FeldGrenze(int stellen) {
  std::int64_t g = 1;
  for (int i = 0; i < stellen; ++i) g *= 10;
  return static_cast<Extended>(g);
}

class SzenarioFehler : public Fehler {
public:
  using Fehler::Fehler;
};

std::string SzenarioAlsText(const Szenario &szenario);
// Throws SzenarioFehler. What was dropped while loading (a shape that no longer fits) is told in
// German notes appended to *hinweise.
Szenario SzenarioAusText(const std::string &text, std::vector<std::string> *hinweise = nullptr);

inline constexpr std::size_t GroessteSzenarioDatei = 1 << 20;

// Throws DateiFehler when the file cannot be written (DateiSicherSchreiben).
void SzenarioSpeichern(const std::string &pfad, const Szenario &szenario);
// Throws DateiFehler when the file cannot be read, SzenarioFehler when it is no valid scenario.
Szenario SzenarioLaden(const std::string &pfad, std::vector<std::string> *hinweise = nullptr);

} // namespace kwt
