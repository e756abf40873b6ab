#include "ExaktAusgabe.h"

#include <algorithm>
#include <cmath>
#include <ostream>

#include "Textspalten.h"
#include "W32_CLC.h"

namespace kwt::cli {

namespace {

std::string Text(Extended x, int dezimalen) { return ZahlFormatieren(dezimalen, true, true, x, false); }

nlohmann::ordered_json Klassennummer(int k) {
  if (k < 0) return nullptr;
  return k + 1;
}

} // namespace

ExaktErgebnis ExaktBerechnen(const Bewertungsmodell &modell, const Parameterwerte &min, const Parameterwerte &max,
                             const Laufergebnis &lauf, const std::vector<Extended> &schwellen) {
  ExaktErgebnis ergebnis;
  try {
    Bewertungsmodell kopie = modell;
    kopie.VerteilungenVorbereiten(min, max);
    ergebnis.Verteilung = ExakteVerteilungBerechnen(kopie.Verteilungen);
    const ExakteVerteilung &e = *ergebnis.Verteilung;
    ergebnis.Vergleich = StichprobeVergleichen(e, lauf);
    ergebnis.Bereiche = WertebereicheBerechnen(e);
    ergebnis.Sobol = SobolindizesBerechnen(e);
    std::vector<double> sortiert(lauf.GespeicherteWerte().begin(), lauf.GespeicherteWerte().end());
    std::sort(sortiert.begin(), sortiert.end());
    for (Extended betrag : schwellen) ergebnis.Schwellen.push_back(PreisschwelleBerechnen(e, sortiert, betrag));
  } catch (const GleitkommaFehler &f) {
    ergebnis.Fehler = f.what();
  }
  return ergebnis;
}

void SchwellenTextAusgeben(std::ostream &aus, const std::vector<Preisschwelle> &schwellen, bool mitStichprobe) {
  aus << Links("Preisschwelle", 22) << Rechts("exakt unter", 14) << Rechts("exakt ab", 14);
  if (mitStichprobe) aus << Rechts("Stichprobe unter", 18) << Rechts("Stichprobe ab", 15);
  aus << '\n';
  for (const Preisschwelle &s : schwellen) {
    aus << Links(s.BetragText, 22) << Rechts(s.ExaktUnterText, 14) << Rechts(s.ExaktAbText, 14);
    if (mitStichprobe) aus << Rechts(s.StichprobeUnterText, 18) << Rechts(s.StichprobeAbText, 15);
    aus << '\n';
  }
}

nlohmann::ordered_json SchwelleJson(const Preisschwelle &s, bool mitStichprobe) {
  nlohmann::ordered_json j;
  j["betrag"] = JsonZahl(s.Betrag);
  j["betrag_text"] = s.BetragText;
  j["exakt_unter"] = JsonZahl(s.ExaktUnter);
  j["exakt_unter_text"] = s.ExaktUnterText;
  j["exakt_ab"] = JsonZahl(s.ExaktAb);
  j["exakt_ab_text"] = s.ExaktAbText;
  if (mitStichprobe) {
    j["stichprobe_unter"] = JsonZahl(s.StichprobeUnter);
    j["stichprobe_unter_text"] = s.StichprobeUnterText;
    j["stichprobe_ab"] = JsonZahl(s.StichprobeAb);
    j["stichprobe_ab_text"] = s.StichprobeAbText;
  }
  return j;
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
  for (const Wertebereich &b : ergebnis.Bereiche) aus << b.Satz << '\n';
  if (!ergebnis.Schwellen.empty()) {
    aus << '\n';
    SchwellenTextAusgeben(aus, ergebnis.Schwellen, mitStichprobe);
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
  aus << '\n' << Links("Varianzanteile (Sobol-Indizes)", 32) << Rechts("erster Ordnung", 16) << Rechts("gesamt", 10) << '\n';
  for (const Empfindlichkeit &t : e.Tornado) {
    const Sobolindex &s = ergebnis.Sobol[t.Param];
    aus << Links(ParameterBezeichnung[t.Param], 32) << Rechts(s.ErsterOrdnungText, 16) << Rechts(s.GesamtText, 10) << '\n';
  }
  aus << SobolErklaerung << '\n';
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
  j["anteil_berechenbar"] = JsonZahl(e.AnteilBerechenbar);
  j["stichprobe_umfang"] = v.Umfang;
  nlohmann::ordered_json kennzahlen;
  for (std::size_t i = 0; i < v.Zeilen.size(); ++i) {
    const Vergleichszeile &z = v.Zeilen[i];
    nlohmann::ordered_json k;
    k["beschriftung"] = z.Beschriftung;
    k["exakt"] = JsonZahl(z.Exakt);
    k["exakt_text"] = z.ExaktText;
    if (v.Umfang > 0) {
      k["stichprobe"] = JsonZahl(z.Stichprobe);
      k["stichprobe_text"] = z.StichprobeText;
      k["differenz"] = JsonZahl(z.Differenz);
      k["differenz_text"] = z.DifferenzText;
      k["differenz_prozent_text"] = z.DifferenzProzentText;
    }
    kennzahlen[ExakteKennzahlen[i].Name] = k;
  }
  j["kennzahlen"] = kennzahlen;
  if (v.Umfang > 0 && !e.Leer()) {
    j["ks_abstand"] = JsonZahl(v.KsAbstand);
    j["ks_abstand_text"] = v.KsAbstandText;
    j["ks_stelle"] = v.KsStelle;
    j["ks_grenze"] = JsonZahl(v.KsGrenze);
  }
  nlohmann::ordered_json fehler = nlohmann::ordered_json::array();
  for (const ExakterFehler &f : e.Fehler) {
    fehler.push_back({{"meldung", f.Meldung},
                      {"wahrscheinlichkeit", JsonZahl(f.Wahrscheinlichkeit)},
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
    t["mitte_tief"] = JsonZahl(s.MitteTief);
    t["mitte_hoch"] = JsonZahl(s.MitteHoch);
    t["mittel_tief"] = JsonZahl(s.MittelTief);
    t["mittel_tief_text"] = zeilen[i].MittelTiefText;
    t["mittel_hoch"] = JsonZahl(s.MittelHoch);
    t["mittel_hoch_text"] = zeilen[i].MittelHochText;
    t["spanne"] = JsonZahl(s.Spanne);
    t["spanne_text"] = zeilen[i].SpanneText;
    tornado.push_back(t);
  }
  j["empfindlichkeit"] = tornado;
  nlohmann::ordered_json sobol;
  for (const Sobolindex &s : ergebnis.Sobol) {
    sobol[std::string(ParameterKuerzel[s.Param])] = {{"erster_ordnung", JsonZahl(s.ErsterOrdnung)},
                                                     {"erster_ordnung_text", s.ErsterOrdnungText},
                                                     {"gesamt", JsonZahl(s.Gesamt)},
                                                     {"gesamt_text", s.GesamtText}};
  }
  j["sobol"] = sobol;
  nlohmann::ordered_json bereiche = nlohmann::ordered_json::array();
  for (const Wertebereich &b : ergebnis.Bereiche) {
    bereiche.push_back({{"prozent", b.Prozent},
                        {"unten", JsonZahl(b.Unten)},
                        {"unten_text", BetragText(b.Unten)},
                        {"oben", JsonZahl(b.Oben)},
                        {"oben_text", BetragText(b.Oben)},
                        {"satz", b.Satz}});
  }
  j["wertebereiche"] = bereiche;
  nlohmann::ordered_json schwellen = nlohmann::ordered_json::array();
  for (const Preisschwelle &s : ergebnis.Schwellen) schwellen.push_back(SchwelleJson(s, v.Umfang > 0));
  j["schwellen"] = schwellen;
  return j;
}

} // namespace kwt::cli
