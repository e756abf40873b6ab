#include "Ergebnisliste.h"

#include <algorithm>
#include <cstdint>

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

namespace {

// A line of at most ten characters from "-0123456789" as a 40-bit number whose order is the lines'
// character order: four bits a character, '-' below the digits, missing characters (a shorter line)
// below everything. Sorting these numbers is several times faster than sorting the strings, which
// matters when "Stop" ends a long run with a hundred thousand distinct lines.
bool AlsSchluessel(const std::string &zeile, std::uint64_t &schluessel) {
  if (zeile.size() > 10) return false;
  schluessel = 0;
  for (std::size_t i = 0; i < 10; ++i) {
    std::uint64_t code = 0;
    if (i < zeile.size()) {
      const char c = zeile[i];
      if (c == '-') code = 1;
      else if (c >= '0' && c <= '9') code = static_cast<std::uint64_t>(c - '0') + 2;
      else return false;
    }
    schluessel = schluessel << 4 | code;
  }
  return true;
}

std::string AusSchluessel(std::uint64_t schluessel) {
  std::string zeile;
  for (int i = 9; i >= 0; --i) {
    const auto code = static_cast<unsigned>(schluessel >> (4 * i) & 0xF);
    if (code == 0) break;
    zeile += code == 1 ? '-' : static_cast<char>('0' + code - 2);
  }
  return zeile;
}

} // namespace

void Ergebnisliste::Sortieren() {
  zeilen_ = std::move(weitere_);
  weitere_.clear();
  zeilen_.insert(zeilen_.end(), verschiedene_.begin(), verschiedene_.end());
  std::vector<std::uint64_t> schluessel(zeilen_.size());
  bool alle = true;
  for (std::size_t i = 0; i < zeilen_.size() && alle; ++i) alle = AlsSchluessel(zeilen_[i], schluessel[i]);
  if (alle) {
    std::sort(schluessel.begin(), schluessel.end());
    schluessel.erase(std::unique(schluessel.begin(), schluessel.end()), schluessel.end());
    zeilen_.resize(schluessel.size());
    for (std::size_t i = 0; i < schluessel.size(); ++i) zeilen_[i] = AusSchluessel(schluessel[i]);
  } else {
    std::sort(zeilen_.begin(), zeilen_.end());
    zeilen_.erase(std::unique(zeilen_.begin(), zeilen_.end()), zeilen_.end());
  }
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
