// The version functions on real resources compiled by windres, and on those resources, DLLs and ELF
// files damaged on purpose: a damaged file gives fewer strings or none, never a read outside its data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <vector>

#if defined(__linux__)
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "VersionsRessource.h"

namespace {

using namespace kwt::ver;
using Bytes = std::vector<std::uint8_t>;

std::string Pfad(const std::string &name) { return std::string(KWT_TEST_RESSOURCEN) + "/" + name; }

Bytes DateiLesen(const std::string &pfad) {
  std::ifstream datei(pfad, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(datei), {});
}

void DateiSchreiben(const std::filesystem::path &pfad, const Bytes &daten) {
  std::ofstream datei(pfad, std::ios::binary);
  datei.write(reinterpret_cast<const char *>(daten.data()), static_cast<std::streamsize>(daten.size()));
}

Bytes RessourceAus(const Bytes &datei) { return VersionsRessourceSuchen(Speicherquelle(datei)); }

// The program's version resource as windres compiled it into a .res file.
const Bytes &ProgrammRessource() {
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
    FesteDateiInfo fest;
    std::memcpy(&fest, wert, sizeof fest);
    return fest;
  }

  std::optional<Bytes> Binaer(const std::string &pfad) {
    if (!gueltig_) return std::nullopt;
    void *wert = nullptr;
    UINT laenge = 0;
    if (!VerQueryValueA(daten_.data(), pfad.c_str(), &wert, &laenge)) return std::nullopt;
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
  Bytes daten_;
  bool gueltig_ = false;
};

const std::string Firma = "\\StringFileInfo\\040704E4\\CompanyName";
const std::string Beschreibung = "\\StringFileInfo\\040704E4\\FileDescription";
const std::string FirmaText = "Weidner Wertermittlung GmbH";
const std::string BeschreibungText = "Monte-Carlo-Simulation";

TEST(Versionsfunktionen, LesenDieRessourceDerDllWieWindowsSieLiefert) {
  const Bytes ressource = RessourceAus(DateiLesen(Pfad("ressource_programm.dll")));
  ASSERT_FALSE(ressource.empty());
  // The same bytes as windres wrote into the .res file: the PE walk and the .res walk agree.
  EXPECT_EQ(ressource, ProgrammRessource());

  Block block(ressource);
  ASSERT_TRUE(block.Gueltig());
  const auto fest = block.Fest();
  ASSERT_TRUE(fest);
  EXPECT_EQ(fest->dwSignature, SignaturFesterTeil);
  EXPECT_EQ(fest->dwFileVersionMS, 0x00030000u);
  EXPECT_EQ(fest->dwFileVersionLS, 0u);
  EXPECT_EQ(fest->dwFileOS, 4u);
  EXPECT_EQ(fest->dwFileType, 1u);
  EXPECT_EQ(block.Binaer("\\VarFileInfo\\Translation"), (Bytes{0x07, 0x04, 0xE4, 0x04}));

  EXPECT_EQ(block.Text(Firma), FirmaText);
  EXPECT_EQ(block.Text(Beschreibung), BeschreibungText);
  EXPECT_EQ(block.Text("\\StringFileInfo\\040704E4\\LegalCopyright"), "© 2003–2009 " + FirmaText);
  EXPECT_EQ(block.Text("\\StringFileInfo\\040704E4\\ProductName"), "");
  // Keys compare without case; doubled and trailing separators do not matter.
  EXPECT_EQ(block.Text("\\stringfileinfo\\040704e4\\FILEDESCRIPTION"), BeschreibungText);
  EXPECT_EQ(block.Text("\\\\StringFileInfo\\040704E4\\\\FileDescription\\"), BeschreibungText);
  EXPECT_EQ(block.Text("\\StringFileInfo\\040704E4\\Comment"), std::nullopt);
  EXPECT_EQ(block.Text("\\StringFileInfo\\040904E4\\FileDescription"), std::nullopt);
  EXPECT_EQ(block.Text("\\StringFileInfo\\040704E4\\FileDescription\\Weiter"), std::nullopt);
  // A text handed out stays valid while later ones are handed out.
  void *erster = nullptr;
  UINT laenge = 0;
  std::vector<char> roh(BlockGroesse(ressource));
  ASSERT_TRUE(BlockFuellen(ressource, roh.data(), static_cast<DWORD>(roh.size())));
  ASSERT_TRUE(VerQueryValueA(roh.data(), Firma.c_str(), &erster, &laenge));
  void *zweiter = nullptr;
  ASSERT_TRUE(VerQueryValueA(roh.data(), Beschreibung.c_str(), &zweiter, &laenge));
  EXPECT_EQ(std::string(static_cast<const char *>(erster)), FirmaText);
  // A buffer smaller than the size asked for is refused.
  EXPECT_FALSE(BlockFuellen(ressource, roh.data(), static_cast<DWORD>(roh.size() - 1)));
}

TEST(Versionsfunktionen, DateienOhneVersionsressource) {
  const auto verzeichnis = std::filesystem::temp_directory_path() / ("kwt_vvi_" + std::to_string(getpid()));
  std::filesystem::create_directories(verzeichnis);
  DateiSchreiben(verzeichnis / "leer.exe", {});
  DateiSchreiben(verzeichnis / "text.exe", Bytes{'K', 'e', 'i', 'n', ' ', 'P', 'r', 'o', 'g', 'r', 'a', 'm', 'm'});
  DateiSchreiben(verzeichnis / "mz.exe", Bytes{'M', 'Z'});
  std::vector<std::string> namen = {Pfad("ressource_ohne.dll"),
                                    Pfad("ressource_programm.res"), // a resource file is no program
                                    (verzeichnis / "leer.exe").string(),
                                    (verzeichnis / "text.exe").string(),
                                    (verzeichnis / "mz.exe").string(),
                                    (verzeichnis / "gibt-es-nicht.exe").string(),
                                    verzeichnis.string(),
                                    ""};
#if defined(__linux__)
  // Opening a pipe would wait for a writer for ever; a device would be read without end.
  const auto rohr = verzeichnis / "rohr";
  ASSERT_EQ(mkfifo(rohr.c_str(), 0600), 0);
  namen.push_back(rohr.string());
  namen.push_back("/dev/zero");
#endif
  for (const std::string &name : namen) {
    DWORD handle = 7;
    EXPECT_EQ(GetFileVersionInfoSizeA(name.c_str(), &handle), 0u) << name;
    EXPECT_EQ(handle, 0u);
    char block[64];
    EXPECT_FALSE(GetFileVersionInfoA(name.c_str(), 0, sizeof block, block)) << name;
  }
  EXPECT_EQ(GetFileVersionInfoSizeA(nullptr, nullptr), 0u);
  std::filesystem::remove_all(verzeichnis);
}

TEST(Versionsfunktionen, DateiUndSpeicherGebenDasselbe) {
  const std::string name = Pfad("ressource_programm.dll");
  DWORD handle = 0;
  const DWORD groesse = GetFileVersionInfoSizeA(name.c_str(), &handle);
  ASSERT_EQ(groesse, BlockGroesse(ProgrammRessource()));
  std::vector<std::uint8_t> aus_datei(groesse), aus_speicher(groesse);
  ASSERT_TRUE(GetFileVersionInfoA(name.c_str(), handle, groesse, aus_datei.data()));
  ASSERT_TRUE(BlockFuellen(ProgrammRessource(), aus_speicher.data(), groesse));
  EXPECT_EQ(aus_datei, aus_speicher);
}

TEST(Versionsfunktionen, EigenesProgrammTraegtDieRessourceImElfAbschnitt) {
  const std::string pfad = EigenerProgrammpfad();
  ASSERT_FALSE(pfad.empty());
  EXPECT_EQ(std::filesystem::path(pfad), std::filesystem::canonical("/proc/self/exe"));
  const Bytes datei = DateiLesen(pfad);
  EXPECT_EQ(VersionsRessourceAusElf(Speicherquelle(datei)), ProgrammRessource());
  EXPECT_GT(GetFileVersionInfoSizeA(pfad.c_str(), nullptr), 0u);
}

// --- Damaged resources: windres's bytes with one field changed.

// Start of the node whose key is schluessel (UTF-16, with its terminating zero).
std::size_t Knoten(const Bytes &r, std::u16string_view schluessel) {
  Bytes muster;
  for (char16_t c : schluessel) muster.insert(muster.end(), {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8)});
  muster.insert(muster.end(), {0, 0});
  const auto stelle = std::search(r.begin(), r.end(), muster.begin(), muster.end());
  EXPECT_NE(stelle, r.end());
  return static_cast<std::size_t>(stelle - r.begin()) - 6;
}
void Setze16(Bytes &r, std::size_t pos, std::uint16_t wert) {
  r[pos] = static_cast<std::uint8_t>(wert);
  r[pos + 1] = static_cast<std::uint8_t>(wert >> 8);
}
std::uint16_t Lies16(const Bytes &r, std::size_t pos) { return static_cast<std::uint16_t>(r[pos] | r[pos + 1] << 8); }
// Start of the value of the node at k.
std::size_t Wert(const Bytes &r, std::size_t k) {
  std::size_t p = k + 6;
  while (Lies16(r, p) != 0) p += 2;
  return (p + 2 + 3) & ~std::size_t{3};
}

struct Erwartung {
  enum Art { Fehlt, Gleich, Beliebig } art;
  std::string text;
};
const Erwartung Fehlt{Erwartung::Fehlt, {}};
const Erwartung Beliebig{Erwartung::Beliebig, {}};
Erwartung Gleich(std::string text) { return {Erwartung::Gleich, std::move(text)}; }

struct Verfaelschung {
  const char *name;
  std::function<void(Bytes &)> aendern;
  bool festerTeil;
  Erwartung firma, beschreibung;
};

TEST(Versionsfunktionen, VerfaelschteRessourcen) {
  const std::u16string_view firma = u"CompanyName";
  const Verfaelschung faelle[] = {
      {"Wurzellänge 0", [](Bytes &r) { Setze16(r, 0, 0); }, false, Fehlt, Fehlt},
      {"Wurzellänge kürzer als der Kopf", [](Bytes &r) { Setze16(r, 0, 5); }, false, Fehlt, Fehlt},
      {"Wurzellänge hinter dem Ende", [](Bytes &r) { Setze16(r, 0, 0xFFFF); }, true, Gleich(FirmaText),
       Gleich(BeschreibungText)},
      {"Wurzel ohne Schlüssel VS_VERSION_INFO", [](Bytes &r) { r[Knoten(r, u"VS_VERSION_INFO") + 6] = 'W'; }, false,
       Fehlt, Fehlt},
      {"Wurzel ohne Ende ihres Schlüssels",
       [](Bytes &r) { std::fill(r.begin() + 6, r.end(), 'A'); }, false, Fehlt, Fehlt},
      {"StringFileInfo mit Länge 0", [](Bytes &r) { Setze16(r, Knoten(r, u"StringFileInfo"), 0); }, true, Fehlt,
       Fehlt},
      {"StringFileInfo reicht hinter den Block", [](Bytes &r) { Setze16(r, Knoten(r, u"StringFileInfo"), 0xFFFF); },
       true, Gleich(FirmaText), Gleich(BeschreibungText)},
      {"Eintrag mit Länge 0 beendet die Tabelle", [=](Bytes &r) { Setze16(r, Knoten(r, firma), 0); }, true, Fehlt,
       Fehlt},
      {"Eintrag länger als seine Tabelle", [=](Bytes &r) { Setze16(r, Knoten(r, firma), 0xFFF0); }, true,
       Gleich(FirmaText), Fehlt},
      {"Wertlänge hinter dem Eintrag", [=](Bytes &r) { Setze16(r, Knoten(r, firma) + 2, 0x7FFF); }, true,
       Gleich(FirmaText), Gleich(BeschreibungText)},
      {"Schlüssel ohne Ende",
       [=](Bytes &r) {
         const std::size_t k = Knoten(r, firma);
         for (std::size_t p = k + 6; p + 2 <= k + Lies16(r, k); p += 2) Setze16(r, p, 'X');
       },
       true, Fehlt, Gleich(BeschreibungText)},
      {"Text ohne Ende",
       [=](Bytes &r) {
         const std::size_t k = Knoten(r, firma);
         for (std::size_t p = Wert(r, k); p + 2 <= k + Lies16(r, k); p += 2) Setze16(r, p, 'A');
       },
       true, Gleich(std::string(FirmaText.size() + 1, 'A')), Gleich(BeschreibungText)},
      {"Null im Text", [=](Bytes &r) { Setze16(r, Wert(r, Knoten(r, firma)) + 2 * 8, 0); }, true, Gleich("Weidner "),
       Gleich(BeschreibungText)},
      {"Ungerade Länge der Tabelle",
       [](Bytes &r) {
         const std::size_t k = Knoten(r, u"040704E4");
         Setze16(r, k, static_cast<std::uint16_t>(Lies16(r, k) - 3));
       },
       true, Gleich(FirmaText), Gleich(BeschreibungText)},
      {"Fester Teil zu kurz", [](Bytes &r) { Setze16(r, 2, 10); }, false, Beliebig, Beliebig},
      {"Text als Binärwert", [=](Bytes &r) { Setze16(r, Knoten(r, firma) + 4, 0); }, true, Beliebig,
       Gleich(BeschreibungText)},
  };
  for (const Verfaelschung &fall : faelle) {
    SCOPED_TRACE(fall.name);
    Bytes ressource = ProgrammRessource();
    fall.aendern(ressource);
    Block block(ressource);
    EXPECT_EQ(block.Fest().has_value(), fall.festerTeil);
    const auto pruefen = [&](const std::string &pfad, const Erwartung &erwartung) {
      const auto text = block.Text(pfad);
      if (erwartung.art == Erwartung::Fehlt) {
        EXPECT_EQ(text, std::nullopt) << pfad;
      } else if (erwartung.art == Erwartung::Gleich) {
        EXPECT_EQ(text, erwartung.text) << pfad;
      }
    };
    pruefen(Firma, fall.firma);
    pruefen(Beschreibung, fall.beschreibung);
    block.AllesAbfragen();
  }
}

TEST(Versionsfunktionen, AbgeschnitteneRessourceGibtAnfaengeDerTexte) {
  const Bytes &ganz = ProgrammRessource();
  for (std::size_t n = 0; n <= ganz.size(); ++n) {
    Block block(std::span<const std::uint8_t>(ganz).first(n));
    EXPECT_EQ(block.Gueltig(), n >= 6) << n;
    for (const auto &[pfad, voll] : {std::pair{Firma, FirmaText}, std::pair{Beschreibung, BeschreibungText}}) {
      const auto text = block.Text(pfad);
      if (text) {
        EXPECT_EQ(voll.substr(0, text->size()), *text) << n;
      }
    }
    block.AllesAbfragen();
  }
  EXPECT_EQ(Block(ganz).Text(Beschreibung), BeschreibungText);
}

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

void Setze32(Bytes &r, std::size_t pos, std::uint32_t wert) {
  for (int i = 0; i < 4; ++i) r[pos + i] = static_cast<std::uint8_t>(wert >> (8 * i));
}
std::uint32_t Lies32(const Bytes &r, std::size_t pos) {
  return Lies16(r, pos) | static_cast<std::uint32_t>(Lies16(r, pos + 2)) << 16;
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

TEST(Versionsfunktionen, ZufaelligVerfaelschteDlls) {
  const Bytes dll = DateiLesen(Pfad("ressource_programm.dll"));
  std::uint32_t zustand = 0x4B5754u;
  auto zufall = [&] {
    zustand ^= zustand << 13, zustand ^= zustand >> 17, zustand ^= zustand << 5;
    return zustand;
  };
  for (int versuch = 0; versuch < 3000; ++versuch) {
    Bytes kopie = dll;
    for (std::uint32_t i = 0, n = 1 + zufall() % 8; i < n; ++i) kopie[zufall() % kopie.size()] = static_cast<std::uint8_t>(zufall());
    Block(RessourceAus(kopie)).AllesAbfragen();
  }
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
