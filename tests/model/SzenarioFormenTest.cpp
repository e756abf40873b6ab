// Scenario files with shapes: kept beside the bounds and percentages they made, written as version 2
// only when there is one, checked against what they give when read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>

#include "../common/Fehlermeldung.h"
#include "Szenario.h"
#include "Voreinstellungen.h"

using namespace kwt;

namespace {

Extended Dezimal(const char *text) { return TextZuExtended(text); }

// Bounds and percentages as the window's "Form…" leaves them: RO from PERT, LZ from a market
// report's mean and standard deviation; the others typed.
Szenario MitFormen() {
  Szenario s;
  s.Min = {4.8L, 40, 310000, 60000, 675000};
  s.Max = {5.1L, 60, 370000, 85000, 720000};
  for (Parameter p : AlleParameter) s.Prozent[p] = ZeilenWerte(Zeile::Normal);
  const std::pair<Parameter, FormAngabe> formen[] = {
      {RO, {FormArt::Pert, {300000, 340000, 380000}}},
      {LZ, {FormArt::Normal, {Dezimal("4.9"), Dezimal("0.15")}}},
  };
  for (const auto &[p, form] : formen) {
    const FormErgebnis e = FormBerechnen(form);
    s.Min[p] = e.Min;
    s.Max[p] = e.Max;
    s.Prozent[p] = e.Prozent;
    s.Formen[p] = form;
  }
  return s;
}

std::string OhneLeerraum(std::string text) {
  text.erase(std::remove_if(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c); }), text.end());
  return text;
}

std::string Ersetzt(std::string text, const std::string &alt, const std::string &neu) {
  const auto pos = text.find(alt);
  EXPECT_NE(pos, std::string::npos) << alt;
  return pos == std::string::npos ? text : text.replace(pos, alt.size(), neu);
}

TEST(SzenarioFormen, HinUndZurueck) {
  const Szenario s = MitFormen();
  const std::string text = SzenarioAlsText(s);
  const std::string kompakt = OhneLeerraum(text);
  EXPECT_NE(kompakt.find(R"("version":2,)"), std::string::npos) << text;
  EXPECT_NE(kompakt.find(R"("formen":{"lz":{"form":"normal","zahlen":["4.9","0.15"]},)"
                         R"("ro":{"form":"pert","zahlen":["300000","340000","380000"]}},"versuche")"),
            std::string::npos)
      << text;
  std::vector<std::string> hinweise;
  EXPECT_EQ(SzenarioAusText(text, &hinweise), s);
  EXPECT_TRUE(hinweise.empty());
  // Plain JSON numbers for the shape's numbers are read with round-to-nearest too.
  EXPECT_EQ(SzenarioAusText(Ersetzt(text, "\"0.15\"", "0.15")), s);

  // Without a shape the file is what version 1 was: programs before the shapes open it.
  Szenario ohne = s;
  ohne.Formen = {};
  const std::string alt = OhneLeerraum(SzenarioAlsText(ohne));
  EXPECT_NE(alt.find(R"("version":1,)"), std::string::npos);
  EXPECT_EQ(alt.find("formen"), std::string::npos);
  EXPECT_EQ(SzenarioAusText(SzenarioAlsText(ohne)), ohne);
}

// A file an earlier program wrote loads as it always did: no shapes, nothing else changed.
TEST(SzenarioFormen, AlteDateiUnveraendert) {
  const std::string alt = R"({
  "format": "KWT-Szenario",
  "version": 1,
  "grenzen": {
    "lz": {"min": "4.8", "max": "5.1"}, "rnd": {"min": "40", "max": "60"},
    "ro": {"min": "310000", "max": "370000"}, "bwk": {"min": "60000", "max": "85000"},
    "bo": {"min": "675000", "max": "720000"}
  },
  "prozent": {
    "lz": ["1", "5", "9", "10", "25", "25", "10", "9", "5", "1"],
    "rnd": ["0", "1", "1", "2", "3", "5", "8", "10", "30", "40"],
    "ro": ["3.5", "6.25", "9", "11.75", "20", "18.5", "12", "9", "6", "4"],
    "bwk": ["10", "10", "10", "10", "10", "10", "10", "10", "10", "10"],
    "bo": ["0", "0", "0", "0", "100", "0", "0", "0", "0", "0"]
  },
  "versuche": 5000,
  "histogramm_kontinuierlich": false
}
)";
  Szenario erwartet;
  erwartet.Min = {4.8L, 40, 310000, 60000, 675000};
  erwartet.Max = {5.1L, 60, 370000, 85000, 720000};
  erwartet.Prozent = {ZeilenWerte(Zeile::Normal), ZeilenWerte(Zeile::Steigend),
                      Klassenwerte{3.5L, 6.25L, 9, 11.75L, 20, 18.5L, 12, 9, 6, 4}, ZeilenWerte(Zeile::Gleich),
                      ZeilenWerte(Zeile::Einpunkt)};
  erwartet.Versuche = 5000;
  erwartet.HistogrammKontinuierlich = false;
  std::vector<std::string> hinweise;
  EXPECT_EQ(SzenarioAusText(alt, &hinweise), erwartet);
  EXPECT_TRUE(hinweise.empty());
}

// The bounds and percentages are the record: a shape that does not give them exactly (the file was
// edited by hand) goes with a note naming it and the parameter; everything else, LZ's shape too,
// loads as stored.
TEST(SzenarioFormen, FormDieNichtPasstWirdVerworfen) {
  const Szenario s = MitFormen();
  struct Fall {
    const char *was;
    std::function<void(Szenario &)> aendern;
    const char *form;
  };
  const Fall faelle[] = {
      {"Prozente vertauscht", [](Szenario &t) { std::swap(t.Prozent[RO][0], t.Prozent[RO][1]); }, "pert"},
      {"Grenze geändert", [](Szenario &t) { t.Max[RO] = 390000; }, "pert"},
      {"Zahl der Form geändert", [](Szenario &t) { t.Formen[RO]->Zahlen[1] = 350000; }, "pert"},
      {"MODAL über MAX", [](Szenario &t) { t.Formen[RO]->Zahlen[1] = 390000; }, "pert"},
      {"andere Form", [](Szenario &t) { t.Formen[RO]->Art = FormArt::Dreieck; }, "dreieck"},
  };
  for (const Fall &f : faelle) {
    Szenario gespeichert = s;
    f.aendern(gespeichert);
    std::vector<std::string> hinweise;
    const Szenario geladen = SzenarioAusText(SzenarioAlsText(gespeichert), &hinweise);
    Szenario erwartet = gespeichert;
    erwartet.Formen[RO].reset();
    EXPECT_EQ(geladen, erwartet) << f.was;
    EXPECT_EQ(hinweise, std::vector<std::string>{"Die Form '" + std::string(f.form) +
                                                 "' im Eintrag 'formen.ro' ergibt nicht die gespeicherten Grenzen und "
                                                 "Prozente von Jahresrohertrag; sie wurde verworfen. Grenzen und "
                                                 "Prozente gelten, wie sie gespeichert sind."})
        << f.was;
  }
}

// A shape entry that is no shape is a broken file, refused like any other.
TEST(SzenarioFormen, SchlechteFormen) {
  const std::string gut = SzenarioAlsText(MitFormen());
  const std::pair<std::string, std::string> faelle[] = {
      {Ersetzt(gut, "\"lz\": {\n      \"form\"", "\"xy\": {\n      \"form\""), "Unbekannter Eintrag 'formen.xy'"},
      {Ersetzt(gut, "\"pert\"", "\"glocke\""),
       "Der Eintrag 'formen.ro.form' im Szenario nennt keine Form (dreieck, pert, normal, spanne oder gleich "
       "erwartet)."},
      {Ersetzt(gut, "\"pert\"", "5"), "'formen.ro.form' im Szenario nennt keine Form"},
      {Ersetzt(gut, "\"340000\",", ""),
       "Der Eintrag 'formen.ro.zahlen' im Szenario muss die Zahlen MIN, MODAL, MAX der Form pert enthalten."},
      {Ersetzt(gut, "\"0.15\"", "\"0.15\", \"4\""), "MITTEL, SIGMA oder MITTEL, SIGMA, MIN, MAX der Form normal"},
      {Ersetzt(gut, "\"340000\"", "\"viel\""), "Der Eintrag 'formen.ro.zahlen[2]' im Szenario ist keine Zahl."},
      {Ersetzt(gut, "\"340000\"", "\"1e5000\""),
       "'formen.ro.zahlen[2]' im Szenario ('1e5000') liegt außerhalb des darstellbaren Bereichs."},
      {Ersetzt(gut, "\"form\": \"pert\",", "\"form\": \"pert\", \"farbe\": 1,"), "Unbekannter Eintrag 'formen.ro.farbe'"},
      {Ersetzt(gut, "\"form\": \"pert\",", ""), "fehlt der Eintrag 'formen.ro.form'"},
      {gut.substr(0, gut.find("\"formen\"")) + "\"formen\": 7,\n  " + gut.substr(gut.find("\"versuche\"")),
       "Der Eintrag 'formen' im Szenario muss ein Objekt sein."},
  };
  for (const auto &[text, meldung] : faelle) {
    const std::string gemeldet = test::Fehlermeldung<SzenarioFehler>([&] { SzenarioAusText(text); });
    EXPECT_NE(gemeldet.find(meldung), std::string::npos) << "erwartet: " << meldung << "\ngemeldet: " << gemeldet;
  }
}

} // namespace
