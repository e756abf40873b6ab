#include "Formen.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <numeric>
#include <stdexcept>

#include "Bewertungsmodell.h"
#include "Formverteilung.h"
#include "W32_CLC.h"

namespace kwt {

namespace {

const std::array<FormEintrag, 5> eintraege{{
    {FormArt::Dreieck, "dreieck", "Dreieck",
     {{"MIN", "kleinster plausibler Wert"}, {"MODAL", "wahrscheinlichster Wert"}, {"MAX", "größter plausibler Wert"}},
     3},
    {FormArt::Pert, "pert", "PERT",
     {{"MIN", "kleinster plausibler Wert"}, {"MODAL", "wahrscheinlichster Wert (vierfach gewichtet)"},
      {"MAX", "größter plausibler Wert"}},
     3},
    {FormArt::Normal, "normal", "Normal",
     {{"MITTEL", "Mittelwert"},
      {"SIGMA", "Standardabweichung"},
      {"MIN", "untere Grenze; leer: MITTEL - 3 SIGMA"},
      {"MAX", "obere Grenze; leer: MITTEL + 3 SIGMA"}},
     2},
    {FormArt::Spanne, "spanne", "Spanne",
     {{"UNTEN", "untere Grenze der Spanne"},
      {"OBEN", "obere Grenze der Spanne"},
      {"ANTEIL", "Anteil der Werte zwischen UNTEN und OBEN in Prozent (Mietspiegel: 66,7)"}},
     3},
    {FormArt::Gleich, "gleich", "Gleich", {{"MIN", "untere Grenze"}, {"MAX", "obere Grenze"}}, 2},
}};

[[noreturn]] void Fehlerhaft(const std::string &meldung, std::size_t feld) { throw FormFehler(meldung, feld); }

// The double part of a computation, with round-to-nearest: the extended operands are written to
// volatile memory before the switch and converted after it, the results leave through volatile
// memory before the mode is restored, so that g++ can move none of it across the switches.
template <std::size_t N, std::size_t M>
std::array<double, M> ZumNaechsten(const std::array<Extended, N> &operanden,
                                   const std::function<std::array<double, M>(const std::array<double, N> &)> &rechnen) {
  volatile Extended ein[N];
  for (std::size_t i = 0; i < N; ++i) ein[i] = operanden[i];
  volatile double aus[M];
  {
    RundungZumNaechsten naechste;
    std::array<double, N> x{};
    for (std::size_t i = 0; i < N; ++i) x[i] = static_cast<double>(ein[i]);
    const std::array<double, M> r = rechnen(x);
    for (std::size_t i = 0; i < M; ++i) aus[i] = r[i];
  }
  std::array<double, M> r{};
  for (std::size_t i = 0; i < M; ++i) r[i] = aus[i];
  return r;
}

// Shares and their roundings to tenths and to whole per cent, all in one stretch of round-to-nearest.
constexpr std::size_t K = KlassenAnzahlVerteilung;
using Rundungen = std::array<double, 2 * K>;

Rundungen Runden(const std::array<double, K> &anteile) {
  Rundungen r{};
  for (double a : anteile) {
    if (!std::isfinite(a)) {
      r.fill(std::nan(""));
      return r;
    }
  }
  const auto zehntel = GroessteReste(anteile, 1000);
  const auto ganze = GroessteReste(anteile, 100);
  for (std::size_t k = 0; k < K; ++k) {
    r[k] = static_cast<double>(zehntel[k]);
    r[K + k] = static_cast<double>(ganze[k]);
  }
  return r;
}

// The decimal text of n tenths, read as the user typing it would be read.
Extended ZehntelProzent(long long n) {
  return TextZuExtended(std::to_string(n / 10) + "." + std::to_string(n % 10));
}

// The percentages from the two roundings: tenths where their sum passes, else whole per cent. The
// message names the field to blame when the shares could not be formed.
FormErgebnis Prozente(Extended min, Extended max, const Rundungen &r, const std::string &meldung, std::size_t feld) {
  for (double x : r) {
    if (!std::isfinite(x)) Fehlerhaft(meldung, feld);
  }
  FormErgebnis e;
  e.Min = min;
  e.Max = max;
  for (std::size_t k = 0; k < K; ++k) e.Prozent[k] = ZehntelProzent(static_cast<long long>(r[k]));
  if (ProzentSumme(e.Prozent) == 100) return e;
  // Tenths whose extended sum misses 100 in the last place: whole per cent always add up exactly.
  for (std::size_t k = 0; k < K; ++k) e.Prozent[k] = static_cast<Extended>(r[K + k]);
  e.Dezimalen = 0;
  return e;
}

void KleinerAls(Extended a, Extended b, const FormEintrag &e, std::size_t fa, std::size_t fb) {
  if (!(a < b)) Fehlerhaft(std::string(e.Felder[fa].Name) + " muss kleiner als " + e.Felder[fb].Name + " sein.", fa);
}

void NichtGroesserAls(Extended a, Extended b, const FormEintrag &e, std::size_t fa, std::size_t fb) {
  if (!(a <= b)) {
    Fehlerhaft(std::string(e.Felder[fa].Name) + " darf nicht größer als " + e.Felder[fb].Name + " sein.", fa);
  }
}

// MITTEL ± 3 SIGMA, rounded to the bound fields' two decimals; the half-width is rounded first, so
// that a middle with two decimals gives bounds symmetric about it.
std::pair<Extended, Extended> DreiSigma(Extended mittel, Extended sigma, std::size_t feld, const std::string &meldung) {
  const Extended w = AufDezimalenRunden(Mal(3, sigma), 2);
  const Extended min = AufDezimalenRunden(Minus(mittel, w), 2);
  const Extended max = AufDezimalenRunden(Plus(mittel, w), 2);
  if (!(min < max)) Fehlerhaft(meldung, feld);
  return {min, max};
}

const char *ZuGross = "Die Zahlen der Form sind zu groß, um ihre Wahrscheinlichkeiten zu berechnen.";

FormErgebnis NormalBerechnen(Extended mittel, Extended sigma, Extended min, Extended max, const char *mittelName) {
  const auto r = ZumNaechsten<4, 2 * K>({mittel, sigma, min, max}, [](const std::array<double, 4> &x) {
    return Runden(formverteilung::Normal(x[0], x[1], x[2], x[3]));
  });
  return Prozente(min, max, r,
                  std::string(mittelName) + " liegt so weit außerhalb der Grenzen, dass zwischen ihnen keine "
                                            "Wahrscheinlichkeit bleibt.",
                  0);
}

FormErgebnis DreieckOderPert(FormArt art, Extended min, Extended modal, Extended max) {
  const auto r = ZumNaechsten<3, 2 * K>({min, modal, max}, [art](const std::array<double, 3> &x) {
    return Runden(art == FormArt::Pert ? formverteilung::Pert(x[0], x[1], x[2])
                                       : formverteilung::Dreieck(x[0], x[1], x[2]));
  });
  return Prozente(min, max, r, ZuGross, 0);
}

} // namespace

const std::array<FormEintrag, 5> &FormEintraege() { return eintraege; }

const FormEintrag &FormEintragVon(FormArt art) {
  for (const FormEintrag &e : eintraege)
    if (e.Art == art) return e;
  throw std::logic_error("FormArt");
}

const FormEintrag *FormEintragZumKuerzel(std::string_view kuerzel) {
  for (const FormEintrag &e : eintraege)
    if (kuerzel == e.Kuerzel) return &e;
  return nullptr;
}

std::string FormZahlenNamen(const FormEintrag &e, const char *trenner) {
  const auto namen = [&](std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) text += (i ? trenner : "") + std::string(e.Felder[i].Name);
    return text;
  };
  if (e.Pflichtfelder == e.Felder.size()) return namen(e.Felder.size());
  return namen(e.Pflichtfelder) + " oder " + namen(e.Felder.size());
}

FormErgebnis FormBerechnen(const FormAngabe &angabe) {
  const FormEintrag &e = FormEintragVon(angabe.Art);
  const std::vector<Extended> &z = angabe.Zahlen;
  if (z.size() != e.Pflichtfelder && z.size() != e.Felder.size()) {
    Fehlerhaft("Die Form " + std::string(e.Kuerzel) + " nimmt die Zahlen " + FormZahlenNamen(e, ", ") + ".", 0);
  }
  for (std::size_t i = 0; i < z.size(); ++i) {
    // Beyond double's range the distribution functions cannot work.
    if (!(std::fabs(z[i]) <= 1e300L)) Fehlerhaft(std::string(e.Felder[i].Name) + " ist zu groß.", i);
  }

  switch (angabe.Art) {
  case FormArt::Dreieck:
  case FormArt::Pert:
    NichtGroesserAls(z[0], z[1], e, 0, 1);
    NichtGroesserAls(z[1], z[2], e, 1, 2);
    KleinerAls(z[0], z[2], e, 0, 2);
    return DreieckOderPert(angabe.Art, z[0], z[1], z[2]);
  case FormArt::Normal: {
    if (!(z[1] > 0)) Fehlerhaft("SIGMA muss größer als 0 sein.", 1);
    if (z.size() == 4) {
      KleinerAls(z[2], z[3], e, 2, 3);
      return NormalBerechnen(z[0], z[1], z[2], z[3], "MITTEL");
    }
    const auto [min, max] =
        DreiSigma(z[0], z[1], 1, "SIGMA ist zu klein: MITTEL - 3 SIGMA und MITTEL + 3 SIGMA fallen auf zwei "
                                 "Nachkommastellen zusammen.");
    return NormalBerechnen(z[0], z[1], min, max, "MITTEL");
  }
  case FormArt::Spanne: {
    KleinerAls(z[0], z[1], e, 0, 1);
    if (!(z[2] > 0 && z[2] < 100)) Fehlerhaft("ANTEIL muss größer als 0 und kleiner als 100 sein.", 2);
    // The normal distribution whose central ANTEIL per cent lie between UNTEN and OBEN: its middle
    // is theirs, and its SIGMA is what puts them at the two-sided quantile of ANTEIL.
    const double sigma = ZumNaechsten<3, 1>({z[0], z[1], z[2]}, [](const std::array<double, 3> &x) {
      return std::array<double, 1>{formverteilung::SpanneSigma(x[0], x[1], x[2])};
    })[0];
    if (!(sigma > 0 && std::isfinite(sigma))) Fehlerhaft("ANTEIL lässt sich nicht in eine Streuung umrechnen.", 2);
    const Extended mittel = Durch(Plus(z[0], z[1]), 2);
    const auto [min, max] = DreiSigma(mittel, sigma, 0,
                                      "UNTEN und OBEN liegen zu dicht beieinander: die Grenzen fallen auf zwei "
                                      "Nachkommastellen zusammen.");
    return NormalBerechnen(mittel, sigma, min, max, "UNTEN");
  }
  case FormArt::Gleich: {
    KleinerAls(z[0], z[1], e, 0, 1);
    const auto r =
        ZumNaechsten<1, 2 * K>({0}, [](const std::array<double, 1> &) { return Runden(formverteilung::Gleich()); });
    return Prozente(z[0], z[1], r, ZuGross, 0);
  }
  }
  throw std::logic_error("FormArt");
}

bool FormPasst(const FormAngabe &angabe, Extended min, Extended max, const Klassenwerte &prozent) {
  try {
    const FormErgebnis e = FormBerechnen(angabe);
    return e.Min == min && e.Max == max && e.Prozent == prozent;
  } catch (const Fehler &) {
    return false;
  }
}

std::array<long long, K> GroessteReste(const std::array<double, K> &anteile, long long einheiten) {
  // Shares of a symmetric shape may differ from their mirror image in the last bits; a remainder
  // within this of another one counts as equal to it.
  constexpr double Rauschen = 1e-9;
  std::array<long long, K> n{};
  std::array<double, K> rest{};
  long long vergeben = 0;
  for (std::size_t k = 0; k < K; ++k) {
    const double q = anteile[k] * static_cast<double>(einheiten);
    n[k] = static_cast<long long>(std::floor(q + Rauschen));
    rest[k] = std::max(0.0, q - static_cast<double>(n[k]));
    vergeben += n[k];
  }
  std::array<std::size_t, K> folge{};
  std::iota(folge.begin(), folge.end(), std::size_t{0});
  std::stable_sort(folge.begin(), folge.end(), [&](std::size_t a, std::size_t b) { return rest[a] > rest[b]; });
  // Within each group of equal remainders (each within Rauschen of the group's largest), the class
  // nearer the middle first, then the lower one.
  auto abstand = [](std::size_t k) { return std::abs(2 * static_cast<long long>(k) - (static_cast<long long>(K) - 1)); };
  for (std::size_t anfang = 0; anfang < K;) {
    std::size_t ende = anfang + 1;
    while (ende < K && rest[folge[anfang]] - rest[folge[ende]] <= Rauschen) ++ende;
    std::sort(folge.begin() + static_cast<std::ptrdiff_t>(anfang), folge.begin() + static_cast<std::ptrdiff_t>(ende),
              [&](std::size_t a, std::size_t b) { return abstand(a) != abstand(b) ? abstand(a) < abstand(b) : a < b; });
    anfang = ende;
  }
  for (std::size_t i = 0; vergeben < einheiten && i < K; ++i, ++vergeben) ++n[folge[i]];
  return n;
}

} // namespace kwt
