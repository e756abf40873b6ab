#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

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
  s.Prozent[BO] = {-1.5L, 0, 0, 0, 101.5L, 0, 0, 0, 0, 0};
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
  const auto pfad = std::filesystem::temp_directory_path() / "kwt-szenario-test.kwt";
  SzenarioSpeichern(pfad.string(), Beispiel());
  EXPECT_EQ(SzenarioLaden(pfad.string()), Beispiel());
  // Replacing leaves no temporary file behind.
  SzenarioSpeichern(pfad.string(), Szenario{});
  EXPECT_EQ(SzenarioLaden(pfad.string()), Szenario{});
  for (const auto &e : std::filesystem::directory_iterator(pfad.parent_path())) {
    EXPECT_EQ(e.path().string().find("kwt-szenario-test.kwt.tmp"), std::string::npos);
  }
  std::filesystem::remove(pfad);
  EXPECT_THROW(SzenarioLaden(pfad.string()), SzenarioFehler);
  EXPECT_THROW(SzenarioSpeichern("/gibt/es/nicht/x.kwt", Beispiel()), SzenarioFehler);
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
      {ersetzt("\"version\": 1", "\"version\": 2"), "Formatversion 2"},
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
      {ersetzt("\"3.5\",", ""), "genau zehn Prozentwerte"},
      {ersetzt("\"min\": \"675000\",", ""), "fehlt der Eintrag 'grenzen.bo.min'"},
      {R"({"format": "KWT-Szenario", "version": 1, "grenzen": 5, "prozent": {}, "versuche": 1,
          "histogramm_kontinuierlich": true})", "'grenzen' im Szenario muss ein Objekt sein"},
      {ersetzt("\"4.8\"", "1e99999"), "kein gültiges JSON"},
  };
  for (const auto &[text, meldung] : faelle) {
    try {
      SzenarioAusText(text);
      ADD_FAILURE() << "angenommen: " << meldung;
    } catch (const SzenarioFehler &f) {
      EXPECT_NE(std::string(f.what()).find(meldung), std::string::npos) << f.what();
    }
  }
}

} // namespace
