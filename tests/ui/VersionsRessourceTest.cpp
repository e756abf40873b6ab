// The version functions on real resources compiled by windres: what they read from the program's DLL,
// its own ELF file and files without a resource, and the version block on resources damaged on
// purpose: a damaged resource gives fewer strings or none, never a read outside its data. Damaged
// program files: RessourceFindenTest.cpp.
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

} // namespace
