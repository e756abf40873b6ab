// The exact distribution of the market value, computed from the class tables instead of sampled.
//
// A trial draws one generator state per parameter and takes the first class whose cumulative
// fraction is not below state * 2^-32, or the value 0 when there is none. The generator runs through
// all 2^32 states once per period, so each class has the probability (number of states that select
// it) / 2^32, counted exactly here. The five draws of a trial are treated as independent (10^8
// trials of the defaults agree with the exact mean to 0.02 standard errors), so a
// combination of classes has the product of the five probabilities; its value is the market value
// of the five midpoints, computed by the same operations as in a trial.
//
// The figures are those of the value a trial stores: the market value rounded up to a whole number
// (as "Mittel Stichprobe:" averages it); its mean and quantiles lie less than 1 above those of the
// unrounded value. Combinations whose value cannot be computed (the trial would stop the run with a message)
// are listed per message with their probability; all figures and probabilities of values refer to
// the computable combinations (P(VKW <= x | computable)), which is the distribution that the trials
// of a run that does not stop are drawn from.
//
// Probabilities are kept as exact whole numbers internally (Wahrscheinlichkeitsmasse.h); the shares
// given out as extended numbers lie within a few units of their last place (about 1e-18 relative),
// and the last cumulative share is exactly 1.
//
// Only Mitte and Kumuliert of the tables are read, as the draws read them: after a run the model's
// tables still are those the run drew from, until the next preparation (a preset alone changes only
// the percentages).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Histogramm.h"
#include "Parameter.h"
#include "Wahrscheinlichkeitsmasse.h"

namespace kwt {

// The outcomes of one draw: the ten classes and, at index KeineKlasse, "no class" (the value 0).
inline constexpr int KeineKlasse = KlassenAnzahlVerteilung;
inline constexpr int AusgangAnzahl = KlassenAnzahlVerteilung + 1;
inline constexpr std::uint64_t ZustandAnzahl = std::uint64_t{1} << 32;

struct KlassenZustaende {
  // How many of the 2^32 generator states select each outcome; they add up to 2^32.
  std::array<std::uint64_t, AusgangAnzahl> Anzahl{};
  // The value drawn for each outcome: the class midpoint, or 0.
  std::array<Extended, AusgangAnzahl> Wert{};

  Extended Wahrscheinlichkeit(int ausgang) const { return static_cast<Extended>(Anzahl[ausgang]) * 0x1p-32L; }
};

// Counts the states per outcome for any finite or infinite fractions, also negative, above 1 or
// falling ones: the states that satisfy x <= Kumuliert[k] form a prefix 0..N-1, so class k takes the
// states between the largest prefix of the classes before it and its own.
KlassenZustaende KlassenZustaendeZaehlen(const TParamVerteilung &verteilung);

struct ExakterWert {
  double Wert = 0;                 // a stored trial value (whole number)
  Extended Wahrscheinlichkeit = 0; // P(VKW = Wert)
  Extended Kumuliert = 0;          // P(VKW <= Wert)
};

struct ExakterFehler {
  std::string Meldung;             // the message the trial would raise
  Extended Wahrscheinlichkeit = 0; // probability of a trial raising it (of all trials, not conditional)
  std::int64_t Kombinationen = 0;  // number of class combinations that raise it
};

// The exact mean with one parameter fixed at its lowest and at its highest drawn class (the others
// keeping their distributions): one bar of the tornado chart.
struct Empfindlichkeit {
  Parameter Param = LZ;
  int KlasseTief = -1; // 0-based; -1 when no class of the parameter is ever drawn
  int KlasseHoch = -1;
  Extended MitteTief = 0; // the parameter's value there
  Extended MitteHoch = 0;
  Extended MittelTief = 0; // exact mean VKW with the parameter fixed there (NaN if nothing computable)
  Extended MittelHoch = 0;
  Extended Spanne = 0; // |MittelHoch - MittelTief|, the order of the tornado
};

// The figures of the exact distribution and of the sample beside it, in the order they are listed.
enum class ExakteKennzahl { Mittelwert, Standardabweichung, Q5, Q10, Q25, Median, Q75, Q90, Q95 };

struct ExakteKennzahlEintrag {
  ExakteKennzahl Art;
  const char *Name;         // key in JSON output
  const char *Beschriftung; // caption (UTF-8)
  Extended P;               // the quantile's level; 0 for mean and standard deviation
};

inline constexpr std::array<ExakteKennzahlEintrag, 9> ExakteKennzahlen{{
    {ExakteKennzahl::Mittelwert, "mittelwert", "Mittelwert:", 0},
    {ExakteKennzahl::Standardabweichung, "standardabweichung", "Standardabweichung:", 0},
    {ExakteKennzahl::Q5, "quantil_5", "5 %-Quantil:", 0.05L},
    {ExakteKennzahl::Q10, "quantil_10", "10 %-Quantil:", 0.10L},
    {ExakteKennzahl::Q25, "quantil_25", "25 %-Quantil:", 0.25L},
    {ExakteKennzahl::Median, "median", "Median:", 0.5L},
    {ExakteKennzahl::Q75, "quantil_75", "75 %-Quantil:", 0.75L},
    {ExakteKennzahl::Q90, "quantil_90", "90 %-Quantil:", 0.90L},
    {ExakteKennzahl::Q95, "quantil_95", "95 %-Quantil:", 0.95L},
}};

class ExakteVerteilung {
public:
  std::array<KlassenZustaende, ParameterAnzahl> Klassen{};
  // The distinct stored values of the computable combinations, ascending.
  std::vector<ExakterWert> Werte;
  // One entry per message, in the order of first appearance (combinations in class order).
  std::vector<ExakterFehler> Fehler;
  std::int64_t Kombinationen = 0; // class combinations with a probability above 0
  Extended AnteilBerechenbar = 0; // probability that a trial's value can be computed
  Extended Mittelwert = 0;
  Extended Standardabweichung = 0;
  // Ordered by falling swing; equal swings keep the parameter order.
  std::array<Empfindlichkeit, ParameterAnzahl> Tornado{};

  // True when no combination can be computed; the figures are then NaN.
  bool Leer() const { return Werte.empty(); }

  // The smallest value v with P(VKW <= v) >= p, for p in [0, 1]; decided exactly.
  double Quantil(Extended p) const;
  // P(VKW <= x) for any x.
  Extended VerteilungBis(Extended x) const;
  Extended Kennzahl(ExakteKennzahl k) const;

  // Points of the cumulative curve for a chart, X in thousands as the run's curve: a staircase
  // (two points per value) while that fits into hoechstens points, otherwise P(VKW <= x) at
  // hoechstens evenly spaced x from the lowest to the highest value.
  std::vector<Kurvenpunkt> Kurve(std::size_t hoechstens = 2000) const;

private:
  friend ExakteVerteilung ExakteVerteilungBerechnen(const Verteilungstabellen &);
  // The steps of ExakteVerteilungBerechnen: enumerate, condense, moments, tornado.
  struct Aufbau;

  // The computable combinations sorted by value: the value and the five outcomes, four bits each.
  struct Kombination {
    double Wert;
    std::uint32_t Ausgaenge;
  };
  static constexpr std::size_t Stuetzabstand = 256;
  // The number of state combinations (out of 2^160) that give these outcomes.
  Masse KombinationsMasse(std::uint32_t ausgaenge) const;
  // The exact mass of the first n combinations, from the support point below n.
  Masse MasseBis(std::size_t n) const;

  std::vector<Kombination> kombinationen_;
  std::vector<Masse> stuetzstellen_; // exact mass of the first j * Stuetzabstand combinations
  Masse gesamt_;                     // mass of the computable combinations
};

// The exact distribution of prepared class tables (after VerteilungenVorbereiten). Raises nothing
// for failing combinations: they are reported in Fehler.
ExakteVerteilung ExakteVerteilungBerechnen(const Verteilungstabellen &verteilungen);

} // namespace kwt
