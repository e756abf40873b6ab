// What kwt-mc's text and JSON outputs share: columns padded by characters, not bytes (the texts hold
// umlauts, dashes and "€"), and figures as JSON numbers with null where there is none.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>

#include <nlohmann/json.hpp>

#include "Gleitkomma.h"

namespace kwt::cli {

// The number of characters of UTF-8 text.
inline std::size_t Zeichen(const std::string &s) {
  return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}
inline std::string Links(const std::string &s, std::size_t breite) {
  return s + std::string(breite - std::min(breite, Zeichen(s)), ' ');
}
inline std::string Rechts(const std::string &s, std::size_t breite) {
  return std::string(breite - std::min(breite, Zeichen(s)), ' ') + s;
}

// The extended value as a double (converted under the program's upward rounding), or null for NaN
// and infinities, as nlohmann would write them.
inline nlohmann::ordered_json JsonZahl(Extended x) {
  if (!std::isfinite(x)) return nullptr;
  return static_cast<double>(x);
}

} // namespace kwt::cli
