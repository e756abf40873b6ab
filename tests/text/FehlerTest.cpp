// The text the user sees for an error: the program's own message, or a German text for anything else.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "Fehler.h"
#include "Gleitkomma.h"

using namespace kwt;

namespace {

TEST(Fehler, MeldungZumFehler) {
  const struct {
    const char *name;
    std::function<void()> werfen;
    std::string meldung;
  } faelle[] = {
      {"Fehler", [] { throw Fehler("Das Feld EParam1Max enthält keine gültige Zahl"); },
       "Das Feld EParam1Max enthält keine gültige Zahl"},
      {"GleitkommaFehler", [] { FehlerDivisionDurchNull(); }, "Gleitkommadivision durch Null"},
      {"kein Speicher", [] { throw std::bad_alloc(); }, MeldungKeinSpeicher},
      // The library's English texts never reach the user.
      {"Bibliothek", [] { throw std::out_of_range("vector::_M_range_check: __n (which is 7)"); }, MeldungUnerwartet},
      {"keine Ausnahmeklasse", [] { throw 42; }, MeldungUnerwartet},
  };
  for (const auto &f : faelle) {
    std::exception_ptr gefangen;
    try {
      f.werfen();
    } catch (...) {
      gefangen = std::current_exception();
    }
    ASSERT_TRUE(gefangen) << f.name;
    EXPECT_EQ(MeldungZumFehler(gefangen), f.meldung) << f.name;
  }
  EXPECT_EQ(MeldungZumFehler(nullptr), MeldungUnerwartet);
}

} // namespace
