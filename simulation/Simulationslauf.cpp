#include "Simulationslauf.h"

#include <algorithm>
#include <exception>
#include <thread>

#include "Kombinationen.h"
#include "Schnelllauf.h"
#include "W32_CLC.h"

namespace kwt {

Simulationslauf::Simulationslauf(Bewertungsmodell &modell) : modell_(modell) {}

Simulationslauf::~Simulationslauf() = default;

int Simulationslauf::FortschrittProzent(std::int32_t aktVersuch, std::int32_t anzahlVersuche) {
  if (anzahlVersuche == 0) return 0;
  return static_cast<int>(RundenInt64(Mal(Durch(aktVersuch, anzahlVersuche), 100)));
}

void Simulationslauf::ZaehlerZuruecksetzen() {
  ergebnis_.AnzahlVersuche = 0;
  ergebnis_.AktVersuch = 0;
  steuerung_.StopVerwerfen();
}

void HistogrammZaehlen(Laufergebnis &e, Extended wert, LaufAnzeige &anzeige) {
  const bool auffrischen = wert == -1;
  if (!auffrischen) {
    e.Histo.Zaehlen(wert, e.VkwMin, e.VkwMax);
    if (!anzeige.HistogrammKontinuierlich()) return;
  }
  anzeige.HistogrammZeichnen(e.Histo);
  if (auffrischen) {
    e.Kurve = RHKurveZeichnen(e.Histo, e.VkwMin);
    anzeige.KurveZeichnen(e.Kurve);
  }
}

void Simulationslauf::Auffrischen(LaufAnzeige &anzeige) { HistogrammZaehlen(ergebnis_, -1, anzeige); }

void Simulationslauf::KennzahlSetzen(LaufAnzeige &anzeige, Kennzahl k, Extended wert) {
  const std::string text = ZahlFormatieren(KennzahlEintragVon(k).Dezimalen, true, true, wert, false);
  ergebnis_.Anzeigen[static_cast<std::size_t>(k)] = text;
  ergebnis_.Kennwerte[static_cast<std::size_t>(k)] = wert;
  anzeige.KennzahlZeigen(k, text);
}

namespace {
struct LaufMarke {
  Laufsteuerung &steuerung;
  explicit LaufMarke(Laufsteuerung &s) : steuerung(s) { steuerung.LaufBeginnt(); }
  ~LaufMarke() { steuerung.LaufEndet(); }
};
} // namespace

const Laufergebnis &Simulationslauf::Ausfuehren(const Parameterwerte &min, const Parameterwerte &max,
                                                std::int32_t anzahlVersuche, LaufAnzeige &anzeige,
                                                const std::function<Extended()> &versuche) {
  LaufMarke marke(steuerung_);
  Laufergebnis &e = ergebnis_;
  e.Abbruch = Laufabbruch::Keiner;
  e.Fehlermeldung.clear();
  e.Kennwerte = {};
  e.Tabellen.reset();
  try {
    schritt_ = Laufabbruch::Vorbereitung;
    Vorbereiten(min, max, anzahlVersuche, anzeige);
    schritt_ = Laufabbruch::Versuch;
    const Extended summe = versuche();
    Abschliessen(summe, anzeige);
    e.Tabellen = modell_.Verteilungen;
  } catch (...) {
    e.Abbruch = schritt_;
    e.Fehlermeldung = MeldungZumFehler(std::current_exception());
  }
  schritt_ = Laufabbruch::Keiner;
  return e;
}

void Simulationslauf::Vorbereiten(const Parameterwerte &min, const Parameterwerte &max, std::int32_t anzahlVersuche,
                                  LaufAnzeige &anzeige) {
  Laufergebnis &e = ergebnis_;
  // Steps 1 to 4: tables, counters, list, stop flag (a stop requested before now is discarded).
  modell_.VerteilungenVorbereiten(min, max);
  e.AnzahlVersuche = anzahlVersuche;
  e.AktVersuch = 0;
  e.Liste.Leeren();
  steuerung_.StopVerwerfen();

  // Steps 5 to 8. The model keeps the three values for the formula; the result for its readers.
  e.VkwMin = modell_.VkwMin = modell_.VkwMinBerechnen();
  e.VkwMax = modell_.VkwMax = modell_.VkwMaxBerechnen();
  e.VkwGewichtet = modell_.VkwGewichtet = modell_.VkwGewichtetBerechnen();
  anzeige.HistogrammLeeren();
  e.Histo.Vorbereiten(e.AnzahlVersuche, e.VkwMin, e.VkwMax);
  e.Kurve = {};
  KennzahlSetzen(anzeige, Kennzahl::LMinVKW, e.VkwMin);
  KennzahlSetzen(anzeige, Kennzahl::LMaxVKW, e.VkwMax);
  KennzahlSetzen(anzeige, Kennzahl::LWeightedVKW, e.VkwGewichtet);
  KennzahlSetzen(anzeige, Kennzahl::LMittelVKW, Durch(Plus(e.VkwMin, e.VkwMax), 2));
  e.Werte.assign(static_cast<std::size_t>(Laufergebnis::WerteSpeicher), 0.0);
}

void Simulationslauf::Abschliessen(Extended summe, LaufAnzeige &anzeige) {
  Laufergebnis &e = ergebnis_;
  schritt_ = Laufabbruch::Sortieren;
  e.Liste.Sortieren();
  anzeige.Zwischenablage(e.Liste.ZwischenablageText());
  schritt_ = Laufabbruch::Mittelwert;
  const Extended mittel = Durch(summe, e.AktVersuch);
  KennzahlSetzen(anzeige, Kennzahl::LMWSTP, mittel);
  schritt_ = Laufabbruch::Median;
  const Extended median = MedianDerZeilen(e.Liste.Zeilen());
  KennzahlSetzen(anzeige, Kennzahl::LMedianSTP, median);
  schritt_ = Laufabbruch::Differenzen;
  KennzahlSetzen(anzeige, Kennzahl::LDiffP, Durch(Minus(mittel, median), mittel));
  KennzahlSetzen(anzeige, Kennzahl::LDiffWMedian, Durch(Minus(e.VkwGewichtet, median), e.VkwGewichtet));
  KennzahlSetzen(anzeige, Kennzahl::LDiffWMittelwert, Durch(Minus(e.VkwGewichtet, mittel), e.VkwGewichtet));
  schritt_ = Laufabbruch::Auffrischen;
  HistogrammZaehlen(e, -1, anzeige);
}

Extended Simulationslauf::VersuchFuerVersuch(LaufAnzeige &anzeige) {
  Laufergebnis &e = ergebnis_;
  // The sum of the stored values is accumulated in trial order as the trials come, which is the same
  // sequence of additions as summing the store afterwards.
  Extended summe = 0;
  for (std::int64_t k = 1; k <= e.AnzahlVersuche; ++k) {
    modell_.Stichprobe[LZ] = modell_.KlasseZiehen(LZ);
    modell_.Stichprobe[RND] = modell_.KlasseZiehen(RND);
    modell_.Stichprobe[RO] = modell_.KlasseZiehen(RO);
    modell_.Stichprobe[BO] = modell_.KlasseZiehen(BO);
    modell_.Stichprobe[BWK] = modell_.KlasseZiehen(BWK);
    const Extended v = modell_.VkwStichprobe();
    const double gespeichert = static_cast<double>(RundenInt64(v));
    if (k <= Laufergebnis::WerteSpeicher) e.Werte[static_cast<std::size_t>(k - 1)] = gespeichert;
    summe = Plus(summe, gespeichert);
    e.AktVersuch = static_cast<std::int32_t>(k);
    anzeige.VersuchZeigen(e.AktVersuch);
    anzeige.Fortschritt(FortschrittProzent(e.AktVersuch, e.AnzahlVersuche));
    HistogrammZaehlen(e, v, anzeige);
    e.Liste.Anhaengen(ErgebnisZeile(v));
    if (steuerung_.StopVerlangt()) break;
  }
  return summe;
}

const Laufergebnis &Simulationslauf::Berechnen(const Parameterwerte &min, const Parameterwerte &max,
                                               std::int32_t anzahlVersuche, LaufAnzeige &anzeige) {
  return Ausfuehren(min, max, anzahlVersuche, anzeige, [&] { return VersuchFuerVersuch(anzeige); });
}

int Simulationslauf::ThreadsFuer(const SchnellOptionen &optionen) {
  return optionen.Threads > 0 ? optionen.Threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

const Laufergebnis &Simulationslauf::SchnellBerechnen(const Parameterwerte &min, const Parameterwerte &max,
                                                      std::int32_t anzahlVersuche, LaufAnzeige &anzeige,
                                                      SchnellOptionen optionen) {
  return Ausfuehren(min, max, anzahlVersuche, anzeige, [&]() -> Extended {
    if (ergebnis_.AnzahlVersuche <= 0) return 0;
    if (!vorrat_) vorrat_ = std::make_unique<schnell::Vorrat>();
    return Schnelllauf(modell_, ergebnis_, steuerung_, anzeige, *vorrat_, optionen).Ausfuehren();
  });
}

} // namespace kwt
