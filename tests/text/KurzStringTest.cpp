#include <gtest/gtest.h>

#include "W32_STR.h"

using namespace kwt;

TEST(KurzString, Operationen) {
  EXPECT_EQ(ZeichenLoeschen("a b  c ", ' '), "abc");
  EXPECT_EQ(LeerzeichenLoeschen("  12 345 "), "12345");
  EXPECT_EQ(ZeichenErsetzen("1.234.5", '.', ','), "1,234,5");
  EXPECT_EQ(ZeichenErsetzen("abc", 'b', 'b'), "abc");
  EXPECT_EQ(LinksAuffuellen("345678", '0', 10), "0000345678");
  EXPECT_EQ(LinksAuffuellen("12345678901", '0', 10), "2345678901");
  EXPECT_EQ(LinksAuffuellen("abc", '*', 0), "");
  EXPECT_EQ(NullenAuffuellen("-12345", 10), "0000-12345");
  EXPECT_EQ(NullenAuffuellen("", 10), "");
  EXPECT_EQ(NullenAuffuellen("12", 0), "12");
  EXPECT_EQ(NullenAuffuellen(" 1 2", 6), "000102");
}

TEST(KurzString, PosRechts) {
  EXPECT_EQ(PosRechts(",", "1.234,56"), 6u);
  EXPECT_EQ(PosRechts(",", "1234"), 0u);
  EXPECT_EQ(PosRechts("ab", "abxab"), 4u);
  EXPECT_EQ(PosRechts("ab", "aba"), 1u);
  EXPECT_EQ(PosRechts("", "abc"), 3u);
  EXPECT_EQ(PosRechts("x", ""), 0u);
}

TEST(KurzString, HoechstensZweihundertFuenfundfuenfzigZeichen) {
  const std::string lang(300, 'x');
  EXPECT_EQ(KurzString(lang).size(), 255u);
  EXPECT_EQ(ZeichenErsetzen(lang, 'x', 'y').size(), 255u);
  EXPECT_EQ(LinksAuffuellen("1", '0', 400).size(), 255u);
  EXPECT_EQ(NullenAuffuellen(lang, 255).size(), 255u);
}
