#include "Vergleich.h"

#include <future>

#include "W32_CLC.h"

namespace kwt {

namespace {

std::string Kopf(const ExakteVerteilung &e) {
  const auto anzahl = [](std::size_t n) { return ZahlFormatieren(0, true, true, static_cast<Extended>(n), false); };
  return anzahl(e.Werte.size()) + (e.Werte.size() == 1 ? " Wert aus " : " Werte aus ") +
         anzahl(static_cast<std::size_t>(e.Kombinationen)) +
         (e.Kombinationen == 1 ? " Klassenkombination" : " Klassenkombinationen");
}

} // namespace

Vergleichsauswertung VergleichBerechnen(const Bewertungsmodell &modell, const Parameterwerte &min,
                                        const Parameterwerte &max, const Szenario &b, const std::string &nameB,
                                        const std::vector<Extended> &schwellen) {
  std::array<Klassenwerte, ParameterAnzahl> prozentA;
  for (Parameter p : AlleParameter) prozentA[p] = modell.Verteilungen[p].Prozent;
  Vergleichsauswertung v;
  v.Namen = {"aktuelle Eingaben", nameB};
  v.B = b;
  // Both distributions at once, B on a thread of its own that computes like the main thread (upward
  // rounding, 64-bit mantissa); a failure of B arrives here through the future.
  // A variant whose tables cannot be prepared is named in the message.
  const auto berechnen = [&v](std::size_t i, const Parameterwerte &mi, const Parameterwerte &ma,
                              const std::array<Klassenwerte, ParameterAnzahl> &prozent) {
    try {
      return VarianteBerechnen(mi, ma, prozent);
    } catch (const GleitkommaFehler &f) {
      throw GleitkommaFehler(std::string(i == 0 ? "Variante A (" : "Variante B (") + v.Namen[i] + "): " + f.what());
    }
  };
  auto varianteB = std::async(std::launch::async, [&] {
    StandardRundungUebernehmen();
    return berechnen(1, b.Min, b.Max, b.Prozent);
  });
  v.Varianten[0] = berechnen(0, min, max, prozentA);
  v.Varianten[1] = varianteB.get();
  v.Vergleich = VariantenVergleichen(v.Varianten[0], v.Varianten[1]);
  for (std::size_t i = 0; i < 2; ++i) {
    v.Koepfe[i] = Kopf(v.Varianten[i]);
    v.Kurven[i] = v.Varianten[i].Kurve();
    for (Extended betrag : schwellen) v.Schwellen[i].push_back(PreisschwelleBerechnen(v.Varianten[i], {}, betrag));
  }
  return v;
}

} // namespace kwt
