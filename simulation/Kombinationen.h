// What the fast run knows about one set of class tables: how a generator state becomes a class, by
// integer comparisons, and what every combination of five drawn classes gives, computed once.
//
// A trial's market value depends on its five drawn classes only, so a run has at most 11^5 different
// trials. The first time a combination is drawn, its market value is computed exactly as the
// trial-by-trial run computes it, together with the stored value, the result line and the histogram
// class, or the error it raises; every later trial with it only looks these up.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "Bewertungsmodell.h"
#include "Ertragswert.h"
#include "Histogramm.h"

namespace kwt::schnell {

// The five draws of a trial, in the order the run makes them.
inline constexpr std::array<Parameter, ParameterAnzahl> Ziehfolge{LZ, RND, RO, BO, BWK};

// One parameter's draw in integers. The run draws x = s * 2^-32 exactly (s the generator's new state)
// and takes the first class k with x <= Kumuliert[k]. With B_k the largest state for which that holds
// (-1 for none) and M_k the largest of B_1..B_k, the class is the number of M_k below s, 10 meaning
// "no class". Only the distinct M_k that lie between 0 and 2^32 - 2 can separate two states: these are
// the thresholds, and the number of thresholds below s is the draw's step.
struct Ziehung {
  int Anzahl = 0;                           // thresholds, 0 to 10
  std::array<std::uint32_t, KlassenAnzahlVerteilung> Schwelle{}; // ascending, distinct
  std::array<std::int8_t, KlassenAnzahlVerteilung + 1> Klasse{}; // class of step c (10: none)
  std::uint32_t Gewicht = 1;                // weight of the step in the combination number

  int Stufe(std::uint32_t s) const {
    int c = 0;
    for (int i = 0; i < Anzahl; ++i) c += s > Schwelle[i];
    return c;
  }
};

// The largest state s with s * 2^-32 <= kumuliert, or -1 when there is none.
std::int64_t GroessterZustand(Extended kumuliert);

class Ziehungstabellen {
public:
  explicit Ziehungstabellen(const std::array<TParamVerteilung, ParameterAnzahl> &verteilungen);

  // Whether the midpoints and cumulative fractions are still those the tables were made from, bit for bit.
  bool Unveraendert(const std::array<TParamVerteilung, ParameterAnzahl> &verteilungen) const;

  const Ziehung &Z(int ziehung) const { return z_[static_cast<std::size_t>(ziehung)]; }
  std::uint32_t Kombinationen() const { return kombinationen_; }
  // The combination of the five new states of a trial (in draw order).
  std::uint32_t Kombination(const std::uint32_t (&s)[ParameterAnzahl]) const {
    std::uint32_t k = 0;
    for (int d = 0; d < ParameterAnzahl; ++d) k += static_cast<std::uint32_t>(z_[d].Stufe(s[d])) * z_[d].Gewicht;
    return k;
  }
  // The step of draw d (0..4, draw order) in a combination.
  int Stufe(std::uint32_t kombination, int d) const {
    return static_cast<int>(kombination / z_[d].Gewicht % static_cast<std::uint32_t>(z_[d].Anzahl + 1));
  }
  // The combination of the trial that starts from the generator state zustand; zustand moves on by five steps.
  std::uint32_t NaechsteKombination(std::uint32_t &zustand) const;
  // The drawn parameter values of a combination (parameter order), as KlasseZiehen returns them.
  Parameterwerte Werte(std::uint32_t kombination) const;

private:
  std::array<Ziehung, ParameterAnzahl> z_;
  std::uint32_t kombinationen_ = 1;
  std::array<Klassenwerte, ParameterAnzahl> mitte_{};
  std::array<Klassenwerte, ParameterAnzahl> kumuliert_{};
};

// The packed word of a combination for the inner loop: the low 8 bits a mark, the rest the stored
// value as a signed whole number (only for ordinary marks).
namespace marke {
inline constexpr std::uint32_t Unbekannt = 0;      // not drawn yet
// 1..MaxKlassen: counted in histogram class (mark - 1).
inline constexpr std::uint32_t NichtGezaehlt = MaxKlassen + 1;
// A value that cannot be computed or counted, or a stored value too large for the exact integer sum.
inline constexpr std::uint32_t Besonders = 0xFD;
inline constexpr std::uint32_t InArbeit = 0xFE;    // being computed by another thread
} // namespace marke

inline std::uint32_t MarkeVon(std::uint64_t wort) { return static_cast<std::uint32_t>(wort) & 0xFFu; }
inline bool Gewoehnlich(std::uint64_t wort) { return MarkeVon(wort) - 1u <= marke::NichtGezaehlt - 1u; }
inline std::int64_t GespeichertVon(std::uint64_t wort) { return static_cast<std::int64_t>(wort) >> 8; }

enum class Ausgang : std::uint8_t {
  Normal,      // stored, counted (or not) and listed
  Wertfehler,  // the market value or its rounding raises an error: the trial is not stored
  Zaehlfehler, // the histogram raises an error: the trial is stored, then the run ends
};

// No initialisers: the store leaves the records of combinations not drawn untouched (Vorrat).
struct Kombiwert {
  double Gespeichert;        // the stored value: the market value rounded up to a whole number
  std::int8_t Klasse;        // histogram class, -1 when not counted
  Ausgang Art;
  bool Auffrischen;          // the value is exactly -1, which the histogram takes as a refresh request
  std::uint8_t ZeilenLaenge;
  std::array<char, 10> Zeile;

  std::string ZeileText() const { return std::string(Zeile.data(), ZeilenLaenge); }
};

// The memory of the combinations, kept from one run to the next: the window runs again and again,
// and fresh memory costs a page fault for every page first touched.
class Vorrat {
public:
  // Room for n combinations, every one "not drawn yet".
  void Bereitstellen(std::uint32_t n);
  std::atomic<std::uint64_t> *Woerter() { return woerter_.get(); }
  Kombiwert *Werte() { return werte_.get(); }

private:
  std::uint32_t groesse_ = 0;
  std::unique_ptr<std::atomic<std::uint64_t>[]> woerter_;
  std::unique_ptr<Kombiwert[]> werte_;
};

// The combinations of one run with one set of class tables. Threads may ask for combinations at the
// same time: the first one computes, the others wait for its result.
class Kombinationsspeicher {
public:
  // Stored values of a magnitude of grenze or more get the mark Besonders (see Schnelllauf).
  Kombinationsspeicher(const Ziehungstabellen &tabellen, const Histogramm &histo, Extended vkwMin, Extended vkwMax,
                       double grenze, Vorrat &vorrat);

  // The word of a combination, computed first if need be (then its number goes to neu, if given).
  // Never Unbekannt or InArbeit.
  std::uint64_t Holen(std::uint32_t kombination, std::vector<std::uint32_t> *neu);
  // Only for words Holen has returned (or the inner loop has read as ordinary).
  const Kombiwert &Wert(std::uint32_t kombination) const { return werte_[kombination]; }
  std::string Meldung(std::uint32_t kombination) const;
  // Back to "not drawn yet"; only while no other thread uses the store.
  void Vergessen(std::uint32_t kombination);
  bool Gezogen(std::uint32_t kombination) const {
    return MarkeVon(woerter_[kombination].load(std::memory_order_acquire)) != marke::Unbekannt;
  }

  const std::atomic<std::uint64_t> *Woerter() const { return woerter_; }
  std::uint32_t Groesse() const { return groesse_; }
  double Grenze() const { return grenze_; }

private:
  std::uint64_t Berechnen(std::uint32_t kombination);

  // The two interest factors depend on the yield rate and the remaining life only: computed once for
  // each pair of their steps (or the message they raise).
  struct Zinsfaktorpaar {
    Zinsfaktoren Faktoren;
    std::string Fehler;
  };

  const Ziehungstabellen &tabellen_;
  const Histogramm &histo_;
  Extended vkwMin_, vkwMax_;
  double grenze_;
  std::uint32_t groesse_;
  std::atomic<std::uint64_t> *woerter_;
  Kombiwert *werte_;
  std::vector<Zinsfaktorpaar> zinsfaktoren_; // [step of LZ][step of RND]
  mutable std::mutex meldungenSperre_;
  std::unordered_map<std::uint32_t, std::string> meldungen_;
};

} // namespace kwt::schnell
