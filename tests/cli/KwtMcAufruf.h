// kwt-mc called in this process, its outputs caught in strings.
#pragma once

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

} // namespace kwt::test
