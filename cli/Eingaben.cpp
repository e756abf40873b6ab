#include "Eingaben.h"

#include "W32_CLC.h"

namespace kwt::cli {

namespace {

// The double nearest to x, whatever the program's rounding mode: an input typed as 4.8 is given
// out as 4.8. The operand is read and the result written through volatile memory inside the scope
// of round-to-nearest, so that g++ cannot move the conversion out of it.
double Naechste(Extended x) {
  volatile Extended ein = x;
  volatile double aus = 0;
  {
    const RundungZumNaechsten naechste;
    aus = static_cast<double>(ein);
  }
  return aus;
}

std::string Text(Extended x) { return ZahlFormatieren(2, true, true, x, false); }

template <class Werte> void Zahlen(nlohmann::ordered_json &j, const std::string &name, const Werte &werte) {
  nlohmann::ordered_json zahlen = nlohmann::ordered_json::array(), texte = nlohmann::ordered_json::array();
  for (Extended x : werte) {
    zahlen.push_back(Naechste(x));
    texte.push_back(Text(x));
  }
  j[name] = zahlen;
  j[name + "_text"] = texte;
}

} // namespace

nlohmann::ordered_json EingabenJson(const Auftrag &a) {
  nlohmann::ordered_json eingaben;
  for (Parameter p : AlleParameter) {
    nlohmann::ordered_json j;
    j["min"] = Naechste(a.Min[p]);
    j["max"] = Naechste(a.Max[p]);
    j["min_text"] = Text(a.Min[p]);
    j["max_text"] = Text(a.Max[p]);
    Zahlen(j, "prozent", a.Prozent[p]);
    if (a.Formen[p]) {
      nlohmann::ordered_json form;
      form["art"] = FormEintragVon(a.Formen[p]->Art).Kuerzel;
      Zahlen(form, "zahlen", a.Formen[p]->Zahlen);
      j["form"] = form;
    }
    if (p == RND && a.RndModell) {
      const RndModellEingabe &m = *a.RndModell;
      j["rnd_modell"] = {{"gnd", Naechste(m.Gnd)},
                         {"alter", Naechste(m.Alter)},
                         {"punkte_min", m.PunkteVon},
                         {"punkte_max", m.PunkteBis},
                         {"alter_als_gnd", m.Alter > m.Gnd}};
    }
    eingaben[std::string(ParameterKuerzel[p])] = j;
  }
  return eingaben;
}

} // namespace kwt::cli
