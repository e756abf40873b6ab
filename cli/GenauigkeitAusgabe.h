// kwt-mc's block on the precision of a run's sample (Stichprobengenauigkeit.h): the standard error of
// the mean, the median's distribution-free 95 % interval and the trials a mean within ±1 %, ±0,5 %
// and ±0,1 % would need; as text after the nine figures and as the JSON object "genauigkeit".
#pragma once

#include <iosfwd>

#include <nlohmann/json.hpp>

#include "Stichprobengenauigkeit.h"

namespace kwt::cli {

void GenauigkeitTextAusgeben(std::ostream &aus, const Stichprobengenauigkeit &g);
nlohmann::ordered_json GenauigkeitJson(const Stichprobengenauigkeit &g);

} // namespace kwt::cli
