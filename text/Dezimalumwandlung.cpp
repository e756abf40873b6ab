#include "Dezimalumwandlung.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace kwt {

namespace {

// The x87 extended format: 64-bit significand with its leading bit, 15-bit exponent biased by 16383.
constexpr int Bias = 16383;
constexpr int KleinsterExponent = -16445; // of the smallest subnormal, 2^-16445
constexpr int ExponentMaske = 0x7FFF;

// The quotient of the conversion has up to 68 bits.
__extension__ typedef unsigned __int128 Ganz128;

struct Bits {
  std::uint64_t Signifikand;
  std::uint16_t VorzeichenExponent;
};

Bits Zerlegen(Extended x) {
  Bits b{};
  std::memcpy(&b.Signifikand, &x, sizeof b.Signifikand);
  std::memcpy(&b.VorzeichenExponent, reinterpret_cast<const char *>(&x) + 8, sizeof b.VorzeichenExponent);
  return b;
}

Extended Zusammensetzen(Bits b) {
  Extended x = 0;
  std::memcpy(&x, &b.Signifikand, sizeof b.Signifikand);
  std::memcpy(reinterpret_cast<char *>(&x) + 8, &b.VorzeichenExponent, sizeof b.VorzeichenExponent);
  return x;
}

// An unsigned whole number of any size, in 32-bit words from the lowest. Only what the two
// conversions need.
class Ganzzahl {
public:
  explicit Ganzzahl(std::uint64_t wert = 0) {
    for (; wert != 0; wert >>= 32) w_.push_back(static_cast<std::uint32_t>(wert));
  }

  bool IstNull() const { return w_.empty(); }
  std::size_t Bitlaenge() const {
    if (w_.empty()) return 0;
    return 32 * (w_.size() - 1) + (32 - static_cast<std::size_t>(__builtin_clz(w_.back())));
  }

  // this = this * f + summand
  void MalPlus(std::uint32_t f, std::uint32_t summand = 0) {
    std::uint64_t uebertrag = summand;
    for (std::uint32_t &wort : w_) {
      const std::uint64_t p = std::uint64_t{wort} * f + uebertrag;
      wort = static_cast<std::uint32_t>(p);
      uebertrag = p >> 32;
    }
    if (uebertrag != 0) w_.push_back(static_cast<std::uint32_t>(uebertrag));
    Kuerzen();
  }

  // this = this * basis^n, in steps of the largest power that fits a word.
  void MalPotenz(std::uint32_t basis, std::int64_t n) {
    std::uint32_t schritt = 1;
    int jeSchritt = 0;
    while (std::uint64_t{schritt} * basis <= 0xFFFFFFFFu) {
      schritt *= basis;
      ++jeSchritt;
    }
    for (; n >= jeSchritt; n -= jeSchritt) MalPlus(schritt);
    for (; n > 0; --n) MalPlus(basis);
  }

  void LinksSchieben(std::size_t bits) {
    if (IstNull() || bits == 0) return;
    const std::size_t woerter = bits / 32, rest = bits % 32;
    if (rest != 0) {
      std::uint32_t uebertrag = 0;
      for (std::uint32_t &wort : w_) {
        const std::uint32_t neu = wort << rest | uebertrag;
        uebertrag = wort >> (32 - rest);
        wort = neu;
      }
      if (uebertrag != 0) w_.push_back(uebertrag);
    }
    w_.insert(w_.begin(), woerter, 0);
  }

  void UmEinsRechtsSchieben() {
    for (std::size_t i = 0; i < w_.size(); ++i) {
      w_[i] >>= 1;
      if (i + 1 < w_.size()) w_[i] |= w_[i + 1] << 31;
    }
    Kuerzen();
  }

  friend int Vergleichen(const Ganzzahl &a, const Ganzzahl &b) {
    if (a.w_.size() != b.w_.size()) return a.w_.size() < b.w_.size() ? -1 : 1;
    for (std::size_t i = a.w_.size(); i-- > 0;) {
      if (a.w_[i] != b.w_[i]) return a.w_[i] < b.w_[i] ? -1 : 1;
    }
    return 0;
  }

  // this = this - b, for b <= this.
  void Minus(const Ganzzahl &b) {
    std::int64_t borgen = 0;
    for (std::size_t i = 0; i < w_.size(); ++i) {
      std::int64_t d = std::int64_t{w_[i]} - borgen - (i < b.w_.size() ? std::int64_t{b.w_[i]} : 0);
      borgen = d < 0;
      w_[i] = static_cast<std::uint32_t>(d + (borgen << 32));
    }
    Kuerzen();
  }

  // this = this / d; returns the remainder.
  std::uint32_t DurchKlein(std::uint32_t d) {
    std::uint64_t rest = 0;
    for (std::size_t i = w_.size(); i-- > 0;) {
      const std::uint64_t teil = rest << 32 | w_[i];
      w_[i] = static_cast<std::uint32_t>(teil / d);
      rest = teil % d;
    }
    Kuerzen();
    return static_cast<std::uint32_t>(rest);
  }

  std::string Dezimal() const {
    Ganzzahl rest = *this;
    std::string text;
    while (!rest.IstNull()) {
      std::uint32_t teil = rest.DurchKlein(1000000000u);
      for (int i = 0; i < 9; ++i, teil /= 10) text.push_back(static_cast<char>('0' + teil % 10));
    }
    while (!text.empty() && text.back() == '0') text.pop_back();
    std::reverse(text.begin(), text.end());
    return text;
  }

private:
  void Kuerzen() {
    while (!w_.empty() && w_.back() == 0) w_.pop_back();
  }
  std::vector<std::uint32_t> w_;
};

// The significand digits that can decide a rounding. Every midpoint between two neighbouring extended
// values is an odd multiple of a power of two no smaller than 2^-16446, so its exact decimal digits,
// an odd number times 5^16446 at most, number fewer than 11,600. A value with more digits lies on the
// same side of every midpoint as its first 12,000 digits followed by "some more", so the rest only
// counts as not zero.
constexpr std::size_t EntscheidendeZiffern = 12000;

std::string_view OhneNullenAussen(std::string_view ziffern, std::int64_t &exponent) {
  const std::size_t erste = ziffern.find_first_not_of('0');
  if (erste == std::string_view::npos) return {};
  const std::size_t letzte = ziffern.find_last_not_of('0');
  exponent += static_cast<std::int64_t>(ziffern.size() - 1 - letzte);
  return ziffern.substr(erste, letzte - erste + 1);
}

} // namespace

Dezimalzahl ExakteDezimalzahl(Extended x) {
  const Bits b = Zerlegen(x);
  Dezimalzahl z;
  z.Negativ = (b.VorzeichenExponent & 0x8000) != 0;
  std::uint64_t m = b.Signifikand;
  const int feld = b.VorzeichenExponent & ExponentMaske;
  if (m == 0 || feld == ExponentMaske) return z; // zero; infinities and NaN have no digits
  std::int64_t e2 = feld == 0 ? KleinsterExponent : feld - Bias - 63;
  const int nullbits = __builtin_ctzll(m);
  m >>= nullbits;
  e2 += nullbits;
  Ganzzahl n(m);
  if (e2 >= 0) {
    n.LinksSchieben(static_cast<std::size_t>(e2));
  } else {
    // m 2^e2 = m 5^-e2 10^e2
    n.MalPotenz(5, -e2);
    z.Exponent = e2;
  }
  const std::string ziffern = n.Dezimal();
  z.Ziffern = std::string(OhneNullenAussen(ziffern, z.Exponent));
  return z;
}

Dezimalzahl DezimalRunden(const Dezimalzahl &z, std::int64_t stelle) {
  std::int64_t exponent = z.Exponent;
  const std::string_view ziffern = OhneNullenAussen(z.Ziffern, exponent);
  Dezimalzahl r{z.Negativ, std::string(ziffern), exponent};
  if (ziffern.empty() || exponent >= stelle) return r;
  const std::int64_t wegfallend = stelle - exponent;
  const std::int64_t bleibend = static_cast<std::int64_t>(ziffern.size()) - wegfallend;
  r.Exponent = stelle;
  if (bleibend < 0) { // below a tenth of the unit: down to zero
    r.Ziffern.clear();
    return r;
  }
  std::string kopf(ziffern.substr(0, static_cast<std::size_t>(bleibend)));
  const char erste = ziffern[static_cast<std::size_t>(bleibend)];
  const bool mehr = static_cast<std::int64_t>(ziffern.size()) > bleibend + 1; // nonzero: no trailing zeros
  const bool ungerade = !kopf.empty() && (kopf.back() - '0') % 2 == 1;
  if (erste > '5' || (erste == '5' && (mehr || ungerade))) {
    std::size_t i = kopf.size();
    for (; i > 0 && kopf[i - 1] == '9'; --i) kopf[i - 1] = '0';
    if (i == 0) {
      kopf.insert(kopf.begin(), '1');
    } else {
      ++kopf[i - 1];
    }
  }
  r.Ziffern = kopf;
  return r;
}

Extended DezimalZuExtended(const Dezimalzahl &z) {
  const Extended null = z.Negativ ? -0.0L : 0.0L;
  const Extended unendlich = z.Negativ ? -std::numeric_limits<Extended>::infinity()
                                       : std::numeric_limits<Extended>::infinity();
  std::int64_t exponent = z.Exponent;
  std::string_view ziffern = OhneNullenAussen(z.Ziffern, exponent);
  if (ziffern.empty()) return null;
  // Decimal exponent of the leading digit: the largest value is 1.19e4932, half the smallest
  // subnormal 1.8e-4951.
  const std::int64_t fuehrend = exponent + static_cast<std::int64_t>(ziffern.size()) - 1;
  if (fuehrend >= 4933) return unendlich;
  if (fuehrend < -4951) return null;
  bool rest = false;
  if (ziffern.size() > EntscheidendeZiffern) {
    exponent += static_cast<std::int64_t>(ziffern.size() - EntscheidendeZiffern);
    ziffern = ziffern.substr(0, EntscheidendeZiffern);
    rest = true;
  }

  Ganzzahl zaehler, nenner(1);
  std::size_t i = 0;
  for (; i + 9 <= ziffern.size(); i += 9) {
    std::uint32_t teil = 0;
    for (std::size_t k = i; k < i + 9; ++k) teil = teil * 10 + static_cast<std::uint32_t>(ziffern[k] - '0');
    zaehler.MalPlus(1000000000u, teil);
  }
  for (; i < ziffern.size(); ++i) zaehler.MalPlus(10, static_cast<std::uint32_t>(ziffern[i] - '0'));
  if (exponent >= 0) {
    zaehler.MalPotenz(10, exponent);
  } else {
    nenner.MalPotenz(10, -exponent);
  }

  // Scale so that the quotient has 66 or 67 bits: value = (q + r) 2^-s with 0 <= r < 1.
  const std::int64_t s = 66 - (static_cast<std::int64_t>(zaehler.Bitlaenge()) - static_cast<std::int64_t>(nenner.Bitlaenge()));
  if (s >= 0) {
    zaehler.LinksSchieben(static_cast<std::size_t>(s));
  } else {
    nenner.LinksSchieben(static_cast<std::size_t>(-s));
  }
  Ganz128 q = 0;
  nenner.LinksSchieben(67);
  for (int bit = 67; bit >= 0; --bit) {
    if (Vergleichen(zaehler, nenner) >= 0) {
      zaehler.Minus(nenner);
      q |= static_cast<Ganz128>(1) << bit;
    }
    nenner.UmEinsRechtsSchieben();
  }
  rest = rest || !zaehler.IstNull();

  int bitlaenge = 0;
  for (Ganz128 t = q; t != 0; t >>= 1) ++bitlaenge;
  // The value lies in [2^e, 2^(e+1)); its last kept bit is worth 2^quant.
  const std::int64_t e = bitlaenge - 1 - s;
  std::int64_t quant = std::max<std::int64_t>(e - 63, KleinsterExponent);
  const std::int64_t weg = quant + s; // bits of q below the last kept one, at least 2
  std::uint64_t m = 0;
  if (weg < 68) {
    const Ganz128 halb = static_cast<Ganz128>(1) << (weg - 1);
    const Ganz128 unten = q & ((halb << 1) - 1);
    m = static_cast<std::uint64_t>(q >> weg);
    if (unten > halb || (unten == halb && (rest || (m & 1u)))) {
      if (++m == 0) { // 2^64: one more binary place
        m = std::uint64_t{1} << 63;
        ++quant;
      }
    }
  } // else the value is below half the smallest subnormal: zero
  if (m == 0) return null;
  Bits b{m, 0};
  if (m >> 63) {
    const std::int64_t feld = quant + 63 + Bias;
    if (feld >= ExponentMaske) return unendlich;
    b.VorzeichenExponent = static_cast<std::uint16_t>(feld);
  }
  if (z.Negativ) b.VorzeichenExponent |= 0x8000;
  return Zusammensetzen(b);
}

std::string FestkommaGenau(Extended x, int d) {
  const Dezimalzahl r = DezimalRunden(ExakteDezimalzahl(x), -d);
  // Digits from 10^0 down to 10^-d, at least one before the point.
  std::string ziffern = r.Ziffern;
  const std::int64_t bisEins = r.Exponent + d; // zeros to append so the last digit stands at 10^-d
  if (!ziffern.empty()) ziffern.append(static_cast<std::size_t>(bisEins), '0');
  if (ziffern.size() < static_cast<std::size_t>(d) + 1) ziffern.insert(0, static_cast<std::size_t>(d) + 1 - ziffern.size(), '0');
  std::string text = std::signbit(x) ? "-" : "";
  text += ziffern.substr(0, ziffern.size() - static_cast<std::size_t>(d));
  if (d > 0) text += "." + ziffern.substr(ziffern.size() - static_cast<std::size_t>(d));
  return text;
}

} // namespace kwt
