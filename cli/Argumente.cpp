// kwt-mc's arguments: read in the order given, checked before any run.
#include <CLI/CLI.hpp>

#include <cmath>
#include <map>
#include <sstream>

#include "Datei.h"
#include "Hilfe.h"
#include "KwtMc.h"
#include "Szenario.h"
#include "Zitat.h"

namespace kwt::cli {

namespace {

[[noreturn]] void Falsch(const std::string &meldung) { throw ArgumentFehler(meldung); }

Extended ZahlLesen(const std::string &option, const std::string &text) {
  Extended wert = 0;
  const Zahltext t = TextZuExtendedLesen(text, wert);
  if (t == Zahltext::AusserhalbDesBereichs) {
    Falsch("Ungültiger Wert für " + option + ": " + Zitat(text) + " liegt außerhalb des darstellbaren Bereichs");
  }
  if (t != Zahltext::Gut || !std::isfinite(wert)) {
    Falsch("Ungültiger Wert für " + option + ": " + Zitat(text) + " ist keine Zahl (Dezimalpunkt, z. B. 4.8)");
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
    Falsch("Ungültiger Wert für " + option + ": " + Zitat(text) + " (ganze Zahl von " + std::to_string(min) + " bis " +
           std::to_string(max) + " erwartet)");
  }
  return wert;
}

int ParameterIndex(const std::string &option, const std::string &name) {
  for (int i = 0; i < ParameterAnzahl; ++i)
    if (ParameterKuerzel[i] == name) return i;
  Falsch("Ungültiger Parameter für " + option + ": " + Zitat(name) + " (lz, rnd, ro, bwk oder bo erwartet)");
}

std::vector<std::string> Teilen(const std::string &text, char trenner) {
  std::vector<std::string> teile;
  std::stringstream s(text);
  std::string teil;
  while (std::getline(s, teil, trenner)) teile.push_back(teil);
  if (!text.empty() && text.back() == trenner) teile.emplace_back();
  return teile;
}

// --form PARAM=FORM:Z1:Z2[:Z3[:Z4]]: the parameter, the shape and what it gives, as the editor's
// "Form…" computes it. Every number is named by its field when it is wrong.
struct FormOption {
  Parameter P;
  FormAngabe Angabe;
  FormErgebnis Ergebnis;
};

FormOption FormOptionLesen(const std::string &text) {
  const std::string option = "--form";
  const std::size_t gleich = text.find('=');
  if (gleich == std::string::npos) Falsch("Ungültiger Wert für --form: " + Zitat(text) + " (" + WertForm + " erwartet)");
  const Parameter p = static_cast<Parameter>(ParameterIndex(option, text.substr(0, gleich)));
  const std::vector<std::string> teile = Teilen(text.substr(gleich + 1), ':');
  const FormEintrag *e = teile.empty() ? nullptr : FormEintragZumKuerzel(teile[0]);
  if (!e) {
    Falsch("Unbekannte Form für --form: " + Zitat(teile.empty() ? "" : teile[0]) +
           " (dreieck, pert, normal, spanne oder gleich)");
  }
  const std::size_t zahlen = teile.size() - 1;
  if (zahlen != e->Pflichtfelder && zahlen != e->Felder.size()) {
    Falsch("Ungültiger Wert für --form: " + Zitat(text) + " (" + e->Kuerzel + " nimmt " +
           FormZahlenNamen(*e, ":") + ")");
  }
  FormOption f{p, {e->Art, {}}, {}};
  for (std::size_t i = 0; i < zahlen; ++i) {
    f.Angabe.Zahlen.push_back(ZahlLesen(option + " (" + e->Felder[i].Name + ")", teile[i + 1]));
  }
  try {
    f.Ergebnis = FormBerechnen(f.Angabe);
  } catch (const Fehler &fehler) {
    std::string grund = fehler.what();
    if (!grund.empty() && grund.back() == '.') grund.pop_back();
    Falsch("Ungültiger Wert für --form: " + Zitat(text) + " (" + ParameterBezeichnung[p] + ": " + grund + ")");
  }
  return f;
}

// --rnd-modell GND:ALTER:PUNKTE_MIN:PUNKTE_MAX: the remaining life's bounds over the range of
// modernisation points, as the window's "Modernisierung…" computes them.
RndModellEingabe RndModellLesen(const std::string &text) {
  const std::string option = "--rnd-modell";
  const std::vector<std::string> teile = Teilen(text, ':');
  if (teile.size() != 4) Falsch("Ungültiger Wert für --rnd-modell: " + Zitat(text) + " (" + WertRndModell + " erwartet)");
  RndModellEingabe e;
  e.Gnd = ZahlLesen(option + " (GND)", teile[0]);
  e.Alter = ZahlLesen(option + " (ALTER)", teile[1]);
  e.PunkteVon = static_cast<int>(GanzzahlLesen(option + " (PUNKTE_MIN)", teile[2], 0, 20));
  e.PunkteBis = static_cast<int>(GanzzahlLesen(option + " (PUNKTE_MAX)", teile[3], 0, 20));
  if (!(e.Gnd > 0)) Falsch("Ungültiger Wert für --rnd-modell (GND): " + Zitat(teile[0]) + " (größer als 0 erwartet)");
  if (!(e.Alter >= 0)) Falsch("Ungültiger Wert für --rnd-modell (ALTER): " + Zitat(teile[1]) + " (nicht negativ erwartet)");
  if (e.PunkteVon > e.PunkteBis) {
    Falsch("Ungültiger Wert für --rnd-modell: " + Zitat(text) + " (PUNKTE_MIN darf nicht über PUNKTE_MAX liegen)");
  }
  try {
    RndGrenzenBerechnen(e);
  } catch (const Fehler &fehler) {
    Falsch("Ungültiger Wert für --rnd-modell: " + Zitat(text) + " (" + fehler.what() + ")");
  }
  return e;
}

// Where a value of the run came from, for the message when it is out of range: the option and its
// text, or the scenario file and its key.
struct Herkunft {
  std::string Wo;
  std::string Text;
};

struct Herkuenfte {
  Herkunft Versuche{"--versuche", ""};
  std::array<Herkunft, ParameterAnzahl> Min, Max;
  std::array<std::array<Herkunft, KlassenAnzahlVerteilung>, ParameterAnzahl> Prozent;
};

[[noreturn]] void AusserhalbFalsch(const Herkunft &h, const std::string &regel) {
  Falsch("Ungültiger Wert für " + h.Wo + ": " + Zitat(h.Text) + " (" + regel + ")");
}

// What kwt-mc runs with: at least one trial, every bound within what its field in the window holds,
// a yield rate the formula can compute with, percentages of a class from 0 to 100. Values from a
// scenario are checked as the options are, once it is clear which of them the run uses.
void AuftragPruefen(const Auftrag &a, const Herkuenfte &h) {
  if (a.Versuche < 1) AusserhalbFalsch(h.Versuche, "Anzahl Durchläufe von 1 bis 2147483647 erwartet");
  for (Parameter p : AlleParameter) {
    for (const bool max : {false, true}) {
      const Extended x = max ? a.Max[p] : a.Min[p];
      const Herkunft &herkunft = max ? h.Max[p] : h.Min[p];
      const std::string grenze = std::string(ParameterBezeichnung[p]) + (max ? ", Maximum" : ", Minimum");
      const int stellen = max ? StellenMax[p] : StellenMin[p];
      if (!(std::fabs(x) < FeldGrenze(stellen))) {
        AusserhalbFalsch(herkunft, grenze + ": der Betrag muss unter 1" + std::string(static_cast<std::size_t>(stellen), '0') +
                                       " liegen");
      }
      // 0 % gives 0 / 0 in the present-value factor, -100 % and below a division by zero or the
      // logarithm of a negative number: no run could even start.
      if (p == LZ && (x == 0 || x <= -100)) {
        AusserhalbFalsch(herkunft, grenze + ": über -100 und nicht 0 erwartet");
      }
    }
    for (int k = 0; k < KlassenAnzahlVerteilung; ++k) {
      const Extended x = a.Prozent[p][k];
      if (!(x >= 0 && x <= 100)) {
        AusserhalbFalsch(h.Prozent[p][k], std::string(ParameterBezeichnung[p]) + ", Klasse " + std::to_string(k + 1) +
                                              (x < 0 ? ": ein Anteil unter 0 ist keine Wahrscheinlichkeit"
                                                     : ": Prozent von 0 bis 100 erwartet"));
      }
    }
  }
}

} // namespace

Auftrag ArgumenteLesen(int argc, const char *const *argv, std::string *hilfe) {
  CLI::App app{"KWT Monte-Carlo-Simulation ohne Fenster, mit den Vorgaben des Hauptfensters.", "kwt-mc"};
  DeutschEinrichten(app, std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
  app.set_help_flag("-h,--hilfe", "Diese Hilfe anzeigen");
  std::vector<std::string> versuche, seed, verteilung, liste, csv, csvTrenner, szenario, prozent, threads, form,
      rndModell;
  std::array<std::vector<std::string>, ParameterAnzahl> grenzen;
  Auftrag a;
  // Every option takes exactly one value and may be given again; a second value after it is an error.
  const auto option = [&](const std::string &name, std::vector<std::string> &werte, const char *wertname,
                          const std::string &beschreibung) {
    app.add_option(name, werte, beschreibung)
        ->type_name(wertname)
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  };
  option("--szenario", szenario, WertDatei, "Szenario-Datei (.kwt) ausführen; spätere Optionen überschreiben ihre Werte");
  option("--versuche", versuche, WertZahl, "Anzahl Durchläufe, 1 bis 2147483647 (Vorgabe 10000)");
  option("--seed", seed, WertZahl, "Zufallszustand vor dem Lauf, 0 bis 4294967295 (Vorgabe: aus der Uhr)");
  const std::array<const char *, ParameterAnzahl> einheit{" in Prozent, über -100 und nicht 0", " in Jahren", "",
                                                         "", ""};
  for (Parameter p : AlleParameter) {
    option("--" + std::string(ParameterKuerzel[p]), grenzen[p], WertGrenzen,
           std::string("Grenzen: ") + ParameterBezeichnung[p] + einheit[p] + ", z. B. " + ExtendedText(StandardMin[p]) +
               ":" + ExtendedText(StandardMax[p]) + " (Vorgabe)");
  }
  option("--verteilung", verteilung, WertName, "Verteilung für alle Parameter (Liste unten)");
  option("--prozent", prozent, WertProzent,
         "Prozente der zehn Klassen eines Parameters (PARAM: lz, rnd, ro, bwk oder bo; je 0 bis 100), z. B. "
         "ro=0,0,10,20,40,20,10,0,0,0");
  option("--form", form, WertForm,
         "Grenzen und Prozente eines Parameters aus einer Form (Liste unten), wie \"Form…\" im Fenster "
         "\"Verteilung\", z. B. lz=normal:4.9:0.15 oder ro=dreieck:300000:340000:380000");
  option("--rnd-modell", rndModell, WertRndModell,
         "Grenzen der Restnutzungsdauer aus Gesamtnutzungsdauer, Alter und der Spanne der Modernisierungspunkte "
         "(0 bis 20) nach ImmoWertV 2021, Anlage 2, wie \"Modernisierung…\" im Fenster, z. B. 80:60:8:12; ein "
         "Alter über GND zählt als GND");
  option("--liste", liste, WertDatei, "Die sortierten Zeilen (CR LF) in DATEI schreiben, - für die Standardausgabe");
  option("--csv", csv, WertDatei, "Die Werte des Laufs als CSV in DATEI schreiben");
  option("--csv-trenner", csvTrenner, ";|,",
         std::string("Trennzeichen der CSV-Datei: ';' (Semikolon, für Excel und LibreOffice auf Deutsch) oder ',' "
                     "(Komma nach RFC 4180, für R und Python); Vorgabe '") +
             static_cast<char>(Auftrag{}.CsvTrennzeichen) + "'");
  app.add_flag("--json", a.Json, "Ein JSON-Objekt statt des Textes ausgeben");
  app.add_flag("--exakt", a.Exakt, "Exakte Verteilung, Vergleich mit der Stichprobe und Empfindlichkeit dazu ausgeben");
  option("--threads", threads, WertZahl, "Anzahl Threads des Laufs, 1 bis 1024 (Vorgabe: einer je Prozessorkern)");
  app.add_flag("--versuchsweise", a.Versuchsweise,
               "Versuch für Versuch rechnen wie das Fenster (gleiche Ergebnisse, langsam; zum Vergleich)");
  app.add_flag("--zeit", a.Zeit, "Rechenzeit und Versuche je Sekunde ausgeben");
  app.add_flag("--version", a.Version, "Versionsnummer ausgeben");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &e) {
    // Help (and any other request that ends with success) and errors take CLI11's own way out, with
    // the German formatter and failure message.
    std::ostringstream aus, fehler;
    const int status = app.exit(e, aus, fehler);
    if (status == static_cast<int>(CLI::ExitCodes::Success)) {
      a.Hilfe = true;
      if (hilfe) *hilfe = aus.str();
      return a;
    }
    Falsch(fehler.str());
  }

  // Options take effect in the order given: a scenario replaces everything before it, and what comes
  // after it overrides its values; --prozent after --verteilung changes one row of the preset.
  Herkuenfte herkunft;
  for (Parameter p : AlleParameter) {
    const std::string name = "--" + std::string(ParameterKuerzel[p]);
    herkunft.Min[p] = herkunft.Max[p] = {name, ExtendedText(StandardMin[p]) + ":" + ExtendedText(StandardMax[p])};
    herkunft.Prozent[p].fill({"--verteilung", "normal"});
  }
  std::map<std::string, std::size_t> naechster;
  for (const CLI::Option *o : app.parse_order()) {
    const std::string name = o->get_name();
    const std::size_t n = naechster[name]++;
    if (name == "--szenario") {
      Szenario s;
      try {
        std::vector<std::string> hinweise;
        s = SzenarioLaden(szenario[n], &hinweise);
        for (const std::string &h : hinweise) a.Hinweise.push_back("--szenario " + PfadZitat(szenario[n]) + ": " + h);
      } catch (const Fehler &f) {
        Falsch("--szenario: " + std::string(f.what()));
      }
      a.Min = s.Min;
      a.Max = s.Max;
      for (int i = 0; i < ParameterAnzahl; ++i) a.Prozent[i] = s.Prozent[i];
      a.Formen = s.Formen;
      a.RndModell.reset();
      a.Versuche = s.Versuche;
      const std::string wo = "--szenario " + PfadZitat(szenario[n]) + ", Eintrag ";
      herkunft.Versuche = {wo + "'versuche'", std::to_string(s.Versuche)};
      for (Parameter p : AlleParameter) {
        const std::string kuerzel(ParameterKuerzel[p]);
        herkunft.Min[p] = {wo + "'grenzen." + kuerzel + ".min'", ExtendedText(s.Min[p])};
        herkunft.Max[p] = {wo + "'grenzen." + kuerzel + ".max'", ExtendedText(s.Max[p])};
        for (int k = 0; k < KlassenAnzahlVerteilung; ++k) {
          herkunft.Prozent[p][k] = {wo + "'prozent." + kuerzel + "[" + std::to_string(k + 1) + "]'",
                                    ExtendedText(s.Prozent[p][k])};
        }
      }
    } else if (name == "--versuche") {
      a.Versuche = static_cast<std::int32_t>(GanzzahlLesen(name, versuche[n], 1, INT32_MAX));
      herkunft.Versuche = {name, versuche[n]};
    } else if (name == "--seed") {
      a.Seed = static_cast<std::uint32_t>(GanzzahlLesen(name, seed[n], 0, UINT32_MAX));
    } else if (name == "--verteilung") {
      const MenuEintrag *eintrag = nullptr;
      for (const MenuEintrag &e : MenuVoreinstellungen())
        if (verteilung[n] == e.Kuerzel) eintrag = &e;
      if (!eintrag) {
        Falsch("Unbekannte Verteilung für --verteilung: " + Zitat(verteilung[n]) +
               " (normal, linksschief, rechtsschief, gleich, einpunkt oder zweipunkt)");
      }
      for (int i = 0; i < ParameterAnzahl; ++i) {
        a.Prozent[i] = ZeilenWerte(eintrag->Zeilen[i]);
        herkunft.Prozent[i].fill({name, verteilung[n]});
      }
    } else if (name == "--prozent") {
      const std::string &p = prozent[n];
      const std::size_t gleich = p.find('=');
      if (gleich == std::string::npos) Falsch("Ungültiger Wert für --prozent: " + Zitat(p) + " (PARAM=P1,…,P10 erwartet)");
      const int i = ParameterIndex(name, p.substr(0, gleich));
      const std::vector<std::string> werte = Teilen(p.substr(gleich + 1), ',');
      if (werte.size() != KlassenAnzahlVerteilung) {
        Falsch("Ungültiger Wert für --prozent: " + Zitat(p) + " (genau zehn Prozentwerte erwartet)");
      }
      for (int k = 0; k < KlassenAnzahlVerteilung; ++k) {
        a.Prozent[i][k] = ZahlLesen(name, werte[k]);
        herkunft.Prozent[i][k] = {name, werte[k]};
      }
    } else if (name == "--form") {
      const FormOption f = FormOptionLesen(form[n]);
      a.Min[f.P] = f.Ergebnis.Min;
      a.Max[f.P] = f.Ergebnis.Max;
      a.Prozent[f.P] = f.Ergebnis.Prozent;
      a.Formen[f.P] = f.Angabe;
      herkunft.Min[f.P] = herkunft.Max[f.P] = {name, form[n]};
      herkunft.Prozent[f.P].fill({name, form[n]});
    } else if (name == "--rnd-modell") {
      a.RndModell = RndModellLesen(rndModell[n]);
      const RndModellErgebnis r = RndGrenzenBerechnen(*a.RndModell);
      a.Min[RND] = r.Min;
      a.Max[RND] = r.Max;
      herkunft.Min[RND] = herkunft.Max[RND] = {name, rndModell[n]};
    } else if (name == "--threads") {
      a.Threads = static_cast<int>(GanzzahlLesen(name, threads[n], 1, 1024));
    } else if (name == "--liste") {
      a.Liste = liste[n];
    } else if (name == "--csv") {
      a.Csv = csv[n];
    } else if (name == "--csv-trenner") {
      if (csvTrenner[n] == ";") a.CsvTrennzeichen = CsvTrenner::Semikolon;
      else if (csvTrenner[n] == ",") a.CsvTrennzeichen = CsvTrenner::Komma;
      else Falsch("Ungültiger Wert für --csv-trenner: " + Zitat(csvTrenner[n]) + " (; oder , erwartet)");
    } else {
      for (Parameter p : AlleParameter) {
        if (name != "--" + std::string(ParameterKuerzel[p])) continue;
        const std::vector<std::string> teile = Teilen(grenzen[p][n], ':');
        if (teile.size() != 2) {
          Falsch("Ungültiger Wert für " + name + ": " + Zitat(grenzen[p][n]) + " (MIN:MAX erwartet)");
        }
        a.Min[p] = ZahlLesen(name, teile[0]);
        a.Max[p] = ZahlLesen(name, teile[1]);
        herkunft.Min[p] = {name, teile[0]};
        herkunft.Max[p] = {name, teile[1]};
      }
    }
  }
  // A shape or the remaining-life model that later options overrode no longer says how the run's
  // inputs were made.
  for (Parameter p : AlleParameter) {
    if (a.Formen[p] && !FormPasst(*a.Formen[p], a.Min[p], a.Max[p], a.Prozent[p])) a.Formen[p].reset();
  }
  if (a.RndModell) {
    const RndModellErgebnis r = RndGrenzenBerechnen(*a.RndModell);
    if (r.Min != a.Min[RND] || r.Max != a.Max[RND]) a.RndModell.reset();
  }
  AuftragPruefen(a, herkunft);
  return a;
}

} // namespace kwt::cli
