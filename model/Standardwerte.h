// The inputs a valuation starts from: the ten bounds, the preset and the number of trials that the
// main window writes into its fields after start-up and that kwt-mc runs without arguments. They are
// defined here once; the window, kwt-mc, the scenario files, the tests and the benchmarks take them
// from here.
#pragma once

#include <array>
#include <cstdint>

#include "Voreinstellungen.h"

namespace kwt {

inline constexpr Parameterwerte StandardMin{4.8L, 40, 310000, 60000, 675000};
inline constexpr Parameterwerte StandardMax{5.1L, 60, 370000, 85000, 720000};
inline constexpr MenuVoreinstellung StandardVoreinstellung = MenuVoreinstellung::Normalverteilung;
inline constexpr std::int32_t StandardVersuche = 10000;

// The five percentage rows of StandardVoreinstellung, LZ to BO.
std::array<Klassenwerte, ParameterAnzahl> StandardProzente();

} // namespace kwt
