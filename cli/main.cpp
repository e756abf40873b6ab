#include <iostream>

#include "Befehlszeile.h"
#include "KwtMc.h"
#include "W32_CLC.h"

int main(int argc, char **argv) {
  // As the window's start-up: separators and the upward rounding mode before anything computes.
  kwt::FormatierungInitialisieren();
  const kwt::cli::Befehlszeile befehlszeile(argc, argv);
  return kwt::cli::KwtMc(befehlszeile.Anzahl(), befehlszeile.Argumente(), std::cout, std::cerr);
}
