#include "VersionsBlock.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "Dateifelder.h"

namespace kwt::ver {

using namespace detail;

namespace {

constexpr std::size_t KnotenKopf = 6; // wLength, wValueLength, wType

// The bytes of the resource inside a block: the root's length, which BlockFuellen cut to what is present.
std::size_t RessourcenLaenge(const std::uint8_t *block) { return U16(block); }
// Behind the resource lies the area for the 8-bit copies of the texts: a text of n UTF-16 bytes at
// offset o is copied to offset 2*o of that area, where 2*n bytes are its own; UTF-8 needs at most
// 1.5*n bytes and the zero. So every copy handed out stays valid while others are made.
std::size_t TextBereichAnfang(std::size_t laenge) { return static_cast<std::size_t>(Ausrichten4(laenge)); }
std::size_t BlockGroesseFuer(std::size_t laenge) { return 3 * TextBereichAnfang(laenge) + 8; }

// One node of the resource tree; every position is an offset into the block.
struct Knoten {
  std::size_t ende = 0;                           // cut to the parent's end
  std::size_t schluessel = 0, schluesselEnde = 0; // the UTF-16 key without its zero
  std::size_t wert = 0, wertBytes = 0;            // the value, cut to the node
  bool text = false;
  std::size_t kinder = 0; // first child; the children run up to ende
};

// The node at anfang inside [.., grenze), or nothing when its header or key is broken.
std::optional<Knoten> KnotenLesen(const std::uint8_t *d, std::size_t anfang, std::size_t grenze) {
  if (anfang > grenze || grenze - anfang < KnotenKopf) return std::nullopt;
  Knoten k;
  const std::size_t laenge = U16(d + anfang);
  if (laenge < KnotenKopf) return std::nullopt;
  k.ende = anfang + std::min(laenge, grenze - anfang);
  const std::size_t wertLaenge = U16(d + anfang + 2);
  k.text = U16(d + anfang + 4) == 1;
  k.schluessel = anfang + KnotenKopf;
  std::size_t p = k.schluessel;
  while (p + 2 <= k.ende && U16(d + p) != 0) p += 2;
  if (p + 2 > k.ende) return std::nullopt;
  k.schluesselEnde = p;
  k.wert = std::min<std::size_t>(Ausrichten4(p + 2), k.ende);
  k.wertBytes = std::min(k.text ? 2 * wertLaenge : wertLaenge, k.ende - k.wert);
  k.kinder = std::min<std::size_t>(Ausrichten4(k.wert + k.wertBytes), k.ende);
  return k;
}

// Appends the UTF-8 form of UTF-16 text [p, p+bytes), ending at its first zero; unpaired surrogates
// become U+FFFD. Stops before a character that would not fit into platz bytes.
std::size_t Utf16NachUtf8(const std::uint8_t *p, std::size_t bytes, char *ziel, std::size_t platz) {
  std::size_t n = 0;
  for (std::size_t i = 0; i + 2 <= bytes;) {
    std::uint32_t c = U16(p + i);
    i += 2;
    if (c == 0) break;
    if (c >= 0xD800 && c <= 0xDBFF && i + 2 <= bytes && U16(p + i) >= 0xDC00 && U16(p + i) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (U16(p + i) - 0xDC00);
      i += 2;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    char b[4];
    std::size_t m;
    if (c < 0x80) {
      b[0] = static_cast<char>(c), m = 1;
    } else if (c < 0x800) {
      b[0] = static_cast<char>(0xC0 | c >> 6), b[1] = static_cast<char>(0x80 | (c & 0x3F)), m = 2;
    } else if (c < 0x10000) {
      b[0] = static_cast<char>(0xE0 | c >> 12), b[1] = static_cast<char>(0x80 | (c >> 6 & 0x3F));
      b[2] = static_cast<char>(0x80 | (c & 0x3F)), m = 3;
    } else {
      b[0] = static_cast<char>(0xF0 | c >> 18), b[1] = static_cast<char>(0x80 | (c >> 12 & 0x3F));
      b[2] = static_cast<char>(0x80 | (c >> 6 & 0x3F)), b[3] = static_cast<char>(0x80 | (c & 0x3F)), m = 4;
    }
    if (platz - n < m) break;
    std::memcpy(ziel + n, b, m);
    n += m;
  }
  return n;
}

// Keys compare without regard to the case of the letters A to Z, as Windows compares them.
bool SchluesselGleich(const std::uint8_t *d, const Knoten &k, std::string_view gesucht) {
  std::string schluessel(3 * (k.schluesselEnde - k.schluessel) / 2, '\0');
  schluessel.resize(Utf16NachUtf8(d + k.schluessel, k.schluesselEnde - k.schluessel, schluessel.data(),
                                  schluessel.size()));
  auto klein = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::ranges::equal(schluessel, gesucht, {}, klein, klein);
}

} // namespace

DWORD BlockGroesse(std::span<const std::uint8_t> ressource) {
  if (ressource.size() < KnotenKopf) return 0;
  const std::size_t laenge = std::min<std::size_t>(U16(ressource.data()), ressource.size());
  if (laenge < KnotenKopf) return 0;
  return static_cast<DWORD>(BlockGroesseFuer(laenge));
}

bool BlockFuellen(std::span<const std::uint8_t> ressource, void *block, DWORD groesse) {
  const DWORD noetig = BlockGroesse(ressource);
  if (noetig == 0 || groesse < noetig || block == nullptr) return false;
  const std::size_t laenge = std::min<std::size_t>(U16(ressource.data()), ressource.size());
  auto *b = static_cast<std::uint8_t *>(block);
  std::memset(b, 0, noetig);
  std::memcpy(b, ressource.data(), laenge);
  b[0] = static_cast<std::uint8_t>(laenge);
  b[1] = static_cast<std::uint8_t>(laenge >> 8);
  return true;
}

BOOL VerQueryValueA(const void *block, const char *unterBlock, void **puffer, UINT *laenge) {
  if (block == nullptr || unterBlock == nullptr || puffer == nullptr) return false;
  // As on Windows, the block is the caller's writable buffer; the text copies go behind the resource.
  auto *b = static_cast<std::uint8_t *>(const_cast<void *>(block));
  const std::size_t groesse = RessourcenLaenge(b);
  if (groesse < KnotenKopf) return false;

  auto knoten = KnotenLesen(b, 0, groesse);
  if (!knoten || !SchluesselGleich(b, *knoten, "vs_version_info")) return false;

  std::string_view pfad(unterBlock);
  std::size_t tiefe = 0;
  bool unterStringFileInfo = false;
  while (!pfad.empty()) {
    const std::size_t trenner = pfad.find('\\');
    const std::string_view teil = pfad.substr(0, trenner);
    pfad = trenner == std::string_view::npos ? std::string_view{} : pfad.substr(trenner + 1);
    if (teil.empty()) continue;
    std::optional<Knoten> gefunden;
    // Every sibling starts at least 8 bytes after the one before, so the walk ends.
    for (std::size_t pos = knoten->kinder; pos < knoten->ende && knoten->ende - pos >= KnotenKopf;) {
      const std::size_t kindLaenge = U16(b + pos);
      if (kindLaenge < KnotenKopf) break;
      const auto kind = KnotenLesen(b, pos, knoten->ende);
      if (kind && SchluesselGleich(b, *kind, teil)) {
        gefunden = kind;
        break;
      }
      pos = static_cast<std::size_t>(Ausrichten4(pos + kindLaenge));
    }
    if (!gefunden) return false;
    if (tiefe++ == 0) unterStringFileInfo = SchluesselGleich(b, *gefunden, "stringfileinfo");
    knoten = gefunden;
  }

  if (!knoten->text && !(unterStringFileInfo && tiefe == 3)) {
    *puffer = b + knoten->wert;
    if (laenge) *laenge = static_cast<UINT>(knoten->wertBytes);
    return true;
  }
  const std::size_t ziel = TextBereichAnfang(groesse) + 2 * knoten->wert;
  const std::size_t platz = BlockGroesseFuer(groesse) - ziel; // at least 2*wertBytes + 8
  auto *text = reinterpret_cast<char *>(b + ziel);
  const std::size_t n = Utf16NachUtf8(b + knoten->wert, knoten->wertBytes, text, platz - 1);
  text[n] = '\0';
  *puffer = text;
  if (laenge) *laenge = static_cast<UINT>(n + 1);
  return true;
}

} // namespace kwt::ver
