#include "Gleitkomma.h"

#include <algorithm>
#include <charconv>

#include "Dezimalumwandlung.h"
#include "X87.h"

namespace kwt {

void FehlerUngueltig() { throw GleitkommaFehler(MeldungUngueltig); }
void FehlerDivisionDurchNull() { throw GleitkommaFehler(MeldungDivisionDurchNull); }
void FehlerUeberlauf() { throw GleitkommaFehler(MeldungUeberlauf); }
void FehlerKeinGleitkommawert(const std::string &text) {
  throw GleitkommaFehler("'" + text + "' ist kein gültiger Gleitkommawert");
}

bool detail::UeberlaufAmRand(Extended a, Extended b, Rechenart art) {
  if (!std::isfinite(a) || !std::isfinite(b)) return false;
  volatile Extended x = a, y = b;
  volatile Extended r = 0;
  {
    const RundungZumNaechsten naechst;
    switch (art) {
    case Rechenart::Plus: r = x + y; break;
    case Rechenart::Minus: r = x - y; break;
    case Rechenart::Mal: r = x * y; break;
    case Rechenart::Durch: r = x / y; break;
    }
  }
  return std::isinf(static_cast<Extended>(r));
}

std::int64_t RundenInt64(Extended x) {
  if (std::isnan(x)) FehlerUngueltig();
  // frndint follows the current (upward) mode; one instruction, where a library's nearbyintl saves
  // and restores the floating-point environment (5 ns instead of nearly 200 ns per value).
  volatile Extended gerundet = x87::Runden(x);
  const Extended r = gerundet;
  constexpr Extended grenze = 9223372036854775808.0L; // 2^63
  if (!(r >= -grenze && r < grenze)) FehlerUngueltig();
  return static_cast<std::int64_t>(r);
}

std::int32_t AbschneidenInt32(Extended x) {
  if (std::isnan(x)) FehlerUngueltig();
  const Extended t = std::trunc(x);
  if (!(t >= -2147483648.0L && t <= 2147483647.0L)) FehlerUngueltig();
  return static_cast<std::int32_t>(t);
}

bool TextZuExtendedVersuchen(const std::string &text, Extended &wert) {
  return TextZuExtendedLesen(text, wert) == Zahltext::Gut;
}

Zahltext TextZuExtendedLesen(const std::string &text, Extended &wert) {
  // Blanks around the number are allowed, as the runtime's conversion allows them.
  std::size_t a = 0, e = text.size();
  while (a < e && (text[a] == ' ' || text[a] == '\t')) ++a;
  while (e > a && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  // [+-] digits [. digits] [e [+-] digits], with at least one digit before or after the point. Only
  // plain decimal notation: no hexadecimal, "inf" or "nan".
  const auto ziffer = [&](std::size_t i) { return i < e && text[i] >= '0' && text[i] <= '9'; };
  Dezimalzahl z;
  std::size_t i = a;
  if (i < e && (text[i] == '+' || text[i] == '-')) z.Negativ = text[i++] == '-';
  for (; ziffer(i); ++i) z.Ziffern += text[i];
  if (i < e && text[i] == '.') {
    for (++i; ziffer(i); ++i) {
      z.Ziffern += text[i];
      --z.Exponent;
    }
  }
  if (z.Ziffern.empty()) return Zahltext::KeineZahl;
  if (i < e && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool minus = false;
    if (i < e && (text[i] == '+' || text[i] == '-')) minus = text[i++] == '-';
    if (!ziffer(i)) return Zahltext::KeineZahl;
    std::int64_t exponent = 0;
    // Beyond a billion the value is an infinity or a zero whatever the digits; the sum stays in range.
    for (; ziffer(i); ++i) exponent = std::min<std::int64_t>(exponent * 10 + (text[i] - '0'), 1000000000);
    z.Exponent += minus ? -exponent : exponent;
  }
  if (i != e) return Zahltext::KeineZahl;
  const Extended ergebnis = DezimalZuExtended(z);
  if (std::isinf(ergebnis)) return Zahltext::AusserhalbDesBereichs;
  wert = ergebnis;
  return Zahltext::Gut;
}

std::string ExtendedText(Extended x) {
  if (!std::isfinite(x)) return std::isnan(x) ? "nan" : (x < 0 ? "-inf" : "inf");
  const Dezimalzahl exakt = ExakteDezimalzahl(x);
  if (exakt.Ziffern.empty()) return std::signbit(x) ? "-0" : "0";
  const std::int64_t fuehrend = exakt.Exponent + static_cast<std::int64_t>(exakt.Ziffern.size()) - 1;
  // The fewest significant digits (21 always suffice for 64 bits) that read back as x.
  for (int stellen = 1;; ++stellen) {
    const Dezimalzahl r = DezimalRunden(exakt, fuehrend - (stellen - 1));
    if (stellen < 21 && DezimalZuExtended(r) != x) continue;
    const std::int64_t exponent = r.Exponent + static_cast<std::int64_t>(r.Ziffern.size()) - 1;
    // Fixed notation with as many decimals as the significant digits need, unless the number is
    // very large or very small; then d.ddde+XX.
    if (exponent >= -6 && exponent <= 21) {
      return FestkommaGenau(x, static_cast<int>(std::max<std::int64_t>(0, stellen - 1 - exponent)));
    }
    std::string ziffern = r.Ziffern;
    ziffern.resize(static_cast<std::size_t>(stellen), '0');
    std::string text = x < 0 ? "-" : "";
    text += ziffern.substr(0, 1);
    if (stellen > 1) text += "." + ziffern.substr(1);
    char puffer[8];
    const std::int64_t betrag = exponent < 0 ? -exponent : exponent;
    const auto ende = std::to_chars(puffer, puffer + sizeof puffer, betrag).ptr;
    text += exponent < 0 ? "e-" : "e+";
    if (betrag < 10) text += '0';
    return text + std::string(puffer, ende);
  }
}

RundungZumNaechsten::RundungZumNaechsten() : steuerwort_(x87::SteuerwortLesen()), mxcsr_(_mm_getcsr()) {
  x87::SteuerwortLaden(static_cast<std::uint16_t>(steuerwort_ & ~x87::RundungsfeldMaske));
}

RundungZumNaechsten::~RundungZumNaechsten() {
  x87::SteuerwortLaden(steuerwort_);
  _mm_setcsr(mxcsr_);
}

Extended TextZuExtended(const std::string &text) {
  Extended wert = 0;
  if (!TextZuExtendedVersuchen(text, wert)) FehlerKeinGleitkommawert(text);
  return wert;
}

} // namespace kwt
