// Fuzzes the reading of version resources. Each input is taken as a program file (PE or ELF), as a
// compiled resource file and as a version resource itself; on whatever is found every query of the
// about box runs, in the string tables the resource's translation names as well as the German one.
// AddressSanitizer reports every read outside the data; the checks below every answer that points
// outside its block.
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "VersionsRessource.h"

namespace {

using namespace kwt::ver;

void Pruefen(bool bedingung, const char *was) {
  if (!bedingung) {
    std::fprintf(stderr, "Fehler: %s\n", was);
    __builtin_trap();
  }
}

void Abfragen(std::span<const std::uint8_t> ressource) {
  const DWORD groesse = BlockGroesse(ressource);
  if (groesse == 0) return;
  std::vector<std::uint8_t> block(groesse);
  Pruefen(BlockFuellen(ressource, block.data(), groesse), "BlockFuellen lehnt die eigene Größe ab");
  const auto *anfang = block.data(), *ende = block.data() + block.size();

  auto abfrage = [&](const std::string &pfad, bool text) -> std::span<const std::uint8_t> {
    void *wert = nullptr;
    UINT laenge = 0;
    if (!VerQueryValueA(block.data(), pfad.c_str(), &wert, &laenge)) return {};
    const auto *p = static_cast<const std::uint8_t *>(wert);
    Pruefen(p >= anfang && p <= ende && laenge <= static_cast<std::size_t>(ende - p), "Antwort außerhalb des Blocks");
    if (text) Pruefen(laenge >= 1 && p[laenge - 1] == 0, "Text ohne Ende");
    return {p, laenge};
  };

  abfrage("\\", false);
  std::vector<std::string> tabellen = {"040704E4"};
  const auto uebersetzung = abfrage("\\VarFileInfo\\Translation", false);
  for (std::size_t i = 0; i + 4 <= uebersetzung.size() && tabellen.size() < 4; i += 4) {
    char name[9];
    std::snprintf(name, sizeof name, "%02X%02X%02X%02X", uebersetzung[i + 1], uebersetzung[i],
                  uebersetzung[i + 3], uebersetzung[i + 2]);
    tabellen.emplace_back(name);
  }
  for (const std::string &tabelle : tabellen)
    for (const char *schluessel : {"Comment", "CompanyName", "FileDescription", "InternalName", "LegalCopyright",
                                   "LegalTradeMarks", "OriginalFileName", "PrivateBuild", "ProductName",
                                   "ProductVersion", "SpecialBuild"})
      abfrage("\\StringFileInfo\\" + tabelle + "\\" + schluessel, true);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *daten, std::size_t groesse) {
  const std::span<const std::uint8_t> eingabe(daten, groesse);
  const Speicherquelle datei(eingabe);
  Abfragen(VersionsRessourceSuchen(datei));
  Abfragen(VersionsRessourceAusRes(datei, 0, groesse));
  Abfragen(eingabe);
  return 0;
}
