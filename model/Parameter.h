// The five uncertain inputs of the valuation and one parameter's class table.
//
// Data flow of the program: bounds and percentages -> class tables (Bewertungsmodell) -> random
// class draws -> market value (Ertragswert) -> result store, sorted lines, histogram, curve and the
// nine figures, gathered in the run's result (Laufergebnis, simulation/) -> labels and charts (ui/),
// report, CSV, kwt-mc. The run's header, simulation/Simulationslauf.h, tells the steps of a run.
// Arrays are 0-based here: class k of the valuer's table is index k - 1, and the parameters follow
// their fixed order LZ, RND, RO, BWK, BO.
#pragma once

#include <array>
#include <string_view>

#include "Gleitkomma.h"

namespace kwt {

inline constexpr int ParameterAnzahl = 5;
inline constexpr int KlassenAnzahlVerteilung = 10;

enum Parameter : int {
  LZ = 0,  // Liegenschaftszinssatz: property yield rate in percent
  RND = 1, // Restnutzungsdauer: remaining economic life in years
  RO = 2,  // Jahresrohertrag: annual gross income
  BWK = 3, // Bewirtschaftungskosten: annual operating costs
  BO = 4,  // Bodenwert: land value
};

inline constexpr std::array<Parameter, ParameterAnzahl> AlleParameter{LZ, RND, RO, BWK, BO};

// Short names as the command line and files spell them.
inline constexpr std::array<std::string_view, ParameterAnzahl> ParameterKuerzel{"lz", "rnd", "ro", "bwk", "bo"};

// Full names as the main window's panels title them (without the colon), for evaluations and reports.
inline constexpr std::array<const char *, ParameterAnzahl> ParameterBezeichnung{
    "Liegenschaftszinssatz", "Restnutzungsdauer", "Jahresrohertrag", "Bewirtschaftungskosten", "Bodenwert"};

using Klassenwerte = std::array<Extended, KlassenAnzahlVerteilung>;
using Parameterwerte = std::array<Extended, ParameterAnzahl>;

// One parameter's class table: midpoints, percentages, and cumulative fractions (sum of
// Prozent / 100 up to the class, accumulated step by step). A plain value type: the distribution
// editor copies it whole.
struct TParamVerteilung {
  Klassenwerte Mitte{};
  Klassenwerte Prozent{};
  Klassenwerte Kumuliert{};

  friend bool operator==(const TParamVerteilung &, const TParamVerteilung &) = default;
};

// The five class tables, in parameter order: what a run draws from.
using Verteilungstabellen = std::array<TParamVerteilung, ParameterAnzahl>;

} // namespace kwt
