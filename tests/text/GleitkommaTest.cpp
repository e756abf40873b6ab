// The error rules of the program's arithmetic. This file is compiled with the project's -O2: the
// checks must hold where the optimiser is free to move arithmetic.
#include <gtest/gtest.h>

#include <cfenv>
#include <limits>

#include "Gleitkomma.h"
#include "W32_CLC.h"

using namespace kwt;

namespace {

std::string Meldung(auto &&berechnung) {
  try {
    volatile Extended r = berechnung();
    (void)r;
  } catch (const GleitkommaFehler &f) {
    return f.what();
  }
  return "";
}

TEST(Gleitkomma, MeldungenDerPruefungen) {
  volatile Extended null = 0, eins = 1, gross = std::numeric_limits<Extended>::max();
  volatile Extended nan = std::numeric_limits<Extended>::quiet_NaN();
  EXPECT_EQ(Meldung([&] { return Durch(null, null); }), "Ungültige Gleitkommaoperation");
  EXPECT_EQ(Meldung([&] { return Durch(eins, null); }), "Gleitkommadivision durch Null");
  EXPECT_EQ(Meldung([&] { return Durch(-eins, -null); }), "Gleitkommadivision durch Null");
  EXPECT_EQ(Meldung([&] { return Mal(gross, gross); }), "Gleitkommaüberlauf");
  EXPECT_EQ(Meldung([&] { return Plus(gross, gross); }), "Gleitkommaüberlauf");
  EXPECT_EQ(Meldung([&] { return Minus(-gross, gross); }), "Gleitkommaüberlauf");
  EXPECT_EQ(Meldung([&] { return Mal(null, static_cast<Extended>(std::numeric_limits<Extended>::infinity())); }),
            "Ungültige Gleitkommaoperation");
  EXPECT_EQ(Meldung([&] { return Plus(nan, eins); }), "");
  EXPECT_EQ(Meldung([&] { return Durch(eins, eins); }), "");
  EXPECT_EQ(Meldung([&] { return static_cast<Extended>(RundenInt64(9.3e18L)); }), "Ungültige Gleitkommaoperation");
  EXPECT_EQ(Meldung([&] { return static_cast<Extended>(RundenInt64(-9.3e18L)); }), "Ungültige Gleitkommaoperation");
  EXPECT_EQ(Meldung([&] { return static_cast<Extended>(RundenInt64(nan)); }), "Ungültige Gleitkommaoperation");
  EXPECT_EQ(RundenInt64(-9223372036854775808.0L), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(Meldung([&] { return static_cast<Extended>(RundenInt64(9223372036854775807.5L)); }),
            "Ungültige Gleitkommaoperation");
}

TEST(Gleitkomma, TextZuZahlMitRundungZumNaechsten) {
  EXPECT_EQ(TextZuExtended("0001234567"), 1234567.0L);
  EXPECT_EQ(TextZuExtended(" 25 "), 25.0L);
  // Parsed with round-to-nearest: the same bits as the compiler's literal, not the upward neighbour.
  EXPECT_EQ(TextZuExtended("0.3"), 0.3L);
  EXPECT_EQ(TextZuExtended("4.8"), 4.8L);
  // ... and the upward mode is back afterwards.
  EXPECT_EQ((SteuerwortLesen() >> 10) & 3, 2);
  EXPECT_EQ(std::fegetround(), FE_UPWARD);
  const std::pair<const char *, const char *> fehler[] = {
      {"", "'' ist kein gültiger Gleitkommawert"},
      {"00000-1234", "'00000-1234' ist kein gültiger Gleitkommawert"},
      {"abc", "'abc' ist kein gültiger Gleitkommawert"},
      {"inf", "'inf' ist kein gültiger Gleitkommawert"},
      {"0x10", "'0x10' ist kein gültiger Gleitkommawert"},
      {"1e99999", "'1e99999' ist kein gültiger Gleitkommawert"},
  };
  for (auto [text, meldung] : fehler) {
    EXPECT_EQ(Meldung([&] { return TextZuExtended(text); }), meldung);
  }
  // Beyond the extended range is told apart from no number at all; underflow reads as 0.
  const std::pair<const char *, Zahltext> arten[] = {
      {"4.8", Zahltext::Gut},          {"1e4932", Zahltext::Gut},
      {"1e-5000", Zahltext::Gut},      {"1e4933", Zahltext::AusserhalbDesBereichs},
      {"-1e99999", Zahltext::AusserhalbDesBereichs}, {"1e", Zahltext::KeineZahl},
      {"vier", Zahltext::KeineZahl},   {"", Zahltext::KeineZahl},
  };
  for (auto [text, art] : arten) {
    Extended wert = 7;
    EXPECT_EQ(TextZuExtendedLesen(text, wert), art) << text;
    if (art != Zahltext::Gut) {
      EXPECT_EQ(wert, 7) << text; // untouched
    }
  }
  EXPECT_EQ(std::fegetround(), FE_UPWARD);
}

} // namespace

namespace {

TEST(Gleitkomma, KuerzesterTextLiestSichGenauZurueck) {
  const std::pair<long double, const char *> faelle[] = {
      {4.8L, "4.8"}, {675000.0L, "675000"}, {0.0L, "0"}, {-1.5L, "-1.5"}, {0.01L, "0.01"},
      {1e25L, "1e+25"}, {60000.25L, "60000.25"}, {-0.0L, "-0"},
  };
  for (auto [x, text] : faelle) {
    EXPECT_EQ(ExtendedText(x), text);
    EXPECT_EQ(TextZuExtended(ExtendedText(x)), x);
  }
  // Values that need all 21 digits still come back exactly.
  for (long double x : {1.0L / 3, 4.8L + 1e-18L, 1.0L - 0x1p-64L}) EXPECT_EQ(TextZuExtended(ExtendedText(x)), x);
}

} // namespace
