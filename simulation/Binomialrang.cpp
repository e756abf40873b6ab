#include "Binomialrang.h"

#include <boost/math/distributions/normal.hpp>

#include <cmath>
#include <vector>

#include "Gleitkomma.h"

namespace kwt::binomialrang {

namespace {

namespace bm = boost::math;
namespace bp = boost::math::policies;

// Double stays double inside Boost (no detour through the C runtime's long double functions), and an
// error gives NaN instead of an exception.
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
      // The binomial coefficients relative to the middle one, C(n, i) / C(n, m), from the middle down
      // until they no longer count against the 64-bit sums: t[j] belongs to i = m - j. Only the four
      // basic operations, which give the same bits under every C runtime (a library's incomplete beta
      // function calls the runtime's exp and log, whose last bits differ between glibc and Windows).
      const std::int64_t m = n / 2;
      std::vector<long double> t{1.0L};
      for (std::int64_t i = m; i > 0; --i) {
        const long double naechster = t.back() * static_cast<long double>(i) / static_cast<long double>(n - i + 1);
        if (naechster < 0x1p-200L) break;
        t.push_back(naechster);
      }
      // r[j]: the sum of the terms of i <= m - j, the small ones first.
      std::vector<long double> r(t.size());
      long double summe = 0;
      for (std::size_t j = t.size(); j-- > 0;) r[j] = summe += t[j];
      // All n + 1 terms: the lower half mirrored; an odd n has two middle terms, an even one a single.
      const long double alle = n % 2 == 1 ? 2 * r[0] : 2 * r[1] + t[0];
      const std::int64_t kleinster = m - static_cast<std::int64_t>(t.size()) + 1;
      // P(B <= k); below the smallest term kept it is less than 2^-200 and counts as 0.
      const auto cdf = [&](std::int64_t k) {
        return k < kleinster ? 0.0L : r[static_cast<std::size_t>(m - k)] / alle;
      };
      // k: the largest count with P(B <= k) <= rand, -1 when even P(B = 0) is larger.
      std::int64_t k = kleinster - 1;
      while (k + 1 <= m && cdf(k + 1) <= rand) ++k;
      if (k >= 0 && k + 1 <= n - k) {
        unten = k + 1;
        oben = n - k;
        erreicht = static_cast<double>(1 - 2 * cdf(k));
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
