#include "Simulationslauf.h"

#include <algorithm>
#include <thread>

#include "Kombinationen.h"
#include "Schnelllauf.h"
#include "W32_CLC.h"

namespace kwt {

Simulationslauf::Simulationslauf(Bewertungsmodell &modell)
    : Werte(static_cast<std::size_t>(WerteSpeicher), 0.0), modell_(modell) {
  Anzeigen.fill("0");
}

Simulationslauf::~Simulationslauf() = default;

int Simulationslauf::FortschrittProzent(std::int32_t aktVersuch, std::int32_t anzahlVersuche) {
  if (anzahlVersuche == 0) return 0;
  return static_cast<int>(RundenInt64(Mal(Durch(aktVersuch, anzahlVersuche), 100)));
}

void Simulationslauf::KennzahlSetzen(LaufAnzeige &anzeige, Kennzahl k, Extended wert) {
  const std::string text = ZahlFormatieren(KennzahlEintragVon(k).Dezimalen, true, true, wert, false);
  Anzeigen[static_cast<std::size_t>(k)] = text;
  anzeige.KennzahlZeigen(k, text);
}

void Simulationslauf::HistogrammZaehlen(Extended wert, LaufAnzeige &anzeige) {
  const bool auffrischen = wert == -1;
  if (!auffrischen) {
    Histo.Zaehlen(wert, modell_.VkwMin, modell_.VkwMax);
    if (!anzeige.HistogrammKontinuierlich()) return;
  }
  anzeige.HistogrammZeichnen(Histo);
  if (auffrischen) anzeige.KurveZeichnen(RHKurveZeichnen(Histo, modell_.VkwMin));
}

namespace {
struct LaufMarke {
  bool &laeuft;
  explicit LaufMarke(bool &l) : laeuft(l) { laeuft = true; }
  ~LaufMarke() { laeuft = false; }
};
} // namespace

void Simulationslauf::Vorbereiten(const Parameterwerte &min, const Parameterwerte &max, std::int32_t anzahlVersuche,
                                  LaufAnzeige &anzeige) {
  // Steps 1 to 4: tables, counters, list, stop flag (a stop requested before now is discarded).
  modell_.VerteilungenVorbereiten(min, max);
  AnzahlVersuche = anzahlVersuche;
  AktVersuch = 0;
  Liste.Leeren();
  StopFlag = false;

  // Steps 5 to 8.
  modell_.VkwMin = modell_.VkwMinBerechnen();
  modell_.VkwMax = modell_.VkwMaxBerechnen();
  modell_.VkwGewichtet = modell_.VkwGewichtetBerechnen();
  anzeige.HistogrammLeeren();
  Histo.Vorbereiten(AnzahlVersuche, modell_.VkwMin, modell_.VkwMax);
  KennzahlSetzen(anzeige, Kennzahl::LMinVKW, modell_.VkwMin);
  KennzahlSetzen(anzeige, Kennzahl::LMaxVKW, modell_.VkwMax);
  KennzahlSetzen(anzeige, Kennzahl::LWeightedVKW, modell_.VkwGewichtet);
  KennzahlSetzen(anzeige, Kennzahl::LMittelVKW, Durch(Plus(modell_.VkwMin, modell_.VkwMax), 2));
  Werte.assign(static_cast<std::size_t>(WerteSpeicher), 0.0);
}

void Simulationslauf::Abschliessen(Extended summe, LaufAnzeige &anzeige) {
  // Steps 11 to 16.
  Liste.Sortieren();
  anzeige.Zwischenablage(Liste.ZwischenablageText());
  const Extended mittel = Durch(summe, AktVersuch);
  KennzahlSetzen(anzeige, Kennzahl::LMWSTP, mittel);
  const Extended median = MedianDerZeilen(Liste.Zeilen());
  KennzahlSetzen(anzeige, Kennzahl::LMedianSTP, median);
  KennzahlSetzen(anzeige, Kennzahl::LDiffP, Durch(Minus(mittel, median), mittel));
  KennzahlSetzen(anzeige, Kennzahl::LDiffWMedian, Durch(Minus(modell_.VkwGewichtet, median), modell_.VkwGewichtet));
  KennzahlSetzen(anzeige, Kennzahl::LDiffWMittelwert,
                 Durch(Minus(modell_.VkwGewichtet, mittel), modell_.VkwGewichtet));
  HistogrammZaehlen(-1, anzeige);
}

void Simulationslauf::Berechnen(const Parameterwerte &min, const Parameterwerte &max, std::int32_t anzahlVersuche,
                                LaufAnzeige &anzeige) {
  LaufMarke marke(laeuft_);
  Vorbereiten(min, max, anzahlVersuche, anzeige);

  // Step 9. The sum of the stored values is accumulated in trial order as the trials come, which
  // is the same sequence of additions as summing the store afterwards.
  Extended summe = 0;
  for (std::int64_t k = 1; k <= AnzahlVersuche; ++k) {
    modell_.Stichprobe[LZ] = modell_.KlasseZiehen(LZ);
    modell_.Stichprobe[RND] = modell_.KlasseZiehen(RND);
    modell_.Stichprobe[RO] = modell_.KlasseZiehen(RO);
    modell_.Stichprobe[BO] = modell_.KlasseZiehen(BO);
    modell_.Stichprobe[BWK] = modell_.KlasseZiehen(BWK);
    const Extended v = modell_.VkwStichprobe();
    const double gespeichert = static_cast<double>(RundenInt64(v));
    if (k <= WerteSpeicher) Werte[static_cast<std::size_t>(k - 1)] = gespeichert;
    summe = Plus(summe, gespeichert);
    AktVersuch = static_cast<std::int32_t>(k);
    anzeige.VersuchZeigen(AktVersuch);
    anzeige.Fortschritt(FortschrittProzent(AktVersuch, AnzahlVersuche));
    HistogrammZaehlen(v, anzeige);
    Liste.Anhaengen(ErgebnisZeile(v));
    if (StopFlag) break;
  }

  Abschliessen(summe, anzeige);
}

int Simulationslauf::ThreadsFuer(const SchnellOptionen &optionen) {
  return optionen.Threads > 0 ? optionen.Threads : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

void Simulationslauf::SchnellBerechnen(const Parameterwerte &min, const Parameterwerte &max,
                                       std::int32_t anzahlVersuche, LaufAnzeige &anzeige, SchnellOptionen optionen) {
  LaufMarke marke(laeuft_);
  Vorbereiten(min, max, anzahlVersuche, anzeige);
  Extended summe = 0;
  if (AnzahlVersuche > 0) summe = Schnelllauf(*this, anzeige, optionen).Ausfuehren();
  Abschliessen(summe, anzeige);
}

} // namespace kwt
