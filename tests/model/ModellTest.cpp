#include <gtest/gtest.h>

#include "Bewertungsmodell.h"
#include "Standardmodell.h"

using namespace kwt;

namespace {

using test::VorbereitetesStandardmodell;

TEST(Vorbereitung, MittenUndKumulierteAnteile) {
  const Bewertungsmodell m = VorbereitetesStandardmodell();
  for (int k = 0; k < 10; ++k) {
    EXPECT_EQ(m.Verteilungen[RND].Mitte[k], 41 + 2 * k);
    EXPECT_EQ(m.Verteilungen[RO].Mitte[k], 313000 + 6000 * k);
    EXPECT_NEAR(static_cast<double>(m.Verteilungen[LZ].Mitte[k]), 4.815 + 0.03 * k, 1e-15);
  }
  // Accumulated under the upward mode: a few units of the last place above 1, never below.
  for (Parameter p : AlleParameter) {
    const Extended letzter = m.Verteilungen[p].Kumuliert[9];
    EXPECT_GE(letzter - 1, 1.1e-19L);
    EXPECT_LE(letzter - 1, 3.3e-19L);
  }
  Bewertungsmodell e;
  MenuVoreinstellungAnwenden(e, MenuVoreinstellung::Einpunktverteilung);
  e.VerteilungenVorbereiten(StandardMin, StandardMax);
  const Klassenwerte kum{0, 0, 0, 0, 1, 1, 1, 1, 1, 1};
  for (Parameter p : AlleParameter) EXPECT_EQ(e.Verteilungen[p].Kumuliert, kum);
}

TEST(Vorbereitung, IstWiederholbarUndLaesstProzentStehen) {
  Bewertungsmodell a = VorbereitetesStandardmodell();
  const auto vorher = a.Verteilungen;
  a.VerteilungenVorbereiten(StandardMin, StandardMax);
  EXPECT_EQ(a.Verteilungen, vorher);
  for (Parameter p : AlleParameter) EXPECT_EQ(a.Verteilungen[p].Prozent, ZeilenWerte(Zeile::Normal));
}

TEST(Vorbereitung, GleicheUndVertauschteGrenzen) {
  Bewertungsmodell m;
  MenuVoreinstellungAnwenden(m, MenuVoreinstellung::Normalverteilung);
  m.VerteilungenVorbereiten({5, 50, 100, 10, 1000}, {5, 40, 100, 10, 1000});
  for (int k = 0; k < 10; ++k) EXPECT_EQ(m.Verteilungen[LZ].Mitte[k], 5);
  EXPECT_EQ(m.Verteilungen[RND].Mitte[0], 49.5L);
  EXPECT_EQ(m.Verteilungen[RND].Mitte[9], 40.5L);
}

TEST(TabellenLoeschen, NullsAllesAusserDemZufallszustand) {
  Bewertungsmodell m = VorbereitetesStandardmodell();
  m.Stichprobe = {1, 2, 3, 4, 5};
  m.Zufall.Zufallszustand = 77;
  m.TabellenLoeschen();
  EXPECT_EQ(m.ParamMin, Parameterwerte{});
  EXPECT_EQ(m.ParamMax, Parameterwerte{});
  EXPECT_EQ(m.Stichprobe, Parameterwerte{});
  for (const auto &v : m.Verteilungen) EXPECT_EQ(v, TParamVerteilung{});
  EXPECT_EQ(m.Zufall.Zufallszustand, 77u);
}

// The class of a draw: the first class whose cumulative fraction is not below it.
TEST(KlasseZiehen, FolgtDenKumuliertenAnteilen) {
  struct Fall {
    Klassenwerte prozent;
    std::uint32_t zustand; // generator state after the step
    int klasse;            // -1: no class, the value 0
  };
  const Klassenwerte einpunkt = ZeilenWerte(Zeile::Einpunkt);
  const Klassenwerte neunzig{9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
  const Klassenwerte hundertzehn{11, 11, 11, 11, 11, 11, 11, 11, 11, 11};
  const Fall faelle[] = {
      {einpunkt, 0u, 0},           // a draw of exactly 0 takes class 1 even at 0 percent
      {einpunkt, 1u, 4},           // anything above 0 takes class 5
      {einpunkt, 0xFFFFFFFFu, 4},
      {neunzig, 0xFFFFFFFFu, -1},  // above 0.9: no class, value 0
      {neunzig, 3865470566u, 9},   // 0.9 - a little
      {hundertzehn, 0xFFFFFFFFu, 9},
      {hundertzehn, 3865470566u, 8}, // 0.9 - a little lies at or below 0.99 (class 9)
  };
  for (const Fall &f : faelle) {
    Bewertungsmodell m;
    for (Parameter p : AlleParameter) m.Verteilungen[p].Prozent = f.prozent;
    m.VerteilungenVorbereiten(StandardMin, StandardMax);
    // Place the generator so that its next state is f.zustand: s = (f.zustand - 1) * a^-1.
    std::uint32_t inverse = 1;
    for (int i = 0; i < 31; ++i) inverse *= inverse * Zufallsgenerator::Multiplikator; // a^(2^31 - 1) = a^-1 mod 2^32
    m.Zufall.Zufallszustand = (f.zustand - 1u) * inverse;
    const Extended wert = m.KlasseZiehen(RO);
    EXPECT_EQ(m.Zufall.Zufallszustand, f.zustand);
    EXPECT_EQ(wert, f.klasse < 0 ? 0 : m.Verteilungen[RO].Mitte[f.klasse]) << f.zustand;
  }
}

TEST(KlasseZiehen, NeunzigProzentGebenJedesZehnteMalNull) {
  Bewertungsmodell m;
  for (Parameter p : AlleParameter) m.Verteilungen[p].Prozent = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
  m.VerteilungenVorbereiten(StandardMin, StandardMax);
  m.Zufall.Zufallszustand = 42;
  int nullen = 0;
  for (int i = 0; i < 100000; ++i) nullen += m.KlasseZiehen(BO) == 0;
  EXPECT_NEAR(nullen, 10000, 400);
}

} // namespace
