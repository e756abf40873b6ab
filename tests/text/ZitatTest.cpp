#include <gtest/gtest.h>

#include "Zitat.h"

using namespace kwt;

namespace {

std::string Fragen(std::size_t n) { return std::string(n, '?'); }

TEST(Zitat, KurzMitAuslassungNachZeichenGezaehlt) {
  const std::string sechzig(60, 'a');
  const struct {
    std::string text, zitat, pfad;
  } faelle[] = {
      {"", "''", "''"},
      {"werte.csv", "'werte.csv'", "'werte.csv'"},
      {sechzig, "'" + sechzig + "'", "'" + sechzig + "'"},
      {sechzig + "b", "'" + std::string(59, 'a') + "…'", "'…" + std::string(58, 'a') + "b'"},
      // Umlauts count once and are never cut in two.
      {std::string(58, 'x') + "äöü", "'" + std::string(58, 'x') + "ä…'", "'…" + std::string(56, 'x') + "äöü'"},
      // Control characters and bytes that are no UTF-8 become '?', so the message stays one valid line.
      {"a\nb\tc\x7f", "'a?b?c?'", "'a?b?c?'"},
      {"\xff\xc3(\xe2\x82", "'" + Fragen(2) + "(" + Fragen(2) + "'", "'" + Fragen(2) + "(" + Fragen(2) + "'"},
      {"\xed\xa0\x80\xc0\xaf", "'" + Fragen(5) + "'", "'" + Fragen(5) + "'"}, // a surrogate, an overlong '/'
      {"\xf0\x9f\x98\x80!", "'\xf0\x9f\x98\x80!'", "'\xf0\x9f\x98\x80!'"},
  };
  for (const auto &f : faelle) {
    EXPECT_EQ(Zitat(f.text), f.zitat) << f.text;
    EXPECT_EQ(PfadZitat(f.text), f.pfad) << f.text;
  }
  EXPECT_EQ(Zitat(std::string(900000, 'k')), "'" + std::string(59, 'k') + "…'");
  EXPECT_EQ(Zitat("abcdef", 3), "'ab…'");
}

} // namespace
