#include "RessourceFinden.h"

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

#include "Dateifelder.h"

namespace kwt::ver {

using namespace detail;

namespace {

constexpr std::uint16_t VsVersionInfoName = 1;

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

std::vector<std::uint8_t> VersionsRessourceDerDatei(const char *dateiname) {
  if (dateiname == nullptr || *dateiname == '\0') return {};
  // Only ordinary files: opening a pipe or a device would wait or read without end.
  std::error_code fehler;
  const std::filesystem::path pfad(reinterpret_cast<const char8_t *>(dateiname));
  if (!std::filesystem::is_regular_file(pfad, fehler)) return {};
  return VersionsRessourceSuchen(Dateiquelle(pfad));
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
