#include <iostream>

#include "KwtMc.h"
#include "W32_CLC.h"

int main(int argc, char **argv) {
  // As the window's start-up: separators and the upward rounding mode before anything computes.
  kwt::FormatierungInitialisieren();
  return kwt::cli::KwtMc(argc, argv, std::cout, std::cerr);
}
