#include "Laufergebnis.h"

#include <algorithm>

namespace kwt {

std::span<const double> Laufergebnis::GespeicherteWerte() const {
  const auto n = static_cast<std::size_t>(std::clamp(AktVersuch, std::int32_t{0}, WerteSpeicher));
  return {Werte.data(), std::min(n, Werte.size())};
}

std::array<std::string, Kennzahlen.size()> Laufergebnis::AnfangsAnzeigen() {
  std::array<std::string, Kennzahlen.size()> anzeigen;
  anzeigen.fill("0");
  return anzeigen;
}

} // namespace kwt
