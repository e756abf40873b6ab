// Shapes that fill one parameter's bounds and ten class percentages from the few numbers a valuer
// actually has: a most likely value with a plausible minimum and maximum (dreieck, pert), a mean and
// standard deviation from a market report (normal), a rent table's range that holds a known share of
// the rents (spanne), or no more than a range (gleich).
//
// The bounds become the parameter's minimum and maximum; each class gets the probability of its
// interval under the shape, truncated to the bounds and renormalised. The percentages are rounded by
// largest remainder to the finest step, 0,1 or 1, for which the ten of them pass the distribution
// editor's own check (ProzentSumme exactly 100 in the program's arithmetic), so that the editor's OK
// and the run take them unchanged. The run then draws from them as from any other table: the exact
// distribution, the fast run and the seed's behaviour do not know where a table came from.
//
// The distribution functions are Boost.Math's, evaluated in double with round-to-nearest (switched
// for the computation and restored afterwards), so the percentages depend neither on the program's
// upward rounding nor on the extended format. Bounds that a shape computes (MITTEL ± 3 SIGMA) are
// rounded to the two decimals of the bound fields, so that the fields show exactly what a run uses;
// the percentages are those of the rounded bounds.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "Parameter.h"

namespace kwt {

enum class FormArt { Dreieck, Pert, Normal, Spanne, Gleich };

struct FormFeld {
  const char *Name;        // as the fields and messages name it: "MIN", "SIGMA", ...
  const char *Erklaerung;  // German, for the field's tooltip
};

struct FormEintrag {
  FormArt Art;
  const char *Kuerzel;      // the command line's and the file's name: "dreieck"
  const char *Beschriftung; // German, as the editor lists it
  std::vector<FormFeld> Felder;
  std::size_t Pflichtfelder; // the first ones; the others (normal's MIN and MAX) only together
};

// In the editor's order: dreieck, pert, normal, spanne, gleich.
const std::array<FormEintrag, 5> &FormEintraege();
const FormEintrag &FormEintragVon(FormArt art);
// The shape of a command line's or a file's name ("dreieck"), or none.
const FormEintrag *FormEintragZumKuerzel(std::string_view kuerzel);
// The numbers a shape takes, as a message words them: "MIN:MODAL:MAX", or for normal
// "MITTEL:SIGMA oder MITTEL:SIGMA:MIN:MAX" (with the given separator).
std::string FormZahlenNamen(const FormEintrag &eintrag, const char *trenner);

// A shape and its numbers in the order of its fields: dreieck and pert MIN, MODAL, MAX; normal
// MITTEL, SIGMA and optionally MIN, MAX; spanne UNTEN, OBEN, ANTEIL (per cent); gleich MIN, MAX.
struct FormAngabe {
  FormArt Art = FormArt::Dreieck;
  std::vector<Extended> Zahlen;

  friend bool operator==(const FormAngabe &, const FormAngabe &) = default;
};

// Numbers a shape cannot take. The message is German and names the field; Feld is its index.
class FormFehler : public Fehler {
public:
  FormFehler(const std::string &meldung, std::size_t feld) : Fehler(meldung), Feld(feld) {}
  std::size_t Feld;
};

struct FormErgebnis {
  Extended Min = 0;
  Extended Max = 0;
  Klassenwerte Prozent{};
  int Dezimalen = 1; // the step the percentages were rounded to: 1 for 0,1, 0 for whole numbers

  friend bool operator==(const FormErgebnis &, const FormErgebnis &) = default;
};

// Throws FormFehler for numbers the shape cannot take (MIN above MODAL, SIGMA not above 0, ANTEIL
// outside (0, 100), ...), and GleitkommaFehler when the bounds overflow.
FormErgebnis FormBerechnen(const FormAngabe &angabe);

// Whether the shape still gives exactly these bounds and percentages (false when it cannot be computed).
bool FormPasst(const FormAngabe &angabe, Extended min, Extended max, const Klassenwerte &prozent);

// Largest remainder: ten shares (summing to 1 up to rounding) as whole units of which there are
// `einheiten` in all (1000 for steps of 0,1 per cent, 100 for whole per cent). Shares that differ by
// no more than rounding noise count as equal, and among equal remainders the class nearer the middle
// goes first, so that a symmetric shape gives a symmetric row.
std::array<long long, KlassenAnzahlVerteilung> GroessteReste(const std::array<double, KlassenAnzahlVerteilung> &anteile,
                                                             long long einheiten);

} // namespace kwt
