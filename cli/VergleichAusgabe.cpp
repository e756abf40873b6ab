#include "VergleichAusgabe.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "ExaktAusgabe.h"
#include "Variantenvergleich.h"
#include "Textspalten.h"
#include "W32_CLC.h"

namespace kwt::cli {

namespace {

std::string Anzahl(std::size_t n) { return ZahlFormatieren(0, true, true, static_cast<Extended>(n), false); }

std::string Kopf(const ExakteVerteilung &e) {
  return Anzahl(e.Werte.size()) + " Werte aus " + Anzahl(static_cast<std::size_t>(e.Kombinationen)) +
         " Klassenkombinationen";
}

} // namespace

int VergleichAusgeben(const Auftrag &auftrag, std::ostream &aus, std::ostream &fehler) {
  const VergleichsAuftrag &v = *auftrag.Vergleich;
  std::array<ExakteVerteilung, 2> e;
  for (std::size_t i = 0; i < 2; ++i) {
    const Szenario &s = v.Varianten[i];
    try {
      e[i] = VarianteBerechnen(s.Min, s.Max, s.Prozent);
    } catch (const GleitkommaFehler &f) {
      const std::string meldung = std::string("Variante ") + (i == 0 ? "A" : "B") + ": " + f.what();
      if (auftrag.Json) aus << nlohmann::ordered_json{{"fehler", meldung}}.dump(2) << '\n';
      fehler << "kwt-mc: " << meldung << "\n";
      return 1;
    }
  }
  const Variantenvergleich vergleich = VariantenVergleichen(e[0], e[1]);
  std::array<std::vector<Preisschwelle>, 2> schwellen;
  for (std::size_t i = 0; i < 2; ++i)
    for (Extended betrag : auftrag.Schwellen) schwellen[i].push_back(PreisschwelleBerechnen(e[i], {}, betrag));

  if (auftrag.Json) {
    nlohmann::ordered_json j;
    for (std::size_t i = 0; i < 2; ++i) {
      nlohmann::ordered_json variante;
      variante["datei"] = v.Dateien[i];
      variante["kombinationen"] = e[i].Kombinationen;
      variante["werte"] = e[i].Werte.size();
      variante["anteil_berechenbar"] = JsonZahl(e[i].AnteilBerechenbar);
      nlohmann::ordered_json liste = nlohmann::ordered_json::array();
      for (const Preisschwelle &s : schwellen[i]) liste.push_back(SchwelleJson(s, false));
      variante["schwellen"] = liste;
      j[i == 0 ? "a" : "b"] = variante;
    }
    nlohmann::ordered_json kennzahlen;
    for (std::size_t z = 0; z < vergleich.Zeilen.size(); ++z) {
      const Variantenzeile &zeile = vergleich.Zeilen[z];
      kennzahlen[ExakteKennzahlen[z].Name] = {{"beschriftung", zeile.Beschriftung},
                                              {"a", JsonZahl(zeile.A)},
                                              {"a_text", zeile.AText},
                                              {"b", JsonZahl(zeile.B)},
                                              {"b_text", zeile.BText},
                                              {"differenz", JsonZahl(zeile.Differenz)},
                                              {"differenz_text", zeile.DifferenzText},
                                              {"differenz_prozent_text", zeile.DifferenzProzentText}};
    }
    j["kennzahlen"] = kennzahlen;
    j["p_b_hoeher"] = JsonZahl(vergleich.BHoeher);
    j["p_b_hoeher_text"] = vergleich.BHoeherText;
    j["p_gleich"] = JsonZahl(vergleich.Gleich);
    j["p_gleich_text"] = vergleich.GleichText;
    j["p_b_niedriger"] = JsonZahl(vergleich.BNiedriger);
    j["p_b_niedriger_text"] = vergleich.BNiedrigerText;
    aus << nlohmann::ordered_json{{"vergleich", j}}.dump(2) << '\n';
    return 0;
  }

  aus << "Vergleich zweier Varianten (exakte Verteilungen, ohne Lauf)\n";
  for (std::size_t i = 0; i < 2; ++i)
    aus << (i == 0 ? "A: " : "B: ") << v.Dateien[i] << " (" << Kopf(e[i]) << ")\n";
  aus << '\n' << Links("", 22) << Rechts("A", 14) << Rechts("B", 14) << Rechts("B − A", 14) << Rechts("B − A (%)", 12)
      << '\n';
  for (const Variantenzeile &z : vergleich.Zeilen) {
    aus << Links(z.Beschriftung, 22) << Rechts(z.AText, 14) << Rechts(z.BText, 14) << Rechts(z.DifferenzText, 14)
        << Rechts(z.DifferenzProzentText, 12) << '\n';
  }
  aus << "\nP(VKW_B > VKW_A) = " << vergleich.BHoeherText << " (unabhängige Varianten; gleiche Werte: "
      << vergleich.GleichText << ", P(VKW_B < VKW_A) = " << vergleich.BNiedrigerText << ")\n";
  for (std::size_t i = 0; i < 2; ++i) {
    if (schwellen[i].empty()) continue;
    aus << "\nVariante " << (i == 0 ? "A" : "B") << ":\n";
    SchwellenTextAusgeben(aus, schwellen[i], false);
  }
  return 0;
}

} // namespace kwt::cli
