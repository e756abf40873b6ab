// Finding the version resource in program files damaged on purpose: DLLs cut short, with fields
// changed or random bytes, and ELF files built here byte by byte. What is found is a piece of the
// file or nothing, never a read outside its data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#if defined(__linux__)
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "VersionsRessourceHilfen.h"

namespace {

using namespace kwt::ver;
using namespace kwt::ver::test;

// --- Damaged program files.

TEST(Versionsfunktionen, AbgeschnitteneDllsWerdenNieHinterIhremEndeGelesen) {
  const Bytes dll = DateiLesen(Pfad("ressource_programm.dll"));
  std::size_t gefunden = 0;
  for (std::size_t n = 0; n <= dll.size(); ++n) {
    const Bytes teil(dll.begin(), dll.begin() + static_cast<std::ptrdiff_t>(n));
    const Bytes ressource = RessourceAus(teil);
    if (ressource.empty()) continue;
    ++gefunden;
    EXPECT_LE(ressource.size(), ProgrammRessource().size());
    EXPECT_TRUE(std::equal(ressource.begin(), ressource.end(), ProgrammRessource().begin())) << n;
    Block(ressource).AllesAbfragen();
  }
  // Found from the length where the resource starts to be present up to the whole file.
  EXPECT_GT(gefunden, 0u);
  EXPECT_EQ(RessourceAus(dll), ProgrammRessource());
}

// File position of the resource section of a DLL that ld linked (its section table names ".rsrc").
std::size_t RessourcenAbschnitt(const Bytes &dll) {
  const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
  const auto stelle = std::search(dll.begin(), dll.end(), name, name + 8);
  EXPECT_NE(stelle, dll.end());
  const std::size_t kopf = static_cast<std::size_t>(stelle - dll.begin());
  return dll[kopf + 20] | dll[kopf + 21] << 8 | dll[kopf + 22] << 16 | static_cast<std::size_t>(dll[kopf + 23]) << 24;
}


TEST(Versionsfunktionen, VerfaelschteDlls) {
  const Bytes dll = DateiLesen(Pfad("ressource_programm.dll"));
  const std::size_t pe = Lies32(dll, 0x3C);
  const std::size_t wurzel = RessourcenAbschnitt(dll);
  // Type directory -> its entry (type 16) -> name directory -> its entry -> language directory -> data entry.
  const std::size_t typEintrag = wurzel + 16;
  const std::size_t namen = wurzel + (Lies32(dll, typEintrag + 4) & 0x7FFFFFFF);
  const std::size_t sprachen = wurzel + (Lies32(dll, namen + 20) & 0x7FFFFFFF);
  const std::size_t daten = wurzel + Lies32(dll, sprachen + 20);
  ASSERT_EQ(Lies32(dll, typEintrag), 16u);

  const struct {
    const char *name;
    std::function<void(Bytes &)> aendern;
    bool gefunden;
  } faelle[] = {
      {"unverändert", [](Bytes &) {}, true},
      {"Typverzeichnis zeigt auf sich selbst", [&](Bytes &d) { Setze32(d, typEintrag + 4, 0x80000000); }, false},
      {"Namensverzeichnis zeigt auf die Wurzel", [&](Bytes &d) { Setze32(d, namen + 20, 0x80000000); }, false},
      {"Sprachverzeichnis zeigt auf die Wurzel", [&](Bytes &d) { Setze32(d, sprachen + 20, 0x80000000); }, false},
      {"Verzeichnis hinter dem Abschnitt", [&](Bytes &d) { Setze32(d, typEintrag + 4, 0xFFFFFFF0); }, false},
      {"Datenadresse außerhalb jedes Abschnitts", [&](Bytes &d) { Setze32(d, daten, 0xFFFFFF00); }, false},
      {"Datengröße riesig", [&](Bytes &d) { Setze32(d, daten + 4, 0xFFFFFFFF); }, true},
      {"Eintragszahl riesig", [&](Bytes &d) { Setze16(d, wurzel + 14, 0xFFFF); }, true},
      {"Abschnittszahl riesig", [&](Bytes &d) { Setze16(d, pe + 6, 0xFFFF); }, false},
      {"PE-Kopf hinter dem Dateiende", [&](Bytes &d) { Setze32(d, 0x3C, 0xFFFFFFF0); }, false},
      {"Ohne PE-Kennung", [&](Bytes &d) { d[pe] = 'X'; }, false},
      {"Unbekannter optionaler Kopf", [&](Bytes &d) { Setze16(d, pe + 24, 0x107); }, false},
      {"Optionaler Kopf zu kurz", [&](Bytes &d) { Setze16(d, pe + 20, 100); }, false},
      {"Ressourcenverzeichnis fehlt", [&](Bytes &d) { Setze32(d, pe + 24 + 112 + 16, 0); }, false},
  };
  for (const auto &fall : faelle) {
    SCOPED_TRACE(fall.name);
    Bytes kopie = dll;
    fall.aendern(kopie);
    const Bytes ressource = RessourceAus(kopie);
    EXPECT_EQ(!ressource.empty(), fall.gefunden);
    if (fall.gefunden) {
      // A data size beyond the resource brings the rest of the section along; the root's length ends it.
      ASSERT_GE(ressource.size(), ProgrammRessource().size());
      EXPECT_TRUE(std::equal(ProgrammRessource().begin(), ProgrammRessource().end(), ressource.begin()));
      EXPECT_EQ(Block(ressource).Text(Beschreibung), BeschreibungText);
    }
  }
}

// DLLs with one to eight random bytes changed: what is found is a piece of the damaged file, never
// longer than a resource can be; every answer lies inside its block (Block checks that); the file
// reader and the memory reader find the same; and damage outside the resource changes nothing.
TEST(Versionsfunktionen, ZufaelligVerfaelschteDlls) {
  const Bytes dll = DateiLesen(Pfad("ressource_programm.dll"));
  const Bytes original = RessourceAus(dll);
  ASSERT_FALSE(original.empty());
  const auto verzeichnis = std::filesystem::temp_directory_path() / ("kwt_zufall_" + std::to_string(getpid()));
  std::filesystem::create_directories(verzeichnis);
  std::uint32_t zustand = 0x4B5754u;
  auto zufall = [&] {
    zustand ^= zustand << 13, zustand ^= zustand >> 17, zustand ^= zustand << 5;
    return zustand;
  };
  int unversehrt = 0, leer = 0;
  for (int versuch = 0; versuch < 3000; ++versuch) {
    SCOPED_TRACE(versuch);
    Bytes kopie = dll;
    for (std::uint32_t i = 0, n = 1 + zufall() % 8; i < n; ++i) kopie[zufall() % kopie.size()] = static_cast<std::uint8_t>(zufall());
    const Bytes ressource = RessourceAus(kopie);
    ASSERT_LE(ressource.size(), 0xFFFFu);
    if (ressource.empty()) {
      ++leer;
    } else {
      ASSERT_NE(std::search(kopie.begin(), kopie.end(), ressource.begin(), ressource.end()), kopie.end());
    }
    Block block(ressource);
    block.AllesAbfragen();
    if (ressource == original) {
      ++unversehrt;
      EXPECT_EQ(block.Text(Firma), FirmaText);
    }
    if (versuch % 100 == 0) {
      const auto datei = verzeichnis / "kopie.dll";
      DateiSchreiben(datei, kopie);
      const DWORD groesse = GetFileVersionInfoSizeA(datei.string().c_str(), nullptr);
      ASSERT_EQ(groesse, BlockGroesse(ressource));
      if (groesse == 0) continue;
      std::vector<std::uint8_t> ausDatei(groesse), ausSpeicher(groesse);
      ASSERT_TRUE(GetFileVersionInfoA(datei.string().c_str(), 0, groesse, ausDatei.data()));
      ASSERT_TRUE(BlockFuellen(ressource, ausSpeicher.data(), groesse));
      EXPECT_EQ(ausDatei, ausSpeicher);
    }
  }
  std::filesystem::remove_all(verzeichnis);
  // Damage elsewhere in the DLL leaves the resource whole (some 40 % of the copies); damage to its
  // headers loses it.
  EXPECT_GT(unversehrt, 1000);
  EXPECT_GT(leer, 0);
}

// --- ELF files with a section ".rsrc", built here byte by byte.

struct ElfDatei {
  Bytes daten;
  std::size_t abschnitte = 0; // position of the section table
  std::size_t eintrag = 0;    // size of one section header
};

ElfDatei ElfMit(const Bytes &res, bool elf64) {
  ElfDatei elf;
  Bytes &d = elf.daten;
  const std::size_t kopf = elf64 ? 64 : 52;
  elf.eintrag = elf64 ? 64 : 40;
  d.assign(kopf, 0);
  const char kennung[] = {0x7F, 'E', 'L', 'F', static_cast<char>(elf64 ? 2 : 1), 1, 1};
  std::memcpy(d.data(), kennung, sizeof kennung);
  const std::string namen("\0.shstrtab\0.rsrc\0", 17);
  const std::size_t namenPos = d.size();
  d.insert(d.end(), namen.begin(), namen.end());
  while (d.size() % 4) d.push_back(0);
  const std::size_t resPos = d.size();
  d.insert(d.end(), res.begin(), res.end());
  while (d.size() % 8) d.push_back(0);
  elf.abschnitte = d.size();
  d.resize(d.size() + 3 * elf.eintrag, 0);
  auto abschnitt = [&](std::size_t i, std::uint32_t name, std::uint32_t typ, std::size_t pos, std::size_t groesse) {
    const std::size_t e = elf.abschnitte + i * elf.eintrag;
    Setze32(d, e, name);
    Setze32(d, e + 4, typ);
    Setze32(d, e + (elf64 ? 24 : 16), static_cast<std::uint32_t>(pos));
    Setze32(d, e + (elf64 ? 32 : 20), static_cast<std::uint32_t>(groesse));
  };
  abschnitt(1, 1, 3, namenPos, namen.size());
  abschnitt(2, 11, 1, resPos, res.size());
  Setze32(d, elf64 ? 0x28 : 0x20, static_cast<std::uint32_t>(elf.abschnitte));
  Setze16(d, elf64 ? 0x3A : 0x2E, static_cast<std::uint16_t>(elf.eintrag));
  Setze16(d, elf64 ? 0x3C : 0x30, 3);
  Setze16(d, elf64 ? 0x3E : 0x32, 1);
  return elf;
}

TEST(Versionsfunktionen, VerfaelschteElfDateien) {
  const Bytes res = DateiLesen(Pfad("ressource_programm.res"));
  for (const bool elf64 : {true, false}) {
    const ElfDatei vorlage = ElfMit(res, elf64);
    const std::size_t rsrc = vorlage.abschnitte + 2 * vorlage.eintrag;
    const std::size_t groesse = rsrc + (elf64 ? 32 : 20);
    const std::size_t position = rsrc + (elf64 ? 24 : 16);
    const std::size_t resPos = Lies32(vorlage.daten, position);
    const struct {
      const char *name;
      std::function<void(Bytes &)> aendern;
      bool gefunden;
    } faelle[] = {
        {"unverändert", [](Bytes &) {}, true},
        {"Abschnitt länger als die Datei", [&](Bytes &d) { Setze32(d, groesse, 0xFFFFFFF0); }, true},
        {"Abschnitt hinter dem Dateiende", [&](Bytes &d) { Setze32(d, position, 0xFFFFFF00); }, false},
        {"Abschnitt ohne Inhalt (NOBITS)", [&](Bytes &d) { Setze32(d, rsrc + 4, 8); }, false},
        {"Name hinter der Namenstabelle", [&](Bytes &d) { Setze32(d, rsrc, 0x10000); }, false},
        {"Namenstabelle fehlt", [&](Bytes &d) { Setze16(d, elf64 ? 0x3E : 0x32, 7); }, false},
        {"Abschnittstabelle hinter dem Ende", [&](Bytes &d) { Setze32(d, elf64 ? 0x28 : 0x20, 0xFFFFFFF0); }, false},
        {"Abschnittskopf zu klein", [&](Bytes &d) { Setze16(d, elf64 ? 0x3A : 0x2E, 8); }, false},
        {"big-endian", [](Bytes &d) { d[5] = 2; }, false},
        {"Ressourcenkopf der Länge 0", [&](Bytes &d) { Setze32(d, resPos + 4, 0); }, false},
        {"Ressourcenkopf hinter dem Abschnitt", [&](Bytes &d) { Setze32(d, resPos + 4, 0x7FFFFFF0); }, false},
        {"Ressourcendaten hinter dem Abschnitt", [&](Bytes &d) { Setze32(d, resPos + 32, 0x7FFFFFF0); }, false},
    };
    for (const auto &fall : faelle) {
      SCOPED_TRACE(std::string(fall.name) + (elf64 ? " (ELF64)" : " (ELF32)"));
      Bytes kopie = vorlage.daten;
      fall.aendern(kopie);
      const Bytes ressource = RessourceAus(kopie);
      EXPECT_EQ(!ressource.empty(), fall.gefunden);
      if (fall.gefunden) {
      EXPECT_EQ(ressource, ProgrammRessource());
    }
    }
  }
}

} // namespace
