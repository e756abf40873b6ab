#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "../common/Fehlermeldung.h"
#include "../common/Testordner.h"
#include "Datei.h"
#include "Szenario.h"
#include "Voreinstellungen.h"

using namespace kwt;

namespace {

Szenario Beispiel() {
  Szenario s;
  s.Min = {4.8L, 40.5L, 310000, 60000.25L, 675000};
  s.Max = {5.1L, 60, 370000.99L, 85000, 720000};
  for (Parameter p : AlleParameter) s.Prozent[p] = ZeilenWerte(Zeile::Normal);
  s.Prozent[RO] = {3.5L, 6.25L, 9, 11.75L, 20, 18.5L, 12, 9, 6, 4};
  s.Prozent[BO] = {0, 0, 0, 0, 101.5L, 0, 0, 0, 0, 0}; // over 100: loads, the run decides
  s.Versuche = 123456;
  s.HistogrammKontinuierlich = false;
  return s;
}

TEST(Szenario, HinUndZurueckBitgenau) {
  const Szenario s = Beispiel();
  const std::string text = SzenarioAlsText(s);
  EXPECT_NE(text.find("\"4.8\""), std::string::npos) << text;
  EXPECT_EQ(SzenarioAusText(text), s);
  // Plain JSON numbers are read with round-to-nearest too.
  std::string mitZahlen = text;
  mitZahlen.replace(mitZahlen.find("\"4.8\""), 5, "4.8");
  EXPECT_EQ(SzenarioAusText(mitZahlen).Min[LZ], 4.8L);
}

TEST(Szenario, SpeichernUndLadenUeberEineDatei) {
  const std::filesystem::path ordner = DateiPfad(NeuerTestordner("kwt-szenario"));
  const auto pfad = ordner / "test.kwt";
  SzenarioSpeichern(Utf8Pfad(pfad), Beispiel());
  EXPECT_EQ(SzenarioLaden(Utf8Pfad(pfad)), Beispiel());
  // Replacing leaves no temporary file behind.
  SzenarioSpeichern(Utf8Pfad(pfad), Szenario{});
  EXPECT_EQ(SzenarioLaden(Utf8Pfad(pfad)), Szenario{});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ordner), {}), 1);
  std::filesystem::remove(pfad);
  EXPECT_THROW(SzenarioLaden(Utf8Pfad(pfad)), DateiFehler);
  EXPECT_THROW(SzenarioSpeichern(Utf8Pfad(ordner / "gibt/es/nicht/x.kwt"), Beispiel()), DateiFehler);
  std::filesystem::remove_all(ordner);
}

// What is no regular file of a sane size is refused before it is read, with the reason and the path.
TEST(Szenario, DateienDieKeinSzenarioSeinKoennen) {
  const std::string ordner = NeuerTestordner("kwt-szenario");
  std::ofstream(DateiPfad(ordner + "/gross.kwt")) << std::string(GroessteSzenarioDatei + 1, ' ');
#ifdef _WIN32
  const std::string geraet = "NUL";
#else
  const std::string geraet = ordner + "/rohr.kwt"; // a FIFO: no waiting for a writer
  ASSERT_EQ(::mkfifo(geraet.c_str(), 0600), 0);
#endif
  const std::pair<std::string, std::string> faelle[] = {
      {geraet, "kann nicht gelesen werden: Das ist keine gewöhnliche Datei"},
      {ordner, "kann nicht gelesen werden: Das ist ein Ordner."},
      {ordner + "/gross.kwt", "ist zu groß: mehr als 1.048.576 Bytes."},
      {ordner + "/fehlt.kwt", "kann nicht gelesen werden: Die Datei existiert nicht."},
  };
  for (const auto &[pfad, meldung] : faelle) {
    const std::string gemeldet = test::Fehlermeldung<DateiFehler>([&] { SzenarioLaden(pfad); });
    EXPECT_EQ(gemeldet.rfind("Die Datei '" + pfad + "' ", 0), 0u) << gemeldet;
    EXPECT_NE(gemeldet.find(meldung), std::string::npos) << gemeldet;
  }
  std::filesystem::remove_all(DateiPfad(ordner));
}

// Each bad file gets a message naming its problem.
TEST(Szenario, SchlechteDateien) {
  const std::string gut = SzenarioAlsText(Beispiel());
  auto ersetzt = [&](const std::string &alt, const std::string &neu) {
    std::string t = gut;
    const auto pos = t.find(alt);
    EXPECT_NE(pos, std::string::npos) << alt;
    return t.replace(pos, alt.size(), neu);
  };
  const std::pair<std::string, std::string> faelle[] = {
      {"", "kein gültiges JSON"},
      {"Hallo Welt", "kein gültiges JSON"},
      {gut.substr(0, gut.size() / 2), "unvollständig"},
      {"[1, 2, 3]", "kein KWT-Szenario"},
      {R"({"format": "etwas anderes", "version": 1})", "kein KWT-Szenario"},
      {ersetzt("\"version\": 1", "\"version\": 3"), "Formatversion 3; dieses Programm liest Version 2."},
      // "formen" came with version 2, which has it always.
      {ersetzt("\"versuche\": 123456,", "\"formen\": {}, \"versuche\": 123456,"), "Unbekannter Eintrag 'formen'"},
      {ersetzt("\"version\": 1", "\"version\": 2"), "fehlt der Eintrag 'formen'"},
      {ersetzt("\"version\": 1", "\"version\": \"1\""), "Formatversion"},
      {ersetzt("\"versuche\": 123456", "\"versuche\": \"viele\""), "'versuche'"},
      {ersetzt("\"versuche\": 123456", "\"versuche\": 2147483648"), "'versuche'"},
      {ersetzt("\"versuche\": 123456", "\"versuche\": 12.5"), "'versuche'"},
      {ersetzt("\"histogramm_kontinuierlich\": false", "\"histogramm_kontinuierlich\": 0"), "'histogramm_kontinuierlich'"},
      {ersetzt("\"versuche\": 123456,", ""), "fehlt der Eintrag 'versuche'"},
      {ersetzt("\"versuche\": 123456,", "\"versuche\": 123456, \"farbe\": \"rot\","), "Unbekannter Eintrag 'farbe'"},
      {ersetzt("\"4.8\"", "\"vier\""), "'grenzen.lz.min' im Szenario ist keine Zahl"},
      {ersetzt("\"4.8\"", "true"), "'grenzen.lz.min' im Szenario ist keine Zahl"},
      {ersetzt("\"4.8\"", "\"12345678\""), "'grenzen.lz.min'"},
      {ersetzt("\"4.8\"", "\"4.805\""), "mehr als zwei Nachkommastellen"},
      {ersetzt("\"3.5\"", "\"drei\""), "'prozent.ro[1]' im Szenario ist keine Zahl"},
      {ersetzt("\"3.5\"", "\"1000\""), "'prozent.ro[1]'"},
      {ersetzt("\"3.5\"", "\"-3.5\""),
       "Der Eintrag 'prozent.ro[1]' im Szenario ist negativ (Jahresrohertrag, Klasse 1): ein Anteil unter 0 ist keine "
       "Wahrscheinlichkeit."},
      {ersetzt("\"11.75\"", "-0.01"), "'prozent.ro[4]' im Szenario ist negativ (Jahresrohertrag, Klasse 4)"},
      {ersetzt("\"3.5\",", ""), "genau zehn Prozentwerte"},
      {ersetzt("\"min\": \"675000\",", ""), "fehlt der Eintrag 'grenzen.bo.min'"},
      {R"({"format": "KWT-Szenario", "version": 1, "grenzen": 5, "prozent": {}, "versuche": 1,
          "histogramm_kontinuierlich": true})", "'grenzen' im Szenario muss ein Objekt sein"},
      {ersetzt("\"4.8\"", "1e99999"), "Die Zahl '1e99999' im Szenario liegt außerhalb des darstellbaren Bereichs."},
      {ersetzt("\"max\": \"720000\"", "\"max\": \"1000000000\""), "'grenzen.bo.max' im Szenario liegt außerhalb"},
      {ersetzt("\"max\": \"720000\"", "\"max\": 1000000000"), "'grenzen.bo.max' im Szenario liegt außerhalb"},
      {ersetzt("\"4.8\"", "1e400"), "'grenzen.lz.min' im Szenario liegt außerhalb dessen, was das Feld fassen kann"},
      {ersetzt("\"4.8\"", "\"1e5000\""), "'grenzen.lz.min' im Szenario ('1e5000') liegt außerhalb"},
      {ersetzt("\"version\": 1", "\"version\": 18446744073709551615"), "Formatversion 18446744073709551615;"},
      {ersetzt("\"version\": 1", "\"version\": 9223372036854775808"), "Formatversion 9223372036854775808;"},
      {ersetzt("\"version\": 1", "\"version\": -3"), "Die Formatversion -3 des Szenarios gibt es nicht."},
      {ersetzt("\"versuche\": 123456", "\"versuche\": 99999999999999999999"), "'versuche' im Szenario (100000000000000000000) liegt außerhalb"},
      {ersetzt("\"versuche\": 123456", "\"versuche\": -2147483649"), "(-2147483649) liegt außerhalb"},
      {ersetzt("\"versuche\": 123456,", "\"versuche\": 5, \"versuche\": 6,"),
       "Der Eintrag 'versuche' steht mehr als einmal im Szenario."},
      {ersetzt("\"min\": \"4.8\",", "\"min\": \"4.8\", \"min\": \"4.9\","),
       "Der Eintrag 'grenzen.lz.min' steht mehr als einmal im Szenario."},
      {ersetzt("\"versuche\": 123456,", "\"versuche\": 123456, \"sch\xc3\xb6n\\n\": 1,"), "Unbekannter Eintrag 'schön?'"},
  };
  for (const auto &[text, meldung] : faelle) {
    const std::string gemeldet = test::Fehlermeldung<SzenarioFehler>([&] { SzenarioAusText(text); });
    EXPECT_NE(gemeldet.find(meldung), std::string::npos) << "erwartet: " << meldung << "\ngemeldet: " << gemeldet;
  }
  // A key of 900,000 characters is quoted by its start; the message stays a line.
  EXPECT_EQ(test::Fehlermeldung<SzenarioFehler>([&] {
              SzenarioAusText(ersetzt("\"versuche\": 123456,",
                                      "\"versuche\": 123456, \"" + std::string(900000, 'k') + "\": 1,"));
            }),
            "Unbekannter Eintrag '" + std::string(59, 'k') + "…' im Szenario.");
}

} // namespace
