#include "Schnelllauf.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <system_error>

#include "Arbeitsgruppe.h"
#include "Kombinationen.h"
#include "Schnellkern.h"
#include "W32_CLC.h"

namespace kwt {

using namespace schnell;

namespace {

// The trials whose stored value and line are kept in trial order.
constexpr std::int64_t InFolge = Laufergebnis::WerteSpeicher;
static_assert(Laufergebnis::WerteSpeicher == static_cast<std::int32_t>(Ergebnisliste::ZeilenInVersuchsfolge));
// Fewer trials go one by one. More go in sections: the threads finish every package of a section
// even behind a trial that stops the section, so that what they computed ahead does not depend on
// their timing; a section is short enough (some 15 ms) for that to cost little.
constexpr std::int64_t KleinsterAbschnitt = 256;
constexpr std::int64_t GroessterAbschnitt = 1 << 22;

const Sprung EinVersuch = Zufallsgenerator::SprungUm(ParameterAnzahl);

} // namespace

struct Schnelllauf::Blockende {
  std::int64_t Meldung = 0;        // the trial to report; k_ when there is none
  std::uint32_t MeldeKombination = 0;
  std::uint32_t ZustandNachMeldung = 0;
  bool Wertfehler = false;         // the trial after Meldung cannot be computed
  std::uint32_t FehlerKombination = 0;
  std::uint32_t ZustandNachFehler = 0;
};

struct Schnelllauf::Abschnittsergebnis {
  std::int64_t Letzter = 0; // the last trial done (von - 1: none); its count is taken back for its report
  std::uint32_t Kombination = 0;
  std::uint32_t Zustand = 0; // after it
  bool Abgeschnitten = false; // a trial after it stopped the section
};

struct Schnelllauf::Paket {
  std::int64_t Nr = 0;
  std::int64_t Anfang = 0;
  std::int64_t Anzahl = 0;
  std::uint32_t AnfangsZustand = 0;
  // Results, written by the thread that took the package.
  std::int64_t Erledigt = 0;
  bool Halt = false; // the next trial has a combination the inner loop cannot take (an error or a large value)
  std::uint32_t EndZustand = 0;
  std::int64_t Summe = 0;
  std::array<std::int64_t, MaxKlassen> Zaehler{};
};

struct Schnelllauf::Helfer {
  alignas(64) Markenzaehler Zaehler{};
  std::vector<std::uint32_t> Neu; // combinations this thread computed in the current block
};

Schnelllauf::Schnelllauf(Bewertungsmodell &modell, Laufergebnis &ergebnis, const Laufsteuerung &steuerung,
                         LaufAnzeige &anzeige, Vorrat &vorrat, Simulationslauf::SchnellOptionen optionen)
    : modell_(modell), ergebnis_(ergebnis), steuerung_(steuerung), anzeige_(anzeige), vorrat_(vorrat),
      optionen_(optionen), n_(ergebnis.AnzahlVersuche),
      kern_(std::make_unique<KernVariante>(KernWaehlen(optionen.Kern != nullptr ? optionen.Kern : ""))) {
  threads_ = Simulationslauf::ThreadsFuer(optionen);
  // With every stored value below 2^63 / n in magnitude no partial sum of n of them reaches 2^63; whole
  // numbers below that are exact in extended precision, so the integer sum is the extended sum. The
  // packed word holds stored values below 2^53.
  const std::uint64_t grenze = (std::uint64_t{1} << 63) / static_cast<std::uint64_t>(std::max<std::int64_t>(n_, 1));
  grenze_ = grenze >= (std::uint64_t{1} << 53) ? 0x1p53 : static_cast<double>(grenze);
  zustand_ = modell_.Zufall.Zufallszustand;
  aufzeichnung_.resize(static_cast<std::size_t>(std::min(n_, InFolge)));
  helfer_.resize(static_cast<std::size_t>(threads_));
  TabellenBauen();
}

Schnelllauf::~Schnelllauf() = default;

void Schnelllauf::TabellenBauen() {
  speicher_.reset();
  tabellen_ = std::make_unique<Ziehungstabellen>(modell_.Verteilungen);
  speicher_ = std::make_unique<Kombinationsspeicher>(*tabellen_, ergebnis_.Histo, ergebnis_.VkwMin, ergebnis_.VkwMax,
                                                     grenze_, vorrat_);
  kernTabellen_ = std::make_unique<KernTabellen>(*tabellen_);
}

void Schnelllauf::ZeilenAufnehmen() {
  // A combination computed is a combination drawn (Aufraeumen sees to that), so its line is in the list.
  std::vector<std::string> zeilen;
  for (std::uint32_t k = 0; k < speicher_->Groesse(); ++k) {
    if (speicher_->Gezogen(k) && speicher_->Wert(k).Art == Ausgang::Normal) zeilen.push_back(speicher_->Wert(k).ZeileText());
  }
  ergebnis_.Liste.VerschiedeneAufnehmen(std::move(zeilen));
}

void Schnelllauf::Speichern(std::int64_t versuch, std::uint32_t kombination) {
  const double gespeichert = speicher_->Wert(kombination).Gespeichert;
  if (versuch <= InFolge) ergebnis_.Werte[static_cast<std::size_t>(versuch - 1)] = gespeichert;
  if (exakt_ && !(std::fabs(gespeichert) < grenze_)) {
    summeExt_ = static_cast<Extended>(summeGanz_);
    exakt_ = false;
  }
  if (exakt_) {
    summeGanz_ += static_cast<std::int64_t>(gespeichert);
  } else {
    summeExt_ = Plus(summeExt_, gespeichert);
  }
}

void Schnelllauf::Nachtragen(std::int64_t versuch, std::uint32_t kombination) {
  const Kombiwert &w = speicher_->Wert(kombination);
  if (w.Klasse >= 0) ++ergebnis_.Histo.Haeufigkeit[static_cast<std::size_t>(w.Klasse)];
  if (versuch <= InFolge) ergebnis_.Liste.InFolgeAnhaengen(w.ZeileText());
}

Schnelllauf::Blockende Schnelllauf::Block(std::int64_t ende) {
  Blockende b;
  b.Meldung = k_;
  b.ZustandNachMeldung = zustand_;
  std::uint32_t z = zustand_;
  std::int64_t j = k_ + 1;
  while (exakt_ && ende - j >= KleinsterAbschnitt) {
    const Abschnittsergebnis m = AbschnittRechnen(j, std::min(ende - 1, j + GroessterAbschnitt - 1), z, b);
    if (m.Letzter < j) break;
    b.Meldung = m.Letzter;
    b.MeldeKombination = m.Kombination;
    b.ZustandNachMeldung = z = m.Zustand;
    j = m.Letzter + 1;
    if (m.Abgeschnitten) break;
  }
  // One by one, keeping the last trial open: it is counted and listed only once the next one is known
  // to be computable, or after its report.
  for (; j <= ende; ++j) {
    const std::uint32_t kombination = tabellen_->NaechsteKombination(z);
    speicher_->Holen(kombination, nullptr);
    const Kombiwert &w = speicher_->Wert(kombination);
    if (w.Art == Ausgang::Wertfehler) {
      b.Wertfehler = true;
      b.FehlerKombination = kombination;
      b.ZustandNachFehler = z;
      return b;
    }
    if (b.Meldung > k_) Nachtragen(b.Meldung, b.MeldeKombination);
    Speichern(j, kombination);
    b.Meldung = j;
    b.MeldeKombination = kombination;
    b.ZustandNachMeldung = z;
    if (w.Art == Ausgang::Zaehlfehler) break;
  }
  return b;
}

void Schnelllauf::PaketBearbeiten(Paket &p, Helfer &h) {
  std::memset(h.Zaehler, 0, sizeof h.Zaehler);
  KernStand stand;
  stand.Zustand = p.AnfangsZustand;
  stand.Zaehler = &h.Zaehler;
  std::uint32_t *aufzeichnung = p.Anfang <= InFolge ? aufzeichnung_.data() + (p.Anfang - 1) : nullptr;
  const std::atomic<std::uint64_t> *woerter = speicher_->Woerter();
  std::int64_t erledigt = 0;
  while (erledigt < p.Anzahl) {
    const std::int64_t rest = p.Anzahl - erledigt;
    stand.Aufzeichnung = aufzeichnung != nullptr ? aufzeichnung + erledigt : nullptr;
    const std::int64_t fertig = kern_->Funktion(*kernTabellen_, woerter, rest, stand);
    erledigt += fertig;
    if (fertig == rest) break;
    // A combination not drawn before (or one the loop cannot take): computed here, by this thread.
    const std::uint64_t wort = speicher_->Holen(stand.Halt, &h.Neu);
    if (!Gewoehnlich(wort)) {
      p.Halt = true;
      break;
    }
    ++h.Zaehler[0][MarkeVon(wort)];
    stand.Summe += GespeichertVon(wort);
    if (aufzeichnung != nullptr) aufzeichnung[erledigt] = stand.Halt;
    stand.Zustand = EinVersuch.Anwenden(stand.Zustand);
    ++erledigt;
  }
  p.Erledigt = erledigt;
  p.EndZustand = stand.Zustand;
  p.Summe = stand.Summe;
  for (int i = 0; i < MaxKlassen; ++i) {
    for (const auto &z : h.Zaehler) p.Zaehler[static_cast<std::size_t>(i)] += z[i + 1];
  }
}

Schnelllauf::Abschnittsergebnis Schnelllauf::AbschnittRechnen(std::int64_t von, std::int64_t bis,
                                                              std::uint32_t zustand, const Blockende &offen) {
  pakete_.clear();
  // Small sections still give every thread a few packages: early on, computing the combinations drawn
  // for the first time is most of the work.
  const std::int64_t groesse =
      std::max<std::int64_t>(Bahnen, std::min<std::int64_t>(optionen_.Paketgroesse,
                                                            std::max<std::int64_t>(1024, (bis - von + 1) / (4 * threads_))));
  for (std::int64_t anfang = von; anfang <= bis;) {
    std::int64_t anzahl = std::min(groesse, bis - anfang + 1);
    // A package lies wholly inside or wholly beyond the trials kept in order.
    if (anfang <= InFolge && anfang + anzahl - 1 > InFolge) anzahl = InFolge - anfang + 1;
    Paket p;
    p.Nr = static_cast<std::int64_t>(pakete_.size());
    p.Anfang = anfang;
    p.Anzahl = anzahl;
    p.AnfangsZustand =
        Zufallsgenerator::SprungUm(static_cast<std::uint64_t>(ParameterAnzahl) * static_cast<std::uint64_t>(anfang - von))
            .Anwenden(zustand);
    pakete_.push_back(p);
    anfang += anzahl;
  }
  naechstes_ = 0;
  const std::function<void(int)> arbeit = [this](int nr) {
    Helfer &h = helfer_[static_cast<std::size_t>(nr)];
    for (std::size_t i; (i = naechstes_.fetch_add(1)) < pakete_.size();) PaketBearbeiten(pakete_[i], h);
  };
  if (threads_ > 1 && pakete_.size() > 1 && !gruppe_) {
    try {
      gruppe_ = std::make_unique<Arbeitsgruppe>(threads_ - 1);
    } catch (const std::system_error &) {
      threads_ = 1; // no threads to be had: the run goes on in this one, with the same results
    }
  }
  if (threads_ > 1 && pakete_.size() > 1) {
    gruppe_->Ausfuehren(arbeit);
  } else {
    arbeit(0);
  }

  // The packages in trial order, up to the first that stopped.
  Abschnittsergebnis m;
  m.Letzter = von - 1;
  m.Zustand = zustand;
  for (const Paket &p : pakete_) {
    for (std::size_t i = 0; i < MaxKlassen; ++i) ergebnis_.Histo.Haeufigkeit[i] += static_cast<std::int32_t>(p.Zaehler[i]);
    summeGanz_ += p.Summe;
    m.Letzter = p.Anfang + p.Erledigt - 1;
    m.Zustand = p.EndZustand;
    if (p.Halt) {
      m.Abgeschnitten = true;
      break;
    }
  }
  // The trial left open before this section can be counted and listed now that the next one is done.
  if (m.Letzter >= von && offen.Meldung > k_) Nachtragen(offen.Meldung, offen.MeldeKombination);
  for (std::int64_t t = von; t <= std::min(m.Letzter, InFolge); ++t) {
    const Kombiwert &w = speicher_->Wert(aufzeichnung_[static_cast<std::size_t>(t - 1)]);
    ergebnis_.Werte[static_cast<std::size_t>(t - 1)] = w.Gespeichert;
    if (t < m.Letzter) ergebnis_.Liste.InFolgeAnhaengen(w.ZeileText());
  }
  if (m.Abgeschnitten) Aufraeumen(von, m.Letzter, zustand);
  for (Helfer &h : helfer_) h.Neu.clear();
  if (m.Letzter < von) return m;

  // The last trial waits for its report: its count is taken back.
  if (m.Letzter <= InFolge) {
    m.Kombination = aufzeichnung_[static_cast<std::size_t>(m.Letzter - 1)];
  } else {
    std::uint32_t z = Zufallsgenerator::SprungUm(static_cast<std::uint64_t>(ParameterAnzahl) *
                                                 static_cast<std::uint64_t>(m.Letzter - von))
                          .Anwenden(zustand);
    m.Kombination = tabellen_->NaechsteKombination(z);
  }
  const Kombiwert &w = speicher_->Wert(m.Kombination);
  if (w.Klasse >= 0) --ergebnis_.Histo.Haeufigkeit[static_cast<std::size_t>(w.Klasse)];
  return m;
}

void Schnelllauf::Aufraeumen(std::int64_t von, std::int64_t bis, std::uint32_t zustand) {
  // Packages behind the one that stopped have computed combinations that no trial up to the stop
  // may draw. A computed combination counts as drawn (its line goes into the list), so these are
  // forgotten again; the trials that draw them later compute them anew.
  std::vector<std::uint8_t> stand(speicher_->Groesse(), 0);
  bool neue = false;
  for (const Helfer &h : helfer_) {
    for (std::uint32_t k : h.Neu) stand[k] = 1;
    neue = neue || !h.Neu.empty();
  }
  if (!neue) return;
  std::uint32_t z = zustand;
  for (std::int64_t t = von; t <= bis; ++t) {
    const std::uint32_t k = tabellen_->NaechsteKombination(z);
    if (stand[k] == 1) stand[k] = 2;
  }
  for (const Helfer &h : helfer_) {
    for (std::uint32_t k : h.Neu) {
      if (stand[k] == 1) speicher_->Vergessen(k);
    }
  }
}

void Schnelllauf::Melden(const Blockende &b) {
  const Kombiwert &w = speicher_->Wert(b.MeldeKombination);
  k_ = b.Meldung;
  zustand_ = b.ZustandNachMeldung;
  ergebnis_.AktVersuch = static_cast<std::int32_t>(k_);
  modell_.Stichprobe = tabellen_->Werte(b.MeldeKombination);
  modell_.Zufall.Zufallszustand = zustand_;
  anzeige_.VersuchZeigen(ergebnis_.AktVersuch);
  anzeige_.Fortschritt(Simulationslauf::FortschrittProzent(ergebnis_.AktVersuch, ergebnis_.AnzahlVersuche));
  // After the message processing, as the trial-by-trial run: the histogram count, then the line.
  if (w.Art == Ausgang::Zaehlfehler) throw GleitkommaFehler(speicher_->Meldung(b.MeldeKombination));
  if (w.Auffrischen) {
    HistogrammZaehlen(ergebnis_, -1, anzeige_);
  } else {
    if (w.Klasse >= 0) ++ergebnis_.Histo.Haeufigkeit[static_cast<std::size_t>(w.Klasse)];
    if (anzeige_.HistogrammKontinuierlich()) anzeige_.HistogrammZeichnen(ergebnis_.Histo);
  }
  if (k_ <= InFolge) ergebnis_.Liste.InFolgeAnhaengen(w.ZeileText());
}

Extended Schnelllauf::Ausfuehren() {
  const Meldetakt takt = anzeige_.MeldetaktWaehlen();
  const std::int64_t hoechstens = std::max<std::int64_t>(1, takt.Versuche);
  // By time, the first report comes after the first trial (a "Stop" pending at the start ends the run
  // there, as in the trial-by-trial run); the blocks then grow at most eightfold to the time asked for.
  std::int64_t block = takt.Millisekunden > 0 ? 1 : hoechstens;
  for (;;) {
    const auto beginn = std::chrono::steady_clock::now();
    const std::int64_t vorher = k_;
    const Blockende b = Block(std::min(n_, k_ + block));
    const auto dauer = std::chrono::steady_clock::now() - beginn;
    if (b.Meldung > k_) {
      Melden(b);
      if (steuerung_.StopVerlangt()) break;
      if (!tabellen_->Unveraendert(modell_.Verteilungen)) {
        // The distribution editor prepared the tables anew: the next trials draw from the new ones
        // (also the one that could not be computed with the old ones).
        ZeilenAufnehmen();
        TabellenBauen();
        if (k_ == n_) break;
        continue;
      }
    }
    if (b.Wertfehler) {
      modell_.Stichprobe = tabellen_->Werte(b.FehlerKombination);
      modell_.Zufall.Zufallszustand = b.ZustandNachFehler;
      throw GleitkommaFehler(speicher_->Meldung(b.FehlerKombination));
    }
    if (k_ == n_) break;
    if (takt.Millisekunden > 0 && k_ > vorher) {
      const double ns = static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(dauer).count());
      const double jeVersuch = std::max(ns, 1.0) / static_cast<double>(k_ - vorher);
      const double ziel = takt.Millisekunden * 1e6 / jeVersuch;
      block = std::clamp<std::int64_t>(static_cast<std::int64_t>(std::min(ziel, 1e15)), 1,
                                       std::min(hoechstens, block * 8));
    }
  }
  ZeilenAufnehmen();
  return exakt_ ? static_cast<Extended>(summeGanz_) : summeExt_;
}

} // namespace kwt
