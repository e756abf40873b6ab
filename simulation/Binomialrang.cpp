#include "Binomialrang.h"

#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/normal.hpp>

#include <cmath>

#include "Gleitkomma.h"

namespace kwt::binomialrang {

namespace {

namespace bm = boost::math;
namespace bp = boost::math::policies;

// Double stays double inside Boost (no detour through the C runtime's long double functions), and an
// error gives NaN instead of an exception; the real-valued quantile is only a starting point.
using Politik = bp::policy<bp::promote_float<false>, bp::promote_double<false>, bp::domain_error<bp::errno_on_error>,
                           bp::pole_error<bp::errno_on_error>, bp::overflow_error<bp::errno_on_error>,
                           bp::evaluation_error<bp::errno_on_error>, bp::discrete_quantile<bp::real>>;

} // namespace

MedianRaenge MedianRaengeBerechnen(std::int64_t n, double niveau) {
  volatile std::int64_t unten = 0, oben = 0;
  volatile double erreicht = 0;
  {
    const RundungZumNaechsten naechste;
    const volatile double gewuenscht = niveau;
    const double rand = (1 - gewuenscht) / 2;
    if (n >= 1 && rand > 0) {
      const bm::binomial_distribution<double, Politik> b(static_cast<double>(n), 0.5);
      const auto cdf = [&](std::int64_t k) { return bm::cdf(b, static_cast<double>(k)); };
      // k: the largest count with P(B <= k) <= rand, -1 when even P(B = 0) is larger.
      const double start = bm::quantile(b, rand);
      auto k = static_cast<std::int64_t>(std::isfinite(start) ? std::floor(start) : -1.0);
      k = std::max<std::int64_t>(-1, std::min(k, n));
      while (k >= 0 && cdf(k) > rand) --k;
      while (k + 1 < n && cdf(k + 1) <= rand) ++k;
      if (k >= 0 && k + 1 <= n - k) {
        unten = k + 1;
        oben = n - k;
        erreicht = 1 - 2 * cdf(k);
      }
    }
  }
  return {unten, oben, erreicht};
}

double NormalQuantil(double p) {
  volatile double ergebnis = 0;
  {
    const RundungZumNaechsten naechste;
    const volatile double wert = p;
    ergebnis = bm::quantile(bm::normal_distribution<double, Politik>(0, 1), wert);
  }
  return ergebnis;
}

} // namespace kwt::binomialrang
