// TKeloVersionResource against windres, a resource tool the program did not write: the strings of every
// test DLL, of a 32-bit DLL made by another linker, and of Windows programs made elsewhere
// (scripts/pe-vergleich.sh) are those windres prints.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Gleitkomma.h"
#include "W32_VVIHilfen.h"

namespace {

using namespace kwt;
using namespace kwt::test;

struct WindresTabelle {
  std::string name;
  std::vector<std::pair<std::string, QString>> werte;
};
struct WindresVersion {
  unsigned datei[4] = {}, produkt[4] = {};
  unsigned long betriebssystem = 0, typ = 0, untertyp = 0;
  std::vector<WindresTabelle> tabellen;
};

// One string literal of windres's output ("..." or L"...", "" for a quotation mark, C escapes); the
// text ends at its first zero, as the reader's does.
std::optional<QString> LiteralLesen(std::string_view &rest) {
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == ',')) rest.remove_prefix(1);
  const bool breit = !rest.empty() && rest.front() == 'L';
  if (breit) rest.remove_prefix(1);
  if (rest.empty() || rest.front() != '"') return std::nullopt;
  rest.remove_prefix(1);
  std::u16string text;
  auto ziffern = [&](int basis, std::size_t hoechstens) {
    unsigned wert = 0;
    std::size_t n = 0;
    while (n < hoechstens && !rest.empty() && std::isxdigit(static_cast<unsigned char>(rest.front())) &&
           (basis == 16 || rest.front() < '8')) {
      wert = wert * basis + static_cast<unsigned>(std::stoi(std::string(1, rest.front()), nullptr, 16));
      rest.remove_prefix(1), ++n;
    }
    return static_cast<char16_t>(wert);
  };
  while (!rest.empty()) {
    const char c = rest.front();
    rest.remove_prefix(1);
    if (c == '"') {
      if (!rest.empty() && rest.front() == '"') {
        text += u'"';
        rest.remove_prefix(1);
        continue;
      }
      break;
    }
    if (c != '\\') {
      text += static_cast<char16_t>(static_cast<unsigned char>(c));
      continue;
    }
    const char e = rest.front();
    if (e == 'x') {
      rest.remove_prefix(1);
      text += ziffern(16, breit ? 4 : 2);
    } else if (e >= '0' && e <= '7') {
      text += ziffern(8, 3);
    } else {
      rest.remove_prefix(1);
      text += e == 'n' ? u'\n' : e == 'r' ? u'\r' : e == 't' ? u'\t' : e == 'a' ? u'\a' : static_cast<char16_t>(e);
    }
  }
  return QString::fromStdU16String(text.substr(0, text.find(u'\0')));
}

// The first VERSIONINFO that windres -i FILE -O rc prints, or nothing.
std::optional<WindresVersion> WindresLesen(const std::string &datei) {
  const std::string befehl = std::string(KWT_WINDRES) + " -i '" + datei + "' -O rc 2>/dev/null";
  FILE *rohr = popen(befehl.c_str(), "r");
  if (!rohr) return std::nullopt;
  std::string ausgabe;
  char puffer[4096];
  while (const std::size_t n = fread(puffer, 1, sizeof puffer, rohr)) ausgabe.append(puffer, n);
  pclose(rohr);

  std::optional<WindresVersion> version;
  bool drin = false, stringFileInfo = false;
  WindresTabelle *tabelle = nullptr;
  std::size_t anfang = 0;
  while (anfang < ausgabe.size()) {
    std::size_t ende = ausgabe.find('\n', anfang);
    if (ende == std::string::npos) ende = ausgabe.size();
    const std::string zeile = ausgabe.substr(anfang, ende - anfang);
    anfang = ende + 1;
    std::string_view z(zeile);
    while (!z.empty() && z.front() == ' ') z.remove_prefix(1);
    if (!version && zeile.find(" VERSIONINFO") != std::string::npos) {
      version.emplace();
      drin = true;
      continue;
    }
    if (!drin) continue;
    if (zeile == "END") break;
    auto zahlen = [&](const char *wort, unsigned *ziel) {
      std::sscanf(zeile.c_str() + zeile.find(wort) + std::strlen(wort), " %u, %u, %u, %u", ziel, ziel + 1, ziel + 2,
                  ziel + 3);
    };
    if (z.starts_with("FILEVERSION ")) zahlen("FILEVERSION", version->datei);
    else if (z.starts_with("PRODUCTVERSION ")) zahlen("PRODUCTVERSION", version->produkt);
    else if (z.starts_with("FILEOS ")) version->betriebssystem = std::strtoul(z.data() + 7, nullptr, 0);
    else if (z.starts_with("FILETYPE ")) version->typ = std::strtoul(z.data() + 9, nullptr, 0);
    else if (z.starts_with("FILESUBTYPE ")) version->untertyp = std::strtoul(z.data() + 12, nullptr, 0);
    else if (z.starts_with("BLOCK ")) {
      z.remove_prefix(6);
      const QString name = LiteralLesen(z).value_or(QString());
      if (name.compare(QLatin1String("StringFileInfo"), Qt::CaseInsensitive) == 0) stringFileInfo = true;
      else if (name.compare(QLatin1String("VarFileInfo"), Qt::CaseInsensitive) == 0) stringFileInfo = false, tabelle = nullptr;
      else if (stringFileInfo) tabelle = &version->tabellen.emplace_back(WindresTabelle{name.toStdString(), {}});
    } else if (z.starts_with("VALUE ") && tabelle) {
      z.remove_prefix(6);
      const auto schluessel = LiteralLesen(z);
      QString wert;
      while (const auto teil = LiteralLesen(z)) wert += *teil;
      if (schluessel) tabelle->werte.emplace_back(schluessel->toStdString(), wert);
    }
  }
  return version;
}

QString Versionstext(const unsigned v[4]) { return QStringLiteral("%1.%2.%3.%4").arg(v[0]).arg(v[1]).arg(v[2]).arg(v[3]); }

// Compares the reader with windres: without a version resource every string is empty; with one, the
// strings for the default language and character set (often the fixed part alone) and those of every
// string table the reader can ask for agree. Returns the number of string tables compared.
int MitWindresVergleichen(const QString &datei) {
  SCOPED_TRACE(datei.toStdString());
  const auto windres = WindresLesen(datei.toStdString());
  TKeloVersionResource vvi;
  vvi.setFileName(datei);
  if (!windres) {
    StringsPruefen(vvi, {});
    return 0;
  }
  auto tabelleNamens = [&](const std::string &name) -> const WindresTabelle * {
    for (const WindresTabelle &tabelle : windres->tabellen) // the first of that name, as the reader finds it
      if (QString::fromStdString(tabelle.name).compare(QString::fromStdString(name), Qt::CaseInsensitive) == 0)
        return &tabelle;
    return nullptr;
  };
  auto pruefen = [&](const WindresTabelle *tabelle) {
    Texte erwartet = {{"FileVersion", Versionstext(windres->datei)},
                      {"ProductVersion", Versionstext(windres->produkt)},
                      {"FileOS", BetriebssystemText(windres->betriebssystem)},
                      {"FileType", DateitypText(windres->typ)}};
    if (windres->typ == 3) erwartet["FileSubType"] = TreiberUntertypText(windres->untertyp);
    if (windres->typ == 4) erwartet["FileSubType"] = SchriftUntertypText(windres->untertyp);
    for (const char *schluessel : Eigenschaften) {
      if (!tabelle || std::string_view(schluessel) == "FileVersion") continue; // from the fixed part only
      for (const auto &[name, wert] : tabelle->werte)
        if (QString::fromStdString(name).compare(QLatin1String(schluessel), Qt::CaseInsensitive) == 0) {
          erwartet[schluessel] = wert;
          break;
        }
    }
    StringsPruefen(vvi, erwartet);
  };
  pruefen(tabelleNamens("040904E4"));

  int verglichen = 0;
  for (const WindresTabelle &tabelle : windres->tabellen) {
    const bool ok = tabelle.name.size() == 8 && tabelleNamens(tabelle.name) == &tabelle;
    const unsigned long kennung = ok ? std::strtoul(tabelle.name.c_str(), nullptr, 16) : 0;
    int sprache = -1, seite = -1;
    for (int i = 0; i < 45; ++i)
      if (Sprachen[i].second == kennung >> 16) sprache = i;
    for (int i = 0; i < 12; ++i)
      if (Zeichensaetze[i].second == (kennung & 0xFFFF)) seite = i;
    if (!ok || sprache < 0 || seite < 0) continue;
    SCOPED_TRACE(tabelle.name);
    vvi.setLanguage(static_cast<TLanguage>(sprache));
    vvi.setCharacterSet(static_cast<TCharacterSet>(seite));
    pruefen(&tabelle);
    ++verglichen;
  }
  return verglichen;
}

TEST(TKeloVersionResource, LiestWasWindresInDenDllsFindet) {
  int tabellen = 0;
  for (const char *name : {"ressource_programm.dll", "ressource_englisch.dll", "ressource_treiber.dll",
                           "ressource_schluessel.dll", "ressource_sprachen.dll", "ressource_schrift.dll",
                           "ressource_ohne.dll"})
    tabellen += MitWindresVergleichen(Pfad(name));
  EXPECT_EQ(tabellen, 1 + 1 + 1 + 1 + 57);
}

// A 32-bit program (PE32), linked by LLVM's lld-link from the resource file: another linker, another layout.
TEST(TKeloVersionResource, LiestEine32BitDll) {
#if defined(KWT_PE32_DLL)
  EXPECT_EQ(MitWindresVergleichen(Pfad("ressource_programm32.dll")), 1);
  TKeloVersionResource vvi;
  vvi.setLanguage(TLanguage::lnGerman);
  vvi.setFileName(Pfad("ressource_programm32.dll"));
  StringsPruefen(vvi, ProgrammDeutsch);
#else
  GTEST_SKIP() << "lld-link fehlt";
#endif
}

// Windows programs made elsewhere, for example those of Debian's libwine package (scripts/pe-vergleich.sh):
// KWT_PE_VERZEICHNIS names a folder whose files are all compared.
TEST(TKeloVersionResource, LiestWasWindresInFremdenProgrammenFindet) {
  const QString verzeichnis = qEnvironmentVariable("KWT_PE_VERZEICHNIS");
  if (verzeichnis.isEmpty()) GTEST_SKIP() << "KWT_PE_VERZEICHNIS ist nicht gesetzt";
  int dateien = 0, tabellen = 0;
  for (const auto &eintrag : std::filesystem::recursive_directory_iterator(verzeichnis.toStdString())) {
    if (!eintrag.is_regular_file()) continue;
    tabellen += MitWindresVergleichen(QString::fromStdString(eintrag.path().string()));
    ++dateien;
  }
  std::printf("%d Dateien, %d Tabellen verglichen\n", dateien, tabellen);
  EXPECT_GT(tabellen, 0);
}

} // namespace
