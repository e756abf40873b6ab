// TKeloVersionResource on real version resources: the program's own (in this test program's ELF file and
// in a Windows DLL), resources in other languages, without a version resource, drivers and fonts, and
// every language and character set the reader knows. Against what windres prints: W32_VVIWindresTest.cpp.
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

} // namespace
