#include "Formverteilung.h"

#include <boost/math/distributions/complement.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/triangular.hpp>
#include <boost/math/distributions/uniform.hpp>
#include <boost/math/special_functions/beta.hpp>

#include <cmath>
#include <functional>

namespace kwt::formverteilung {

namespace {

namespace bm = boost::math;
namespace bp = boost::math::policies;

// Double stays double inside Boost (no detour through long double and the C runtime's long double
// functions, which differ between platforms), and an error gives NaN or infinity instead of an
// exception; the shares are checked afterwards.
using Politik = bp::policy<bp::promote_float<false>, bp::promote_double<false>, bp::domain_error<bp::errno_on_error>,
                           bp::pole_error<bp::errno_on_error>, bp::overflow_error<bp::errno_on_error>,
                           bp::evaluation_error<bp::errno_on_error>>;
using NormalVerteilung = bm::normal_distribution<double, Politik>;
using DreieckVerteilung = bm::triangular_distribution<double, Politik>;
using GleichVerteilung = bm::uniform_distribution<double, Politik>;

constexpr std::size_t K = KlassenAnzahlVerteilung;

// A shape on the bounds in the coordinate s = -1 .. 1 (lower to upper bound): the probability that
// the value lies at or below s. `GespiegeltUnten` is the same for the shape reflected at the middle
// of the bounds; the probability above s is taken as its probability below -s, which is as accurate
// in the upper tail as the direct one is in the lower, and for a shape symmetric about the middle is
// bit for bit the mirror image of the lower one.
struct Standardform {
  std::function<double(double)> Unten;
  std::function<double(double)> GespiegeltUnten;
  double Oben(double s) const { return GespiegeltUnten(-s); }
};

// The probability of each class's interval, from the tail in which it is accurate: below the median
// by the lower tail, above it by the upper one, and a class across the median as one minus the two
// tails it leaves out. Bit for bit symmetric for a symmetric shape.
Anteile Klassenmassen(const Standardform &form) {
  std::array<double, K + 1> s{};
  for (std::size_t k = 0; k <= K; ++k) s[k] = (static_cast<double>(k) - 5) / 5;
  Anteile masse{};
  for (std::size_t k = 0; k < K; ++k) {
    const double a = s[k], b = s[k + 1];
    double m;
    if (const double fb = form.Unten(b); fb <= 0.5) {
      m = fb - form.Unten(a);
    } else if (const double ga = form.Oben(a); ga <= 0.5) {
      m = ga - form.Oben(b);
    } else {
      m = (0.5 - form.Unten(a)) + (0.5 - form.Oben(b));
    }
    masse[k] = std::isnan(m) || m > 0 ? m : 0.0;
  }
  return masse;
}

// Class probabilities renormalised to the bounds, summed in mirrored pairs so that a symmetric row
// keeps its symmetry through the division.
Anteile Renormiert(const Standardform &form) {
  Anteile masse = Klassenmassen(form);
  double summe = 0;
  for (std::size_t k = 0; k < K / 2; ++k) summe += masse[k] + masse[K - 1 - k];
  const bool gut = summe > 0 && std::isfinite(summe);
  for (double &m : masse) m = gut ? m / summe : std::nan("");
  return masse;
}

} // namespace

Anteile Normal(double mittel, double sigma, double min, double max) {
  // In the coordinate s the mean is delta and the standard deviation tau; the reflection has -delta.
  const double breite = max - min;
  const double delta = (2 * mittel - min - max) / breite, tau = 2 * sigma / breite;
  auto unten = [tau](double d) {
    return [d, tau](double s) { return bm::cdf(NormalVerteilung(0, 1), (s - d) / tau); };
  };
  return Renormiert({unten(delta), unten(-delta)});
}

// Dreieck and PERT live on exactly their bounds: y = (1 + s) / 2 runs from 0 to 1. c is the mode's
// place in y and cGespiegelt that of the reflection, both from the numbers themselves, so that a
// mode in the middle gives the same value twice.
Anteile Dreieck(double min, double modal, double max) {
  const double breite = max - min;
  auto unten = [](double c) {
    return [c](double s) { return bm::cdf(DreieckVerteilung(0, c, 1), (1 + s) / 2); };
  };
  return Renormiert({unten((modal - min) / breite), unten((max - modal) / breite)});
}

Anteile Pert(double min, double modal, double max) {
  // Beta-PERT: weight 4 on the mode, alpha = 1 + 4 c and beta = 1 + 4 (1 - c).
  const double breite = max - min;
  const double alpha = 1 + 4 * ((modal - min) / breite), beta = 1 + 4 * ((max - modal) / breite);
  auto unten = [](double a, double b) {
    return [a, b](double s) { return bm::ibeta(a, b, (1 + s) / 2, Politik()); };
  };
  return Renormiert({unten(alpha, beta), unten(beta, alpha)});
}

Anteile Gleich() {
  auto unten = [](double s) { return bm::cdf(GleichVerteilung(0, 1), (1 + s) / 2); };
  return Renormiert({unten, unten});
}

double SpanneSigma(double unten, double oben, double anteil) {
  // Half the distance between UNTEN and OBEN is the two-sided quantile of ANTEIL times SIGMA; the
  // quantile comes from the upper tail, (100 - ANTEIL) / 200, where it is accurate.
  const double z = bm::quantile(bm::complement(NormalVerteilung(0, 1), (100 - anteil) / 200));
  return (oben - unten) / (2 * z);
}

} // namespace kwt::formverteilung
