#include "Szenario.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <unistd.h>

#include "Dateipfad.h"
#include "W32_CLC.h"

namespace kwt {

namespace {

// Numbers in extended precision: the lexer reads them with strtold.
using Json = nlohmann::basic_json<std::map, std::vector, std::string, bool, std::int64_t, std::uint64_t, long double>;

constexpr const char *FormatName = "KWT-Szenario";
constexpr std::size_t GroessteDatei = 1 << 20;

[[noreturn]] void Falsch(const std::string &meldung) { throw SzenarioFehler(meldung); }

void NurDieseSchluessel(const Json &objekt, const std::string &wo, const std::set<std::string> &schluessel) {
  for (const std::string &s : schluessel) {
    if (!objekt.contains(s)) Falsch("Im Szenario fehlt der Eintrag '" + wo + s + "'.");
  }
  for (auto it = objekt.begin(); it != objekt.end(); ++it) {
    if (!schluessel.count(it.key())) Falsch("Unbekannter Eintrag '" + wo + it.key() + "' im Szenario.");
  }
}

const Json &Objekt(const Json &j, const std::string &name) {
  if (!j.is_object()) Falsch("Der Eintrag '" + name + "' im Szenario muss ein Objekt sein.");
  return j;
}

// A number as its entry field holds it: finite, at most two decimals, below 10^stellen in magnitude.
Extended Feldwert(const Json &j, const std::string &name, int stellen) {
  Extended x = 0;
  if (j.is_number()) {
    x = j.get<long double>();
  } else if (!j.is_string() || !TextZuExtendedVersuchen(j.get<std::string>(), x)) {
    Falsch("Der Eintrag '" + name + "' im Szenario ist keine Zahl.");
  }
  if (!std::isfinite(x)) Falsch("Der Eintrag '" + name + "' im Szenario ist keine endliche Zahl.");
  Extended grenze = 1;
  for (int i = 0; i < stellen; ++i) grenze *= 10;
  if (!(std::fabs(x) < grenze)) {
    Falsch("Der Eintrag '" + name + "' im Szenario liegt außerhalb dessen, was das Feld fassen kann (" +
           std::to_string(stellen) + " Stellen vor dem Komma).");
  }
  // Two decimals: the value must be the one its text with two decimals stands for.
  if (AufDezimalenRunden(x, 2) != x) {
    Falsch("Der Eintrag '" + name + "' im Szenario hat mehr als zwei Nachkommastellen.");
  }
  return x;
}

// Builds the document as the library's own parser does, but reads every number with a fraction or
// an exponent from its text with the program's conversion: the library would call the C runtime's
// strtold, whose results depend on the system and its rounding mode.
class JsonLeser {
public:
  explicit JsonLeser(Json &wurzel) : wurzel_(wurzel) {}

  bool null() { return Wert(nullptr); }
  bool boolean(bool b) { return Wert(b); }
  bool number_integer(Json::number_integer_t n) { return Wert(n); }
  bool number_unsigned(Json::number_unsigned_t n) { return Wert(n); }
  bool number_float(Json::number_float_t, const std::string &text) {
    Extended x = 0;
    // The grammar has been checked; a number that does not convert lies beyond the extended range.
    if (!TextZuExtendedVersuchen(text, x)) {
      x = text.front() == '-' ? -std::numeric_limits<Extended>::infinity() : std::numeric_limits<Extended>::infinity();
    }
    return Wert(x);
  }
  bool string(std::string &s) { return Wert(std::move(s)); }
  bool binary(Json::binary_t &) { return false; }
  bool start_object(std::size_t) { return Oeffnen(Json::object()); }
  bool key(std::string &k) {
    schluessel_ = std::move(k);
    return true;
  }
  bool end_object() { return Schliessen(); }
  bool start_array(std::size_t) { return Oeffnen(Json::array()); }
  bool end_array() { return Schliessen(); }
  bool parse_error(std::size_t, const std::string &, const Json::exception &) { return false; }

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
};

Json Parsen(const std::string &text) {
  Json j;
  JsonLeser leser(j);
  if (!Json::sax_parse(text, &leser)) return Json(Json::value_t::discarded);
  return j;
}

} // namespace

std::string SzenarioAlsText(const Szenario &s) {
  nlohmann::ordered_json j;
  j["format"] = FormatName;
  j["version"] = SzenarioFormatVersion;
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
  j["versuche"] = s.Versuche;
  j["histogramm_kontinuierlich"] = s.HistogrammKontinuierlich;
  return j.dump(2) + "\n";
}

Szenario SzenarioAusText(const std::string &text) {
  if (text.size() > GroessteDatei) Falsch("Die Datei ist zu groß für ein Szenario.");
  const Json j = Parsen(text);
  if (j.is_discarded()) {
    Falsch("Die Datei ist kein Szenario: sie ist kein gültiges JSON oder unvollständig.");
  }
  if (!j.is_object() || !j.contains("format") || j["format"] != FormatName) {
    Falsch("Die Datei ist kein KWT-Szenario.");
  }
  if (!j.contains("version") || !j["version"].is_number_integer()) {
    Falsch("Die Formatversion des Szenarios fehlt oder ist keine ganze Zahl.");
  }
  const auto version = j["version"].get<std::int64_t>();
  if (version > SzenarioFormatVersion) {
    Falsch("Das Szenario hat die Formatversion " + std::to_string(version) + "; dieses Programm liest Version " +
           std::to_string(SzenarioFormatVersion) + ". Bitte eine neuere Programmversion verwenden.");
  }
  if (version < 1) Falsch("Die Formatversion " + std::to_string(version) + " des Szenarios gibt es nicht.");
  NurDieseSchluessel(j, "", {"format", "version", "grenzen", "prozent", "versuche", "histogramm_kontinuierlich"});

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
      s.Prozent[p][k] = Feldwert(zeile[static_cast<std::size_t>(k)],
                                 "prozent." + name + "[" + std::to_string(k + 1) + "]", StellenProzent);
    }
  }
  const Json &versuche = j["versuche"];
  if (!versuche.is_number_integer()) Falsch("Der Eintrag 'versuche' im Szenario muss eine ganze Zahl sein.");
  const auto n = versuche.get<std::int64_t>();
  if (versuche.is_number_unsigned() && versuche.get<std::uint64_t>() > 2147483647u) {
    Falsch("Der Eintrag 'versuche' im Szenario liegt außerhalb von -2.147.483.648 bis 2.147.483.647.");
  }
  if (n < -2147483648LL || n > 2147483647LL) {
    Falsch("Der Eintrag 'versuche' im Szenario liegt außerhalb von -2.147.483.648 bis 2.147.483.647.");
  }
  s.Versuche = static_cast<std::int32_t>(n);
  if (!j["histogramm_kontinuierlich"].is_boolean()) {
    Falsch("Der Eintrag 'histogramm_kontinuierlich' im Szenario muss true oder false sein.");
  }
  s.HistogrammKontinuierlich = j["histogramm_kontinuierlich"].get<bool>();
  return s;
}

void DateiSicherSchreiben(const std::string &pfad, const std::string &inhalt) {
  const std::filesystem::path ziel = DateiPfad(pfad);
  const std::filesystem::path temp = DateiPfad(pfad + ".tmp-" + std::to_string(::getpid()));
  std::error_code fehler;
  {
    std::ofstream datei(temp, std::ios::binary | std::ios::trunc);
    datei << inhalt;
    datei.flush();
    if (!datei) {
      std::filesystem::remove(temp, fehler);
      Falsch("Die Datei '" + pfad + "' kann nicht geschrieben werden.");
    }
  }
  // std::filesystem::rename replaces an existing file on Windows too (std::rename does not there).
  std::filesystem::rename(temp, ziel, fehler);
  if (fehler) {
    std::filesystem::remove(temp, fehler);
    Falsch("Die Datei '" + pfad + "' kann nicht geschrieben werden.");
  }
}

void SzenarioSpeichern(const std::string &pfad, const Szenario &szenario) {
  DateiSicherSchreiben(pfad, SzenarioAlsText(szenario));
}

Szenario SzenarioLaden(const std::string &pfad) {
  std::ifstream datei(DateiPfad(pfad), std::ios::binary);
  if (!datei) Falsch("Die Datei '" + pfad + "' kann nicht geöffnet werden.");
  std::string text;
  char puffer[4096];
  while (datei.read(puffer, sizeof puffer) || datei.gcount() > 0) {
    text.append(puffer, static_cast<std::size_t>(datei.gcount()));
    if (text.size() > GroessteDatei) Falsch("Die Datei '" + pfad + "' ist zu groß für ein Szenario.");
  }
  return SzenarioAusText(text);
}

} // namespace kwt
