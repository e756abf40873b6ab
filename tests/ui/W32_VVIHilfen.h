// What the tests of the about box's version reader share: the test resources built at build time, the
// fifteen strings and their check, the program's own strings, and the languages and character sets in
// the order of their enumerations.
#pragma once

#include <gtest/gtest.h>

#include <QString>

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "W32_VVI.h"

namespace kwt::test {

inline QString Pfad(const char *name) { return QStringLiteral(KWT_TEST_RESSOURCEN "/") + QLatin1String(name); }

inline const char *const Eigenschaften[] = {"Comment",         "CompanyName",     "FileDescription", "FileVersion",
                                     "InternalName",    "LegalCopyright",  "LegalTradeMarks", "OriginalFileName",
                                     "PrivateBuild",    "ProductName",     "ProductVersion",  "SpecialBuild",
                                     "FileOS",          "FileType",        "FileSubType"};

// All fifteen strings by name; those not given are expected empty.
using Texte = std::map<std::string, QString>;

inline void StringsPruefen(const TKeloVersionResource &vvi, const Texte &erwartet) {
  for (const char *name : Eigenschaften) {
    const auto stelle = erwartet.find(name);
    EXPECT_EQ(vvi.VersionInfo()->property(name).toString(), stelle == erwartet.end() ? QString() : stelle->second)
        << name;
  }
}

inline const Texte ProgrammFest = {{"FileVersion", "3.0.0.0"},
                            {"ProductVersion", "3.0.0.0"},
                            {"FileOS", "32 bit Windows"},
                            {"FileType", "Application"}};
inline const Texte ProgrammDeutsch = {{"CompanyName", "Weidner Wertermittlung GmbH"},
                               {"FileDescription", "Monte-Carlo-Simulation"},
                               {"FileVersion", "3.0.0.0"},
                               {"LegalCopyright", "© 2003–2009 Weidner Wertermittlung GmbH"},
                               {"ProductVersion", "3"},
                               {"FileOS", "32 bit Windows"},
                               {"FileType", "Application"}};

// The languages and character sets in the order of their enumerations, with the identifiers they stand for.
inline const std::pair<const char *, std::uint16_t> Sprachen[] = {
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
inline const std::pair<const char *, std::uint16_t> Zeichensaetze[] = {
    {"csASCII", 0},       {"csJapan", 932},      {"csKorea", 949},    {"csTaiwan", 950},
    {"csUnicode", 1200},  {"csLatin2", 1250},    {"csCyrillic", 1251}, {"csMultilingual", 1252},
    {"csGreek", 1253},    {"csTurkish", 1254},   {"csHebrew", 1255},  {"csArabic", 1256},
};

} // namespace kwt::test
