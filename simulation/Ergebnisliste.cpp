#include "Ergebnisliste.h"

#include <algorithm>

#include "W32_CLC.h"
#include "W32_STR.h"

namespace kwt {

std::string ErgebnisZeile(Extended wert) { return NullenAuffuellen(ZahlFormatieren(0, false, false, wert, false), 10); }

Extended MedianDerZeilen(const std::vector<std::string> &z) {
  const std::size_t c = z.size();
  if (c == 0) FehlerKeinGleitkommawert("");
  if (c % 2 == 0) return Durch(Plus(TextZuExtended(z[c / 2 - 1]), TextZuExtended(z[c / 2])), 2);
  return TextZuExtended(z[(c + 1) / 2 - 1]);
}

void Ergebnisliste::Leeren() {
  zeilen_.clear();
  verschiedene_.clear();
  weitere_.clear();
  sortiert_ = false;
}

void Ergebnisliste::Anhaengen(const std::string &zeile) {
  InFolgeAnhaengen(zeile);
  VerschiedeneAufnehmen(zeile);
}

void Ergebnisliste::InFolgeAnhaengen(const std::string &zeile) {
  if (zeilen_.size() < ZeilenInVersuchsfolge) zeilen_.push_back(zeile);
}

void Ergebnisliste::VerschiedeneAufnehmen(const std::string &zeile) { verschiedene_.insert(zeile); }

void Ergebnisliste::VerschiedeneAufnehmen(std::vector<std::string> zeilen) {
  if (weitere_.empty()) {
    weitere_ = std::move(zeilen);
  } else {
    weitere_.insert(weitere_.end(), std::make_move_iterator(zeilen.begin()), std::make_move_iterator(zeilen.end()));
  }
}

void Ergebnisliste::Sortieren() {
  zeilen_ = std::move(weitere_);
  weitere_.clear();
  zeilen_.insert(zeilen_.end(), verschiedene_.begin(), verschiedene_.end());
  std::sort(zeilen_.begin(), zeilen_.end());
  zeilen_.erase(std::unique(zeilen_.begin(), zeilen_.end()), zeilen_.end());
  sortiert_ = true;
}

std::string Ergebnisliste::ZwischenablageText() const {
  std::string text;
  text.reserve(zeilen_.size() * 12);
  for (const std::string &z : zeilen_) {
    text += z;
    text += "\r\n";
  }
  return text;
}

} // namespace kwt
