#include "KwtMc.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <iomanip>
#include <iostream>
#include <unistd.h>

#include "Datei.h"
#include "ErgebnisCsv.h"
#include "Eingaben.h"
#include "ExaktAusgabe.h"
#include "Simulationslauf.h"
#include "Standardausgabe.h"
#include "W32_CLC.h"

namespace kwt::cli {

namespace {

// The terminal's side of a run: it keeps what the window would show and draws a progress bar on
// stderr for runs that take longer than a second.
class TerminalAnzeige : public LaufAnzeige {
public:
  explicit TerminalAnzeige(std::ostream &fehler, bool balken) : fehler_(fehler), balken_(balken) {}
  ~TerminalAnzeige() override { BalkenBeenden(); }

  void VersuchZeigen(std::int32_t) override {}
  void Fortschritt(int prozent) override {
    if (!balken_ || prozent == letzterProzent_) return;
    letzterProzent_ = prozent;
    const auto jetzt = std::chrono::steady_clock::now();
    if (jetzt - start_ < std::chrono::seconds(1)) return;
    const int breite = 40, voll = prozent * breite / 100;
    fehler_ << "\r[" << std::string(static_cast<std::size_t>(voll), '#')
            << std::string(static_cast<std::size_t>(breite - voll), ' ') << "] " << std::setw(3) << prozent << " %"
            << std::flush;
    gezeichnet_ = true;
  }
  void KennzahlZeigen(Kennzahl, const std::string &) override {}
  bool HistogrammKontinuierlich() const override { return false; }
  void HistogrammLeeren() override {}
  void HistogrammZeichnen(const Histogramm &) override {}
  void KurveZeichnen(const RHKurve &) override {}
  void Zwischenablage(const std::string &) override {}
  // The fast run reports ten times a second: enough for the bar.
  Meldetakt MeldetaktWaehlen() const override { return {INT32_MAX, 100}; }
  void BalkenBeenden() {
    if (gezeichnet_) fehler_ << "\r" << std::string(50, ' ') << "\r" << std::flush;
    gezeichnet_ = false;
  }

private:
  std::ostream &fehler_;
  bool balken_;
  bool gezeichnet_ = false;
  int letzterProzent_ = -1;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

std::string Tausend(Extended x, int dezimalen) { return ZahlFormatieren(dezimalen, true, true, x, false); }

void TextAusgeben(std::ostream &aus, const Laufergebnis &lauf) {
  aus << "KWT Monte-Carlo-Simulation: " << Tausend(lauf.AktVersuch, 0) << " von " << Tausend(lauf.AnzahlVersuche, 0)
      << " Durchläufen\n\n";
  for (const KennzahlEintrag &e : Kennzahlen) {
    const std::string beschriftung = e.Beschriftung;
    // Pad by characters, not bytes: the captions hold umlauts.
    const std::size_t zeichen = static_cast<std::size_t>(
        std::count_if(beschriftung.begin(), beschriftung.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    aus << beschriftung << std::string(28 - std::min<std::size_t>(zeichen, 27), ' ') << std::setw(16)
        << lauf.Anzeige(e.Art) << '\n';
  }
  const Histogramm &h = lauf.Histo;
  aus << "\nHistogramm der Verkehrswerte (Klassenmitten in Tausend)\n";
  std::int32_t m = 0;
  for (int i = 0; i < h.KlassenAnzahl; ++i) m = std::max(m, h.Haeufigkeit[i]);
  for (int i = 0; i < h.KlassenAnzahl; ++i) {
    const int laenge = m == 0 ? 0 : static_cast<int>(static_cast<long long>(h.Haeufigkeit[i]) * 50 / m);
    aus << std::setw(10) << h.KlassenText[i] << " |" << std::string(static_cast<std::size_t>(laenge), '#')
        << std::string(static_cast<std::size_t>(50 - laenge), ' ') << ' ' << h.Haeufigkeit[i] << '\n';
  }
  aus << "\nRelative Häufigkeitsverteilung (Verkehrswert in Tausend, Anteil darunter)\n";
  for (const Kurvenpunkt &p : lauf.Kurve.Kurve) {
    aus << std::setw(14) << Tausend(p.X, 3) << std::setw(12) << Tausend(p.Y, 6) << '\n';
  }
}

nlohmann::ordered_json JsonErgebnis(const Laufergebnis &lauf) {
  nlohmann::ordered_json j;
  nlohmann::ordered_json labels;
  for (const KennzahlEintrag &e : Kennzahlen) labels[e.Name] = lauf.Anzeige(e.Art);
  j["labels"] = labels;
  j["versuche"] = lauf.AnzahlVersuche;
  j["akt_versuch"] = lauf.AktVersuch;
  j["zeilen"] = lauf.Liste.Zeilen().size();
  const Histogramm &h = lauf.Histo;
  nlohmann::ordered_json histo;
  histo["klassen"] = h.KlassenAnzahl;
  histo["breite"] = static_cast<double>(h.KlassenBreite);
  histo["haeufigkeit"] = std::vector<std::int32_t>(h.Haeufigkeit.begin(), h.Haeufigkeit.begin() + h.KlassenAnzahl);
  histo["texte"] = std::vector<std::string>(h.KlassenText.begin(), h.KlassenText.begin() + h.KlassenAnzahl);
  j["histogramm"] = histo;
  nlohmann::ordered_json kurve = nlohmann::ordered_json::array();
  for (const Kurvenpunkt &p : lauf.Kurve.Kurve) kurve.push_back({p.X, p.Y});
  j["kurve"] = kurve;
  return j;
}

// A file of the run, through the safe writer; false after the message.
bool DateiAusgeben(const std::string &pfad, std::string_view inhalt, std::ostream &fehler) {
  try {
    DateiSicherSchreiben(pfad, inhalt);
    return true;
  } catch (const DateiFehler &f) {
    fehler << "kwt-mc: " << f.what() << "\n";
    return false;
  }
}

// The standard output's last check: everything written and flushed, or the reason why not.
int AusgabeBeenden(std::ostream &aus, std::ostream &fehler, int status) {
  const int nummer = AusgabeFehlernummer(aus);
  if (nummer == 0) return status;
  // The reader has all it wanted (kwt-mc --liste - | head -1): no message, as with any tool ended by
  // the closed pipe, and the status a shell shows for such a tool.
  if (nummer == EPIPE) return StatusEmpfaengerGeschlossen;
  fehler << "kwt-mc: Die Standardausgabe kann nicht geschrieben werden: " << FehlerGrund(nummer, Vorgang::Schreiben)
         << "\n";
  return 1;
}

} // namespace

std::string VersionsZeile() { return std::string("kwt-mc (KWT Monte-Carlo-Simulation) ") + KWT_VERSION; }

// Whatever fails beyond the run's own errors (which its result carries) ends the command with its
// German message, never with an uncaught exception.
int KwtMc(int argc, const char *const *argv, std::ostream &aus, std::ostream &fehler) try {
  Auftrag auftrag;
  try {
    std::string hilfe;
    auftrag = ArgumenteLesen(argc, argv, &hilfe);
    if (auftrag.Hilfe) {
      aus << hilfe;
      return AusgabeBeenden(aus, fehler, 0);
    }
    if (auftrag.Version) {
      aus << VersionsZeile() << '\n';
      return AusgabeBeenden(aus, fehler, 0);
    }
  } catch (const ArgumentFehler &f) {
    fehler << "kwt-mc: " << f.what() << "\n";
    return 2;
  }

  for (const std::string &h : auftrag.Hinweise) fehler << "kwt-mc: " << h << "\n";

  Bewertungsmodell modell;
  modell.ZufallInitialisieren();
  for (int i = 0; i < ParameterAnzahl; ++i) modell.Verteilungen[i].Prozent = auftrag.Prozent[i];
  if (auftrag.Seed) modell.Zufall.Zufallszustand = *auftrag.Seed;

  Simulationslauf lauf(modell);
  TerminalAnzeige anzeige(fehler, &fehler == &std::cerr && isatty(STDERR_FILENO));
  Simulationslauf::SchnellOptionen optionen;
  optionen.Threads = auftrag.Threads;
  const auto beginn = std::chrono::steady_clock::now();
  const Laufergebnis &ergebnis = auftrag.Versuchsweise
                                     ? lauf.Berechnen(auftrag.Min, auftrag.Max, auftrag.Versuche, anzeige)
                                     : lauf.SchnellBerechnen(auftrag.Min, auftrag.Max, auftrag.Versuche, anzeige, optionen);
  const std::string &meldung = ergebnis.Fehlermeldung;
  const double sekunden = std::chrono::duration<double>(std::chrono::steady_clock::now() - beginn).count();
  anzeige.BalkenBeenden();
  const int threadsBenutzt = auftrag.Versuchsweise ? 1 : Simulationslauf::ThreadsFuer(optionen);
  const double jeSekunde = sekunden > 0 ? ergebnis.AktVersuch / sekunden : 0;
  std::optional<ExaktErgebnis> exakt;
  if (auftrag.Exakt) exakt = ExaktBerechnen(modell, auftrag.Min, auftrag.Max, ergebnis);

  // A failed run writes no files: what is there stays as it was.
  const bool listeAufStandardausgabe = auftrag.Liste && *auftrag.Liste == "-";
  if (meldung.empty()) {
    const std::string liste = ergebnis.Liste.ZwischenablageText();
    if (listeAufStandardausgabe) aus << liste;
    aus.flush(); // before a file that is the standard output itself (--csv /dev/stdout)
    if (auftrag.Liste && !listeAufStandardausgabe && !DateiAusgeben(*auftrag.Liste, liste, fehler))
      return AusgabeBeenden(aus, fehler, 1);
    if (auftrag.Csv && !DateiAusgeben(*auftrag.Csv, ErgebnisCsv(ergebnis, auftrag.CsvTrennzeichen), fehler))
      return AusgabeBeenden(aus, fehler, 1);
  }
  if (auftrag.Json) {
    nlohmann::ordered_json j = JsonErgebnis(ergebnis);
    j["eingaben"] = EingabenJson(auftrag);
    if (!meldung.empty()) j["fehler"] = meldung;
    if (exakt) j["exakt"] = ExaktJson(*exakt);
    if (auftrag.Zeit) {
      j["zeit"] = {{"sekunden", sekunden},
                   {"versuche_je_sekunde", jeSekunde},
                   {"threads", threadsBenutzt},
                   {"verfahren", auftrag.Versuchsweise ? "versuchsweise" : "schnell"}};
    }
    aus << j.dump(2) << '\n';
  } else {
    if (!listeAufStandardausgabe) {
      TextAusgeben(aus, ergebnis);
      if (exakt) ExaktTextAusgeben(aus, *exakt);
    }
    if (auftrag.Zeit) {
      // Beside the list on stdout the time goes to stderr, so that the list stays as it is.
      std::ostream &ziel = listeAufStandardausgabe ? fehler : aus;
      ziel << "\nRechenzeit: " << Tausend(sekunden, 3) << " s, " << Tausend(jeSekunde, 0) << " Versuche je Sekunde ("
           << (auftrag.Versuchsweise ? "Versuch für Versuch"
                                     : std::to_string(threadsBenutzt) + (threadsBenutzt == 1 ? " Thread" : " Threads"))
           << ")\n";
    }
  }
  if (!meldung.empty()) fehler << "kwt-mc: " << meldung << "\n";
  return AusgabeBeenden(aus, fehler, meldung.empty() ? 0 : 1);
} catch (...) {
  fehler << "kwt-mc: " << MeldungZumFehler(std::current_exception()) << "\n";
  return 1;
}

} // namespace kwt::cli
