// kwt-mc's outputs and texts: the built program run as a child process against a full, closed and
// cut-off standard output, a file size limit and another user's rights; a failed run that must leave
// existing files alone; the German help and messages.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "../common/Testordner.h"
#include "KwtMc.h"
#include "KwtMcAufruf.h"
#include "Voreinstellungen.h"

using namespace kwt;
using kwt::test::Aufrufen;
using kwt::test::Ausgabe;

namespace {

std::string Inhalt(const std::string &pfad) {
  std::ifstream datei(pfad, std::ios::binary);
  return {std::istreambuf_iterator<char>(datei), {}};
}

struct Ergebnis {
  int status;
  std::string aus, fehler;
};

// `befehl` in bash (with pipefail), KWT_MC standing for the built program; its standard output and
// error are caught in files.
class KwtMcProzess : public ::testing::Test {
protected:
  void SetUp() override { ordner = NeuerTestordner("kwt-mc"); }
  void TearDown() override { std::filesystem::remove_all(DateiPfad(ordner)); }

#ifndef _WIN32
  Ergebnis Ausfuehren(const std::string &befehl) const {
    const std::string skript = ordner + "/befehl.sh";
    std::ofstream(skript) << "set -o pipefail\nKWT_MC='" << KWT_MC_PROGRAMM << "'\n" << befehl << "\n";
    const std::string aufruf = "bash " + skript + " > " + ordner + "/aus 2> " + ordner + "/fehler";
    const int w = std::system(aufruf.c_str());
    Ergebnis e{WIFEXITED(w) ? WEXITSTATUS(w) : 128 + WTERMSIG(w), Inhalt(ordner + "/aus"), Inhalt(ordner + "/fehler")};
    std::filesystem::remove(skript);
    std::filesystem::remove(ordner + "/aus");
    std::filesystem::remove(ordner + "/fehler");
    return e;
  }
#endif
  std::string Pfad(const std::string &name) const { return ordner + "/" + name; }

  std::string ordner;
};

// The built program in bash: /dev/full, closed descriptors, ulimit, other users (not on Windows).
#ifndef _WIN32
TEST_F(KwtMcProzess, DieStandardausgabeWirdGeprueft) {
  const std::string voll = "kwt-mc: Die Standardausgabe kann nicht geschrieben werden: Der Datenträger ist voll.\n";
  const std::string zu = "kwt-mc: Die Standardausgabe kann nicht geschrieben werden: Die Ausgabe ist geschlossen.\n";
  const struct {
    const char *befehl;
    int status;
    std::string fehler;
  } faelle[] = {
      {"\"$KWT_MC\" --seed 1 --versuche 100 --json > /dev/full", 1, voll},
      {"\"$KWT_MC\" --seed 1 --versuche 100 > /dev/full", 1, voll},
      {"\"$KWT_MC\" --seed 1 --versuche 100000 --liste - > /dev/full", 1, voll},
      {"\"$KWT_MC\" --hilfe > /dev/full", 1, voll},
      {"\"$KWT_MC\" --seed 1 --versuche 100 --json >&-", 1, zu},
      // The reader has what it wanted: no message, the status of a tool ended by the closed pipe.
      {"\"$KWT_MC\" --seed 1 --versuche 100000 --liste - | head -1", 141, ""},
      {"\"$KWT_MC\" --seed 1 --versuche 100 --json > /dev/null", 0, ""},
  };
  for (const auto &f : faelle) {
    const Ergebnis e = Ausfuehren(f.befehl);
    EXPECT_EQ(e.status, f.status) << f.befehl << "\n" << e.fehler;
    EXPECT_EQ(e.fehler, f.fehler) << f.befehl;
  }
  EXPECT_EQ(Ausfuehren("\"$KWT_MC\" --seed 1 --versuche 100000 --liste - | head -1").aus.size(), 12u); // one line
}

TEST_F(KwtMcProzess, DateigroessenGrenzeLaesstDieAlteDatei) {
  std::ofstream(Pfad("werte.csv")) << "alt\r\n";
  // ulimit -f counts KiB: a CSV of 100,000 trials is far beyond.
  const Ergebnis e = Ausfuehren("ulimit -f 8; \"$KWT_MC\" --seed 1 --versuche 100000 --csv '" + Pfad("werte.csv") +
                                "' > /dev/null");
  EXPECT_EQ(e.status, 1);
  EXPECT_EQ(e.fehler, "kwt-mc: Die Datei '" + Pfad("werte.csv") +
                          "' kann nicht geschrieben werden: Die Datei würde größer, als das System erlaubt.\n");
  EXPECT_EQ(Inhalt(Pfad("werte.csv")), "alt\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ordner), {}), 1);
}

TEST_F(KwtMcProzess, DieStandardausgabeAlsDateiInDerReihenfolge) {
  // The list goes out first, then the CSV through /dev/stdout at the same place, not over it.
  const Ergebnis e = Ausfuehren("\"$KWT_MC\" --seed 3 --versuche 5 --liste - --csv /dev/stdout > '" +
                                Pfad("beides.txt") + "'");
  ASSERT_EQ(e.status, 0) << e.fehler;
  const std::string beides = Inhalt(Pfad("beides.txt"));
  const std::size_t csv = beides.find("Versuch,Wert,Zeile\r\n");
  ASSERT_NE(csv, std::string::npos) << beides;
  EXPECT_EQ(csv % 12, 0u); // after whole list lines of ten digits and CR LF
  EXPECT_GT(csv, 0u);
  EXPECT_EQ(std::count(beides.begin() + static_cast<long>(csv), beides.end(), '\n'), 6);
  struct stat st {};
  ::stat("/dev/null", &st);
  ASSERT_EQ(Ausfuehren("\"$KWT_MC\" --versuche 5 --csv /dev/null --liste /dev/null > /dev/null").status, 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

// Rights are checked by the system as for any user: a folder the user cannot enter, a file they may
// read but not write although the folder would let them replace it.
TEST_F(KwtMcProzess, FremdeRechte) {
  if (::geteuid() != 0 || std::system("command -v setpriv > /dev/null") != 0) GTEST_SKIP() << "braucht root und setpriv";
  const std::string als = "setpriv --reuid=65534 --regid=65534 --clear-groups \"$KWT_MC\" --versuche 5 ";
  if (Ausfuehren(als + "--hilfe").status != 0) GTEST_SKIP() << "kwt-mc ist für nobody nicht ausführbar";
  std::filesystem::create_directory(Pfad("offen"));
  ::chmod(Pfad("offen").c_str(), 0777);
  std::ofstream(Pfad("offen/fest.csv")) << "alt";
  ::chmod(Pfad("offen/fest.csv").c_str(), 0444);
  ::chown(Pfad("offen/fest.csv").c_str(), 65534, 65534);
  ::chmod(ordner.c_str(), 0711);
  std::filesystem::create_directory(Pfad("zu"));
  ::chmod(Pfad("zu").c_str(), 0700);
  for (const std::string &ziel : {Pfad("zu/neu.csv"), Pfad("offen/fest.csv")}) {
    const Ergebnis e = Ausfuehren(als + "--csv '" + ziel + "' > /dev/null");
    EXPECT_EQ(e.status, 1);
    EXPECT_EQ(e.fehler, "kwt-mc: Die Datei '" + ziel + "' kann nicht geschrieben werden: Keine Berechtigung.\n");
  }
  EXPECT_EQ(Inhalt(Pfad("offen/fest.csv")), "alt");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Pfad("offen")), {}), 1);
}

#endif

TEST_F(KwtMcProzess, EinFehlgeschlagenerLaufSchreibtKeineDateien) {
  std::ofstream(Pfad("werte.csv"), std::ios::binary) << "alte Werte\r\n";
  std::ofstream(Pfad("liste.txt"), std::ios::binary) << "0000000001\r\n";
  for (const std::vector<std::string> &lauf : {
           std::vector<std::string>{"--rnd", "9999999:9999999"},              // stops at its start
           std::vector<std::string>{"--prozent", "lz=1,5,9,10,15,25,10,9,5,1"}, // stops in a trial
       }) {
    std::vector<std::string> argumente{"--seed", "1", "--csv", Pfad("werte.csv"), "--liste", Pfad("liste.txt")};
    argumente.insert(argumente.end(), lauf.begin(), lauf.end());
    const Ausgabe a = Aufrufen(argumente);
    EXPECT_EQ(a.status, 1) << lauf[1];
    EXPECT_EQ(Inhalt(Pfad("werte.csv")), "alte Werte\r\n");
    EXPECT_EQ(Inhalt(Pfad("liste.txt")), "0000000001\r\n");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(ordner), {}), 2);
  // The same run that succeeds writes both.
  ASSERT_EQ(Aufrufen({"--seed", "1", "--versuche", "7", "--csv", Pfad("werte.csv"), "--liste", Pfad("liste.txt")}).status,
            0);
  EXPECT_EQ(Inhalt(Pfad("werte.csv")).rfind("Versuch,Wert,Zeile\r\n", 0), 0u);
  EXPECT_EQ(Inhalt(Pfad("liste.txt")).size() % 12, 0u);
}

TEST_F(KwtMcProzess, WerteAusEinemSzenarioWerdenGeprueftWieOptionen) {
  std::ofstream(Pfad("null.kwt"))
      << R"({"format": "KWT-Szenario", "version": 1, "versuche": 0, "histogramm_kontinuierlich": true,
  "grenzen": {"lz": {"min": "0", "max": "5.1"}, "rnd": {"min": "40", "max": "60"}, "ro": {"min": "310000",
  "max": "370000"}, "bwk": {"min": "60000", "max": "85000"}, "bo": {"min": "675000", "max": "720000"}},
  "prozent": {"lz": [1,5,9,10,25,25,10,9,5,1], "rnd": [1,5,9,10,25,25,10,9,5,1], "ro": [1,5,9,10,25,25,10,9,5,1],
  "bwk": [1,5,9,10,25,25,10,9,5,1], "bo": [1,5,9,10,25,25,10,9,5,1]}})";
  const std::string wo = "--szenario '" + Pfad("null.kwt") + "', Eintrag ";
  const std::pair<std::vector<std::string>, std::string> faelle[] = {
      {{"--szenario", Pfad("null.kwt")},
       "kwt-mc: Ungültiger Wert für " + wo + "'versuche': '0' (Anzahl Durchläufe von 1 bis 2147483647 erwartet)\n"},
      {{"--szenario", Pfad("null.kwt"), "--versuche", "10"},
       "kwt-mc: Ungültiger Wert für " + wo +
           "'grenzen.lz.min': '0' (Liegenschaftszinssatz, Minimum: über -100 und nicht 0 erwartet)\n"},
      // Options after the scenario replace its values: nothing left to refuse.
      {{"--szenario", Pfad("null.kwt"), "--versuche", "10", "--lz", "4.8:5.1"}, ""},
  };
  for (const auto &[argumente, fehler] : faelle) {
    const Ausgabe a = Aufrufen(argumente);
    EXPECT_EQ(a.status, fehler.empty() ? 0 : 2);
    EXPECT_EQ(a.fehler, fehler);
  }
}

// Every message of kwt-mc's own and of CLI11 in German, naming the option and what it takes.
TEST(KwtMcTexte, MeldungenAufDeutsch) {
  const std::pair<std::vector<std::string>, std::string> faelle[] = {
      {{"--versuche", "0"}, "Ungültiger Wert für --versuche: '0' (ganze Zahl von 1 bis 2147483647 erwartet)"},
      {{"--versuche", "-5"}, "Ungültiger Wert für --versuche: '-5' (ganze Zahl von 1 bis 2147483647 erwartet)"},
      {{"--versuche", "5", "6"}, "Überzähliger Wert '6' nach '--versuche 5': jede Option nimmt genau einen Wert."},
      {{"--lz=4:5", "6"}, "Überzähliger Wert '6' nach '--lz=4:5': jede Option nimmt genau einen Wert."},
      {{"--lz", "-0:5"},
       "Ungültiger Wert für --lz: '-0' (Liegenschaftszinssatz, Minimum: über -100 und nicht 0 erwartet)"},
      {{"--lz", "4.8:-100"},
       "Ungültiger Wert für --lz: '-100' (Liegenschaftszinssatz, Maximum: über -100 und nicht 0 erwartet)"},
      {{"--lz", "1e400:5"},
       "Ungültiger Wert für --lz: '1e400' (Liegenschaftszinssatz, Minimum: der Betrag muss unter 10000000 liegen)"},
      {{"--lz", "1e5000:5"}, "Ungültiger Wert für --lz: '1e5000' liegt außerhalb des darstellbaren Bereichs"},
      {{"--bo", "1:1000000000"},
       "Ungültiger Wert für --bo: '1000000000' (Bodenwert, Maximum: der Betrag muss unter 1000000000 liegen)"},
      {{"--prozent", "rnd=0,0,10,20,40,20,10,0,0,101"},
       "Ungültiger Wert für --prozent: '101' (Restnutzungsdauer, Klasse 10: Prozent von 0 bis 100 erwartet)"},
      {{"--csv-trenner", "semikolon"}, "Ungültiger Wert für --csv-trenner: 'semikolon' (; oder , erwartet)"},
      {{"--csv-trenner", ";;"}, "Ungültiger Wert für --csv-trenner: ';;' (; oder , erwartet)"},
      {{"--versuche"}, "Die Option --versuche braucht einen Wert: ZAHL."},
      {{"--json=ja"}, "Die Option '--json' nimmt keinen Wert."},
      {{"--gibtsnicht"}, "Unbekannte Option '--gibtsnicht' (kwt-mc --hilfe zeigt alle)."},
      {{"werte.csv"}, "Unerwartetes Argument 'werte.csv': kwt-mc nimmt nur Optionen (kwt-mc --hilfe zeigt alle)."},
  };
  for (const auto &[argumente, meldung] : faelle) {
    const Ausgabe a = Aufrufen(argumente);
    EXPECT_EQ(a.status, 2) << meldung;
    EXPECT_EQ(a.fehler, "kwt-mc: " + meldung + "\n");
  }
}

TEST(KwtMcTexte, HilfeAufDeutsch) {
  const Ausgabe a = Aufrufen({"--hilfe"});
  ASSERT_EQ(a.status, 0);
  EXPECT_EQ(a.aus.rfind("KWT Monte-Carlo-Simulation ohne Fenster", 0), 0u);
  for (const char *englisch : {"Usage", "Options", "OPTIONS", "TEXT", "REQUIRED", "Positionals", "Exit"}) {
    EXPECT_EQ(a.aus.find(englisch), std::string::npos) << englisch;
  }
  const char *erwartet[] = {
      "Aufruf: kwt-mc [OPTIONEN]\n", "\nOptionen:\n", "  --szenario DATEI            Szenario-Datei",
      "  --versuche ZAHL             ", "  --liste DATEI               ", "  --prozent PARAM=P1,…,P10    ",
      "  --verteilung NAME           ", "  --schwelle BETRAG           Preisschwelle",
      "  --vergleich A.kwt B.kwt     Zwei Varianten vergleichen, ohne Lauf",
      // Each bound with an example of its own size.
      "Liegenschaftszinssatz in Prozent, über -100 und nicht 0, z. B. 4.8:5.1", "Restnutzungsdauer in Jahren, z. B. 40:60",
      "Jahresrohertrag, z. B. 310000:370000", "Bewirtschaftungskosten, z. B.", "60000:85000 (Vorgabe)",
      "Bodenwert, z. B. 675000:720000", "Rückgabewert: 0 Erfolg;",
      // The separator of the CSV file, with its default.
      "  --csv-trenner ;|,           Trennzeichen der CSV-Datei: ';' (Semikolon", "Vorgabe ','"};
  // The descriptions as one line each, wherever the help wrapped them.
  const std::string flach = std::regex_replace(a.aus, std::regex("\n {30}"), " ");
  for (const char *text : erwartet) EXPECT_NE(flach.find(text), std::string::npos) << text << "\n" << a.aus;
  for (const char *grenze : {"--lz", "--rnd", "--ro", "--bwk", "--bo"}) {
    EXPECT_NE(a.aus.find(std::string("  ") + grenze + " MIN:MAX "), std::string::npos) << grenze;
  }
  for (const MenuEintrag &e : MenuVoreinstellungen()) {
    EXPECT_NE(a.aus.find("  " + std::string(e.Kuerzel) + " "), std::string::npos) << e.Kuerzel;
    EXPECT_NE(a.aus.find(e.Beschriftung), std::string::npos) << e.Beschriftung;
  }
  // Descriptions start in column 31, counted in characters ("…" is three bytes), and no line is
  // wider than 79 characters. An option whose name and value reach column 30 stands alone on its
  // line, and its description starts in column 31 of the next.
  std::istringstream zeilen(a.aus);
  int optionszeilen = 0;
  bool beschreibungFolgt = false;
  for (std::string zeile; std::getline(zeilen, zeile);) {
    std::vector<std::string> zeichen;
    for (char c : zeile) {
      if ((c & 0xC0) != 0x80) zeichen.emplace_back();
      zeichen.back() += c;
    }
    EXPECT_LE(zeichen.size(), 79u) << zeile;
    if (beschreibungFolgt) {
      ASSERT_GT(zeichen.size(), 30u) << zeile;
      EXPECT_EQ(zeile.substr(0, 30), std::string(30, ' ')) << zeile;
      EXPECT_NE(zeichen[30], " ") << zeile;
      beschreibungFolgt = false;
    } else if (zeile.rfind("  -", 0) == 0) {
      ++optionszeilen;
      ASSERT_GT(zeichen.size(), 30u) << zeile;
      // The name reaches column 30: nothing but the name on this line.
      beschreibungFolgt = zeichen[29] != " ";
      if (beschreibungFolgt) {
        EXPECT_EQ(zeile.find("  ", 2), std::string::npos) << zeile;
        continue;
      }
      EXPECT_NE(zeichen[30], " ") << zeile;
    }
  }
  EXPECT_FALSE(beschreibungFolgt);
  EXPECT_GE(optionszeilen, 18);
}

} // namespace
