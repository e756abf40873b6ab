#include "ExaktAusgabe.h"

#include <algorithm>
#include <cmath>
#include <ostream>

#include "W32_CLC.h"

namespace kwt::cli {

namespace {

std::size_t Zeichen(const std::string &s) {
  return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}
// Padding by characters, not bytes: the texts hold umlauts and dashes.
std::string Links(const std::string &s, std::size_t breite) {
  return s + std::string(breite - std::min(breite, Zeichen(s)), ' ');
}
std::string Rechts(const std::string &s, std::size_t breite) {
  return std::string(breite - std::min(breite, Zeichen(s)), ' ') + s;
}
std::string Text(Extended x, int dezimalen) { return ZahlFormatieren(dezimalen, true, true, x, false); }

// NaN becomes null, as nlohmann writes it.
nlohmann::ordered_json Zahl(Extended x) {
  if (!std::isfinite(x)) return nullptr;
  return static_cast<double>(x);
}
nlohmann::ordered_json Klassennummer(int k) {
  if (k < 0) return nullptr;
  return k + 1;
}

} // namespace

ExaktErgebnis ExaktBerechnen(const Bewertungsmodell &modell, const Parameterwerte &min, const Parameterwerte &max,
                             const Laufergebnis &lauf) {
  ExaktErgebnis ergebnis;
  try {
    Bewertungsmodell kopie = modell;
    kopie.VerteilungenVorbereiten(min, max);
    ergebnis.Verteilung = ExakteVerteilungBerechnen(kopie.Verteilungen);
    ergebnis.Vergleich = StichprobeVergleichen(*ergebnis.Verteilung, lauf);
  } catch (const GleitkommaFehler &f) {
    ergebnis.Fehler = f.what();
  }
  return ergebnis;
}

void ExaktTextAusgeben(std::ostream &aus, const ExaktErgebnis &ergebnis) {
  aus << "\nExakte Verteilung des Verkehrswerts";
  if (!ergebnis.Verteilung) {
    aus << ": " << ergebnis.Fehler << "\n";
    return;
  }
  const ExakteVerteilung &e = *ergebnis.Verteilung;
  const StichprobenVergleich &v = ergebnis.Vergleich;
  const bool mitStichprobe = v.Umfang > 0;
  aus << " (" << Text(static_cast<Extended>(e.Werte.size()), 0) << " Werte aus "
      << Text(static_cast<Extended>(e.Kombinationen), 0) << " Klassenkombinationen)\n";
  aus << Links("", 22) << Rechts("Exakt", 14);
  if (mitStichprobe) aus << Rechts("Stichprobe", 14) << Rechts("Differenz", 14) << Rechts("Differenz (%)", 15);
  aus << '\n';
  for (const Vergleichszeile &z : v.Zeilen) {
    aus << Links(z.Beschriftung, 22) << Rechts(z.ExaktText, 14);
    if (mitStichprobe)
      aus << Rechts(z.StichprobeText, 14) << Rechts(z.DifferenzText, 14) << Rechts(z.DifferenzProzentText, 15);
    aus << '\n';
  }
  if (mitStichprobe) {
    aus << "Stichprobe: " << Text(static_cast<Extended>(v.Umfang), 0)
        << " gespeicherte Versuche (aufgerundete Werte); p-Quantil: kleinster Wert v mit P(VKW ≤ v) ≥ p\n";
    if (!e.Leer()) {
      aus << "Kolmogorow-Smirnow-Abstand: " << v.KsAbstandText << " bei " << v.KsStelleText << " (Grenze 5 %: "
          << v.KsGrenzeText << ")\n";
    }
  }
  if (!e.Fehler.empty()) {
    aus << "\nNicht berechenbare Kombinationen (Anteil der Versuche)\n";
    for (const FehlerZeile &f : FehlerZeilen(e)) {
      aus << Links(f.Meldung, 32) << Rechts(f.WahrscheinlichkeitText, 14) << Rechts(f.KombinationenText, 12)
          << " Kombinationen\n";
    }
  }
  aus << "\nEmpfindlichkeit: exakter Mittelwert mit dem Parameter in seiner niedrigsten / höchsten gezogenen Klasse\n";
  for (const TornadoZeile &t : TornadoZeilen(e)) {
    aus << Links(t.Name, 24) << Links(t.KlasseTief, 24) << Rechts(t.MittelTiefText, 12) << "   "
        << Links(t.KlasseHoch, 24) << Rechts(t.MittelHochText, 12) << "   Spanne " << Rechts(t.SpanneText, 10) << '\n';
  }
}

nlohmann::ordered_json ExaktJson(const ExaktErgebnis &ergebnis) {
  nlohmann::ordered_json j;
  if (!ergebnis.Verteilung) {
    j["fehler"] = ergebnis.Fehler;
    return j;
  }
  const ExakteVerteilung &e = *ergebnis.Verteilung;
  const StichprobenVergleich &v = ergebnis.Vergleich;
  j["kombinationen"] = e.Kombinationen;
  j["werte"] = e.Werte.size();
  j["anteil_berechenbar"] = Zahl(e.AnteilBerechenbar);
  j["stichprobe_umfang"] = v.Umfang;
  nlohmann::ordered_json kennzahlen;
  for (std::size_t i = 0; i < v.Zeilen.size(); ++i) {
    const Vergleichszeile &z = v.Zeilen[i];
    nlohmann::ordered_json k;
    k["beschriftung"] = z.Beschriftung;
    k["exakt"] = Zahl(z.Exakt);
    k["exakt_text"] = z.ExaktText;
    if (v.Umfang > 0) {
      k["stichprobe"] = Zahl(z.Stichprobe);
      k["stichprobe_text"] = z.StichprobeText;
      k["differenz"] = Zahl(z.Differenz);
      k["differenz_text"] = z.DifferenzText;
      k["differenz_prozent_text"] = z.DifferenzProzentText;
    }
    kennzahlen[ExakteKennzahlen[i].Name] = k;
  }
  j["kennzahlen"] = kennzahlen;
  if (v.Umfang > 0 && !e.Leer()) {
    j["ks_abstand"] = Zahl(v.KsAbstand);
    j["ks_abstand_text"] = v.KsAbstandText;
    j["ks_stelle"] = v.KsStelle;
    j["ks_grenze"] = Zahl(v.KsGrenze);
  }
  nlohmann::ordered_json fehler = nlohmann::ordered_json::array();
  for (const ExakterFehler &f : e.Fehler) {
    fehler.push_back({{"meldung", f.Meldung},
                      {"wahrscheinlichkeit", Zahl(f.Wahrscheinlichkeit)},
                      {"wahrscheinlichkeit_text", ProzentText(f.Wahrscheinlichkeit)},
                      {"kombinationen", f.Kombinationen}});
  }
  j["nicht_berechenbar"] = fehler;
  nlohmann::ordered_json tornado = nlohmann::ordered_json::array();
  const std::vector<TornadoZeile> zeilen = TornadoZeilen(e);
  for (std::size_t i = 0; i < zeilen.size(); ++i) {
    const Empfindlichkeit &s = e.Tornado[i];
    nlohmann::ordered_json t;
    t["parameter"] = ParameterKuerzel[s.Param];
    t["name"] = ParameterBezeichnung[s.Param];
    t["klasse_tief"] = Klassennummer(s.KlasseTief);
    t["klasse_hoch"] = Klassennummer(s.KlasseHoch);
    t["mitte_tief"] = Zahl(s.MitteTief);
    t["mitte_hoch"] = Zahl(s.MitteHoch);
    t["mittel_tief"] = Zahl(s.MittelTief);
    t["mittel_tief_text"] = zeilen[i].MittelTiefText;
    t["mittel_hoch"] = Zahl(s.MittelHoch);
    t["mittel_hoch_text"] = zeilen[i].MittelHochText;
    t["spanne"] = Zahl(s.Spanne);
    t["spanne_text"] = zeilen[i].SpanneText;
    tornado.push_back(t);
  }
  j["empfindlichkeit"] = tornado;
  return j;
}

} // namespace kwt::cli
