#include "GenauigkeitAusgabe.h"

#include <cmath>
#include <ostream>

#include "W32_CLC.h"

namespace kwt::cli {

namespace {

nlohmann::ordered_json Zahl(Extended x) {
  if (!std::isfinite(x)) return nullptr;
  return static_cast<double>(x);
}

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
  j["mittelwert"] = Zahl(g.Mittelwert);
  j["standardabweichung"] = Zahl(g.Standardabweichung);
  j["standardfehler"] = Zahl(g.Standardfehler);
  j["standardfehler_text"] = g.StandardfehlerText;
  j["mittelwert_unten"] = Zahl(g.MittelUnten);
  j["mittelwert_oben"] = Zahl(g.MittelOben);
  j["mittelwert_intervall_text"] = g.MittelIntervallText;
  const bool median = g.RangUnten > 0;
  j["median_rang_unten"] = median ? nlohmann::ordered_json(g.RangUnten) : nullptr;
  j["median_rang_oben"] = median ? nlohmann::ordered_json(g.RangOben) : nullptr;
  j["median_unten"] = median ? nlohmann::ordered_json(g.MedianUnten) : nullptr;
  j["median_oben"] = median ? nlohmann::ordered_json(g.MedianOben) : nullptr;
  j["median_niveau"] = Zahl(g.MedianNiveau);
  j["median_intervall_text"] = g.MedianIntervallText;
  nlohmann::ordered_json bedarf = nlohmann::ordered_json::array();
  for (const Versuchsbedarf &b : g.Bedarf) {
    bedarf.push_back({{"genauigkeit", Zahl(b.Genauigkeit)},
                      {"genauigkeit_text", b.GenauigkeitText},
                      {"versuche", b.Versuche < 0x1p62L ? nlohmann::ordered_json(static_cast<std::int64_t>(b.Versuche)) : Zahl(b.Versuche)},
                      {"versuche_text", b.VersucheText}});
  }
  j["versuche_noetig"] = bedarf;
  return j;
}

} // namespace kwt::cli
