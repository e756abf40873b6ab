// kwt-mc's answers in the valuer's terms: --schwelle beside --exakt, the central ranges, the variance
// shares, the sample's precision, and --vergleich of two scenario files; each figure against the run
// or the exact distribution computed here through the engine.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cfenv>
#include <filesystem>

#include "KwtMcAufruf.h"
#include "Simulationslauf.h"
#include "Standardmodell.h"
#include "Szenario.h"
#include "Variantenvergleich.h"

using namespace kwt;
using kwt::test::Aufrufen;
using kwt::test::Ausgabe;
using kwt::test::Lesen;
using nlohmann::json;

namespace {

// The stored values of `kwt-mc --seed 0` (10,000 trials of the defaults), sorted.
std::vector<double> StandardlaufSortiert() {
  Bewertungsmodell m = test::Standardmodell();
  m.Zufall.Zufallszustand = 0;
  Simulationslauf lauf(m);
  StilleAnzeige anzeige;
  const Laufergebnis &e = lauf.SchnellBerechnen(StandardMin, StandardMax, 10000, anzeige);
  std::vector<double> werte(e.GespeicherteWerte().begin(), e.GespeicherteWerte().end());
  std::sort(werte.begin(), werte.end());
  return werte;
}

TEST(KwtMcAuswertung, SchwellenImJsonMitDerStichprobe) {
  const Ausgabe a = Aufrufen({"--seed", "0", "--json", "--schwelle", "4500000", "--schwelle", "5000000.5",
                              "--schwelle", "1e9"});
  ASSERT_EQ(a.status, 0) << a.fehler;
  const json j = Lesen(a.aus);
  // --schwelle alone switches the exact evaluation on.
  ASSERT_TRUE(j.contains("exakt"));
  const json &schwellen = j["exakt"]["schwellen"];
  ASSERT_EQ(schwellen.size(), 3u);
  const std::vector<double> werte = StandardlaufSortiert();
  const double betraege[] = {4500000, 5000000.5, 1e9};
  for (std::size_t i = 0; i < 3; ++i) {
    const json &s = schwellen[i];
    SCOPED_TRACE(s.dump());
    EXPECT_EQ(s["betrag"].get<double>(), betraege[i]);
    const auto unter = std::lower_bound(werte.begin(), werte.end(), betraege[i]) - werte.begin();
    EXPECT_EQ(s["stichprobe_unter"].get<double>(), static_cast<double>(unter) / 10000);
    EXPECT_EQ(s["stichprobe_ab"].get<double>(), static_cast<double>(10000 - unter) / 10000);
    EXPECT_NEAR(s["exakt_unter"].get<double>() + s["exakt_ab"].get<double>(), 1, 1e-15);
    for (const char *schluessel : {"betrag_text", "exakt_unter_text", "exakt_ab_text", "stichprobe_unter_text",
                                   "stichprobe_ab_text"}) {
      EXPECT_TRUE(s[schluessel].is_string()) << schluessel;
    }
  }
  EXPECT_EQ(schwellen[0]["betrag_text"], "4.500.000 €");
  EXPECT_EQ(schwellen[0]["exakt_unter_text"], "2,0767 %");
  EXPECT_EQ(schwellen[1]["betrag_text"], "5.000.000,50 €");
  EXPECT_EQ(schwellen[2]["exakt_unter"], 1.0);
  EXPECT_EQ(schwellen[2]["stichprobe_ab_text"], "0,0000 %");

  const json &sobol = j["exakt"]["sobol"];
  for (const char *p : {"lz", "rnd", "ro", "bwk", "bo"}) {
    ASSERT_TRUE(sobol.contains(p)) << p;
    EXPECT_LE(sobol[p]["erster_ordnung"].get<double>(), sobol[p]["gesamt"].get<double>()) << p;
  }
  EXPECT_EQ(sobol["ro"]["erster_ordnung_text"], "73,39 %");
  EXPECT_EQ(j["exakt"]["wertebereiche"][1]["satz"],
            "Mit 90 % Wahrscheinlichkeit liegt der Ertragswert zwischen 4.585.625 € und 5.373.914 €.");
  EXPECT_EQ(j["exakt"]["wertebereiche"][1]["unten"], j["exakt"]["kennzahlen"]["quantil_5"]["exakt"]);

  // The precision of the sample: its order statistics at the ranks of the median's interval.
  const json &g = j["genauigkeit"];
  EXPECT_EQ(g["umfang"], 10000);
  EXPECT_EQ(g["median_rang_unten"], 4902);
  EXPECT_EQ(g["median_rang_oben"], 5099);
  EXPECT_EQ(g["median_unten"].get<double>(), werte[4901]);
  EXPECT_EQ(g["median_oben"].get<double>(), werte[5098]);
  EXPECT_EQ(g["versuche_noetig"][2]["genauigkeit_text"], "±0,1 %");
  EXPECT_TRUE(g["versuche_noetig"][2]["versuche"].is_number_integer());
}

TEST(KwtMcAuswertung, TextMitBereichenSchwellenUndVarianzanteilen) {
  const Ausgabe a = Aufrufen({"--seed", "0", "--exakt", "--schwelle", "4500000"});
  ASSERT_EQ(a.status, 0) << a.fehler;
  for (const char *zeile :
       {"Mit 80 % Wahrscheinlichkeit liegt der Ertragswert zwischen 4.672.130 € und 5.283.988 €.\n",
        "Mit 90 % Wahrscheinlichkeit liegt der Ertragswert zwischen 4.585.625 € und 5.373.914 €.\n",
        "4.500.000 €                 2,0767 %     97,9233 %          2,0500 %      97,9500 %\n",
        "Jahresrohertrag                          73,39 %   73,42 %\n",
        "Standardfehler des Mittelwerts: 2.345 € (95 %-Intervall des Mittelwerts: 4.976.100 € bis 4.985.291 €)\n",
        "95 %-Intervall des Medians: 4.978.189 € bis 4.984.200 € (4.902. und 5.099. von 10.000 sortierten Werten, "
        "mindestens 95,1 %)\n"}) {
    EXPECT_NE(a.aus.find(zeile), std::string::npos) << zeile << a.aus;
  }
  // Without --exakt and --schwelle the run's precision stays, the exact parts do not appear.
  const Ausgabe ohne = Aufrufen({"--seed", "0"});
  EXPECT_NE(ohne.aus.find("Genauigkeit der Stichprobe (10.000 gespeicherte Versuche"), std::string::npos);
  EXPECT_EQ(ohne.aus.find("Wahrscheinlichkeit liegt"), std::string::npos);
}

struct Dateien : ::testing::Test {
  std::filesystem::path ordner = std::filesystem::temp_directory_path() / ("kwt-vergleich-" + std::to_string(::getpid()));
  std::string a = (ordner / "a.kwt").string(), b = (ordner / "b.kwt").string();
  void SetUp() override {
    std::filesystem::create_directories(ordner);
    Szenario s;
    s.Min = StandardMin;
    s.Max = StandardMax;
    s.Prozent = StandardProzente();
    SzenarioSpeichern(a, s);
    s.Min[RO] += 10000;
    s.Max[RO] += 10000;
    SzenarioSpeichern(b, s);
  }
  void TearDown() override { std::filesystem::remove_all(ordner); }
};

TEST_F(Dateien, VergleichMitSichSelbstUndMitEinerZweitenVariante) {
  const json selbst = Lesen(Aufrufen({"--vergleich", a, a, "--json"}).aus)["vergleich"];
  for (const auto &[name, zeile] : selbst["kennzahlen"].items()) {
    EXPECT_EQ(zeile["differenz"], 0.0) << name;
    EXPECT_EQ(zeile["a_text"], zeile["b_text"]) << name;
  }
  EXPECT_EQ(selbst["p_b_hoeher"], selbst["p_b_niedriger"]);
  EXPECT_GT(selbst["p_gleich"].get<double>(), 0);

  const Ausgabe zwei = Aufrufen({"--vergleich", a, b, "--json", "--schwelle", "5000000"});
  ASSERT_EQ(zwei.status, 0) << zwei.fehler;
  const json v = Lesen(zwei.aus)["vergleich"];
  Parameterwerte minB = StandardMin, maxB = StandardMax;
  minB[RO] += 10000;
  maxB[RO] += 10000;
  const ExakteVerteilung ea = VarianteBerechnen(StandardMin, StandardMax, StandardProzente());
  const ExakteVerteilung eb = VarianteBerechnen(minB, maxB, StandardProzente());
  EXPECT_EQ(v["kennzahlen"]["mittelwert"]["a"].get<double>(), static_cast<double>(ea.Mittelwert));
  EXPECT_EQ(v["kennzahlen"]["median"]["b"].get<double>(), eb.Quantil(0.5L));
  EXPECT_EQ(v["kennzahlen"]["median"]["differenz"].get<double>(), eb.Quantil(0.5L) - ea.Quantil(0.5L));
  EXPECT_GT(v["p_b_hoeher"].get<double>(), 0.5);
  EXPECT_NEAR(v["p_b_hoeher"].get<double>() + v["p_gleich"].get<double>() + v["p_b_niedriger"].get<double>(), 1, 1e-15);
  EXPECT_EQ(v["b"]["schwellen"][0]["exakt_unter"].get<double>(), static_cast<double>(eb.AnteilUnter(5000000)));
  EXPECT_FALSE(v["b"]["schwellen"][0].contains("stichprobe_unter")); // no run, no sample

  const Ausgabe text = Aufrufen({"--vergleich", a, b});
  EXPECT_NE(text.aus.find("P(VKW_B > VKW_A) = " + v["p_b_hoeher_text"].get<std::string>() + " (unabhängige Varianten"),
            std::string::npos)
      << text.aus;
  EXPECT_EQ(text.aus.find("Histogramm"), std::string::npos); // nothing of a run
}

TEST_F(Dateien, VergleichOhneLaufOptionenUndMitGeprueftenDateien) {
  const std::pair<std::vector<std::string>, std::string> faelle[] = {
      {{"--vergleich", a, b, "--lz", "4:5"},
       "Die Option --lz gehört zu einem Lauf; --vergleich rechnet ohne Lauf die exakten Verteilungen zweier "
       "Szenario-Dateien (dazu nur --schwelle und --json)."},
      {{"--exakt", "--vergleich", a, b},
       "Die Option --exakt gehört zu einem Lauf; --vergleich rechnet ohne Lauf die exakten Verteilungen zweier "
       "Szenario-Dateien (dazu nur --schwelle und --json)."},
      {{"--vergleich", a}, "Die Option --vergleich nimmt genau zwei Szenario-Dateien und steht nur einmal."},
      {{"--vergleich", a, b, "--vergleich", a, b},
       "Die Option --vergleich nimmt genau zwei Szenario-Dateien und steht nur einmal."},
      {{"--vergleich"}, "Die Option --vergleich braucht zwei Werte: A.kwt B.kwt."},
      {{"--schwelle", "4,5"}, "Ungültiger Wert für --schwelle: '4,5' ist keine Zahl (Dezimalpunkt, z. B. 4.8)"},
  };
  for (const auto &[argumente, meldung] : faelle) {
    const Ausgabe aus = Aufrufen(argumente);
    EXPECT_EQ(aus.status, 2) << meldung;
    EXPECT_EQ(aus.fehler, "kwt-mc: " + meldung + "\n");
  }
  // A scenario of the comparison is checked as --szenario is, named by its file and key.
  Szenario s = SzenarioLaden(b);
  s.Min[LZ] = 0;
  SzenarioSpeichern(b, s);
  const Ausgabe null = Aufrufen({"--vergleich", a, b});
  EXPECT_EQ(null.status, 2);
  EXPECT_NE(null.fehler.find("Ungültiger Wert für --vergleich '" + b + "', Eintrag 'grenzen.lz.min': '0'"),
            std::string::npos)
      << null.fehler;
  const Ausgabe fehlt = Aufrufen({"--vergleich", a, (ordner / "fehlt.kwt").string()});
  EXPECT_EQ(fehlt.status, 2);
  EXPECT_NE(fehlt.fehler.find("--vergleich: "), std::string::npos) << fehlt.fehler;
  EXPECT_NE(fehlt.fehler.find("fehlt.kwt"), std::string::npos) << fehlt.fehler;
}

} // namespace
