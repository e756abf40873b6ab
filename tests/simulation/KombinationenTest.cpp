#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "Kombinationen.h"
#include "Standardmodell.h"

using namespace kwt;
using namespace kwt::schnell;

namespace {

// The integer draw against the model's own: for every state near a class boundary and for random
// states, the class of the step equals KlassenIndex of the drawn number s * 2^-32.
TEST(Kombinationen, ZiehungGleichtKlasseZiehen) {
  std::mt19937_64 rng(17);
  const std::vector<Klassenwerte> zeilen = {
      ZeilenWerte(Zeile::Normal),
      ZeilenWerte(Zeile::Einpunkt),
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {10, 10, 10, 10, 10, 10, 10, 10, 10, 0},          // sum 90: one draw in ten finds no class
      {20, 20, 20, 20, 10, 10, 10, 0, 0, 0},            // sum 110
      {-5, 30, 0, 0, 40, -20, 55, 0, 0, 0},             // negative and falling cumulative fractions
      {0.01L, 0, 0, 33.33L, 0.005L, 66.66L, 0, 0, 0, 0}, // tiny classes
      {100, 0, 0, 0, 0, 0, 0, 0, 0, 0},
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 100},
  };
  for (const Klassenwerte &zeile : zeilen) {
    Bewertungsmodell m;
    for (Parameter p : AlleParameter) m.Verteilungen[p].Prozent = zeile;
    m.VerteilungenVorbereiten({1, 2, 3, 4, 5}, {11, 12, 13, 14, 15});
    const Ziehungstabellen t(m.Verteilungen);
    const TParamVerteilung &v = m.Verteilungen[LZ];
    const Ziehung &z = t.Z(0); // the first draw is LZ
    std::vector<std::uint32_t> zustaende = {0u, 1u, 0xFFFFFFFEu, 0xFFFFFFFFu};
    for (Extended k : v.Kumuliert) {
      const std::int64_t b = GroessterZustand(k);
      for (std::int64_t d = -2; d <= 2; ++d) {
        if (b + d >= 0 && b + d <= 0xFFFFFFFFll) zustaende.push_back(static_cast<std::uint32_t>(b + d));
      }
    }
    for (int i = 0; i < 20000; ++i) zustaende.push_back(static_cast<std::uint32_t>(rng()));
    for (std::uint32_t s : zustaende) {
      const int erwartet = KlassenIndex(v, Zufallsgenerator::ZustandAlsZahl(s));
      const int klasse = z.Klasse[static_cast<std::size_t>(z.Stufe(s))];
      ASSERT_EQ(klasse == KlassenAnzahlVerteilung ? -1 : klasse, erwartet) << "state " << s;
    }
  }
}

TEST(Kombinationen, GroessterZustand) {
  EXPECT_EQ(GroessterZustand(-1e-30L), -1);
  EXPECT_EQ(GroessterZustand(0), 0);
  EXPECT_EQ(GroessterZustand(0x1p-32L), 1);
  EXPECT_EQ(GroessterZustand(0x1p-32L - 0x1p-90L), 0);
  EXPECT_EQ(GroessterZustand(0.5L), 0x80000000ll);
  EXPECT_EQ(GroessterZustand(1 - 0x1p-32L), 0xFFFFFFFFll);
  EXPECT_EQ(GroessterZustand(1 + 0x1p-62L), 0xFFFFFFFFll);
  EXPECT_EQ(GroessterZustand(std::numeric_limits<Extended>::quiet_NaN()), -1);
}

// Combinations number every drawable class tuple once; their values are the midpoints KlasseZiehen
// returns (0 for no class), in parameter order.
TEST(Kombinationen, NummernUndWerte) {
  Bewertungsmodell m = test::Standardmodell();
  m.Verteilungen[RO].Prozent = {50, 50, 0, 0, 0, 0, 0, 0, 0, 0};   // two classes
  // Class 10 or none, and class 1 for the draw of exactly 0.
  m.Verteilungen[BO].Prozent = {0, 0, 0, 0, 0, 0, 0, 0, 0, 90};
  m.VerteilungenVorbereiten(StandardMin, StandardMax);
  const Ziehungstabellen t(m.Verteilungen);
  EXPECT_EQ(t.Kombinationen(), 10u * 10u * 2u * 3u * 10u);
  Zufallsgenerator z{4711};
  for (int i = 0; i < 5000; ++i) {
    Bewertungsmodell kopie = m;
    kopie.Zufall = z;
    Parameterwerte erwartet{};
    for (Parameter p : Ziehfolge) erwartet[p] = kopie.KlasseZiehen(p);
    std::uint32_t zustand = z.Zufallszustand;
    const std::uint32_t k = t.NaechsteKombination(zustand);
    ASSERT_LT(k, t.Kombinationen());
    EXPECT_EQ(zustand, kopie.Zufall.Zufallszustand);
    ASSERT_EQ(t.Werte(k), erwartet);
    z = kopie.Zufall;
  }
}

TEST(Kombinationen, TabellenAenderungWirdErkannt) {
  Bewertungsmodell m = test::VorbereitetesStandardmodell();
  const Ziehungstabellen t(m.Verteilungen);
  EXPECT_TRUE(t.Unveraendert(m.Verteilungen));
  // A preset changes the percentages only; the draws do not read them.
  MenuVoreinstellungAnwenden(m, MenuVoreinstellung::Gleichverteilung);
  EXPECT_TRUE(t.Unveraendert(m.Verteilungen));
  m.VerteilungenVorbereiten(StandardMin, StandardMax);
  EXPECT_FALSE(t.Unveraendert(m.Verteilungen));
  MenuVoreinstellungAnwenden(m, StandardVoreinstellung);
  Parameterwerte hoeher = StandardMax;
  hoeher[BO] = 720001;
  m.VerteilungenVorbereiten(StandardMin, hoeher);
  EXPECT_FALSE(t.Unveraendert(m.Verteilungen)); // midpoints of BO moved
}

} // namespace

#include "Schnellkern.h"

namespace {

// The inverse of an odd number modulo 2^32 (Newton's iteration doubles the correct bits each step).
std::uint32_t Inverse(std::uint32_t a) {
  std::uint32_t x = a;
  for (int i = 0; i < 5; ++i) x *= 2 - a * x;
  return x;
}

// Every variant of the inner loop against the scalar draw, on states chosen to fall on and next to
// every threshold and every bucket boundary of the vector lookups, for each of the five draws.
TEST(Schnellkern, VariantenGleichenDerSkalarenZiehung) {
  std::mt19937_64 rng(99);
  std::vector<std::array<TParamVerteilung, ParameterAnzahl>> faelle;
  auto mitGrenzen = [](std::array<std::uint32_t, 10> u) {
    std::array<TParamVerteilung, ParameterAnzahl> v{};
    for (Parameter p : AlleParameter) {
      for (int k = 0; k < 10; ++k) v[p].Kumuliert[k] = static_cast<Extended>(u[k]) * 0x1p-32L;
      for (int k = 0; k < 10; ++k) v[p].Mitte[k] = k + 1;
    }
    return v;
  };
  // Thresholds on bucket boundaries of both tables (2^27 and 2^29 apart), ten in one bucket, none.
  faelle.push_back(mitGrenzen({(1u << 27) - 1, 1u << 27, (1u << 27) + 1, (1u << 29) - 2, 1u << 29, 3u << 29,
                               (7u << 29) + 5, 0xFFFFFFFEu, 0xFFFFFFFEu, 0xFFFFFFFFu}));
  faelle.push_back(mitGrenzen({100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}));
  faelle.push_back(mitGrenzen({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  faelle.push_back(mitGrenzen({0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu,
                               0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu}));
  for (int i = 0; i < 6; ++i) {
    std::array<std::uint32_t, 10> u;
    for (std::uint32_t &x : u) x = static_cast<std::uint32_t>(rng());
    std::sort(u.begin(), u.end());
    faelle.push_back(mitGrenzen(u));
  }
  for (const auto &v : faelle) {
    const Ziehungstabellen t(v);
    const auto kern = std::make_unique<KernTabellen>(t);
    // Every combination ordinary: the loop runs through.
    std::vector<std::atomic<std::uint64_t>> woerter(t.Kombinationen());
    for (auto &w : woerter) w = 1;
    std::vector<std::uint32_t> zustaende;
    for (int d = 0; d < ParameterAnzahl; ++d) {
      for (std::uint32_t u : t.Z(d).Schwelle) {
        for (std::uint32_t s : {u - 1, u, u + 1}) zustaende.push_back(s);
      }
    }
    for (std::uint64_t b = 0; b < 32; ++b) {
      for (std::int64_t d = -1; d <= 1; ++d) zustaende.push_back(static_cast<std::uint32_t>((b << 27) + d));
    }
    for (const KernVariante &variante : KernVarianten()) {
      SCOPED_TRACE(variante.Name);
      for (std::uint32_t s : zustaende) {
        for (int d = 0; d < ParameterAnzahl; ++d) {
          // The start state whose trial 1 draws s at draw d.
          const Sprung j = Zufallsgenerator::SprungUm(static_cast<std::uint64_t>(d) + 1);
          const std::uint32_t start = Inverse(j.A) * (s - j.C);
          ASSERT_EQ(j.Anwenden(start), s);
          alignas(64) static Markenzaehler zaehler;
          std::uint32_t aufzeichnung[40];
          KernStand stand;
          stand.Zustand = start;
          stand.Zaehler = &zaehler;
          stand.Aufzeichnung = aufzeichnung;
          ASSERT_EQ(variante.Funktion(*kern, woerter.data(), 40, stand), 40);
          std::uint32_t z = start;
          for (int i = 0; i < 40; ++i) ASSERT_EQ(aufzeichnung[i], t.NaechsteKombination(z)) << "Versuch " << i;
          EXPECT_EQ(stand.Zustand, z);
        }
      }
    }
  }
}

} // namespace
