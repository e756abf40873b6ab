// A test double for what a run shows: it records every call and can act inside the message
// processing of a chosen trial, as a user's click would.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "LaufAnzeige.h"

namespace kwt::test {

class AufzeichnendeAnzeige : public LaufAnzeige {
public:
  std::vector<std::int32_t> versuche;
  std::vector<int> fortschritt;
  std::map<Kennzahl, std::string> kennzahlen;
  bool kontinuierlich = false;
  int leerungen = 0;
  int zeichnungen = 0;
  std::vector<std::int32_t> letzteHaeufigkeit;
  std::vector<RHKurve> kurven;
  std::vector<std::string> zwischenablage;
  std::vector<std::string> reihenfolge; // names of the calls, for order checks
  // Called inside Fortschritt of the given trial (the window's message processing).
  std::map<std::int32_t, std::function<void()>> beiVersuch;

  void VersuchZeigen(std::int32_t v) override { versuche.push_back(v); }
  void Fortschritt(int prozent) override {
    fortschritt.push_back(prozent);
    if (auto it = beiVersuch.find(versuche.empty() ? 0 : versuche.back()); it != beiVersuch.end()) it->second();
  }
  void KennzahlZeigen(Kennzahl k, const std::string &text) override {
    kennzahlen[k] = text;
    reihenfolge.push_back(KennzahlEintragVon(k).Name);
  }
  bool HistogrammKontinuierlich() const override { return kontinuierlich; }
  void HistogrammLeeren() override { ++leerungen; }
  void HistogrammZeichnen(const Histogramm &h) override {
    ++zeichnungen;
    letzteHaeufigkeit.assign(h.Haeufigkeit.begin(), h.Haeufigkeit.begin() + h.KlassenAnzahl);
  }
  void KurveZeichnen(const RHKurve &k) override { kurven.push_back(k); }
  void Zwischenablage(const std::string &text) override {
    zwischenablage.push_back(text);
    reihenfolge.push_back("Zwischenablage");
  }
  std::string Kennzahl_(Kennzahl k) const {
    auto it = kennzahlen.find(k);
    return it == kennzahlen.end() ? "<nicht gesetzt>" : it->second;
  }
};

} // namespace kwt::test
