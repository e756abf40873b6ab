#include "Szenario.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <set>
#include <vector>

#include "Datei.h"
#include "W32_CLC.h"
#include "Zitat.h"

namespace kwt {

namespace {

// Numbers in extended precision, read by JsonLeser below with the program's own conversion.
using Json = nlohmann::basic_json<std::map, std::vector, std::string, bool, std::int64_t, std::uint64_t, long double>;

constexpr const char *FormatName = "KWT-Szenario";

[[noreturn]] void Falsch(const std::string &meldung) { throw SzenarioFehler(meldung); }

// A key as the messages name it, 'grenzen.lz.min', shortened when the file holds a huge one.
std::string Eintrag(const std::string &name) { return Zitat(name); }

void NurDieseSchluessel(const Json &objekt, const std::string &wo, const std::set<std::string> &schluessel) {
  for (const std::string &s : schluessel) {
    if (!objekt.contains(s)) Falsch("Im Szenario fehlt der Eintrag " + Eintrag(wo + s) + ".");
  }
  for (auto it = objekt.begin(); it != objekt.end(); ++it) {
    if (!schluessel.count(it.key())) Falsch("Unbekannter Eintrag " + Eintrag(wo + it.key()) + " im Szenario.");
  }
}

const Json &Objekt(const Json &j, const std::string &name) {
  if (!j.is_object()) Falsch("Der Eintrag " + Eintrag(name) + " im Szenario muss ein Objekt sein.");
  return j;
}

// A finite number, from a JSON number or from decimal text; `ausserhalb` ends the message for text
// beyond the extended range.
Extended Zahl(const Json &j, const std::string &name, const std::string &ausserhalb) {
  Extended x = 0;
  const std::string wo = "Der Eintrag " + Eintrag(name) + " im Szenario";
  if (j.is_number()) {
    x = j.get<long double>();
  } else if (!j.is_string()) {
    Falsch(wo + " ist keine Zahl.");
  } else {
    const Zahltext t = TextZuExtendedLesen(j.get<std::string>(), x);
    if (t == Zahltext::AusserhalbDesBereichs) Falsch(wo + " (" + Zitat(j.get<std::string>()) + ")" + ausserhalb);
    if (t != Zahltext::Gut) Falsch(wo + " ist keine Zahl.");
  }
  if (!std::isfinite(x)) Falsch(wo + " ist keine endliche Zahl.");
  return x;
}

// A number as its entry field holds it: finite, at most two decimals, below 10^stellen in magnitude.
Extended Feldwert(const Json &j, const std::string &name, int stellen) {
  const std::string wo = "Der Eintrag " + Eintrag(name) + " im Szenario";
  const std::string ausserhalb =
      " liegt außerhalb dessen, was das Feld fassen kann (" + std::to_string(stellen) + " Stellen vor dem Komma).";
  const Extended x = Zahl(j, name, ausserhalb);
  if (!(std::fabs(x) < FeldGrenze(stellen))) Falsch(wo + ausserhalb);
  // Two decimals: the value must be the one its text with two decimals stands for.
  if (AufDezimalenRunden(x, 2) != x) {
    Falsch(wo + " hat mehr als zwei Nachkommastellen.");
  }
  return x;
}

// "formen": per parameter a known shape with as many numbers as it takes. Whether the shape gives
// the stored bounds and percentages is decided once they are read.
void FormenLesen(const Json &formen, Szenario &s) {
  Objekt(formen, "formen");
  for (auto it = formen.begin(); it != formen.end(); ++it) {
    const auto p = std::find(ParameterKuerzel.begin(), ParameterKuerzel.end(), it.key());
    if (p == ParameterKuerzel.end()) Falsch("Unbekannter Eintrag " + Eintrag("formen." + it.key()) + " im Szenario.");
    const std::string wo = "formen." + it.key();
    const Json &f = Objekt(it.value(), wo);
    NurDieseSchluessel(f, wo + ".", {"form", "zahlen"});
    const FormEintrag *e = f["form"].is_string() ? FormEintragZumKuerzel(f["form"].get<std::string>()) : nullptr;
    if (!e) {
      Falsch("Der Eintrag " + Eintrag(wo + ".form") +
             " im Szenario nennt keine Form (dreieck, pert, normal, spanne oder gleich erwartet).");
    }
    const Json &zahlen = f["zahlen"];
    if (!zahlen.is_array() || (zahlen.size() != e->Pflichtfelder && zahlen.size() != e->Felder.size())) {
      Falsch("Der Eintrag " + Eintrag(wo + ".zahlen") + " im Szenario muss die Zahlen " + FormZahlenNamen(*e, ", ") +
             " der Form " + e->Kuerzel + " enthalten.");
    }
    FormAngabe angabe{e->Art, {}};
    for (std::size_t i = 0; i < zahlen.size(); ++i) {
      angabe.Zahlen.push_back(Zahl(zahlen[i], wo + ".zahlen[" + std::to_string(i + 1) + "]",
                                   " liegt außerhalb des darstellbaren Bereichs."));
    }
    s.Formen[static_cast<std::size_t>(p - ParameterKuerzel.begin())] = std::move(angabe);
  }
}

// Builds the document as the library's own parser does, with two differences. Every number with a
// fraction or an exponent is read from its text with the program's own conversion (the library would
// call the C runtime's strtold, whose last bits depend on the system and its rounding mode), and a
// key given twice in one object is remembered (the library would keep the last one without a word).
class JsonLeser {
public:
  explicit JsonLeser(Json &wurzel) : wurzel_(wurzel) {}

  // The first key given twice, with the keys of the objects around it: "grenzen.lz.min".
  const std::string &Doppelt() const { return doppelt_; }
  // A number beyond the extended range, as the file has it; the parse stops there.
  const std::optional<std::string> &Ueberlauf() const { return ueberlauf_; }

  bool null() { return Wert(nullptr); }
  bool boolean(bool b) { return Wert(b); }
  bool number_integer(Json::number_integer_t n) { return Wert(n); }
  bool number_unsigned(Json::number_unsigned_t n) { return Wert(n); }
  bool number_float(Json::number_float_t, const std::string &text) {
    Extended x = 0;
    if (TextZuExtendedLesen(text, x) != Zahltext::Gut) { // the grammar has been checked: out of range
      ueberlauf_ = text;
      return false;
    }
    return Wert(x);
  }
  bool string(std::string &s) { return Wert(std::move(s)); }
  bool binary(Json::binary_t &) { return false; }
  bool start_object(std::size_t) {
    gesehen_.emplace_back();
    weg_.emplace_back();
    return Oeffnen(Json::object());
  }
  bool key(std::string &k) {
    weg_.back() = k;
    if (!gesehen_.back().insert(k).second && doppelt_.empty()) {
      for (const std::string &w : weg_) doppelt_ += (doppelt_.empty() ? "" : ".") + w;
    }
    schluessel_ = std::move(k);
    return true;
  }
  bool end_object() {
    gesehen_.pop_back();
    weg_.pop_back();
    return Schliessen();
  }
  bool start_array(std::size_t) { return Oeffnen(Json::array()); }
  bool end_array() { return Schliessen(); }
  bool parse_error(std::size_t, const std::string &zeichen, const Json::exception &fehler) {
    // 406: the library found the number beyond the range with its own conversion first.
    if (fehler.id == 406) ueberlauf_ = zeichen;
    return false;
  }

private:
  // The open containers are the last element of their parent, which gains no element while they are
  // open: the pointers stay valid.
  Json *Einfuegen(Json &&wert) {
    if (offen_.empty()) {
      wurzel_ = std::move(wert);
      return &wurzel_;
    }
    Json &oben = *offen_.back();
    if (oben.is_array()) {
      oben.push_back(std::move(wert));
      return &oben.back();
    }
    Json &ziel = oben[schluessel_];
    ziel = std::move(wert);
    return &ziel;
  }
  bool Wert(Json wert) {
    Einfuegen(std::move(wert));
    return true;
  }
  bool Oeffnen(Json leer) {
    offen_.push_back(Einfuegen(std::move(leer)));
    return true;
  }
  bool Schliessen() {
    offen_.pop_back();
    return true;
  }

  Json &wurzel_;
  std::vector<Json *> offen_;
  std::string schluessel_;
  std::vector<std::set<std::string>> gesehen_;
  std::vector<std::string> weg_;
  std::string doppelt_;
  std::optional<std::string> ueberlauf_;
};

Json Parsen(const std::string &text) {
  Json j;
  JsonLeser leser(j);
  const bool gut = Json::sax_parse(text, &leser);
  if (leser.Ueberlauf()) {
    Falsch("Die Zahl " + Zitat(*leser.Ueberlauf()) + " im Szenario liegt außerhalb des darstellbaren Bereichs.");
  }
  if (!gut) Falsch("Die Datei ist kein Szenario: sie ist kein gültiges JSON oder unvollständig.");
  if (!leser.Doppelt().empty()) Falsch("Der Eintrag " + Eintrag(leser.Doppelt()) + " steht mehr als einmal im Szenario.");
  return j;
}

} // namespace

std::string SzenarioAlsText(const Szenario &s) {
  nlohmann::ordered_json j;
  // Without a shape the scenario is what version 1 holds, and programs before the shapes read it.
  const bool mitFormen = std::any_of(s.Formen.begin(), s.Formen.end(), [](const auto &f) { return f.has_value(); });
  j["format"] = FormatName;
  j["version"] = mitFormen ? SzenarioFormatVersion : 1;
  nlohmann::ordered_json grenzen, prozent;
  for (Parameter p : AlleParameter) {
    const std::string name(ParameterKuerzel[p]);
    grenzen[name] = {{"min", ExtendedText(s.Min[p])}, {"max", ExtendedText(s.Max[p])}};
    nlohmann::ordered_json zeile = nlohmann::ordered_json::array();
    for (Extended x : s.Prozent[p]) zeile.push_back(ExtendedText(x));
    prozent[name] = zeile;
  }
  j["grenzen"] = grenzen;
  j["prozent"] = prozent;
  if (mitFormen) {
    nlohmann::ordered_json formen;
    for (Parameter p : AlleParameter) {
      if (!s.Formen[p]) continue;
      nlohmann::ordered_json zahlen = nlohmann::ordered_json::array();
      for (Extended x : s.Formen[p]->Zahlen) zahlen.push_back(ExtendedText(x));
      formen[std::string(ParameterKuerzel[p])] = {{"form", FormEintragVon(s.Formen[p]->Art).Kuerzel},
                                                  {"zahlen", zahlen}};
    }
    j["formen"] = formen;
  }
  j["versuche"] = s.Versuche;
  j["histogramm_kontinuierlich"] = s.HistogrammKontinuierlich;
  return j.dump(2) + "\n";
}

Szenario SzenarioAusText(const std::string &text, std::vector<std::string> *hinweise) {
  if (text.size() > GroessteSzenarioDatei) Falsch("Die Datei ist zu groß für ein Szenario.");
  const Json j = Parsen(text);
  if (!j.is_object() || !j.contains("format") || j["format"] != FormatName) {
    Falsch("Die Datei ist kein KWT-Szenario.");
  }
  const Json *version = j.contains("version") ? &j["version"] : nullptr;
  if (!version || !version->is_number_integer()) {
    Falsch("Die Formatversion des Szenarios fehlt oder ist keine ganze Zahl.");
  }
  // Compared and shown as the file has it, also beyond 2^63 (a whole number of at most 20 digits).
  const bool neuer = version->is_number_unsigned() ? version->get<std::uint64_t>() > SzenarioFormatVersion
                                                   : version->get<std::int64_t>() > SzenarioFormatVersion;
  if (neuer) {
    Falsch("Das Szenario hat die Formatversion " + version->dump() +
           "; dieses Programm liest Version " + std::to_string(SzenarioFormatVersion) +
           ". Bitte eine neuere Programmversion verwenden.");
  }
  if (version->get<std::int64_t>() < 1) {
    Falsch("Die Formatversion " + version->dump() + " des Szenarios gibt es nicht.");
  }
  std::set<std::string> schluessel{"format", "version", "grenzen", "prozent", "versuche", "histogramm_kontinuierlich"};
  if (version->get<std::int64_t>() >= 2) schluessel.insert("formen");
  NurDieseSchluessel(j, "", schluessel);

  Szenario s;
  const std::set<std::string> parameter(ParameterKuerzel.begin(), ParameterKuerzel.end());
  const Json &grenzen = Objekt(j["grenzen"], "grenzen");
  NurDieseSchluessel(grenzen, "grenzen.", parameter);
  const Json &prozent = Objekt(j["prozent"], "prozent");
  NurDieseSchluessel(prozent, "prozent.", parameter);
  for (Parameter p : AlleParameter) {
    const std::string name(ParameterKuerzel[p]);
    const Json &g = Objekt(grenzen[name], "grenzen." + name);
    NurDieseSchluessel(g, "grenzen." + name + ".", {"min", "max"});
    s.Min[p] = Feldwert(g["min"], "grenzen." + name + ".min", StellenMin[p]);
    s.Max[p] = Feldwert(g["max"], "grenzen." + name + ".max", StellenMax[p]);
    const Json &zeile = prozent[name];
    if (!zeile.is_array() || zeile.size() != KlassenAnzahlVerteilung) {
      Falsch("Der Eintrag 'prozent." + name + "' im Szenario muss genau zehn Prozentwerte enthalten.");
    }
    for (int k = 0; k < KlassenAnzahlVerteilung; ++k) {
      const std::string eintrag = "prozent." + name + "[" + std::to_string(k + 1) + "]";
      s.Prozent[p][k] = Feldwert(zeile[static_cast<std::size_t>(k)], eintrag, StellenProzent);
      if (s.Prozent[p][k] < 0) {
        Falsch("Der Eintrag " + Eintrag(eintrag) + " im Szenario ist negativ (" + ParameterBezeichnung[p] +
               ", Klasse " + std::to_string(k + 1) + "): ein Anteil unter 0 ist keine Wahrscheinlichkeit.");
      }
    }
  }
  if (j.contains("formen")) FormenLesen(j["formen"], s);
  for (Parameter p : AlleParameter) {
    if (!s.Formen[p] || FormPasst(*s.Formen[p], s.Min[p], s.Max[p], s.Prozent[p])) continue;
    if (hinweise) {
      hinweise->push_back("Die Form " + Zitat(FormEintragVon(s.Formen[p]->Art).Kuerzel) + " im Eintrag " +
                          Eintrag("formen." + std::string(ParameterKuerzel[p])) +
                          " ergibt nicht die gespeicherten Grenzen und Prozente von " + ParameterBezeichnung[p] +
                          "; sie wurde verworfen. Grenzen und Prozente gelten, wie sie gespeichert sind.");
    }
    s.Formen[p].reset();
  }
  const Json &versuche = j["versuche"];
  // A whole number beyond 64 bits comes from the parser as a floating-point number.
  const bool riesig = versuche.is_number_float() && std::isfinite(versuche.get<long double>()) &&
                      std::floor(versuche.get<long double>()) == versuche.get<long double>();
  if (!versuche.is_number_integer() && !riesig) Falsch("Der Eintrag 'versuche' im Szenario muss eine ganze Zahl sein.");
  const bool zuGross = riesig || (versuche.is_number_unsigned() && versuche.get<std::uint64_t>() > 2147483647u);
  const auto n = zuGross ? std::int64_t{0} : versuche.get<std::int64_t>();
  if (zuGross || n < -2147483648LL || n > 2147483647LL) {
    Falsch("Der Eintrag 'versuche' im Szenario (" +
           (riesig ? ExtendedText(versuche.get<long double>()) : versuche.dump()) +
           ") liegt außerhalb von -2.147.483.648 bis 2.147.483.647.");
  }
  s.Versuche = static_cast<std::int32_t>(n);
  if (!j["histogramm_kontinuierlich"].is_boolean()) {
    Falsch("Der Eintrag 'histogramm_kontinuierlich' im Szenario muss true oder false sein.");
  }
  s.HistogrammKontinuierlich = j["histogramm_kontinuierlich"].get<bool>();
  return s;
}

void SzenarioSpeichern(const std::string &pfad, const Szenario &szenario) {
  DateiSicherSchreiben(pfad, SzenarioAlsText(szenario));
}

Szenario SzenarioLaden(const std::string &pfad, std::vector<std::string> *hinweise) {
  return SzenarioAusText(DateiLesen(pfad, GroessteSzenarioDatei), hinweise);
}

} // namespace kwt
