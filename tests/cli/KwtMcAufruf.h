// kwt-mc called in this process, its outputs caught in strings, and its JSON read back.
#pragma once

#include <nlohmann/json.hpp>

#include <cfenv>
#include <sstream>
#include <string>
#include <vector>

#include "KwtMc.h"

namespace kwt::test {

struct Ausgabe {
  int status;
  std::string aus, fehler;
};

inline Ausgabe Aufrufen(std::vector<std::string> argumente) {
  argumente.insert(argumente.begin(), "kwt-mc");
  std::vector<const char *> argv;
  for (const std::string &a : argumente) argv.push_back(a.c_str());
  std::ostringstream aus, fehler;
  const int status = cli::KwtMc(static_cast<int>(argv.size()), argv.data(), aus, fehler);
  return {status, aus.str(), fehler.str()};
}

// Numbers are read back as any consumer of the output reads them: with round-to-nearest.
inline nlohmann::json Lesen(const std::string &text) {
  std::fesetround(FE_TONEAREST);
  nlohmann::json j = nlohmann::json::parse(text);
  std::fesetround(FE_UPWARD);
  return j;
}

} // namespace kwt::test
