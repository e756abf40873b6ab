// Shapes against values worked out independently of the program: class probabilities from closed
// forms (the triangle's areas, the beta function's polynomial for whole parameters, the normal
// distribution from a table of Phi), rounded by hand; and property checks against the same closed
// forms computed here with std::erfc and a Simpson rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <string>

#include "Bewertungsmodell.h"
#include "Formen.h"
#include "Formverteilung.h"
#include "Voreinstellungen.h"

using namespace kwt;

namespace {

using Zehntel = std::array<long long, KlassenAnzahlVerteilung>;

Extended Dezimal(const std::string &text) { return TextZuExtended(text); }

// A row of tenths of a per cent as the user would type it (22,6 -> the value read from "22.6").
Klassenwerte AusZehnteln(const Zehntel &z) {
  Klassenwerte w{};
  for (std::size_t k = 0; k < w.size(); ++k) w[k] = Dezimal(std::to_string(z[k] / 10) + "." + std::to_string(z[k] % 10));
  return w;
}

Klassenwerte AusGanzen(const Zehntel &z) {
  Klassenwerte w{};
  for (std::size_t k = 0; k < w.size(); ++k) w[k] = static_cast<Extended>(z[k]);
  return w;
}

Klassenwerte Gespiegelt(Klassenwerte w) {
  std::reverse(w.begin(), w.end());
  return w;
}

// One shape with its rows rounded by hand, to tenths and to whole per cent. Which of the two the
// program must give follows from the rule: the tenths when they pass the editor's check.
struct Fall {
  const char *name;
  FormAngabe angabe;
  const char *min, *max;
  Zehntel zehntel;
  Zehntel ganze;
};

void PrintTo(const Fall &f, std::ostream *os) { *os << f.name; }

class FormTabelle : public ::testing::TestWithParam<Fall> {};

TEST_P(FormTabelle, GrenzenUndProzente) {
  const Fall &f = GetParam();
  const FormErgebnis e = FormBerechnen(f.angabe);
  EXPECT_EQ(e.Min, Dezimal(f.min));
  EXPECT_EQ(e.Max, Dezimal(f.max));
  const Klassenwerte zehntel = AusZehnteln(f.zehntel);
  const bool zehntelGehen = ProzentSumme(zehntel) == 100;
  EXPECT_EQ(e.Prozent, zehntelGehen ? zehntel : AusGanzen(f.ganze));
  EXPECT_EQ(e.Dezimalen, zehntelGehen ? 1 : 0);
  EXPECT_EQ(ProzentSumme(e.Prozent), 100);
}

// Triangle 0:5:10: the areas of the classes are 1, 3, 5, 7, 9 fiftieths on each side.
// PERT 0:5:10 is Beta(3, 3): I_y = 10y^3 - 15y^4 + 6y^5 gives 0,856 4,936 10,516 15,436 18,256 %.
// PERT 0:0:10 is Beta(1, 5): 1 - (1 - y)^5 gives 40,951 26,281 15,961 9,031 4,651 2,101 0,781 0,211
// 0,031 0,001 %; in tenths classes 1 and 5 tie at ,51 for the fourth unit, the middle one gets it.
// Normal ±3 sigma: Phi(-3, -2.4, -1.8, -1.2, -0.6) = 0,0013499 0,0081975 0,0359303 0,1150697
// 0,2742531 give 0,6866 2,7808 7,9354 15,9614 22,6357 % after dividing by 0,9973002.
// Normal 4,9 / 0,15 cut at 4,5 and 5,5: z = -2,667 -2 -1,333 -0,667 0 0,667 1,333 2 2,667 3,333 4 give
// 1,8993 6,8726 16,1907 24,8467 24,8467 16,1907 6,8726 1,8993 0,3414 0,0399 %; in tenths classes 4 and 5
// tie at ,467 for the last unit, the one nearer the middle of the row (5) gets it.
// Spanne 7,5:9,5:66,7: z(0,1665 above) = 0,96797, SIGMA = 1,03309, 3 SIGMA = 3,0993 -> 3,10, bounds 5,40
// and 11,60; cut at ±3,0007 SIGMA the shares round as for the normal distribution at ±3 SIGMA.
const Fall faelle[] = {
    {"dreieck_0_5_10", {FormArt::Dreieck, {0, 5, 10}}, "0", "10",
     {20, 60, 100, 140, 180, 180, 140, 100, 60, 20}, {2, 6, 10, 14, 18, 18, 14, 10, 6, 2}},
    {"dreieck_modal_unten", {FormArt::Dreieck, {0, 0, 10}}, "0", "10",
     {190, 170, 150, 130, 110, 90, 70, 50, 30, 10}, {19, 17, 15, 13, 11, 9, 7, 5, 3, 1}},
    {"dreieck_modal_oben", {FormArt::Dreieck, {300000, 380000, 380000}}, "300000", "380000",
     {10, 30, 50, 70, 90, 110, 130, 150, 170, 190}, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19}},
    {"gleich", {FormArt::Gleich, {40, 60}}, "40", "60",
     {100, 100, 100, 100, 100, 100, 100, 100, 100, 100}, {10, 10, 10, 10, 10, 10, 10, 10, 10, 10}},
    {"gleich_dezimal", {FormArt::Gleich, {Dezimal("4.8"), Dezimal("5.1")}}, "4.8", "5.1",
     {100, 100, 100, 100, 100, 100, 100, 100, 100, 100}, {10, 10, 10, 10, 10, 10, 10, 10, 10, 10}},
    {"pert_0_5_10", {FormArt::Pert, {0, 5, 10}}, "0", "10",
     {9, 49, 105, 154, 183, 183, 154, 105, 49, 9}, {1, 5, 11, 15, 18, 18, 15, 11, 5, 1}},
    {"pert_rohertrag", {FormArt::Pert, {300000, 340000, 380000}}, "300000", "380000",
     {9, 49, 105, 154, 183, 183, 154, 105, 49, 9}, {1, 5, 11, 15, 18, 18, 15, 11, 5, 1}},
    {"pert_0_0_10", {FormArt::Pert, {0, 0, 10}}, "0", "10",
     {409, 263, 160, 90, 47, 21, 8, 2, 0, 0}, {41, 26, 16, 9, 5, 2, 1, 0, 0, 0}},
    {"normal_0_1", {FormArt::Normal, {0, 1}}, "-3", "3",
     {7, 28, 79, 160, 226, 226, 160, 79, 28, 7}, {1, 3, 8, 16, 22, 22, 16, 8, 3, 1}},
    {"normal_lz", {FormArt::Normal, {Dezimal("4.9"), Dezimal("0.15")}}, "4.45", "5.35",
     {7, 28, 79, 160, 226, 226, 160, 79, 28, 7}, {1, 3, 8, 16, 22, 22, 16, 8, 3, 1}},
    {"normal_mit_grenzen", {FormArt::Normal, {Dezimal("4.9"), Dezimal("0.15"), Dezimal("4.5"), Dezimal("5.5")}},
     "4.5", "5.5", {19, 69, 162, 248, 249, 162, 69, 19, 3, 0}, {2, 7, 16, 25, 25, 16, 7, 2, 0, 0}},
    {"spanne_mietspiegel", {FormArt::Spanne, {Dezimal("7.5"), Dezimal("9.5"), Dezimal("66.7")}}, "5.4", "11.6",
     {7, 28, 79, 160, 226, 226, 160, 79, 28, 7}, {1, 3, 8, 16, 22, 22, 16, 8, 3, 1}},
};

INSTANTIATE_TEST_SUITE_P(Formen, FormTabelle, ::testing::ValuesIn(faelle),
                         [](const auto &info) { return std::string(info.param.name); });

// ---- Properties against closed forms computed here ----

double Phi(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

// The PERT density integrated by Simpson's rule over each class, for any mode.
std::array<double, 10> PertSimpson(double c) {
  const double a = 1 + 4 * c, b = 1 + 4 * (1 - c);
  const double norm = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b));
  // The test runs under the program's upward rounding: 0,9 + 0,1 may lie a hair above 1.
  auto dichte = [&](double y) {
    y = std::clamp(y, 0.0, 1.0);
    return norm * std::pow(y, a - 1) * std::pow(1 - y, b - 1);
  };
  std::array<double, 10> p{};
  constexpr int n = 2000;
  for (int k = 0; k < 10; ++k) {
    const double lo = k / 10.0, h = 0.1 / n;
    double s = dichte(lo) + dichte(lo + 0.1);
    for (int i = 1; i < n; ++i) s += (i % 2 ? 4 : 2) * dichte(lo + i * h);
    p[static_cast<std::size_t>(k)] = s * h / 3;
  }
  return p;
}

// Class probabilities of a normal distribution truncated to [lo, hi], renormalised.
std::array<double, 10> NormalGeschnitten(double mu, double sigma, double lo, double hi) {
  std::array<double, 10> p{};
  double summe = 0;
  for (int k = 0; k < 10; ++k) {
    const double a = lo + (hi - lo) * k / 10, b = lo + (hi - lo) * (k + 1) / 10;
    p[static_cast<std::size_t>(k)] = Phi((b - mu) / sigma) - Phi((a - mu) / sigma);
    summe += p[static_cast<std::size_t>(k)];
  }
  for (double &x : p) x /= summe;
  return p;
}

// Largest remainder never moves a class by a whole step or more from its exact share, and the row
// passes the editor's check.
void PasstZu(const FormErgebnis &e, const std::array<double, 10> &exakt, const std::string &name) {
  const double schritt = e.Dezimalen == 1 ? 0.1 : 1.0;
  EXPECT_EQ(ProzentSumme(e.Prozent), 100) << name;
  for (std::size_t k = 0; k < 10; ++k) {
    EXPECT_GE(e.Prozent[k], 0) << name;
    EXPECT_LT(std::fabs(static_cast<double>(e.Prozent[k]) - 100 * exakt[k]), schritt) << name << " Klasse " << k + 1;
  }
}

TEST(Formen, PertNahAnDerDichte) {
  for (const char *modal : {"0", "0.7", "2.5", "3.3", "5", "6.1", "9.99", "10"}) {
    const Extended m = Dezimal(modal);
    const FormErgebnis e = FormBerechnen({FormArt::Pert, {0, m, 10}});
    PasstZu(e, PertSimpson(static_cast<double>(m) / 10), std::string("pert 0:") + modal + ":10");
  }
}

TEST(Formen, NormalNahAnPhi) {
  struct N {
    const char *mu, *sigma, *lo, *hi;
  };
  const N faelle[] = {{"4.9", "0.15", nullptr, nullptr}, {"340000", "12500", nullptr, nullptr},
                      {"50", "7.5", "40", "60"},         {"5", "2", "4.8", "5.1"},
                      {"100", "10", "0", "105"},         {"-3", "0.5", "-4", "-1"}};
  for (const N &f : faelle) {
    FormAngabe a{FormArt::Normal, {Dezimal(f.mu), Dezimal(f.sigma)}};
    if (f.lo) a.Zahlen.insert(a.Zahlen.end(), {Dezimal(f.lo), Dezimal(f.hi)});
    const FormErgebnis e = FormBerechnen(a);
    const double mu = std::stod(f.mu), sigma = std::stod(f.sigma);
    const double lo = f.lo ? std::stod(f.lo) : mu - 3 * sigma, hi = f.hi ? std::stod(f.hi) : mu + 3 * sigma;
    EXPECT_NEAR(static_cast<double>(e.Min), lo, 1e-9);
    EXPECT_NEAR(static_cast<double>(e.Max), hi, 1e-9);
    PasstZu(e, NormalGeschnitten(mu, sigma, lo, hi), std::string("normal ") + f.mu + ":" + f.sigma);
  }
}

// A shape symmetric about the middle of its bounds gives a symmetric row; any shape mirrored at 0
// gives its row reversed.
TEST(Formen, SymmetrieUndSpiegelbild) {
  const FormAngabe symmetrisch[] = {
      {FormArt::Normal, {Dezimal("4.9"), Dezimal("0.15")}},
      {FormArt::Normal, {Dezimal("697500"), Dezimal("7333.33")}},
      {FormArt::Normal, {50, 7, 30, 70}},
      {FormArt::Spanne, {Dezimal("7.5"), Dezimal("9.5"), Dezimal("66.7")}},
      {FormArt::Spanne, {Dezimal("6.25"), Dezimal("8.75"), 50}},
      {FormArt::Spanne, {310000, 370000, Dezimal("95.5")}},
      {FormArt::Pert, {0, 5, 10}},
      {FormArt::Pert, {Dezimal("4.8"), Dezimal("4.95"), Dezimal("5.1")}},
      {FormArt::Dreieck, {40, 50, 60}},
      {FormArt::Gleich, {Dezimal("0.1"), Dezimal("0.3")}},
  };
  for (const FormAngabe &a : symmetrisch) {
    const FormErgebnis e = FormBerechnen(a);
    EXPECT_EQ(e.Prozent, Gespiegelt(e.Prozent)) << FormEintragVon(a.Art).Kuerzel << " " << static_cast<double>(a.Zahlen[0]);
  }
  const FormAngabe schief[] = {
      {FormArt::Pert, {300000, 320000, 380000}}, {FormArt::Pert, {0, Dezimal("0.3"), 10}},
      {FormArt::Dreieck, {1, 2, 9}},              {FormArt::Normal, {Dezimal("4.9"), Dezimal("0.15"), Dezimal("4.5"), 5}},
  };
  for (const FormAngabe &a : schief) {
    // Reflected at 0: every number negated (but SIGMA), lower and upper bound exchanged.
    FormAngabe spiegel = a;
    std::vector<Extended> &z = spiegel.Zahlen;
    for (std::size_t i = 0; i < z.size(); ++i)
      if (!(a.Art == FormArt::Normal && i == 1)) z[i] = -z[i];
    if (a.Art == FormArt::Normal) std::swap(z[2], z[3]);
    else std::swap(z[0], z[2]);
    const FormErgebnis e = FormBerechnen(a), s = FormBerechnen(spiegel);
    // The editor's check adds the reversed row in the other order; these rows round alike both ways.
    ASSERT_EQ(s.Dezimalen, e.Dezimalen);
    EXPECT_EQ(s.Prozent, Gespiegelt(e.Prozent)) << FormEintragVon(a.Art).Kuerzel;
    EXPECT_EQ(s.Min, -e.Max);
    EXPECT_EQ(s.Max, -e.Min);
    EXPECT_NE(e.Prozent, Gespiegelt(e.Prozent));
  }
}

TEST(Formen, UngueltigeZahlenNennenDasFeld) {
  struct Ungueltig {
    FormAngabe angabe;
    std::size_t feld;
    const char *meldung;
  };
  const Ungueltig faelle[] = {
      {{FormArt::Dreieck, {6, 5, 10}}, 0, "MIN darf nicht größer als MODAL sein."},
      {{FormArt::Pert, {0, 11, 10}}, 1, "MODAL darf nicht größer als MAX sein."},
      {{FormArt::Dreieck, {5, 5, 5}}, 0, "MIN muss kleiner als MAX sein."},
      {{FormArt::Normal, {5, 0}}, 1, "SIGMA muss größer als 0 sein."},
      {{FormArt::Normal, {5, -1}}, 1, "SIGMA muss größer als 0 sein."},
      {{FormArt::Normal, {5, 1, 6, 4}}, 2, "MIN muss kleiner als MAX sein."},
      {{FormArt::Normal, {Dezimal("4.9"), Dezimal("0.001")}}, 1,
       "SIGMA ist zu klein: MITTEL - 3 SIGMA und MITTEL + 3 SIGMA fallen auf zwei Nachkommastellen zusammen."},
      {{FormArt::Normal, {100, 1, 0, 10}}, 0,
       "MITTEL liegt so weit außerhalb der Grenzen, dass zwischen ihnen keine Wahrscheinlichkeit bleibt."},
      {{FormArt::Spanne, {9, 7, 50}}, 0, "UNTEN muss kleiner als OBEN sein."},
      {{FormArt::Spanne, {7, 9, 0}}, 2, "ANTEIL muss größer als 0 und kleiner als 100 sein."},
      {{FormArt::Spanne, {7, 9, 100}}, 2, "ANTEIL muss größer als 0 und kleiner als 100 sein."},
      {{FormArt::Spanne, {7, 9, -5}}, 2, "ANTEIL muss größer als 0 und kleiner als 100 sein."},
      {{FormArt::Gleich, {60, 40}}, 0, "MIN muss kleiner als MAX sein."},
      {{FormArt::Gleich, {1, 2, 3}}, 0, "Die Form gleich nimmt die Zahlen MIN, MAX."},
      {{FormArt::Normal, {1, 2, 3}}, 0, "Die Form normal nimmt die Zahlen MITTEL, SIGMA oder MITTEL, SIGMA, MIN, MAX."},
      {{FormArt::Dreieck, {0, 1e301L, 1e302L}}, 1, "MODAL ist zu groß."},
      {{FormArt::Gleich, {0, NAN}}, 1, "MAX ist zu groß."},
  };
  for (const Ungueltig &f : faelle) {
    try {
      FormBerechnen(f.angabe);
      ADD_FAILURE() << "kein Fehler: " << f.meldung;
    } catch (const FormFehler &fehler) {
      EXPECT_STREQ(fehler.what(), f.meldung);
      EXPECT_EQ(fehler.Feld, f.feld) << f.meldung;
    }
  }
}

TEST(Formen, RechnetUnabhaengigVomRundungsmodusUndStelltIhnWiederHer) {
  // Boost's functions, called as FormBerechnen calls them, against the closed forms: a build that
  // miscompiled their tables (g++ with -frounding-math) fails here.
  {
    RundungZumNaechsten naechste;
    const auto normal = formverteilung::Normal(0, 1, -3, 3);
    const auto exakt = NormalGeschnitten(0, 1, -3, 3);
    const auto pert = formverteilung::Pert(0, 5, 10);
    const double beta33[] = {0.00856, 0.04936, 0.10516, 0.15436, 0.18256};
    for (std::size_t k = 0; k < 10; ++k) {
      EXPECT_NEAR(normal[k], exakt[k], 1e-14);
      EXPECT_NEAR(pert[k], beta33[k < 5 ? k : 9 - k], 1e-14);
    }
  }
  // The shares do not follow the caller's mode; only the editor's check of the tenths does, as it
  // does in the editor.
  const Zehntel zehntel{7, 28, 79, 160, 226, 226, 160, 79, 28, 7};
  for (int modus : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO, FE_TONEAREST}) {
    std::fesetround(modus);
    const FormErgebnis e = FormBerechnen({FormArt::Normal, {Dezimal("340000"), Dezimal("12500")}});
    const bool zehntelGehen = ProzentSumme(AusZehnteln(zehntel)) == 100;
    EXPECT_EQ(std::fegetround(), modus);
    std::fesetround(FE_UPWARD);
    EXPECT_EQ(e.Prozent, zehntelGehen ? AusZehnteln(zehntel) : AusGanzen({1, 3, 8, 16, 22, 22, 16, 8, 3, 1})) << modus;
    EXPECT_EQ(e.Min, 302500);
    EXPECT_EQ(e.Max, 377500);
  }
}

TEST(Formen, GroessteResteGleichstaendeVonDerMitteAus) {
  struct Reste {
    std::array<double, 10> anteile;
    long long einheiten;
    Zehntel erwartet;
  };
  const double d = 1.0 / 3;
  const Reste faelle[] = {
      // A third each in classes 1, 5, 10: two units to share among three equal remainders.
      {{d, 0, 0, 0, d, 0, 0, 0, 0, d}, 100, {33, 0, 0, 0, 34, 0, 0, 0, 0, 33}},
      // Symmetric pairs whose mirror images differ in the last bits stay symmetric.
      {{0.0255, 0.0745 + 1e-17, 0.1, 0.15, 0.15, 0.15, 0.15, 0.1, 0.0745, 0.0255 + 1e-17}, 100,
       {3, 7, 10, 15, 15, 15, 15, 10, 7, 3}},
      // A share a hair below a whole unit counts as that unit.
      {{0.0999999999999, 0.9000000000001, 0, 0, 0, 0, 0, 0, 0, 0}, 1000, {100, 900, 0, 0, 0, 0, 0, 0, 0, 0}},
      // Equal remainders at equal distance from the middle: the lower class first.
      {{0.105, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.095}, 100, {11, 10, 10, 10, 10, 10, 10, 10, 10, 9}},
  };
  for (const Reste &f : faelle) EXPECT_EQ(GroessteReste(f.anteile, f.einheiten), f.erwartet);
}

TEST(Formen, PasstNurZuDenEigenenGrenzenUndProzenten) {
  const FormAngabe a{FormArt::Pert, {300000, 340000, 380000}};
  const FormErgebnis e = FormBerechnen(a);
  EXPECT_TRUE(FormPasst(a, e.Min, e.Max, e.Prozent));
  EXPECT_FALSE(FormPasst(a, e.Min, 380001, e.Prozent));
  Klassenwerte anders = e.Prozent;
  std::swap(anders[0], anders[1]);
  EXPECT_FALSE(FormPasst(a, e.Min, e.Max, anders));
  EXPECT_FALSE(FormPasst({FormArt::Pert, {380000, 340000, 300000}}, e.Min, e.Max, e.Prozent));

  // In the model: a preset or bounds changed since drop the shape.
  Bewertungsmodell m;
  m.Verteilungen[RO].Prozent = e.Prozent;
  m.Formen[RO] = a;
  m.VerteilungenVorbereiten({4.8L, 40, 300000, 60000, 675000}, {5.1L, 60, 380000, 85000, 720000});
  EXPECT_EQ(m.GueltigeForm(RO), a);
  EXPECT_EQ(m.GueltigeForm(LZ), std::nullopt);
  m.VerteilungenVorbereiten({4.8L, 40, 300000, 60000, 675000}, {5.1L, 60, 390000, 85000, 720000});
  EXPECT_EQ(m.GueltigeForm(RO), std::nullopt);
  EXPECT_EQ(m.Formen[RO], a); // kept: the bounds may come back
  MenuVoreinstellungAnwenden(m, MenuVoreinstellung::Gleichverteilung);
  EXPECT_EQ(m.Formen[RO], std::nullopt);
  m.Formen[BO] = a;
  m.TabellenLoeschen();
  EXPECT_EQ(m.Formen[BO], std::nullopt);
}

TEST(Formen, EintraegeInDerReihenfolgeDesEditors) {
  const char *kuerzel[] = {"dreieck", "pert", "normal", "spanne", "gleich"};
  const std::size_t felder[] = {3, 3, 4, 3, 2}, pflicht[] = {3, 3, 2, 3, 2};
  for (std::size_t i = 0; i < 5; ++i) {
    const FormEintrag &e = FormEintraege()[i];
    EXPECT_STREQ(e.Kuerzel, kuerzel[i]);
    EXPECT_EQ(e.Felder.size(), felder[i]);
    EXPECT_EQ(e.Pflichtfelder, pflicht[i]);
    EXPECT_EQ(&FormEintragVon(e.Art), &e);
  }
}

} // namespace
