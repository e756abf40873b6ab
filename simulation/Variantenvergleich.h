// Two variants of a valuation side by side (before and after a modernisation, two yield rates):
// their exact distributions' figures with the differences, and how likely variant B gives the
// higher value.
//
// The variants are taken as independent: P(VKW_B > VKW_A) = sum over the values b of B of
// P(B = b) P(A < b), found by walking through both sorted distributions at once. The sums are kept
// as exact whole numbers (the masses of A and B multiplied, Wahrscheinlichkeitsmasse.h), so the
// three shares "B higher", "equal", "B lower" add up exactly to the whole and are only rounded
// when shown.
//
// Ties: the values are stored values, whole euros, so both variants give the same value with a
// probability P(VKW_B = VKW_A) > 0. Such a tie counts as neither higher nor lower: P(VKW_B > VKW_A)
// is strictly higher, and the share of ties is given beside it. A variant compared with itself thus
// gives P(B > A) = P(B < A) = (1 - P(B = A)) / 2.
#pragma once

#include <array>
#include <string>

#include "ExakteVerteilung.h"
#include "Parameter.h"

namespace kwt {

struct Variantenzeile {
  ExakteKennzahl Art = ExakteKennzahl::Mittelwert;
  std::string Beschriftung;
  Extended A = 0, B = 0, Differenz = 0; // Differenz = B - A
  std::string AText, BText, DifferenzText, DifferenzProzentText; // the last relative to A, "1,234 %"
};

struct Variantenvergleich {
  std::array<Variantenzeile, ExakteKennzahlen.size()> Zeilen{};
  // P(VKW_B > VKW_A), P(VKW_B = VKW_A), P(VKW_B < VKW_A); NaN when a variant has no computable value.
  Extended BHoeher = 0, Gleich = 0, BNiedriger = 0;
  std::string BHoeherText, GleichText, BNiedrigerText;
};

Variantenvergleich VariantenVergleichen(const ExakteVerteilung &a, const ExakteVerteilung &b);

// The exact distribution of a variant given by its bounds and percentages, prepared as a run
// prepares its class tables. Throws GleitkommaFehler when the tables cannot be prepared.
ExakteVerteilung VarianteBerechnen(const Parameterwerte &min, const Parameterwerte &max,
                                   const std::array<Klassenwerte, ParameterAnzahl> &prozent);

} // namespace kwt
