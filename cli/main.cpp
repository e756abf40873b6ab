#include <iostream>

#include "Befehlszeile.h"
#include "KwtMc.h"
#include "Standardausgabe.h"
#include "W32_CLC.h"

int main(int argc, char **argv) {
  // As the window's start-up: separators and the upward rounding mode before anything computes.
  kwt::FormatierungInitialisieren();
  // UTF-8 arguments and byte streams on every system (Befehlszeile.h).
  const kwt::cli::Befehlszeile befehlszeile(argc, argv);
  // Standard output through the checked writer: a failed write is reported, not lost in std::cout.
  kwt::AusgabeVorbereiten();
  kwt::StandardausgabePuffer puffer;
  std::ostream aus(&puffer);
  return kwt::cli::KwtMc(befehlszeile.Anzahl(), befehlszeile.Argumente(), aus, std::cerr);
}
