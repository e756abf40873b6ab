#include "GenauigkeitAusgabe.h"

#include <cmath>
#include <ostream>

#include "Textspalten.h"
#include "W32_CLC.h"

namespace kwt::cli {

namespace {

std::string Anzahl(std::int64_t n) { return ZahlFormatieren(0, true, true, static_cast<Extended>(n), false); }

} // namespace

void GenauigkeitTextAusgeben(std::ostream &aus, const Stichprobengenauigkeit &g) {
  aus << "\nGenauigkeit der Stichprobe (" << Anzahl(g.Umfang) << " gespeicherte Versuche, aufgerundete Werte)\n"
      << g.StandardfehlerSatz << '\n'
      << g.MedianSatz << '\n'
      << g.BedarfSatz << '\n';
}

nlohmann::ordered_json GenauigkeitJson(const Stichprobengenauigkeit &g) {
  nlohmann::ordered_json j;
  j["umfang"] = g.Umfang;
  j["mittelwert"] = JsonZahl(g.Mittelwert);
  j["standardabweichung"] = JsonZahl(g.Standardabweichung);
  j["standardfehler"] = JsonZahl(g.Standardfehler);
  j["standardfehler_text"] = g.StandardfehlerText;
  j["mittelwert_unten"] = JsonZahl(g.MittelUnten);
  j["mittelwert_oben"] = JsonZahl(g.MittelOben);
  j["mittelwert_intervall_text"] = g.MittelIntervallText;
  const bool median = g.RangUnten > 0;
  j["median_rang_unten"] = median ? nlohmann::ordered_json(g.RangUnten) : nullptr;
  j["median_rang_oben"] = median ? nlohmann::ordered_json(g.RangOben) : nullptr;
  j["median_unten"] = median ? nlohmann::ordered_json(g.MedianUnten) : nullptr;
  j["median_oben"] = median ? nlohmann::ordered_json(g.MedianOben) : nullptr;
  j["median_niveau"] = JsonZahl(g.MedianNiveau);
  j["median_intervall_text"] = g.MedianIntervallText;
  nlohmann::ordered_json bedarf = nlohmann::ordered_json::array();
  for (const Versuchsbedarf &b : g.Bedarf) {
    bedarf.push_back({{"genauigkeit", JsonZahl(b.Genauigkeit)},
                      {"genauigkeit_text", b.GenauigkeitText},
                      {"versuche", b.Versuche < 0x1p62L ? nlohmann::ordered_json(static_cast<std::int64_t>(b.Versuche)) : JsonZahl(b.Versuche)},
                      {"versuche_text", b.VersucheText}});
  }
  j["versuche_noetig"] = bedarf;
  return j;
}

} // namespace kwt::cli
