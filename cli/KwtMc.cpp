#include "KwtMc.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <sstream>
#include <unistd.h>

#include "Dateipfad.h"
#include "ErgebnisCsv.h"
#include "ExaktAusgabe.h"
#include "Simulationslauf.h"
#include "Szenario.h"
#include "W32_CLC.h"

namespace kwt::cli {

namespace {

[[noreturn]] void Falsch(const std::string &meldung) { throw ArgumentFehler{meldung}; }

Extended ZahlLesen(const std::string &option, const std::string &text) {
  Extended wert = 0;
  if (!TextZuExtendedVersuchen(text, wert) || !std::isfinite(wert)) {
    Falsch("Ungültiger Wert für " + option + ": '" + text + "' ist keine Zahl (Dezimalpunkt, z. B. 4.8)");
  }
  return wert;
}

std::int64_t GanzzahlLesen(const std::string &option, const std::string &text, std::int64_t min, std::int64_t max) {
  std::size_t ende = 0;
  long long wert = 0;
  bool gut = !text.empty() && text.find_first_not_of("+-0123456789") == std::string::npos;
  if (gut) {
    try {
      wert = std::stoll(text, &ende);
    } catch (const std::exception &) {
      gut = false;
    }
  }
  if (!gut || ende != text.size() || wert < min || wert > max) {
    Falsch("Ungültiger Wert für " + option + ": '" + text + "' (ganze Zahl von " + std::to_string(min) + " bis " +
           std::to_string(max) + " erwartet)");
  }
  return wert;
}

int ParameterIndex(const std::string &option, const std::string &name) {
  for (int i = 0; i < ParameterAnzahl; ++i)
    if (ParameterKuerzel[i] == name) return i;
  Falsch("Ungültiger Parameter für " + option + ": '" + name + "' (lz, rnd, ro, bwk oder bo erwartet)");
}

std::vector<std::string> Teilen(const std::string &text, char trenner) {
  std::vector<std::string> teile;
  std::stringstream s(text);
  std::string teil;
  while (std::getline(s, teil, trenner)) teile.push_back(teil);
  if (!text.empty() && text.back() == trenner) teile.emplace_back();
  return teile;
}

// The terminal's side of a run: it keeps what the window would show and draws a progress bar on
// stderr for runs that take longer than a second.
class TerminalAnzeige : public LaufAnzeige {
public:
  explicit TerminalAnzeige(std::ostream &fehler, bool balken) : fehler_(fehler), balken_(balken) {}
  ~TerminalAnzeige() override { BalkenBeenden(); }

  void VersuchZeigen(std::int32_t) override {}
  void Fortschritt(int prozent) override {
    if (!balken_ || prozent == letzterProzent_) return;
    letzterProzent_ = prozent;
    const auto jetzt = std::chrono::steady_clock::now();
    if (jetzt - start_ < std::chrono::seconds(1)) return;
    const int breite = 40, voll = prozent * breite / 100;
    fehler_ << "\r[" << std::string(static_cast<std::size_t>(voll), '#')
            << std::string(static_cast<std::size_t>(breite - voll), ' ') << "] " << std::setw(3) << prozent << " %"
            << std::flush;
    gezeichnet_ = true;
  }
  void KennzahlZeigen(Kennzahl, const std::string &) override {}
  bool HistogrammKontinuierlich() const override { return false; }
  void HistogrammLeeren() override {}
  void HistogrammZeichnen(const Histogramm &) override {}
  void KurveZeichnen(const RHKurve &kurve) override { Kurve = kurve; }
  void Zwischenablage(const std::string &text) override { Text = text; }
  // The fast run reports ten times a second: enough for the bar.
  Meldetakt MeldetaktWaehlen() const override { return {INT32_MAX, 100}; }
  void BalkenBeenden() {
    if (gezeichnet_) fehler_ << "\r" << std::string(50, ' ') << "\r" << std::flush;
    gezeichnet_ = false;
  }

  RHKurve Kurve;
  std::string Text;

private:
  std::ostream &fehler_;
  bool balken_;
  bool gezeichnet_ = false;
  int letzterProzent_ = -1;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

std::string Tausend(Extended x, int dezimalen) { return ZahlFormatieren(dezimalen, true, true, x, false); }

void TextAusgeben(std::ostream &aus, const Simulationslauf &lauf, const TerminalAnzeige &anzeige) {
  aus << "KWT Monte-Carlo-Simulation: " << Tausend(lauf.AktVersuch, 0) << " von " << Tausend(lauf.AnzahlVersuche, 0)
      << " Durchläufen\n\n";
  for (const KennzahlEintrag &e : Kennzahlen) {
    const std::string beschriftung = e.Beschriftung;
    // Pad by characters, not bytes: the captions hold umlauts.
    const std::size_t zeichen = static_cast<std::size_t>(
        std::count_if(beschriftung.begin(), beschriftung.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    aus << beschriftung << std::string(28 - std::min<std::size_t>(zeichen, 27), ' ') << std::setw(16)
        << lauf.Anzeigen[static_cast<std::size_t>(e.Art)] << '\n';
  }
  const Histogramm &h = lauf.Histo;
  aus << "\nHistogramm der Verkehrswerte (Klassenmitten in Tausend)\n";
  std::int32_t m = 0;
  for (int i = 0; i < h.KlassenAnzahl; ++i) m = std::max(m, h.Haeufigkeit[i]);
  for (int i = 0; i < h.KlassenAnzahl; ++i) {
    const int laenge = m == 0 ? 0 : static_cast<int>(static_cast<long long>(h.Haeufigkeit[i]) * 50 / m);
    aus << std::setw(10) << h.KlassenText[i] << " |" << std::string(static_cast<std::size_t>(laenge), '#')
        << std::string(static_cast<std::size_t>(50 - laenge), ' ') << ' ' << h.Haeufigkeit[i] << '\n';
  }
  aus << "\nRelative Häufigkeitsverteilung (Verkehrswert in Tausend, Anteil darunter)\n";
  for (const Kurvenpunkt &p : anzeige.Kurve.Kurve) {
    aus << std::setw(14) << Tausend(p.X, 3) << std::setw(12) << Tausend(p.Y, 6) << '\n';
  }
}

nlohmann::ordered_json JsonErgebnis(const Simulationslauf &lauf, const TerminalAnzeige &anzeige) {
  nlohmann::ordered_json j;
  nlohmann::ordered_json labels;
  for (const KennzahlEintrag &e : Kennzahlen) labels[e.Name] = lauf.Anzeigen[static_cast<std::size_t>(e.Art)];
  j["labels"] = labels;
  j["versuche"] = lauf.AnzahlVersuche;
  j["akt_versuch"] = lauf.AktVersuch;
  j["zeilen"] = lauf.Liste.Zeilen().size();
  const Histogramm &h = lauf.Histo;
  nlohmann::ordered_json histo;
  histo["klassen"] = h.KlassenAnzahl;
  histo["breite"] = static_cast<double>(h.KlassenBreite);
  histo["haeufigkeit"] = std::vector<std::int32_t>(h.Haeufigkeit.begin(), h.Haeufigkeit.begin() + h.KlassenAnzahl);
  histo["texte"] = std::vector<std::string>(h.KlassenText.begin(), h.KlassenText.begin() + h.KlassenAnzahl);
  j["histogramm"] = histo;
  nlohmann::ordered_json kurve = nlohmann::ordered_json::array();
  for (const Kurvenpunkt &p : anzeige.Kurve.Kurve) kurve.push_back({p.X, p.Y});
  j["kurve"] = kurve;
  return j;
}

} // namespace

std::string VersionsZeile() { return std::string("kwt-mc (KWT Monte-Carlo-Simulation) ") + KWT_VERSION; }

Auftrag ArgumenteLesen(int argc, const char *const *argv, std::string *hilfe) {
  CLI::App app{"KWT Monte-Carlo-Simulation ohne Fenster: ein Lauf mit den Vorgaben des Hauptfensters.", "kwt-mc"};
  app.set_help_flag("-h,--hilfe", "Diese Hilfe anzeigen");
  std::vector<std::string> versuche, seed, verteilung, liste, csv, szenario, prozent;
  std::array<std::vector<std::string>, ParameterAnzahl> grenzen;
  Auftrag a;
  app.add_option("--szenario", szenario, "Szenario-Datei (.kwt) ausführen; spätere Optionen überschreiben ihre Werte");
  app.add_option("--versuche", versuche, "Anzahl Durchläufe (Vorgabe 10000)");
  app.add_option("--seed", seed, "Zufallszustand vor dem Lauf (Vorgabe: aus der Uhr)");
  for (int i = 0; i < ParameterAnzahl; ++i) {
    app.add_option("--" + std::string(ParameterKuerzel[i]), grenzen[i], "Grenzen MIN:MAX, z. B. 4.8:5.1");
  }
  app.add_option("--verteilung", verteilung,
                 "Verteilung für alle Parameter: normal, linksschief, rechtsschief, gleich, einpunkt, zweipunkt");
  app.add_option("--prozent", prozent, "Prozente eines Parameters: PARAM=p1,...,p10 (PARAM: lz rnd ro bwk bo)");
  app.add_option("--liste", liste, "Die sortierten Zeilen (CR LF) in DATEI schreiben, - für die Standardausgabe");
  app.add_option("--csv", csv, "Die Werte des Laufs als CSV in DATEI schreiben");
  app.add_flag("--json", a.Json, "Ein JSON-Objekt statt des Textes ausgeben");
  app.add_flag("--exakt", a.Exakt, "Exakte Verteilung, Vergleich mit der Stichprobe und Empfindlichkeit dazu ausgeben");
  std::vector<std::string> threads;
  app.add_option("--threads", threads, "Anzahl Threads des Laufs (Vorgabe: einer je Prozessorkern)");
  app.add_flag("--versuchsweise", a.Versuchsweise,
               "Versuch für Versuch rechnen wie das Fenster (gleiche Ergebnisse, langsam; zum Vergleich)");
  app.add_flag("--zeit", a.Zeit, "Rechenzeit und Versuche je Sekunde ausgeben");
  app.add_flag("--version", a.Version, "Versionsnummer ausgeben");
  if (hilfe) *hilfe = app.help();
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp &) {
    a.Hilfe = true;
    return a;
  } catch (const CLI::ExtrasError &e) {
    std::string extras;
    for (const std::string &x : app.remaining()) extras += (extras.empty() ? "" : " ") + x;
    Falsch("Unbekanntes Argument: " + extras);
  } catch (const CLI::ArgumentMismatch &e) {
    Falsch("Fehlender oder überzähliger Wert bei einer Option: " + std::string(e.what()));
  } catch (const CLI::ParseError &e) {
    Falsch("Ungültige Argumente: " + std::string(e.what()));
  }

  // Options take effect in the order given: a scenario replaces everything before it, and what comes
  // after it overrides its values; --prozent after --verteilung changes one row of the preset.
  std::map<std::string, std::size_t> naechster;
  for (const CLI::Option *option : app.parse_order()) {
    const std::string name = option->get_name();
    const std::size_t n = naechster[name]++;
    if (name == "--szenario") {
      Szenario s;
      try {
        s = SzenarioLaden(szenario[n]);
      } catch (const SzenarioFehler &f) {
        Falsch("--szenario: " + std::string(f.what()));
      }
      a.Min = s.Min;
      a.Max = s.Max;
      for (int i = 0; i < ParameterAnzahl; ++i) a.Prozent[i] = s.Prozent[i];
      a.Versuche = s.Versuche;
    } else if (name == "--versuche") {
      a.Versuche = static_cast<std::int32_t>(GanzzahlLesen(name, versuche[n], INT32_MIN, INT32_MAX));
    } else if (name == "--seed") {
      a.Seed = static_cast<std::uint32_t>(GanzzahlLesen(name, seed[n], 0, UINT32_MAX));
    } else if (name == "--verteilung") {
      const MenuEintrag *eintrag = nullptr;
      for (const MenuEintrag &e : MenuVoreinstellungen())
        if (verteilung[n] == e.Kuerzel) eintrag = &e;
      if (!eintrag) {
        Falsch("Unbekannte Verteilung für --verteilung: '" + verteilung[n] +
               "' (normal, linksschief, rechtsschief, gleich, einpunkt oder zweipunkt)");
      }
      for (int i = 0; i < ParameterAnzahl; ++i) a.Prozent[i] = ZeilenWerte(eintrag->Zeilen[i]);
    } else if (name == "--prozent") {
      const std::string &p = prozent[n];
      const std::size_t gleich = p.find('=');
      if (gleich == std::string::npos) Falsch("Ungültiger Wert für --prozent: '" + p + "' (PARAM=p1,...,p10 erwartet)");
      const int i = ParameterIndex(name, p.substr(0, gleich));
      const std::vector<std::string> werte = Teilen(p.substr(gleich + 1), ',');
      if (werte.size() != KlassenAnzahlVerteilung) {
        Falsch("Ungültiger Wert für --prozent: '" + p + "' (genau zehn Prozentwerte erwartet)");
      }
      Klassenwerte zeile{};
      for (int k = 0; k < KlassenAnzahlVerteilung; ++k) zeile[k] = ZahlLesen(name, werte[k]);
      a.Prozent[i] = zeile;
    } else if (name == "--threads") {
      a.Threads = static_cast<int>(GanzzahlLesen(name, threads[n], 1, 1024));
    } else if (name == "--liste") {
      a.Liste = liste[n];
    } else if (name == "--csv") {
      a.Csv = csv[n];
    } else {
      for (int i = 0; i < ParameterAnzahl; ++i) {
        if (name != "--" + std::string(ParameterKuerzel[i])) continue;
        const std::vector<std::string> teile = Teilen(grenzen[i][n], ':');
        if (teile.size() != 2) Falsch("Ungültiger Wert für " + name + ": '" + grenzen[i][n] + "' (MIN:MAX erwartet)");
        a.Min[i] = ZahlLesen(name, teile[0]);
        a.Max[i] = ZahlLesen(name, teile[1]);
      }
    }
  }
  return a;
}

int KwtMc(int argc, const char *const *argv, std::ostream &aus, std::ostream &fehler) {
  Auftrag auftrag;
  try {
    std::string hilfe;
    auftrag = ArgumenteLesen(argc, argv, &hilfe);
    if (auftrag.Hilfe) {
      aus << hilfe;
      return 0;
    }
    if (auftrag.Version) {
      if (aus << VersionsZeile() << '\n' << std::flush) return 0;
      fehler << "kwt-mc: Die Versionsnummer kann nicht ausgegeben werden.\n";
      return 1;
    }
  } catch (const ArgumentFehler &f) {
    fehler << "kwt-mc: " << f.Meldung << "\n";
    return 2;
  }

  Bewertungsmodell modell;
  modell.ZufallInitialisieren();
  for (int i = 0; i < ParameterAnzahl; ++i) modell.Verteilungen[i].Prozent = auftrag.Prozent[i];
  if (auftrag.Seed) modell.Zufall.Zufallszustand = *auftrag.Seed;

  Simulationslauf lauf(modell);
  TerminalAnzeige anzeige(fehler, &fehler == &std::cerr && isatty(STDERR_FILENO));
  std::string meldung;
  Simulationslauf::SchnellOptionen optionen;
  optionen.Threads = auftrag.Threads;
  const auto beginn = std::chrono::steady_clock::now();
  try {
    if (auftrag.Versuchsweise) {
      lauf.Berechnen(auftrag.Min, auftrag.Max, auftrag.Versuche, anzeige);
    } else {
      lauf.SchnellBerechnen(auftrag.Min, auftrag.Max, auftrag.Versuche, anzeige, optionen);
    }
  } catch (const GleitkommaFehler &f) {
    meldung = f.what();
  }
  const double sekunden = std::chrono::duration<double>(std::chrono::steady_clock::now() - beginn).count();
  anzeige.BalkenBeenden();
  const int threadsBenutzt = auftrag.Versuchsweise ? 1 : Simulationslauf::ThreadsFuer(optionen);
  const double jeSekunde = sekunden > 0 ? lauf.AktVersuch / sekunden : 0;
  std::optional<ExaktErgebnis> exakt;
  if (auftrag.Exakt) exakt = ExaktBerechnen(modell, auftrag.Min, auftrag.Max, lauf);

  if (auftrag.Liste && meldung.empty()) {
    if (*auftrag.Liste == "-") {
      aus << anzeige.Text;
    } else {
      std::ofstream datei(DateiPfad(*auftrag.Liste), std::ios::binary);
      datei << anzeige.Text;
      if (!datei.flush()) {
        fehler << "kwt-mc: Die Liste kann nicht nach '" << *auftrag.Liste << "' geschrieben werden.\n";
        return 1;
      }
    }
  }
  if (auftrag.Csv) {
    try {
      DateiSicherSchreiben(*auftrag.Csv, ErgebnisCsv(lauf));
    } catch (const Fehler &f) {
      fehler << "kwt-mc: " << f.what() << "\n";
      return 1;
    }
  }
  if (auftrag.Json) {
    nlohmann::ordered_json j = JsonErgebnis(lauf, anzeige);
    if (!meldung.empty()) j["fehler"] = meldung;
    if (exakt) j["exakt"] = ExaktJson(*exakt);
    if (auftrag.Zeit) {
      j["zeit"] = {{"sekunden", sekunden},
                   {"versuche_je_sekunde", jeSekunde},
                   {"threads", threadsBenutzt},
                   {"verfahren", auftrag.Versuchsweise ? "versuchsweise" : "schnell"}};
    }
    aus << j.dump(2) << '\n';
  } else {
    const bool listeAufStandardausgabe = auftrag.Liste && *auftrag.Liste == "-";
    if (!listeAufStandardausgabe) {
      TextAusgeben(aus, lauf, anzeige);
      if (exakt) ExaktTextAusgeben(aus, *exakt);
    }
    if (auftrag.Zeit) {
      // Beside the list on stdout the time goes to stderr, so that the list stays as it is.
      std::ostream &ziel = listeAufStandardausgabe ? fehler : aus;
      ziel << "\nRechenzeit: " << Tausend(sekunden, 3) << " s, " << Tausend(jeSekunde, 0) << " Versuche je Sekunde ("
           << (auftrag.Versuchsweise ? "Versuch für Versuch"
                                     : std::to_string(threadsBenutzt) + (threadsBenutzt == 1 ? " Thread" : " Threads"))
           << ")\n";
    }
  }
  if (!meldung.empty()) {
    fehler << "kwt-mc: " << meldung << "\n";
    return 1;
  }
  return 0;
}

} // namespace kwt::cli
