#include "Zitat.h"

#include <vector>

namespace kwt {

namespace {

constexpr std::string_view Auslassung = "…";

// The length of the UTF-8 character at text[i], or 0 when the bytes there are no valid character
// (a stray continuation byte, a cut sequence, an overlong form, a surrogate, beyond U+10FFFF).
std::size_t ZeichenLaenge(std::string_view text, std::size_t i) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char c = b(i);
  if (c < 0x80) return 1;
  std::size_t n = 0;
  char32_t wert = 0;
  if ((c & 0xE0) == 0xC0) n = 2, wert = c & 0x1F;
  else if ((c & 0xF0) == 0xE0) n = 3, wert = c & 0x0F;
  else if ((c & 0xF8) == 0xF0) n = 4, wert = c & 0x07;
  else return 0;
  if (i + n > text.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    wert = (wert << 6) | (b(i + k) & 0x3F);
  }
  static constexpr char32_t kleinster[] = {0, 0, 0x80, 0x800, 0x10000};
  if (wert < kleinster[n] || wert > 0x10FFFF || (wert >= 0xD800 && wert <= 0xDFFF)) return 0;
  return n;
}

// The text as displayable characters, one string each; at most `grenze` of them, so that quoting
// the start of a huge text does not walk all of it.
std::vector<std::string_view> Zeichen(std::string_view text, std::size_t grenze = std::string_view::npos) {
  std::vector<std::string_view> zeichen;
  for (std::size_t i = 0; i < text.size() && zeichen.size() < grenze;) {
    const std::size_t n = ZeichenLaenge(text, i);
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (n == 0 || c < 0x20 || c == 0x7F) {
      zeichen.push_back("?");
      i += n == 0 ? 1 : n;
    } else {
      zeichen.push_back(text.substr(i, n));
      i += n;
    }
  }
  return zeichen;
}

std::string Verbinden(const std::vector<std::string_view> &zeichen, std::size_t von, std::size_t bis) {
  std::string r;
  for (std::size_t i = von; i < bis; ++i) r += zeichen[i];
  return r;
}

} // namespace

std::string Zitat(std::string_view text, std::size_t hoechstens) {
  const std::vector<std::string_view> z = Zeichen(text, hoechstens + 1);
  if (z.size() <= hoechstens) return "'" + Verbinden(z, 0, z.size()) + "'";
  const std::size_t behalten = hoechstens > 0 ? hoechstens - 1 : 0;
  return "'" + Verbinden(z, 0, behalten) + std::string(Auslassung) + "'";
}

std::string PfadZitat(std::string_view pfad, std::size_t hoechstens) {
  const std::vector<std::string_view> z = Zeichen(pfad);
  if (z.size() <= hoechstens) return "'" + Verbinden(z, 0, z.size()) + "'";
  const std::size_t behalten = hoechstens > 0 ? hoechstens - 1 : 0;
  return "'" + std::string(Auslassung) + Verbinden(z, z.size() - behalten, z.size()) + "'";
}

} // namespace kwt
