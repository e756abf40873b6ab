// The command line and the standard streams, the same on every system.
//
// kwt-mc takes its arguments as UTF-8 and writes UTF-8 bytes. On Windows the arguments are taken from
// the system in their wide (UTF-16) form and converted, so that umlauts and spaces in scenario paths
// arrive intact whatever the console's code page; standard output and error are switched to binary,
// so that the report, the JSON and the list (with its own CR LF) are the very bytes the Linux command
// writes; and a console shows UTF-8 while the command runs.
#pragma once

#include <string>
#include <vector>

namespace kwt::cli {

class Befehlszeile {
public:
  // argc and argv as main received them; on Windows only their count is used.
  Befehlszeile(int argc, char **argv);
  ~Befehlszeile();
  Befehlszeile(const Befehlszeile &) = delete;
  Befehlszeile &operator=(const Befehlszeile &) = delete;

  int Anzahl() const { return static_cast<int>(zeiger_.size()); }
  const char *const *Argumente() const { return zeiger_.data(); }

private:
  std::vector<std::string> texte_;
  std::vector<const char *> zeiger_;
  unsigned int alteCodepage_ = 0; // of the console, restored at the end (Windows)
};

} // namespace kwt::cli
