#include "ErgebnisCsv.h"

#include <algorithm>

namespace kwt {

std::string ErgebnisCsv(const Laufergebnis &ergebnis, CsvTrenner trenner) {
  const char t = static_cast<char>(trenner);
  const std::span<const double> gespeichert = ergebnis.GespeicherteWerte();
  const std::size_t werte = gespeichert.size();
  const std::vector<std::string> &zeilen = ergebnis.Liste.Zeilen();
  std::string csv = std::string("Versuch") + t + "Wert" + t + "Zeile\r\n";
  csv.reserve(csv.size() + std::max(werte, zeilen.size()) * 32);
  for (std::size_t i = 0; i < std::max(werte, zeilen.size()); ++i) {
    if (i < werte) {
      csv += std::to_string(i + 1);
      csv += t;
      csv += std::to_string(static_cast<long long>(gespeichert[i]));
    } else {
      csv += t;
    }
    csv += t;
    if (i < zeilen.size()) csv += '"' + zeilen[i] + '"';
    csv += "\r\n";
  }
  return csv;
}

} // namespace kwt
