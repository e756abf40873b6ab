#include "Hilfe.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <sstream>

#include "Formen.h"
#include "Voreinstellungen.h"
#include "Zitat.h"

namespace kwt::cli {

namespace {

constexpr std::size_t Spalte = 30; // where the descriptions begin
constexpr std::size_t Zeilenbreite = 79;

std::size_t Zeichenzahl(const std::string &text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// Words of `text` in lines of at most `breite` characters; a word longer than that stands alone.
std::vector<std::string> Umbrechen(const std::string &text, std::size_t breite) {
  std::vector<std::string> zeilen(1);
  std::istringstream woerter(text);
  for (std::string wort; woerter >> wort;) {
    std::string &zeile = zeilen.back();
    if (!zeile.empty() && Zeichenzahl(zeile) + 1 + Zeichenzahl(wort) > breite) zeilen.emplace_back();
    zeilen.back() += (zeilen.back().empty() ? "" : " ") + wort;
  }
  return zeilen;
}

class DeutscheHilfe : public CLI::Formatter {
public:
  DeutscheHilfe() {
    label("Usage", "Aufruf");
    label("OPTIONS", "OPTIONEN");
    label("REQUIRED", "PFLICHT");
    label("Positionals", "Argumente");
    label("Env", "Umgebung");
    label("Needs", "braucht");
    label("Excludes", "schließt aus");
    column_width(Spalte);
  }

  // As CLI11's own, but padded and wrapped by characters, not bytes: "…" and umlauts are several.
  std::string make_option(const CLI::Option *option, bool positional) const override {
    const std::string links = "  " + make_option_name(option, positional) + make_option_opts(option);
    std::string text = links;
    const std::vector<std::string> zeilen = Umbrechen(make_option_desc(option), Zeilenbreite - Spalte);
    if (Zeichenzahl(links) >= Spalte) text += "\n" + std::string(Spalte, ' ');
    else text += std::string(Spalte - Zeichenzahl(links), ' ');
    for (std::size_t i = 0; i < zeilen.size(); ++i) text += (i ? "\n" + std::string(Spalte, ' ') : "") + zeilen[i];
    return text + "\n";
  }
};

// Which shape for which source of figures, in a line or two.
const char *FormHilfe(FormArt art) {
  switch (art) {
  case FormArt::Dreieck: return "wahrscheinlichster Wert mit plausiblem Minimum und Maximum";
  case FormArt::Pert: return "ebenso, der wahrscheinlichste Wert vierfach gewichtet, dünnere Ränder";
  case FormArt::Normal:
    return "Mittelwert und Standardabweichung (z. B. Grundstücksmarktbericht); Grenzen MITTEL ± 3 SIGMA, wenn MIN "
           "und MAX fehlen";
  case FormArt::Spanne:
    return "normalverteilt, ANTEIL Prozent der Werte zwischen UNTEN und OBEN (Mietspiegelspanne: 66.7); "
           "Grenzen: Mitte ± 3 Standardabweichungen";
  case FormArt::Gleich: return "nur die Spanne ist bekannt";
  }
  return "";
}

std::string Fusszeilen() {
  std::string text = "Verteilungen für --verteilung (wie im Menü \"Verteilungen\" des Fensters):\n";
  for (const MenuEintrag &e : MenuVoreinstellungen()) {
    const std::string name = e.Kuerzel;
    text += "  " + name + std::string(Spalte - 2 - name.size(), ' ') + e.Beschriftung +
            (e.Voreinstellung == MenuVoreinstellung::Normalverteilung ? " (Vorgabe)" : "") + "\n";
  }
  text += "\n";
  for (const std::string &zeile :
       Umbrechen("Formen für --form (wie \"Form…\" im Fenster \"Verteilung\"): jede Klasse erhält ihre "
                 "Wahrscheinlichkeit unter der Form, auf 0.1 oder 1 Prozent gerundet.",
                 Zeilenbreite)) {
    text += zeile + "\n";
  }
  for (const FormEintrag &e : FormEintraege()) {
    std::string name = e.Kuerzel;
    for (std::size_t i = 0; i < e.Felder.size(); ++i) {
      name += std::string(i == e.Pflichtfelder ? "[" : "") + ":" + e.Felder[i].Name;
    }
    if (e.Pflichtfelder < e.Felder.size()) name += "]";
    const std::vector<std::string> zeilen = Umbrechen(FormHilfe(e.Art), Zeilenbreite - Spalte);
    text += "  " + name;
    for (std::size_t i = 0; i < zeilen.size(); ++i) {
      const std::size_t belegt = i == 0 ? 2 + Zeichenzahl(name) : 0;
      if (belegt >= Spalte) text += "\n" + std::string(Spalte, ' ');
      else text += std::string(Spalte - belegt, ' ');
      text += zeilen[i] + "\n";
    }
  }
  text += "\n";
  for (const std::string &absatz :
       {std::string("Zahlen mit Dezimalpunkt und ohne Tausenderpunkte: 4.8, 310000. Eine Grenze fasst so viele "
                    "Stellen vor dem Punkt wie ihr Feld im Fenster."),
        std::string(""),
        std::string("Optionen wirken in ihrer Reihenfolge: ein späteres --lz, --prozent, --verteilung oder "
                    "--rnd-modell überschreibt, was --form gab. Mit --json nennt \"eingaben\" Grenzen und "
                    "Prozente des Laufs und die Form nur, solange sie genau diese ergibt."),
        std::string(""),
        std::string("Rückgabewert: 0 Erfolg; 1 der Lauf ist fehlgeschlagen oder eine Datei oder die "
                    "Standardausgabe ließ sich nicht schreiben; 2 ungültige Argumente; 141 der Empfänger hat die "
                    "Standardausgabe geschlossen (kwt-mc --liste - | head -1), ohne Meldung.")}) {
    for (const std::string &zeile : Umbrechen(absatz, Zeilenbreite)) text += zeile + "\n";
  }
  return text;
}

bool NimmtWert(const CLI::App &app, const std::string &name) {
  const CLI::Option *o = name.rfind("--", 0) == 0 ? app.get_option_no_throw(name) : nullptr;
  return o && o->get_type_size() != 0;
}

// The option with its value that words[i] follows ("--versuche 5", "--lz=4:5"), or "" when words[i]
// does not follow an option's value.
std::string VorigeOption(const CLI::App &app, const std::vector<std::string> &woerter, std::size_t i) {
  if (i >= 1) {
    const std::string &davor = woerter[i - 1];
    const std::size_t gleich = davor.find('=');
    if (gleich != std::string::npos && NimmtWert(app, davor.substr(0, gleich))) return davor;
  }
  if (i >= 2 && woerter[i - 2].find('=') == std::string::npos && NimmtWert(app, woerter[i - 2])) {
    return woerter[i - 2] + " " + woerter[i - 1];
  }
  return "";
}

std::string ExtraMeldung(const CLI::App &app, const std::vector<std::string> &argumente) {
  const std::vector<std::string> extras = app.remaining();
  if (extras.empty()) return "Unerwartetes Argument.";
  const std::string &extra = extras.front();
  if (extra.size() > 1 && extra[0] == '-' && !(extra[1] >= '0' && extra[1] <= '9')) {
    return "Unbekannte Option " + Zitat(extra) + " (kwt-mc --hilfe zeigt alle).";
  }
  for (std::size_t i = 0; i < argumente.size(); ++i) {
    if (argumente[i] != extra) continue;
    const std::string vorher = VorigeOption(app, argumente, i);
    if (!vorher.empty()) {
      return "Überzähliger Wert " + Zitat(extra) + " nach " + Zitat(vorher) + ": jede Option nimmt genau einen Wert.";
    }
  }
  return "Unerwartetes Argument " + Zitat(extra) + ": kwt-mc nimmt nur Optionen (kwt-mc --hilfe zeigt alle).";
}

// CLI11 names the option at the start of its own message: "--versuche: 1 required ZAHL missing".
std::string OptionAusMeldung(const std::string &meldung, const std::string &nach) {
  const std::size_t a = meldung.find(nach);
  if (a == std::string::npos) return "";
  const std::size_t b = a + nach.size(), e = meldung.find_first_of(" :=", b);
  return meldung.substr(b, e == std::string::npos ? std::string::npos : e - b);
}

} // namespace

std::string Fehlermeldung(const CLI::App &app, const CLI::Error &fehler, const std::vector<std::string> &argumente) {
  const std::string meldung = fehler.what();
  if (dynamic_cast<const CLI::ExtrasError *>(&fehler)) return ExtraMeldung(app, argumente);
  if (dynamic_cast<const CLI::ArgumentMismatch *>(&fehler)) {
    const std::string name = OptionAusMeldung(meldung, "");
    const CLI::Option *option = app.get_option_no_throw(name);
    if (option && option->get_type_size() != 0) {
      return "Die Option " + name + " braucht einen Wert: " + option->get_type_name() + ".";
    }
    return "Die Option " + Zitat(name) + " nimmt keinen Wert.";
  }
  if (dynamic_cast<const CLI::ConversionError *>(&fehler)) {
    // "Could not convert: --json = ja": a value given to a flag.
    return "Die Option " + Zitat(OptionAusMeldung(meldung, ": ")) + " nimmt keinen Wert.";
  }
  return "Die Argumente sind ungültig (kwt-mc --hilfe zeigt alle Optionen).";
}

void DeutschEinrichten(CLI::App &app, std::vector<std::string> argumente) {
  app.formatter(std::make_shared<DeutscheHilfe>());
  app.option_defaults()->group("Optionen");
  app.footer(Fusszeilen());
  app.failure_message([argumente = std::move(argumente)](const CLI::App *a, const CLI::Error &e) {
    return Fehlermeldung(*a, e, argumente);
  });
}

} // namespace kwt::cli
