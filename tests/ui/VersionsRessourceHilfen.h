// What the tests of the version resource reader share: the resources windres compiled at build time,
// files read and written whole, a block as GetFileVersionInfoA fills it (every answer checked to lie
// inside it), and little-endian fields of a file set and read by hand.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "VersionsRessource.h"

namespace kwt::ver::test {

using Bytes = std::vector<std::uint8_t>;

inline std::string Pfad(const std::string &name) { return std::string(KWT_TEST_RESSOURCEN) + "/" + name; }

inline Bytes DateiLesen(const std::string &pfad) {
  std::ifstream datei(pfad, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(datei), {});
}

inline void DateiSchreiben(const std::filesystem::path &pfad, const Bytes &daten) {
  std::ofstream datei(pfad, std::ios::binary);
  datei.write(reinterpret_cast<const char *>(daten.data()), static_cast<std::streamsize>(daten.size()));
}

inline Bytes RessourceAus(const Bytes &datei) { return VersionsRessourceSuchen(Speicherquelle(datei)); }

// The program's version resource as windres compiled it into a .res file.
inline const Bytes &ProgrammRessource() {
  static const Bytes ressource = [] {
    const Bytes res = DateiLesen(Pfad("ressource_programm.res"));
    return VersionsRessourceAusRes(Speicherquelle(res), 0, res.size());
  }();
  return ressource;
}

// A block as GetFileVersionInfoA fills it, allocated to the exact size so that AddressSanitizer sees
// every read past it.
class Block {
public:
  explicit Block(std::span<const std::uint8_t> ressource) {
    const DWORD groesse = BlockGroesse(ressource);
    if (groesse == 0) return;
    daten_.resize(groesse);
    gueltig_ = BlockFuellen(ressource, daten_.data(), groesse);
  }
  bool Gueltig() const { return gueltig_; }

  std::optional<std::string> Text(const std::string &pfad) {
    if (!gueltig_) return std::nullopt;
    void *wert = nullptr;
    UINT laenge = 0;
    if (!VerQueryValueA(daten_.data(), pfad.c_str(), &wert, &laenge)) return std::nullopt;
    const char *text = static_cast<const char *>(wert);
    EXPECT_TRUE(ImBlock(wert, laenge)) << pfad;
    EXPECT_GE(laenge, 1u);
    EXPECT_EQ(text[laenge - 1], '\0') << pfad;
    return std::string(text, strnlen(text, laenge));
  }

  // The fixed part, when the root holds all of it.
  std::optional<FesteDateiInfo> Fest() {
    if (!gueltig_) return std::nullopt;
    void *wert = nullptr;
    UINT laenge = 0;
    if (!VerQueryValueA(daten_.data(), "\\", &wert, &laenge) || laenge < sizeof(FesteDateiInfo)) return std::nullopt;
    EXPECT_TRUE(ImBlock(wert, laenge));
    FesteDateiInfo fest;
    std::memcpy(&fest, wert, sizeof fest);
    return fest;
  }

  std::optional<Bytes> Binaer(const std::string &pfad) {
    if (!gueltig_) return std::nullopt;
    void *wert = nullptr;
    UINT laenge = 0;
    if (!VerQueryValueA(daten_.data(), pfad.c_str(), &wert, &laenge)) return std::nullopt;
    EXPECT_TRUE(ImBlock(wert, laenge)) << pfad;
    const auto *p = static_cast<const std::uint8_t *>(wert);
    return Bytes(p, p + laenge);
  }

  // Every query the about box makes, and the translation; checks the texts end inside the block.
  void AllesAbfragen() {
    Fest();
    Binaer("\\VarFileInfo\\Translation");
    for (const char *schluessel : {"Comment", "CompanyName", "FileDescription", "InternalName", "LegalCopyright",
                                   "LegalTradeMarks", "OriginalFileName", "PrivateBuild", "ProductName",
                                   "ProductVersion", "SpecialBuild"})
      Text(std::string("\\StringFileInfo\\040704E4\\") + schluessel);
  }

private:
  // An answer of laenge bytes at wert lies wholly inside the block.
  bool ImBlock(const void *wert, UINT laenge) const {
    const auto *p = static_cast<const std::uint8_t *>(wert);
    return p >= daten_.data() && p <= daten_.data() + daten_.size() &&
           laenge <= static_cast<std::size_t>(daten_.data() + daten_.size() - p);
  }

  Bytes daten_;
  bool gueltig_ = false;
};

inline const std::string Firma = "\\StringFileInfo\\040704E4\\CompanyName";
inline const std::string Beschreibung = "\\StringFileInfo\\040704E4\\FileDescription";
inline const std::string FirmaText = "Weidner Wertermittlung GmbH";
inline const std::string BeschreibungText = "Monte-Carlo-Simulation";

inline void Setze16(Bytes &r, std::size_t pos, std::uint16_t wert) {
  r[pos] = static_cast<std::uint8_t>(wert);
  r[pos + 1] = static_cast<std::uint8_t>(wert >> 8);
}
inline std::uint16_t Lies16(const Bytes &r, std::size_t pos) {
  return static_cast<std::uint16_t>(r[pos] | r[pos + 1] << 8);
}
inline void Setze32(Bytes &r, std::size_t pos, std::uint32_t wert) {
  for (int i = 0; i < 4; ++i) r[pos + i] = static_cast<std::uint8_t>(wert >> (8 * i));
}
inline std::uint32_t Lies32(const Bytes &r, std::size_t pos) {
  return Lies16(r, pos) | static_cast<std::uint32_t>(Lies16(r, pos + 2)) << 16;
}

} // namespace kwt::ver::test
