#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cfenv>
#include <sstream>

#include "../common/Testordner.h"
#include "ExaktAusgabe.h"
#include "ExakteAuswertung.h"
#include "KwtMc.h"
#include "KwtMcAufruf.h"
#include "Simulationslauf.h"
#include "Standardmodell.h"
#include "Szenario.h"
#include "W32_CLC.h"

#include <filesystem>
#include <fstream>
#include <set>

using namespace kwt;
using kwt::test::Aufrufen;
using kwt::test::Ausgabe;
using kwt::test::Lesen;
using nlohmann::json;

namespace {

// A run driven directly through the engine, with a display that only keeps the curve.
struct Engine : StilleAnzeige {
  RHKurve kurve;
  std::string text;
  void KurveZeichnen(const RHKurve &k) override { kurve = k; }
  void Zwischenablage(const std::string &t) override { text = t; }
};

TEST(KwtMc, JsonGleichDemLaufDerEngine) {
  const Ausgabe a = Aufrufen({"--seed", "0", "--json"});
  ASSERT_EQ(a.status, 0) << a.fehler;
  const json j = Lesen(a.aus);

  Bewertungsmodell modell = test::Standardmodell();
  modell.Zufall.Zufallszustand = 0;
  Simulationslauf lauf(modell);
  Engine engine;
  const Laufergebnis &ergebnis = lauf.Berechnen(StandardMin, StandardMax, 10000, engine);

  for (const KennzahlEintrag &e : Kennzahlen) {
    EXPECT_EQ(j["labels"][e.Name], ergebnis.Anzeige(e.Art)) << e.Name;
  }
  EXPECT_EQ(j["versuche"], 10000);
  EXPECT_EQ(j["akt_versuch"], 10000);
  EXPECT_EQ(j["zeilen"], ergebnis.Liste.Zeilen().size());
  EXPECT_EQ(j["histogramm"]["klassen"], 40);
  EXPECT_EQ(j["histogramm"]["haeufigkeit"],
            std::vector<std::int32_t>(ergebnis.Histo.Haeufigkeit.begin(), ergebnis.Histo.Haeufigkeit.begin() + 40));
  EXPECT_EQ(j["histogramm"]["texte"][0], "3.928");
  ASSERT_EQ(j["kurve"].size(), engine.kurve.Kurve.size());
  for (std::size_t i = 0; i < engine.kurve.Kurve.size(); ++i) {
    EXPECT_EQ(j["kurve"][i][0].get<double>(), engine.kurve.Kurve[i].X);
    EXPECT_EQ(j["kurve"][i][1].get<double>(), engine.kurve.Kurve[i].Y);
  }
  // The list on stdout is the engine's clipboard text.
  const Ausgabe liste = Aufrufen({"--seed", "0", "--liste", "-"});
  EXPECT_EQ(liste.aus, engine.text);
}

TEST(KwtMc, TextausgabeMitDenBeschriftungenDesFensters) {
  const Ausgabe a = Aufrufen({"--seed", "5", "--versuche", "500"});
  ASSERT_EQ(a.status, 0);
  for (const KennzahlEintrag &e : Kennzahlen) EXPECT_NE(a.aus.find(e.Beschriftung), std::string::npos) << e.Name;
  EXPECT_NE(a.aus.find("Histogramm der Verkehrswerte"), std::string::npos);
  EXPECT_NE(a.aus.find("Relative Häufigkeitsverteilung"), std::string::npos);
  EXPECT_NE(a.aus.find("500 von 500"), std::string::npos);
}

TEST(KwtMc, OptionenWirkenWieImFenster) {
  // One-point preset, then BO's own row: every value is the formula at the class-5 midpoints except BO.
  const Ausgabe a = Aufrufen({"--seed", "1", "--versuche", "20", "--json", "--verteilung", "einpunkt", "--rnd", "0:0",
                              "--bo", "995.8:1005.8", "--lz", "5:5", "--ro", "0:0", "--bwk", "0:0"});
  ASSERT_EQ(a.status, 0) << a.fehler;
  const json j = Lesen(a.aus);
  EXPECT_EQ(j["labels"]["LMWSTP"], "1.001");
  EXPECT_EQ(j["labels"]["LMedianSTP"], "1.000");
  EXPECT_EQ(j["zeilen"], 1);
  const Ausgabe b = Aufrufen({"--seed", "1", "--versuche", "20", "--json", "--prozent", "bo=0,0,0,0,0,0,0,0,0,100",
                              "--rnd", "0:0", "--bo", "995.8:1005.8", "--prozent", "lz=0,0,0,0,100,0,0,0,0,0"});
  ASSERT_EQ(b.status, 0) << b.fehler;
  EXPECT_EQ(Lesen(b.aus)["labels"]["LMedianSTP"], "1.005");
}

TEST(KwtMc, FehlerDesLaufs) {
  // Bounds that pass every check but whose powers overflow: the run stops at its start.
  const Ausgabe a = Aufrufen({"--seed", "1", "--json", "--rnd", "9999999:9999999"});
  EXPECT_EQ(a.status, 1);
  const json j = Lesen(a.aus);
  EXPECT_EQ(j["fehler"], "Gleitkommaüberlauf");
  EXPECT_EQ(j["labels"]["LMinVKW"], "0");
  EXPECT_EQ(j["akt_versuch"], 0);
  EXPECT_NE(a.fehler.find("Gleitkommaüberlauf"), std::string::npos);
  // LZ's percentages add up to 90: the figures of the start are shown, trials done until the first
  // one that draws no LZ class, the mean not computed.
  const Ausgabe b = Aufrufen({"--seed", "1", "--json", "--prozent", "lz=1,5,9,10,15,25,10,9,5,1"});
  EXPECT_EQ(b.status, 1);
  const json k = Lesen(b.aus);
  EXPECT_EQ(k["fehler"], "Ungültige Gleitkommaoperation");
  EXPECT_EQ(k["labels"]["LMinVKW"], "3.900.804");
  EXPECT_GT(k["akt_versuch"], 0);
  EXPECT_EQ(k["labels"]["LMWSTP"], "0");
}

// Whatever else fails (here the output stream, set to throw) ends the command with status 1 and a
// German message, never with an uncaught exception or the library's English text.
TEST(KwtMc, JederFehlerEndetMitMeldung) {
  struct Voll : std::streambuf {
    int overflow(int) override { return traits_type::eof(); }
  } voll;
  std::ostream aus(&voll);
  aus.exceptions(std::ios::badbit | std::ios::failbit);
  std::ostringstream fehler;
  const char *argv[] = {"kwt-mc", "--seed", "1", "--versuche", "10"};
  EXPECT_EQ(cli::KwtMc(5, argv, aus, fehler), 1);
  EXPECT_EQ(fehler.str(), "kwt-mc: " + std::string(MeldungUnerwartet) + "\n");
}

TEST(KwtMc, ExaktAlsJson) {
  const Ausgabe a = Aufrufen({"--seed", "0", "--json", "--exakt"});
  ASSERT_EQ(a.status, 0) << a.fehler;
  const json j = Lesen(a.aus);
  const json &x = j["exakt"];

  const Bewertungsmodell modell = test::VorbereitetesStandardmodell();
  const ExakteVerteilung e = ExakteVerteilungBerechnen(modell.Verteilungen);
  const StichprobenVergleich nurExakt = ExakteZeilen(e);

  EXPECT_EQ(x["kombinationen"], 100000);
  EXPECT_EQ(x["werte"], e.Werte.size());
  EXPECT_EQ(x["anteil_berechenbar"], 1.0);
  EXPECT_EQ(x["stichprobe_umfang"], 10000);
  for (std::size_t i = 0; i < ExakteKennzahlen.size(); ++i) {
    const json &k = x["kennzahlen"][ExakteKennzahlen[i].Name];
    EXPECT_EQ(k["beschriftung"], ExakteKennzahlen[i].Beschriftung);
    EXPECT_EQ(k["exakt_text"], nurExakt.Zeilen[i].ExaktText);
    // The number is the double the program converts the figure to.
    EXPECT_EQ(k["exakt"].get<double>(), static_cast<double>(nurExakt.Zeilen[i].Exakt)) << ExakteKennzahlen[i].Name;
    EXPECT_TRUE(k.contains("stichprobe_text"));
  }
  // The sample's mean is the run's own.
  EXPECT_EQ(x["kennzahlen"]["mittelwert"]["stichprobe_text"], j["labels"]["LMWSTP"]);
  EXPECT_GT(x["ks_abstand"].get<double>(), 0);
  EXPECT_TRUE(x["nicht_berechenbar"].empty());
  const std::vector<std::string> reihenfolge{"ro", "bwk", "rnd", "lz", "bo"};
  ASSERT_EQ(x["empfindlichkeit"].size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    const json &t = x["empfindlichkeit"][i];
    EXPECT_EQ(t["parameter"], reihenfolge[i]);
    EXPECT_EQ(t["klasse_tief"], 1);
    EXPECT_EQ(t["klasse_hoch"], 10);
    EXPECT_EQ(t["spanne"].get<double>(), static_cast<double>(e.Tornado[i].Spanne));
  }
  EXPECT_EQ(x["empfindlichkeit"][0]["name"], "Jahresrohertrag");
  // Without the option the object is missing.
  EXPECT_FALSE(Lesen(Aufrufen({"--seed", "0", "--json", "--versuche", "10"}).aus).contains("exakt"));
}

TEST(KwtMc, ExaktMitNichtBerechenbarenKombinationen) {
  // LZ's percentages add up to 90: a tenth of the trials would divide 0 by 0. The run stops at the
  // first of them; the exact block reports the tenth and compares the trials done before.
  const Ausgabe a = Aufrufen({"--seed", "0", "--json", "--exakt", "--prozent", "lz=1,5,9,10,15,25,10,9,5,1"});
  EXPECT_EQ(a.status, 1);
  const json j = Lesen(a.aus);
  EXPECT_EQ(j["fehler"], "Ungültige Gleitkommaoperation");
  const json &x = j["exakt"];
  ASSERT_EQ(x["nicht_berechenbar"].size(), 1u);
  EXPECT_EQ(x["nicht_berechenbar"][0]["meldung"], "Ungültige Gleitkommaoperation");
  EXPECT_EQ(x["nicht_berechenbar"][0]["wahrscheinlichkeit_text"], "10,0000 %");
  EXPECT_EQ(x["nicht_berechenbar"][0]["kombinationen"], 10000);
  EXPECT_NEAR(x["anteil_berechenbar"].get<double>(), 0.9, 1e-9);
  EXPECT_EQ(x["stichprobe_umfang"], j["akt_versuch"]);
  // Bounds the class tables cannot be prepared from (kwt-mc refuses them as arguments): the
  // message, no figures.
  const Bewertungsmodell modell = test::Standardmodell();
  const Laufergebnis ohneLauf;
  Parameterwerte min = StandardMin, max = StandardMax;
  min[LZ] = -1e4932L;
  max[LZ] = 1e4932L;
  EXPECT_EQ(cli::ExaktJson(cli::ExaktBerechnen(modell, min, max, ohneLauf)),
            (nlohmann::ordered_json{{"fehler", "Gleitkommaüberlauf"}}));
}

TEST(KwtMc, ExaktAlsText) {
  const Ausgabe a = Aufrufen({"--seed", "5", "--versuche", "500", "--exakt", "--prozent", "lz=1,5,9,10,15,25,10,9,5,1",
                              "--lz", "4.8:5.1"});
  const std::string texte[] = {"Exakte Verteilung des Verkehrswerts (", "Stichprobe", "Differenz (%)",
                               "Kolmogorow-Smirnow-Abstand:", "Nicht berechenbare Kombinationen",
                               "Ungültige Gleitkommaoperation", "Empfindlichkeit:", "Jahresrohertrag",
                               "Klasse 10: 367.000,00"};
  for (const std::string &t : texte) EXPECT_NE(a.aus.find(t), std::string::npos) << t;
  for (const ExakteKennzahlEintrag &k : ExakteKennzahlen) EXPECT_NE(a.aus.find(k.Beschriftung), std::string::npos);
  const Ausgabe ohne = Aufrufen({"--seed", "5", "--versuche", "500"});
  EXPECT_EQ(ohne.aus.find("Exakte Verteilung"), std::string::npos);
  // The run's own block stays as it was.
  EXPECT_EQ(Aufrufen({"--seed", "5", "--versuche", "500", "--exakt"}).aus.substr(0, ohne.aus.size()), ohne.aus);
}

// The fast run on any number of threads and the trial-by-trial run print the same, to the byte; --zeit
// adds the time and nothing else.
TEST(KwtMc, SchnellUndVersuchsweiseGleich) {
  for (const std::vector<std::string> &szenario :
       {std::vector<std::string>{"--seed", "4", "--versuche", "250000"},
        std::vector<std::string>{"--seed", "8", "--versuche", "30000", "--prozent", "lz=1,5,9,10,25,25,10,9,5,0.99"}}) {
    auto mit = [&](std::vector<std::string> mehr) {
      mehr.insert(mehr.begin(), szenario.begin(), szenario.end());
      return Aufrufen(mehr);
    };
    const Ausgabe referenz = mit({"--versuchsweise", "--json"});
    for (const char *threads : {"1", "3"}) {
      const Ausgabe schnell = mit({"--threads", threads, "--json"});
      EXPECT_EQ(schnell.status, referenz.status);
      EXPECT_EQ(schnell.aus, referenz.aus) << threads;
    }
    EXPECT_EQ(mit({"--liste", "-"}).aus, mit({"--liste", "-", "--versuchsweise"}).aus);
  }
  const Ausgabe zeit = Aufrufen({"--seed", "4", "--versuche", "5000", "--json", "--zeit", "--threads", "2"});
  ASSERT_EQ(zeit.status, 0);
  const json z = Lesen(zeit.aus)["zeit"];
  EXPECT_EQ(z["threads"], 2);
  EXPECT_EQ(z["verfahren"], "schnell");
  EXPECT_GT(z["sekunden"].get<double>(), 0);
  EXPECT_NEAR(z["versuche_je_sekunde"].get<double>() * z["sekunden"].get<double>(), 5000, 1);
  json ohne = Lesen(zeit.aus);
  ohne.erase("zeit");
  EXPECT_EQ(ohne, Lesen(Aufrufen({"--seed", "4", "--versuche", "5000", "--json"}).aus));
  // As text: one line after the report; beside the list on stdout it goes to stderr.
  const Ausgabe text = Aufrufen({"--seed", "4", "--versuche", "5000", "--zeit", "--versuchsweise"});
  EXPECT_NE(text.aus.find("Versuche je Sekunde (Versuch für Versuch)"), std::string::npos) << text.aus;
  const Ausgabe liste = Aufrufen({"--seed", "4", "--versuche", "5000", "--zeit", "--liste", "-", "--threads", "1"});
  EXPECT_EQ(liste.aus.find("Rechenzeit"), std::string::npos);
  EXPECT_NE(liste.fehler.find("Versuche je Sekunde (1 Thread)"), std::string::npos) << liste.fehler;
}

TEST(KwtMc, FalscheArgumente) {
  const std::pair<std::vector<std::string>, std::string> faelle[] = {
      {{"--versuche", "abc"}, "--versuche"},
      {{"--versuche", "2147483648"}, "--versuche"},
      {{"--seed", "-1"}, "--seed"},
      {{"--lz", "4,8:5,1"}, "--lz"},
      {{"--lz", "4.8"}, "--lz"},
      {{"--rnd", "40:sechzig"}, "--rnd"},
      {{"--verteilung", "glocke"}, "--verteilung"},
      {{"--prozent", "xy=1,2,3,4,5,6,7,8,9,55"}, "--prozent"},
      {{"--prozent", "lz=1,2,3"}, "--prozent"},
      {{"--prozent", "lz"}, "--prozent"},
      {{"--gibtsnicht"}, "--gibtsnicht"},
      {{"--versuche"}, "--versuche"},
      {{"--threads", "0"}, "--threads"},
      {{"--threads", "viele"}, "--threads"},
      {{"--versuche", "0"}, "--versuche"},
      {{"--versuche", "-5"}, "--versuche"},
      {{"--versuche", "5", "6"}, "--versuche"},
      {{"--lz", "-0:5"}, "--lz"},
      {{"--lz", "4:-100"}, "--lz"},
      {{"--lz", "1e400:5"}, "--lz"},
      {{"--bo", "675000:1000000000"}, "--bo"},
      {{"--prozent", "ro=0,0,10,20,40,20,10,0,0,101"}, "--prozent"},
      {{"--prozent", "ro=0,0,10,20,40,20,10,0,0,-1"}, "--prozent"},
  };
  for (const auto &[argumente, genannt] : faelle) {
    const Ausgabe a = Aufrufen(argumente);
    EXPECT_EQ(a.status, 2) << genannt;
    EXPECT_NE(a.fehler.find(genannt), std::string::npos) << a.fehler;
    EXPECT_TRUE(a.aus.empty());
  }
  const Ausgabe hilfe = Aufrufen({"--hilfe"});
  EXPECT_EQ(hilfe.status, 0);
  EXPECT_NE(hilfe.aus.find("--versuche"), std::string::npos);
}

// --version prints the version of project(VERSION) and nothing else, whatever else is given; a
// standard output that cannot be written is a failure, not a silent 0.
TEST(KwtMc, Version) {
  const std::string zeile = std::string("kwt-mc (KWT Monte-Carlo-Simulation) ") + KWT_VERSION + "\n";
  for (const std::vector<std::string> &argumente :
       {std::vector<std::string>{"--version"}, {"--versuche", "5", "--json", "--version"}}) {
    const Ausgabe a = Aufrufen(argumente);
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.aus, zeile);
    EXPECT_EQ(a.fehler, "");
  }
  EXPECT_EQ(std::string(KWT_VERSION).find_first_not_of("0123456789."), std::string::npos);
  EXPECT_EQ(std::count(zeile.begin(), zeile.end(), '.'), 3) << "vier Stellen wie im Info-Fenster: " << zeile;
  EXPECT_NE(Aufrufen({"--hilfe"}).aus.find("--version"), std::string::npos);

  std::ostringstream aus, fehler;
  aus.setstate(std::ios::badbit);
  const char *argv[] = {"kwt-mc", "--version"};
  EXPECT_EQ(cli::KwtMc(2, argv, aus, fehler), 1);
  EXPECT_NE(fehler.str().find("Die Standardausgabe kann nicht geschrieben werden"), std::string::npos) << fehler.str();
}

} // namespace

namespace {

TEST(KwtMc, SzenarioUndSpaetereOptionen) {
  Szenario s;
  s.Min = {4.5L, 35.5L, 300000, 50000, 600000};
  s.Max = {5.5L, 45.5L, 380000, 90000, 700000};
  for (Parameter p : AlleParameter) s.Prozent[p] = ZeilenWerte(Zeile::Gleich);
  s.Prozent[RO] = {3.5L, 6.25L, 9, 11.75L, 20, 18.5L, 12, 9, 6, 4};
  s.Versuche = 777;
  const auto pfad = (std::filesystem::temp_directory_path() / "kwt-mc-test.kwt").string();
  SzenarioSpeichern(pfad, s);

  std::vector<std::string> flags = {"--seed", "9", "--json"};
  auto mit = [&](std::vector<std::string> mehr) {
    mehr.insert(mehr.end(), flags.begin(), flags.end());
    return Aufrufen(mehr);
  };
  const Ausgabe direkt = mit({"--versuche", "777", "--lz", "4.5:5.5", "--rnd", "35.5:45.5", "--ro", "300000:380000",
                              "--bwk", "50000:90000", "--bo", "600000:700000", "--verteilung", "gleich", "--prozent",
                              "ro=3.5,6.25,9,11.75,20,18.5,12,9,6,4"});
  const Ausgabe szenario = mit({"--szenario", pfad});
  ASSERT_EQ(szenario.status, 0) << szenario.fehler;
  EXPECT_EQ(szenario.aus, direkt.aus);
  EXPECT_EQ(Lesen(szenario.aus)["versuche"], 777);
  // After the scenario an option overrides it; before it, the scenario wins.
  EXPECT_EQ(Lesen(mit({"--szenario", pfad, "--versuche", "50"}).aus)["versuche"], 50);
  EXPECT_EQ(Lesen(mit({"--versuche", "50", "--szenario", pfad}).aus)["versuche"], 777);

  // A bad scenario is a bad argument, with the loader's message.
  std::ofstream(pfad) << "{\"format\": \"KWT-Szenario\", \"version\": 9}";
  const Ausgabe schlecht = Aufrufen({"--szenario", pfad});
  EXPECT_EQ(schlecht.status, 2);
  EXPECT_NE(schlecht.fehler.find("Formatversion 9"), std::string::npos) << schlecht.fehler;
  std::filesystem::remove(pfad);
}

// Scenario, CSV and list with umlauts and spaces in folder and file names: on Windows they must be
// opened by their wide (UTF-16) names, or the files get other names or are not found.
TEST(KwtMc, DateinamenMitUmlautenUndLeerzeichen) {
  const std::string ordner = NeuerTestordner("Gutachten Müller");
  const std::string szenario = ordner + "/Straße 5.kwt", csv = ordner + "/Wérte ä.csv", liste = ordner + "/Liste ö.txt";
  Szenario s;
  s.Min = StandardMin;
  s.Max = StandardMax;
  for (Parameter p : AlleParameter) s.Prozent[p] = ZeilenWerte(Zeile::Normal);
  s.Versuche = 50;
  SzenarioSpeichern(szenario, s);
  const Ausgabe a = Aufrufen({"--seed", "2", "--szenario", szenario, "--csv", csv, "--liste", liste});
  ASSERT_EQ(a.status, 0) << a.fehler;
  const auto inhalt = [](const std::string &pfad) {
    std::ifstream datei(DateiPfad(pfad), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(datei), {});
  };
  EXPECT_EQ(inhalt(csv).substr(0, 20), "Versuch,Wert,Zeile\r\n");
  EXPECT_EQ(inhalt(liste), Aufrufen({"--seed", "2", "--szenario", szenario, "--liste", "-"}).aus);
  // The names as the system shows them.
  std::set<std::string> namen;
  for (const auto &e : std::filesystem::directory_iterator(DateiPfad(ordner))) {
    const std::u8string name = e.path().filename().u8string();
    namen.emplace(name.begin(), name.end());
  }
  EXPECT_EQ(namen, (std::set<std::string>{"Straße 5.kwt", "Wérte ä.csv", "Liste ö.txt"}));
  std::filesystem::remove_all(DateiPfad(ordner));
  EXPECT_FALSE(std::filesystem::exists(DateiPfad(szenario)));
}

// The CSV file in both separators, read back as a spreadsheet would: the values give the run's mean,
// the lines its distinct sorted list; without --csv-trenner commas as before.
TEST(KwtMc, CsvDateiInBeidenTrennern) {
  const auto pfad = (std::filesystem::temp_directory_path() / "kwt-mc-test.csv").string();
  const struct {
    std::vector<std::string> option;
    char trenner;
  } faelle[] = {{{}, ','}, {{"--csv-trenner", ","}, ','}, {{"--csv-trenner", ";"}, ';'}};
  for (const auto &f : faelle) {
    std::vector<std::string> argumente{"--seed", "3", "--versuche", "25", "--json", "--csv", pfad};
    argumente.insert(argumente.end(), f.option.begin(), f.option.end());
    const Ausgabe a = Aufrufen(argumente);
    ASSERT_EQ(a.status, 0) << a.fehler;
    const json j = Lesen(a.aus);
    std::ifstream datei(pfad, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(datei)), std::istreambuf_iterator<char>());
    const std::string t(1, f.trenner);
    ASSERT_EQ(text.rfind("Versuch" + t + "Wert" + t + "Zeile\r\n", 0), 0u) << text;
    std::int64_t summe = 0;
    int versuche = 0;
    std::vector<std::string> zeilen;
    std::istringstream zeilenweise(text.substr(text.find('\n') + 1));
    for (std::string zeile; std::getline(zeilenweise, zeile);) {
      ASSERT_EQ(zeile.back(), '\r');
      zeile.pop_back();
      std::vector<std::string> felder;
      std::istringstream feldweise(zeile);
      for (std::string feld; std::getline(feldweise, feld, f.trenner);) felder.push_back(feld);
      if (zeile.back() == f.trenner) felder.emplace_back();
      ASSERT_EQ(felder.size(), 3u) << zeile;
      if (!felder[0].empty()) {
        EXPECT_EQ(felder[0], std::to_string(++versuche));
        summe += std::stoll(felder[1]);
      }
      if (!felder[2].empty()) {
        ASSERT_EQ(felder[2].size(), 12u) << felder[2];
        zeilen.push_back(felder[2].substr(1, 10));
      }
    }
    EXPECT_EQ(versuche, 25);
    EXPECT_EQ(ZahlFormatieren(0, true, true, static_cast<Extended>(summe) / versuche, false),
              j["labels"]["LMWSTP"].get<std::string>());
    EXPECT_EQ(zeilen.size(), j["zeilen"].get<std::size_t>());
    EXPECT_TRUE(std::is_sorted(zeilen.begin(), zeilen.end()));
  }
  std::filesystem::remove(pfad);
}

} // namespace

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#define PSAPI_VERSION 2 // GetProcessMemoryInfo from kernel32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace {

// The largest resident memory of this process so far, in kB.
std::int64_t SpitzenspeicherKB() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS zaehler{};
  GetProcessMemoryInfo(GetCurrentProcess(), &zaehler, sizeof zaehler);
  return static_cast<std::int64_t>(zaehler.PeakWorkingSetSize / 1024);
#else
  rusage nutzung{};
  getrusage(RUSAGE_SELF, &nutzung);
  return nutzung.ru_maxrss;
#endif
}

// Every count the trial field admits runs, with memory bounded whatever the size.
TEST(KwtMc, LaeufeJederGroesseMitBegrenztemSpeicher) {
  for (const char *n : {"100000", "1000000", "2147483647"}) {
    const Ausgabe a = Aufrufen({"--seed", "1", "--versuche", n, "--json"});
    ASSERT_EQ(a.status, 0) << n << a.fehler;
    const json j = Lesen(a.aus);
    EXPECT_EQ(j["akt_versuch"].get<std::int64_t>(), std::stoll(n));
    EXPECT_EQ(j["histogramm"]["klassen"], 60);
    std::int64_t gezaehlt = 0;
    for (const auto &h : j["histogramm"]["haeufigkeit"]) gezaehlt += h.get<std::int64_t>();
    EXPECT_EQ(gezaehlt, std::stoll(n)); // the default scenario's values all lie in the range
    EXPECT_LE(j["zeilen"].get<std::int64_t>(), 161051);
    EXPECT_FALSE(j["labels"]["LMWSTP"].get<std::string>().empty());
  }
#if !defined(__SANITIZE_ADDRESS__)
  // AddressSanitizer's shadow memory and quarantine would count here; the bound is for the program.
#ifdef _WIN32
  // A Windows working set also counts the system libraries' pages mapped into the process; under Wine
  // these are Wine's own, a few megabytes more than Linux's resident set of the same run.
  constexpr std::int64_t grenzeKB = 80 * 1024;
#else
  constexpr std::int64_t grenzeKB = 64 * 1024;
#endif
  EXPECT_LT(SpitzenspeicherKB(), grenzeKB) << "kB";
#endif
}

} // namespace
