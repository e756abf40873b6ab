// TKeloVersionResource on real version resources: the program's own (in this test program's ELF file and
// in a Windows DLL), resources in other languages, without a version resource, drivers and fonts, and
// every language and character set the reader knows. The strings are compared with what windres prints.
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
#include "W32_VVI.h"

namespace {

using namespace kwt;

QString Pfad(const char *name) { return QStringLiteral(KWT_TEST_RESSOURCEN "/") + QLatin1String(name); }

const char *const Eigenschaften[] = {"Comment",         "CompanyName",     "FileDescription", "FileVersion",
                                     "InternalName",    "LegalCopyright",  "LegalTradeMarks", "OriginalFileName",
                                     "PrivateBuild",    "ProductName",     "ProductVersion",  "SpecialBuild",
                                     "FileOS",          "FileType",        "FileSubType"};

// All fifteen strings by name; those not given are expected empty.
using Texte = std::map<std::string, QString>;

void StringsPruefen(const TKeloVersionResource &vvi, const Texte &erwartet) {
  for (const char *name : Eigenschaften) {
    const auto stelle = erwartet.find(name);
    EXPECT_EQ(vvi.VersionInfo()->property(name).toString(), stelle == erwartet.end() ? QString() : stelle->second)
        << name;
  }
}

const Texte ProgrammFest = {{"FileVersion", "3.0.0.0"},
                            {"ProductVersion", "3.0.0.0"},
                            {"FileOS", "32 bit Windows"},
                            {"FileType", "Application"}};
const Texte ProgrammDeutsch = {{"CompanyName", "Weidner Wertermittlung GmbH"},
                               {"FileDescription", "Monte-Carlo-Simulation"},
                               {"FileVersion", "3.0.0.0"},
                               {"LegalCopyright", "© 2003–2009 Weidner Wertermittlung GmbH"},
                               {"ProductVersion", "3"},
                               {"FileOS", "32 bit Windows"},
                               {"FileType", "Application"}};

TEST(TVersionInfo, HatDieFuenfzehnStringsInIhrerReihenfolge) {
  TVersionInfo info;
  const QMetaObject *meta = info.metaObject();
  ASSERT_EQ(meta->propertyCount() - meta->propertyOffset(), 15);
  for (int i = 0; i < 15; ++i) {
    const QMetaProperty eigenschaft = meta->property(meta->propertyOffset() + i);
    EXPECT_STREQ(eigenschaft.name(), Eigenschaften[i]);
    EXPECT_EQ(eigenschaft.typeId(), QMetaType::QString);
    EXPECT_TRUE(eigenschaft.isWritable());
    EXPECT_FALSE(eigenschaft.isStored());
    EXPECT_EQ(info.property(Eigenschaften[i]).toString(), QString());
  }
}

TEST(TKeloVersionResource, LiestDasEigeneProgramm) {
  TKeloVersionResource vvi;
  EXPECT_EQ(vvi.FileName(), QCoreApplication::applicationFilePath());
  EXPECT_FALSE(vvi.FileNameGespeichert());
  EXPECT_EQ(vvi.Language(), TLanguage::lnUSEnglish);
  EXPECT_EQ(vvi.CharacterSet(), TCharacterSet::csMultilingual);
  // The program has only a German table: in US English the fixed part alone is there.
  StringsPruefen(vvi, ProgrammFest);

  vvi.setLanguage(TLanguage::lnGerman);
  StringsPruefen(vvi, ProgrammDeutsch);
  // "ProductName" is empty, and the resource's "Comments" is not the reader's "Comment".
  EXPECT_TRUE(vvi.VersionInfo()->ProductName().isEmpty());
}

TEST(TKeloVersionResource, LiestDieselbeRessourceAusEinerWindowsDll) {
  TKeloVersionResource vvi;
  vvi.setLanguage(TLanguage::lnGerman);
  vvi.setFileName(Pfad("ressource_programm.dll"));
  EXPECT_TRUE(vvi.FileNameGespeichert());
  StringsPruefen(vvi, ProgrammDeutsch);
}

TEST(TKeloVersionResource, OhneVersionsressourceBleibenAlleStringsLeer) {
  QTemporaryDir verzeichnis;
  QFile text(verzeichnis.filePath(QStringLiteral("liesmich.exe")));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("Dies ist kein Programm.\n");
  text.close();
  TKeloVersionResource vvi;
  vvi.setLanguage(TLanguage::lnGerman);
  for (const QString &name : {Pfad("ressource_ohne.dll"), Pfad("ressource_programm.res"), text.fileName(),
                              verzeichnis.filePath(QStringLiteral("fehlt.exe")), verzeichnis.path(), QString()}) {
    SCOPED_TRACE(name.toStdString());
    vvi.setFileName(QCoreApplication::applicationFilePath()); // strings filled before
    vvi.setFileName(name);
    StringsPruefen(vvi, {});
  }
}

TEST(TKeloVersionResource, TabelleNurInAndererSpracheGibtNurDenFestenTeil) {
  TKeloVersionResource vvi;
  vvi.setLanguage(TLanguage::lnGerman);
  vvi.setFileName(Pfad("ressource_englisch.dll"));
  const Texte fest = {{"FileVersion", "1.2.3.4"},
                      {"ProductVersion", "5.6.7.8"},
                      {"FileOS", "Windows NT with 32 bit Windows"},
                      {"FileType", "Dynamic-Link Library"}};
  StringsPruefen(vvi, fest);
  // Found in its own language and character set; the table's "ProductVersion" replaces the fixed one,
  // the table's "FileVersion" does not.
  vvi.setLanguage(TLanguage::lnUSEnglish);
  StringsPruefen(vvi, fest);
  vvi.setCharacterSet(TCharacterSet::csUnicode);
  Texte englisch = fest;
  englisch["CompanyName"] = "Example Valuation Ltd";
  englisch["FileDescription"] = "Helper library";
  englisch["ProductName"] = "Example";
  englisch["ProductVersion"] = "5.6";
  StringsPruefen(vvi, englisch);
}

TEST(TKeloVersionResource, TreiberUndSchriftMitUntertyp) {
  TKeloVersionResource vvi;
  vvi.setLanguage(TLanguage::lnGerman);
  vvi.setFileName(Pfad("ressource_treiber.dll"));
  StringsPruefen(vvi, {{"FileDescription", "Netzwerktreiber"},
                       {"FileVersion", "0.1.65535.2"},
                       {"ProductVersion", "65535.65535.65535.65535"},
                       {"FileOS", "Windows 3.0 or later with MS-Dos"},
                       {"FileType", "Device Driver"},
                       {"FileSubType", "Network"}});
  vvi.setFileName(Pfad("ressource_schrift.dll"));
  StringsPruefen(vvi, {{"FileVersion", "2.10.0.7"},
                       {"ProductVersion", "2.10.0.7"},
                       {"FileOS", "Windows NT"},
                       {"FileType", "Font"},
                       {"FileSubType", "TrueType"}});
}

TEST(TKeloVersionResource, SchluesselUndTexte) {
  TKeloVersionResource vvi;
  vvi.setLanguage(TLanguage::lnGerman);
  vvi.setFileName(Pfad("ressource_schluessel.dll"));
  // "Comments" is not "Comment"; "LegalTrademarks", "OriginalFilename" and "productname" differ from the
  // reader's keys only in case and are found. The table is named in small letters.
  StringsPruefen(vvi, {{"CompanyName", "Müller & Söhne – Gutachten \"Süd\""},
                       {"FileDescription", "Pfad C:\\Programme\\KWT"},
                       {"InternalName", "intern"},
                       {"LegalCopyright", "€ 2009"},
                       {"LegalTradeMarks", "Marke"},
                       {"OriginalFileName", "KWT.EXE"},
                       {"PrivateBuild", "privat"},
                       {"ProductName", "Produkt"},
                       {"ProductVersion", "3 (Tabelle)"},
                       {"SpecialBuild", QStringLiteral("Sonder") + QString::fromUcs4(U"\U0001F600", 1)},
                       {"FileVersion", "3.0.0.0"},
                       {"FileOS", "32 bit Windows"},
                       {"FileType", "Application"}});
}

// The languages and character sets in the order of their enumerations, with the identifiers they stand for.
const std::pair<const char *, std::uint16_t> Sprachen[] = {
    {"lnArabic", 0x0401},           {"lnBulgarian", 0x0402},         {"lnCatalan", 0x0403},
    {"lnTraditionalChinese", 0x0404}, {"lnCzech", 0x0405},           {"lnDanish", 0x0406},
    {"lnGerman", 0x0407},           {"lnGreek", 0x0408},             {"lnUSEnglish", 0x0409},
    {"lnCastilianSpanish", 0x040A}, {"lnFinnish", 0x040B},           {"lnFrench", 0x040C},
    {"lnHebrew", 0x040D},           {"lnHungarian", 0x040E},         {"lnIcelandic", 0x040F},
    {"lnItalian", 0x0410},          {"lnJapanese", 0x0411},          {"lnKorean", 0x0412},
    {"lnDutch", 0x0413},            {"lnNorwegianBokmal", 0x0414},   {"lnPolish", 0x0415},
    {"lnBrazilianPortuguese", 0x0416}, {"lnRhaetoRomanic", 0x0417},  {"lnRomanian", 0x0418},
    {"lnRussian", 0x0419},          {"lnCroatoSerbian", 0x041A},     {"lnSlovak", 0x041B},
    {"lnAlbanian", 0x041C},         {"lnSwedish", 0x041D},           {"lnThai", 0x041E},
    {"lnTurkish", 0x041F},          {"lnUrdu", 0x0420},              {"lnBahasa", 0x0421},
    {"lnSimplifiedChinese", 0x0804}, {"lnSwissGerman", 0x0807},      {"lnUKEnglish", 0x0809},
    {"lnMexicanSpanish", 0x080A},   {"lnBelgianFrench", 0x080C},     {"lnSwissItalian", 0x0810},
    {"lnBelgianDutch", 0x0813},     {"lnNorwegianNynorsk", 0x0814},  {"lnPortuguese", 0x0816},
    {"lnSerboCroatian", 0x081A},    {"lnCanadianFrench", 0x0C0C},    {"lnSwissFrench", 0x100C},
};
const std::pair<const char *, std::uint16_t> Zeichensaetze[] = {
    {"csASCII", 0},       {"csJapan", 932},      {"csKorea", 949},    {"csTaiwan", 950},
    {"csUnicode", 1200},  {"csLatin2", 1250},    {"csCyrillic", 1251}, {"csMultilingual", 1252},
    {"csGreek", 1253},    {"csTurkish", 1254},   {"csHebrew", 1255},  {"csArabic", 1256},
};

QString Tabelle(std::uint16_t sprache, std::uint16_t seite) {
  return QStringLiteral("%1%2").arg(sprache, 4, 16, QLatin1Char('0')).arg(seite, 4, 16, QLatin1Char('0')).toUpper();
}

TEST(TKeloVersionResource, AlleSprachenUndZeichensaetze) {
  const QMetaEnum sprachen = QMetaEnum::fromType<TLanguage>();
  const QMetaEnum zeichensaetze = QMetaEnum::fromType<TCharacterSet>();
  ASSERT_EQ(sprachen.keyCount(), 45);
  ASSERT_EQ(zeichensaetze.keyCount(), 12);

  // sprachen.dll has a table for each identifier (with code page 1252), each naming itself.
  TKeloVersionResource vvi;
  vvi.setFileName(Pfad("ressource_sprachen.dll"));
  for (int i = 0; i < 45; ++i) {
    EXPECT_STREQ(sprachen.key(i), Sprachen[i].first);
    EXPECT_EQ(sprachen.value(i), i);
    vvi.setLanguage(static_cast<TLanguage>(i));
    EXPECT_EQ(vvi.VersionInfo()->CompanyName(), Tabelle(Sprachen[i].second, 1252)) << Sprachen[i].first;
  }
  vvi.setLanguage(TLanguage::lnGerman);
  for (int i = 0; i < 12; ++i) {
    EXPECT_STREQ(zeichensaetze.key(i), Zeichensaetze[i].first);
    vvi.setCharacterSet(static_cast<TCharacterSet>(i));
    EXPECT_EQ(vvi.VersionInfo()->CompanyName(), Tabelle(0x0407, Zeichensaetze[i].second)) << Zeichensaetze[i].first;
  }
  vvi.setLanguage(TLanguage::lnSwissFrench);
  vvi.setCharacterSet(TCharacterSet::csUnicode);
  EXPECT_EQ(vvi.VersionInfo()->CompanyName(), "100C04B0");
  vvi.setLanguage(TLanguage::lnSwissGerman);
  EXPECT_EQ(vvi.VersionInfo()->CompanyName(), QString()); // there is no 080704B0
  EXPECT_EQ(vvi.VersionInfo()->FileType(), "Dynamic-Link Library");
}

TEST(TKeloVersionResource, JedesSetzenLiestNeuUndMeldetEsAuchOhneAenderung) {
  QTemporaryDir verzeichnis;
  const QString datei = verzeichnis.filePath(QStringLiteral("wechselnd.dll"));
  ASSERT_TRUE(QFile::copy(Pfad("ressource_englisch.dll"), datei));
  TKeloVersionResource vvi;
  QSignalSpy meldungen(&vvi, &TKeloVersionResource::OnChange);
  vvi.setLanguage(TLanguage::lnGerman);
  vvi.setFileName(datei);
  ASSERT_EQ(meldungen.count(), 2);
  EXPECT_EQ(vvi.VersionInfo()->FileVersion(), "1.2.3.4");
  EXPECT_EQ(meldungen.at(1).at(0).value<TKeloVersionResource *>(), &vvi);

  // The file changes on disk; each setter, even with the value it already has, reads it again.
  const std::vector<std::pair<const char *, std::function<void()>>> setzen = {
      {"Language", [&] { vvi.setLanguage(vvi.Language()); }},
      {"CharacterSet", [&] { vvi.setCharacterSet(vvi.CharacterSet()); }},
      {"FileName", [&] { vvi.setFileName(vvi.FileName()); }},
  };
  bool programm = false;
  for (const auto &[name, aufruf] : setzen) {
    SCOPED_TRACE(name);
    programm = !programm;
    ASSERT_TRUE(QFile::remove(datei));
    ASSERT_TRUE(QFile::copy(Pfad(programm ? "ressource_programm.dll" : "ressource_englisch.dll"), datei));
    const int vorher = meldungen.count();
    aufruf();
    EXPECT_EQ(meldungen.count(), vorher + 1);
    EXPECT_EQ(vvi.VersionInfo()->FileVersion(), programm ? "3.0.0.0" : "1.2.3.4");
    EXPECT_EQ(vvi.VersionInfo()->CompanyName(), programm ? "Weidner Wertermittlung GmbH" : "");
  }
}

TEST(TKeloVersionResource, FileNameWirdNurGespeichertWennErAbweicht) {
  TKeloVersionResource vvi;
  EXPECT_FALSE(vvi.FileNameGespeichert());
  vvi.setFileName(Pfad("ressource_programm.dll"));
  EXPECT_TRUE(vvi.FileNameGespeichert());
  vvi.setFileName(QCoreApplication::applicationFilePath());
  EXPECT_FALSE(vvi.FileNameGespeichert());
}

TEST(TKeloVersionResource, WerteAusserhalbDerAufzaehlungenMeldenEinenFehlerOhneText) {
  TKeloVersionResource vvi;
  vvi.setFileName(Pfad("ressource_programm.dll"));
  for (const auto &falsch : std::vector<std::function<void()>>{
           [&] { vvi.setLanguage(static_cast<TLanguage>(45)); },
           [&] { vvi.setCharacterSet(static_cast<TCharacterSet>(12)); }}) {
    vvi.setLanguage(TLanguage::lnGerman);
    vvi.setCharacterSet(TCharacterSet::csMultilingual);
    try {
      falsch();
      ADD_FAILURE() << "kein Fehler";
    } catch (const GleitkommaFehler &fehler) {
      EXPECT_STREQ(fehler.what(), "");
    }
    EXPECT_EQ(vvi.VersionInfo()->CompanyName(), QString());
  }
}

TEST(TKeloVersionResource, Texttabellen) {
  const std::pair<std::uint32_t, const char *> betriebssysteme[] = {
      {0x00010000, "MS-Dos"},
      {0x00020000, "16 bit OS/2"},
      {0x00030000, "32 bit OS/2"},
      {0x00040000, "Windows NT"},
      {0x00000001, "Windows 3.0 or later"},
      {0x00000002, "16 bit OS/2 Presentation Manager"},
      {0x00000003, "32 bit OS/2 Presentation Manager"},
      {0x00000004, "32 bit Windows"},
      {0x00010001, "Windows 3.0 or later with MS-Dos"},
      {0x00010004, "32 bit Windows with MS-Dos"},
      {0x00020002, "16 bit OS/2 with Presentation Manager"},
      {0x00030003, "32 bit OS/2 with Presentation Manager"},
      {0x00040004, "Windows NT with 32 bit Windows"},
      {0, "Unknown"},
      {0x00050000, "Unknown"},
      {0x00040001, "Unknown"},
      {0xFFFFFFFF, "Unknown"},
  };
  for (const auto &[wert, text] : betriebssysteme) EXPECT_EQ(BetriebssystemText(wert), text) << std::hex << wert;
  const char *const typen[] = {"Unknown", "Application", "Dynamic-Link Library", "Device Driver", "Font",
                               "Virtual Device Driver", "Unknown", "Static-Link Library", "Unknown"};
  for (std::uint32_t i = 0; i < std::size(typen); ++i) EXPECT_EQ(DateitypText(i), typen[i]) << i;
  EXPECT_EQ(DateitypText(0x80000001), "Unknown");
  const char *const treiber[] = {"Unknown", "Printer", "Keyboard", "Language", "Display",        "Mouse",
                                 "Network", "System",  "Installable", "Sound", "Communications", "Unknown"};
  for (std::uint32_t i = 0; i < std::size(treiber); ++i) EXPECT_EQ(TreiberUntertypText(i), treiber[i]) << i;
  const char *const schriften[] = {"Unknown", "Raster", "Vector", "TrueType", "Unknown"};
  for (std::uint32_t i = 0; i < std::size(schriften); ++i) EXPECT_EQ(SchriftUntertypText(i), schriften[i]) << i;
  EXPECT_EQ(TreiberUntertypText(0xFFFFFFFF), "Unknown");
}

// --- The reader against windres, a resource tool the program did not write.

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
