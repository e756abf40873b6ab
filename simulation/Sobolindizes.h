// What drives the spread of the market value: the first-order and the total Sobol index of each of
// the five inputs, computed exactly over the class grid.
//
// The inputs are independent and take finitely many values (ten classes and "no class"), so every
// conditional mean is a finite sum over the grid of class combinations:
//   first order  S_i = Var(E[VKW | X_i]) / Var(VKW)        the share of the variance that X_i
//                                                           explains on its own;
//   total        T_i = E[Var(VKW | all inputs but X_i)] / Var(VKW)
//                                                           the share that remains open while all
//                                                           the others are known: X_i alone and
//                                                           together with others.
// T_i >= S_i; T_i - S_i is X_i's part in interactions. The first-order shares add up to at most 1
// (exactly 1 only when the value is a sum of a function of each input).
//
// Like all exact figures the indices refer to the stored values (whole euros, rounded up) of the
// computable combinations. Combinations that cannot be computed are left out and the remaining
// probabilities taken as they are, divided by the computable share, so that means and variances are
// those of the distribution the exact figures describe. When some combinations fail the inputs are
// no longer independent under that condition; the indices are still defined by the formulas above.
//
// The sums run in extended precision under the program's upward rounding; over 10^5 cells that
// drifts by up to some 10^-14, far below the places the indices are shown with. An input that takes
// one value only, or on whose classes the value does not depend, has T = 0 exactly. Without any
// variance (one value) the indices are NaN.
#pragma once

#include <array>
#include <string>

#include "ExakteVerteilung.h"

namespace kwt {

struct Sobolindex {
  Parameter Param = LZ;
  Extended ErsterOrdnung = 0; // S_i
  Extended Gesamt = 0;        // T_i
  std::string ErsterOrdnungText, GesamtText; // "73,39 %"
};

// In parameter order LZ, RND, RO, BWK, BO.
std::array<Sobolindex, ParameterAnzahl> SobolindizesBerechnen(const ExakteVerteilung &exakt);

// The one line that explains the two numbers, as the dialog and the report show it.
inline constexpr const char *SobolErklaerung =
    "Erster Ordnung: Anteil an der Varianz des Verkehrswerts, den der Parameter allein erklärt; gesamt: "
    "einschließlich seines Zusammenwirkens mit den anderen.";

} // namespace kwt
