// The distribution functions behind the shapes (Formen.h): the ten class shares of each shape on
// its bounds, from Boost.Math in double.
//
// Everything here must run with round-to-nearest; FormBerechnen switches to it around the calls.
// This file is compiled without -frounding-math: g++ 12 with that flag leaves Boost's function-local
// coefficient tables (static const double, initialised from long double constants) at zero, so that
// erf and the incomplete beta function return garbage (the same miscompilation as in
// https://github.com/boostorg/math/issues/1133). Without the flag g++ folds constants with
// round-to-nearest, which is the mode this code runs in. No other file of the program includes Boost.
#pragma once

#include <array>

#include "Parameter.h"

namespace kwt::formverteilung {

using Anteile = std::array<double, KlassenAnzahlVerteilung>;

// Class probabilities under the shape, truncated to [min, max] and renormalised. NaN when they
// cannot be formed (no probability between the bounds, numbers beyond double's range).
Anteile Normal(double mittel, double sigma, double min, double max);
Anteile Dreieck(double min, double modal, double max);
Anteile Pert(double min, double modal, double max);
Anteile Gleich();

// The standard deviation of the normal distribution whose central `anteil` per cent lie between
// `unten` and `oben`.
double SpanneSigma(double unten, double oben, double anteil);

} // namespace kwt::formverteilung
