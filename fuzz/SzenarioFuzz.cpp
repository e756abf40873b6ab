// libFuzzer target: the scenario loader takes any bytes without crashing, hanging or reading outside
// its input; what it accepts it writes back and reads again to the same scenario.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Szenario.h"
#include "W32_CLC.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  kwt::FormatierungInitialisieren();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *daten, std::size_t groesse) {
  const std::string text(reinterpret_cast<const char *>(daten), groesse);
  try {
    const kwt::Szenario s = kwt::SzenarioAusText(text);
    if (!(kwt::SzenarioAusText(kwt::SzenarioAlsText(s)) == s)) std::abort();
  } catch (const kwt::SzenarioFehler &) {
  }
  return 0;
}
