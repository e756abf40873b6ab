#include "W32_CLC.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "W32_STR.h"
#include "X87.h"

namespace kwt {

namespace {

char tausenderZeichen = '.';
char dezimalZeichen = ',';
std::atomic<std::uint16_t> standardSteuerwort{0};

// 10^t in extended precision by repeated squaring under the current rounding mode; exact up to 10^27.
Extended ZehnHoch(int t) {
  Extended ergebnis = 1, basis = 10;
  for (unsigned n = static_cast<unsigned>(t); n != 0; n >>= 1) {
    if (n & 1u) ergebnis *= basis;
    if (n > 1) basis *= basis;
  }
  return ergebnis;
}

constexpr std::uint64_t Zehn18 = 1000000000000000000ull;

// The 19-character digit string of step 4: carry digit, then m * 10^17 rounded up as 18 digits.
std::string Ziffernfolge(Extended m) {
  volatile Extended skaliert = m * 1e17L;
  std::uint64_t i = static_cast<std::uint64_t>(std::ceil(static_cast<Extended>(skaliert)));
  std::string ziffern(19, '0');
  if (i >= Zehn18) {
    ziffern[0] = '1';
    i -= Zehn18;
  }
  for (std::size_t p = 18; i != 0; --p, i /= 10) ziffern[p] = static_cast<char>('0' + i % 10);
  return ziffern;
}

// Fixed-point text of x with d decimals, '.' as the decimal point, no grouping.
std::string FestkommaText(Extended x, int d) {
  std::string text = std::signbit(x) ? "-" : "";
  if (std::isnan(x)) return "NAN";
  if (std::isinf(x)) return text + "INF";
  Extended m = std::fabs(x);
  int k = 0;
  if (m >= 10) {
    for (;;) {
      const int e = std::ilogb(m);
      const int t = (e * 19728) >> 16; // floor(e * log10(2)), e >= 0 here
      if (t <= 0) break; // scaled into [1, 16)
      m = m / ZehnHoch(t);
      k += t;
    }
  }
  std::string ziffern = Ziffernfolge(m);
  if (k > 35) {
    // Exponent form: one digit, the decimal point, 17 digits, E, sign, four exponent digits.
    int exponent = k;
    std::string signifikant = ziffern.substr(1);
    if (ziffern[0] != '0') {
      signifikant = ziffern.substr(0, 18);
      ++exponent;
    }
    std::string exponentText = std::to_string(exponent);
    exponentText.insert(0, 4 - std::min<std::size_t>(4, exponentText.size()), '0');
    return text + signifikant.substr(0, 1) + "." + signifikant.substr(1) + "E+" + exponentText;
  }
  const int n = k + 1 + d;
  if (n >= 18) {
    ziffern.append(static_cast<std::size_t>(n - 18), '0');
  } else if (ziffern[static_cast<std::size_t>(n + 1)] >= '5') {
    // Half up, decided by the first dropped digit only; the carry may run into the carry digit.
    for (int p = n; p >= 0; --p) {
      char &z = ziffern[static_cast<std::size_t>(p)];
      if (z == '9') {
        z = '0';
      } else {
        ++z;
        break;
      }
    }
  }
  const std::size_t beginn = ziffern[0] != '0' ? 0 : 1;
  text += ziffern.substr(beginn, static_cast<std::size_t>(k + 2) - beginn);
  if (d > 0) text += "." + ziffern.substr(static_cast<std::size_t>(k + 2), static_cast<std::size_t>(d));
  return text;
}

} // namespace

char TausenderZeichen() { return tausenderZeichen; }
char DezimalZeichen() { return dezimalZeichen; }

std::uint16_t SteuerwortLesen() { return x87::SteuerwortLesen(); }

int RundungsmodusSetzen(int modus) {
  const std::uint16_t alt = SteuerwortLesen();
  const std::uint16_t neu = static_cast<std::uint16_t>((alt & 0xF3FF) | ((modus & 3) << 10));
  x87::SteuerwortLaden(neu);
  standardSteuerwort.store(neu);
  return (alt >> 10) & 3;
}

std::uint16_t StandardSteuerwort() { return standardSteuerwort.load(); }

void StandardRundungUebernehmen() {
  // Precision control too: on Windows a new thread starts with a 53-bit mantissa, which would cut
  // every extended result the thread computes.
  const std::uint16_t wort = standardSteuerwort.load();
  if (wort != 0) x87::SteuerwortLaden(static_cast<std::uint16_t>((SteuerwortLesen() & 0xF0FF) | (wort & 0x0F00)));
}

void FormatierungInitialisieren() {
  tausenderZeichen = '.';
  dezimalZeichen = ',';
  // The program computes with the 64-bit mantissa. Linux and the MinGW start-up code give the main
  // thread that precision; a Windows program started otherwise (or a host that loaded a library
  // which changed it) may run with 53 bits, which would cut every extended result.
  const std::uint16_t wort = SteuerwortLesen();
  if ((wort & x87::GenauigkeitsfeldMaske) != x87::Genauigkeit64Bit) {
    x87::SteuerwortLaden(static_cast<std::uint16_t>(wort | x87::Genauigkeit64Bit));
  }
  RundungsmodusSetzen(2);
}

std::string TausenderEinfuegen(const std::string &eingabe) {
  std::string s = LeerzeichenLoeschen(eingabe);
  std::size_t p = PosRechts(std::string(1, dezimalZeichen), s);
  if (p == 0) p = s.size() + 1;
  if (p <= 3) return s;
  int c = 0;
  for (std::size_t i = p - 1; i >= 2; --i) {
    ++c;
    if (s[i - 1] == ' ') break;
    if (c == 3) {
      c = 0;
      const char davor = s[i - 2];
      if (davor != ' ' && davor != '-') s.insert(i - 1, 1, tausenderZeichen);
    }
  }
  return KurzString(s);
}

std::string FestkommaFormatieren(Extended x, int d, bool gruppieren) {
  const int dezimalen = d & 0xFF;
  std::string s = KurzString(FestkommaText(x, dezimalen));
  s = ZeichenErsetzen(LeerzeichenLoeschen(s), '.', dezimalZeichen);
  if (gruppieren) s = TausenderEinfuegen(s);
  return s;
}

std::string ZahlFormatieren(int d, bool nullZeigen, bool gruppieren, Extended x, bool suffix) {
  if (!nullZeigen && x == 0) return "";
  std::string s = LeerzeichenLoeschen(FestkommaFormatieren(x, d, gruppieren));
  if (suffix) s += ",-";
  return KurzString(s);
}

Extended AufDezimalenRunden(Extended x, int d) {
  const Extended wert = TextZuExtended(FestkommaText(x, d & 0xFF));
  return wert == 0 ? 0 : wert;
}

} // namespace kwt
