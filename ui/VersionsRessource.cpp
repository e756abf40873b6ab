#include "VersionsRessource.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__linux__)
#include <unistd.h>
#endif

namespace kwt::ver {

namespace {

constexpr std::uint16_t RtVersion = 16;
constexpr std::uint16_t VsVersionInfoName = 1;
constexpr std::size_t GroessteRessource = 0xFFFF; // the root's 16-bit length cannot say more
constexpr std::size_t KnotenKopf = 6;              // wLength, wValueLength, wType

constexpr std::uint64_t Ausrichten4(std::uint64_t x) { return (x + 3) & ~std::uint64_t{3}; }

// Little-endian fields, assembled byte by byte: file data has no alignment to rely on.
std::uint16_t U16(const std::uint8_t *p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t U32(const std::uint8_t *p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint64_t U64(const std::uint8_t *p) {
  return static_cast<std::uint64_t>(U32(p)) | static_cast<std::uint64_t>(U32(p + 4)) << 32;
}

std::optional<std::uint16_t> Lies16(const Bytequelle &q, std::uint64_t pos) {
  std::uint8_t b[2];
  if (!q.Lesen(pos, b, 2)) return std::nullopt;
  return U16(b);
}
std::optional<std::uint32_t> Lies32(const Bytequelle &q, std::uint64_t pos) {
  std::uint8_t b[4];
  if (!q.Lesen(pos, b, 4)) return std::nullopt;
  return U32(b);
}

// Reads anzahl bytes, or nothing when they are not all there. The caller bounds anzahl.
std::vector<std::uint8_t> LiesBlock(const Bytequelle &q, std::uint64_t pos, std::uint64_t anzahl) {
  if (anzahl > q.Groesse() || pos > q.Groesse() - anzahl) return {};
  std::vector<std::uint8_t> daten(static_cast<std::size_t>(anzahl));
  if (!q.Lesen(pos, daten.data(), daten.size())) return {};
  return daten;
}

// A version resource's bytes: at most what the root can describe, and only what is present.
std::vector<std::uint8_t> RessourceLesen(const Bytequelle &q, std::uint64_t pos, std::uint64_t laenge) {
  if (pos > q.Groesse()) return {};
  laenge = std::min<std::uint64_t>({laenge, GroessteRessource, q.Groesse() - pos});
  return LiesBlock(q, pos, laenge);
}

class Dateiquelle final : public Bytequelle {
public:
  explicit Dateiquelle(const std::filesystem::path &pfad) : datei_(pfad, std::ios::binary) {
    std::error_code fehler;
    const auto groesse = std::filesystem::file_size(pfad, fehler);
    if (!fehler && datei_) groesse_ = groesse;
  }
  std::uint64_t Groesse() const override { return groesse_; }
  bool Lesen(std::uint64_t position, void *ziel, std::size_t anzahl) const override {
    if (anzahl > groesse_ || position > groesse_ - anzahl) return false;
    if (anzahl == 0) return true;
    datei_.clear();
    datei_.seekg(static_cast<std::streamoff>(position));
    datei_.read(static_cast<char *>(ziel), static_cast<std::streamsize>(anzahl));
    return datei_.gcount() == static_cast<std::streamsize>(anzahl);
  }

private:
  mutable std::ifstream datei_;
  std::uint64_t groesse_ = 0;
};

// --- PE: DOS header -> "PE\0\0" -> optional header's resource directory -> type 16 -> name -> language.

struct Abschnitt {
  std::uint32_t adresse, rohGroesse, rohPosition;
};

class PeAbbildung {
public:
  explicit PeAbbildung(std::vector<Abschnitt> abschnitte) : abschnitte_(std::move(abschnitte)) {}

  // File position of a virtual address and the number of bytes from there to its section's end.
  std::optional<std::pair<std::uint64_t, std::uint64_t>> Datei(std::uint32_t rva) const {
    for (const Abschnitt &a : abschnitte_) {
      if (rva >= a.adresse && rva - a.adresse < a.rohGroesse) {
        const std::uint32_t versatz = rva - a.adresse;
        return std::pair{std::uint64_t{a.rohPosition} + versatz, std::uint64_t{a.rohGroesse} - versatz};
      }
    }
    return std::nullopt;
  }

private:
  std::vector<Abschnitt> abschnitte_;
};

struct Verzeichniseintrag {
  std::uint32_t name, ziel;
  bool IstId() const { return (name & 0x80000000u) == 0; }
  bool IstVerzeichnis() const { return (ziel & 0x80000000u) != 0; }
  std::uint32_t Versatz() const { return ziel & 0x7FFFFFFFu; }
};

// The entries of one resource directory lying at versatz inside the resource area [basis, basis+groesse).
std::vector<Verzeichniseintrag> Verzeichnis(const Bytequelle &q, std::uint64_t basis, std::uint64_t groesse,
                                            std::uint32_t versatz) {
  if (versatz > groesse || groesse - versatz < 16) return {};
  std::uint8_t kopf[16];
  if (!q.Lesen(basis + versatz, kopf, sizeof kopf)) return {};
  const std::uint64_t anzahl = std::uint64_t{U16(kopf + 12)} + U16(kopf + 14);
  const std::uint64_t verfuegbar = (groesse - versatz - 16) / 8;
  const auto roh = LiesBlock(q, basis + versatz + 16, 8 * std::min(anzahl, verfuegbar));
  std::vector<Verzeichniseintrag> eintraege;
  eintraege.reserve(roh.size() / 8);
  for (std::size_t i = 0; i + 8 <= roh.size(); i += 8) eintraege.push_back({U32(&roh[i]), U32(&roh[i + 4])});
  return eintraege;
}

} // namespace

bool Speicherquelle::Lesen(std::uint64_t position, void *ziel, std::size_t anzahl) const {
  if (anzahl > daten_.size() || position > daten_.size() - anzahl) return false;
  if (anzahl) std::memcpy(ziel, daten_.data() + position, anzahl);
  return true;
}

std::vector<std::uint8_t> VersionsRessourceAusPe(const Bytequelle &q) {
  const auto mz = Lies16(q, 0);
  const auto peVersatz = Lies32(q, 0x3C);
  if (!mz || *mz != 0x5A4D || !peVersatz) return {};
  std::uint8_t kopf[24]; // "PE\0\0" and the COFF file header
  if (!q.Lesen(*peVersatz, kopf, sizeof kopf) || std::memcmp(kopf, "PE\0\0", 4) != 0) return {};
  const std::uint16_t abschnittAnzahl = U16(kopf + 6);
  const std::uint16_t optGroesse = U16(kopf + 20);
  const std::uint64_t opt = std::uint64_t{*peVersatz} + 24;

  const auto optKopf = LiesBlock(q, opt, optGroesse);
  if (optKopf.size() < 2) return {};
  std::size_t anzahlFeld, verzeichnisse;
  switch (U16(optKopf.data())) {
  case 0x10B: anzahlFeld = 92, verzeichnisse = 96; break;   // PE32
  case 0x20B: anzahlFeld = 108, verzeichnisse = 112; break; // PE32+
  default: return {};
  }
  constexpr std::size_t ressourcenVerzeichnis = 2;
  if (optKopf.size() < verzeichnisse + 8 * (ressourcenVerzeichnis + 1)) return {};
  if (U32(&optKopf[anzahlFeld]) <= ressourcenVerzeichnis) return {};
  const std::uint32_t ressourcenRva = U32(&optKopf[verzeichnisse + 8 * ressourcenVerzeichnis]);
  if (ressourcenRva == 0) return {};

  const auto tabelle = LiesBlock(q, opt + optGroesse, std::uint64_t{40} * abschnittAnzahl);
  std::vector<Abschnitt> abschnitte;
  for (std::size_t i = 0; i + 40 <= tabelle.size(); i += 40)
    abschnitte.push_back({U32(&tabelle[i + 12]), U32(&tabelle[i + 16]), U32(&tabelle[i + 20])});
  const PeAbbildung abbildung(std::move(abschnitte));

  // Offsets inside the resource tree count from its root and must stay inside the root's section.
  const auto wurzel = abbildung.Datei(ressourcenRva);
  if (!wurzel || wurzel->first >= q.Groesse()) return {};
  const std::uint64_t basis = wurzel->first;
  const std::uint64_t bereich = std::min(wurzel->second, q.Groesse() - basis);

  // Exactly three levels (type, name, language), so a directory that points back at itself is never
  // followed more than three times.
  std::optional<std::uint32_t> namen;
  for (const auto &e : Verzeichnis(q, basis, bereich, 0))
    if (e.IstId() && e.name == RtVersion && e.IstVerzeichnis()) {
      namen = e.Versatz();
      break;
    }
  if (!namen) return {};
  std::optional<std::uint32_t> sprachen;
  for (const auto &e : Verzeichnis(q, basis, bereich, *namen)) {
    if (!e.IstVerzeichnis()) continue;
    if (!sprachen) sprachen = e.Versatz();
    if (e.IstId() && e.name == VsVersionInfoName) {
      sprachen = e.Versatz();
      break;
    }
  }
  if (!sprachen) return {};
  for (const auto &e : Verzeichnis(q, basis, bereich, *sprachen)) {
    if (e.IstVerzeichnis()) continue;
    if (e.Versatz() > bereich || bereich - e.Versatz() < 16) return {};
    std::uint8_t daten[8]; // RVA and size of the data
    if (!q.Lesen(basis + e.Versatz(), daten, sizeof daten)) return {};
    const auto ort = abbildung.Datei(U32(daten));
    if (!ort) return {};
    return RessourceLesen(q, ort->first, std::min<std::uint64_t>(U32(daten + 4), ort->second));
  }
  return {};
}

// --- Compiled resource file (.res): a chain of entries, each a header (sizes, type, name, language) and data.

std::vector<std::uint8_t> VersionsRessourceAusRes(const Bytequelle &q, std::uint64_t anfang, std::uint64_t laenge) {
  if (anfang > q.Groesse()) return {};
  const std::uint64_t ende = anfang + std::min(laenge, q.Groesse() - anfang);
  std::uint64_t pos = anfang;
  while (ende - pos >= 16) {
    std::uint8_t kopf[12]; // DataSize, HeaderSize, the first word of the type and, for a number, the number
    if (!q.Lesen(pos, kopf, sizeof kopf)) return {};
    const std::uint64_t datenGroesse = U32(kopf);
    const std::uint64_t kopfGroesse = U32(kopf + 4);
    // The smallest real header has 32 bytes; 16 is enough to make progress and to hold the type.
    if (kopfGroesse < 16 || kopfGroesse > ende - pos) return {};
    const std::uint64_t daten = pos + kopfGroesse;
    if (datenGroesse > ende - daten) return {};
    if (U16(kopf + 8) == 0xFFFF && U16(kopf + 10) == RtVersion) return RessourceLesen(q, daten, datenGroesse);
    pos = Ausrichten4(daten + datenGroesse);
    if (pos > ende) return {};
  }
  return {};
}

// --- ELF: the section ".rsrc" that the build adds to the program holds the compiled resource file.

std::vector<std::uint8_t> VersionsRessourceAusElf(const Bytequelle &q) {
  std::uint8_t kopf[64];
  if (!q.Lesen(0, kopf, 52) || std::memcmp(kopf, "\x7F" "ELF", 4) != 0) return {};
  if (kopf[5] != 1) return {}; // little-endian only
  const bool elf64 = kopf[4] == 2;
  if (!elf64 && kopf[4] != 1) return {};
  if (elf64 && !q.Lesen(0, kopf, 64)) return {};
  const std::uint64_t tabelle = elf64 ? U64(kopf + 0x28) : U32(kopf + 0x20);
  const std::size_t eintragGroesse = U16(kopf + (elf64 ? 0x3A : 0x2E));
  const std::size_t anzahl = U16(kopf + (elf64 ? 0x3C : 0x30));
  const std::size_t namenIndex = U16(kopf + (elf64 ? 0x3E : 0x32));
  const std::size_t mindestens = elf64 ? 64 : 40;
  if (eintragGroesse < mindestens || namenIndex >= anzahl) return {};
  const auto abschnitte = LiesBlock(q, tabelle, std::uint64_t{eintragGroesse} * anzahl);
  if (abschnitte.empty()) return {};

  struct Eintrag {
    std::uint32_t name, typ;
    std::uint64_t position, groesse;
  };
  auto eintrag = [&](std::size_t i) {
    const std::uint8_t *e = &abschnitte[i * eintragGroesse];
    if (elf64) return Eintrag{U32(e), U32(e + 4), U64(e + 24), U64(e + 32)};
    return Eintrag{U32(e), U32(e + 4), U32(e + 16), U32(e + 20)};
  };
  constexpr std::uint32_t ShtNobits = 8;
  const Eintrag namen = eintrag(namenIndex);
  if (namen.typ == ShtNobits) return {};
  constexpr std::string_view gesucht{".rsrc", 6}; // with its terminating zero
  for (std::size_t i = 0; i < anzahl; ++i) {
    const Eintrag e = eintrag(i);
    if (e.typ == ShtNobits || e.name > namen.groesse || namen.groesse - e.name < gesucht.size()) continue;
    char name[gesucht.size()];
    if (!q.Lesen(namen.position + e.name, name, sizeof name) || std::string_view(name, sizeof name) != gesucht)
      continue;
    return VersionsRessourceAusRes(q, e.position, e.groesse);
  }
  return {};
}

std::vector<std::uint8_t> VersionsRessourceSuchen(const Bytequelle &q) {
  std::uint8_t kennung[4];
  if (!q.Lesen(0, kennung, sizeof kennung)) return {};
  if (kennung[0] == 'M' && kennung[1] == 'Z') return VersionsRessourceAusPe(q);
  if (std::memcmp(kennung, "\x7F" "ELF", 4) == 0) return VersionsRessourceAusElf(q);
  return {};
}

// --- The block and the queries on it.

namespace {

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

namespace {

std::vector<std::uint8_t> RessourceDerDatei(const char *dateiname) {
  if (dateiname == nullptr || *dateiname == '\0') return {};
  // Only ordinary files: opening a pipe or a device would wait or read without end.
  std::error_code fehler;
  const std::filesystem::path pfad(reinterpret_cast<const char8_t *>(dateiname));
  if (!std::filesystem::is_regular_file(pfad, fehler)) return {};
  return VersionsRessourceSuchen(Dateiquelle(pfad));
}

} // namespace

DWORD GetFileVersionInfoSizeA(const char *dateiname, DWORD *handle) {
  if (handle) *handle = 0;
  return BlockGroesse(RessourceDerDatei(dateiname));
}

BOOL GetFileVersionInfoA(const char *dateiname, DWORD, DWORD laenge, void *block) {
  return BlockFuellen(RessourceDerDatei(dateiname), block, laenge);
}

std::string EigenerProgrammpfad() {
#if defined(_WIN32)
  std::string pfad(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, pfad.data(), static_cast<DWORD>(pfad.size()));
    if (n == 0) return {};
    if (n < pfad.size()) return pfad.substr(0, n);
    pfad.resize(2 * pfad.size());
  }
#elif defined(__linux__)
  std::string pfad(4096, '\0');
  const ssize_t n = readlink("/proc/self/exe", pfad.data(), pfad.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= pfad.size()) return {};
  pfad.resize(static_cast<std::size_t>(n));
  return pfad;
#else
  return {};
#endif
}

} // namespace kwt::ver
