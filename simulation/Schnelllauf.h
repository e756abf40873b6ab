// The trials of a fast run (step 9 of Simulationslauf::SchnellBerechnen).
//
// The run goes in blocks from one report to the next (LaufAnzeige.h). Within a block:
//   - the trials are drawn as integers (Schnellkern.h) and their combinations looked up (Kombinationen.h);
//   - beyond a few hundred trials the block is cut into sections of at most 2^22 trials and these into
//     packages that the threads (Arbeitsgruppe.h) take in turn, each starting its generator where the
//     package begins (jump maps); the packages' counts and sums are added in trial order, so the result
//     does not depend on the number of threads or their timing;
//   - the first 100,000 trials keep their stored value and their line in trial order, as the result
//     store and the list of the trial-by-trial run do; later trials only count;
//   - the sum of the stored values is kept as a whole number while no partial sum can reach 2^63 (every
//     stored value below 2^63 / trials in magnitude): then it equals the extended sum of the
//     trial-by-trial run bit for bit. A larger value switches the rest of the run to adding in trial
//     order in extended precision, as that run does.
// The last trial of a block is reported before it is counted and listed, and a trial that cannot be
// computed ends the block at the trial before it, so that a report shows the trial-by-trial run's state.
//
// It draws from the model (tables, generator, the drawn values of the reported trial), writes the
// trials into the run's result and reads only the stop request of the run's control.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "Simulationslauf.h"

namespace kwt {

namespace schnell {
class Ziehungstabellen;
class Kombinationsspeicher;
struct KernTabellen;
struct KernVariante;
class Arbeitsgruppe;
class Vorrat;
} // namespace schnell

class Schnelllauf {
public:
  // ergebnis: prepared by steps 1 to 8; vorrat: memory kept from one run to the next.
  Schnelllauf(Bewertungsmodell &modell, Laufergebnis &ergebnis, const Laufsteuerung &steuerung, LaufAnzeige &anzeige,
              schnell::Vorrat &vorrat, Simulationslauf::SchnellOptionen optionen);
  ~Schnelllauf();
  Schnelllauf(const Schnelllauf &) = delete;
  Schnelllauf &operator=(const Schnelllauf &) = delete;

  // Runs the trials; returns the sum of the stored values of the completed ones, as the trial-by-trial
  // run accumulates it. Raises what that run raises, at the same trial.
  Extended Ausfuehren();

private:
  struct Blockende;
  struct Abschnittsergebnis;
  struct Paket;
  struct Helfer;

  Blockende Block(std::int64_t ende);
  // A section: trials von..bis in packages over the threads; zustand is the generator before von,
  // offen the trial left open before them.
  Abschnittsergebnis AbschnittRechnen(std::int64_t von, std::int64_t bis, std::uint32_t zustand,
                                      const Blockende &offen);
  void PaketBearbeiten(Paket &paket, Helfer &helfer);
  void Aufraeumen(std::int64_t von, std::int64_t bis, std::uint32_t zustand);
  void Melden(const Blockende &b);
  void Speichern(std::int64_t versuch, std::uint32_t kombination);
  void Nachtragen(std::int64_t versuch, std::uint32_t kombination);
  void ZeilenAufnehmen();
  void TabellenBauen();

  Bewertungsmodell &modell_;
  Laufergebnis &ergebnis_;
  const Laufsteuerung &steuerung_;
  LaufAnzeige &anzeige_;
  schnell::Vorrat &vorrat_;
  Simulationslauf::SchnellOptionen optionen_;
  std::int64_t n_;
  int threads_;
  double grenze_;
  std::unique_ptr<schnell::KernVariante> kern_;
  std::unique_ptr<schnell::Ziehungstabellen> tabellen_;
  std::unique_ptr<schnell::Kombinationsspeicher> speicher_;
  std::unique_ptr<schnell::KernTabellen> kernTabellen_;
  std::unique_ptr<schnell::Arbeitsgruppe> gruppe_;

  std::int64_t k_ = 0;        // trials reported
  std::uint32_t zustand_ = 0; // the generator after them
  bool exakt_ = true;
  std::int64_t summeGanz_ = 0;
  Extended summeExt_ = 0;

  std::vector<std::uint32_t> aufzeichnung_; // combinations of the trials kept in trial order
  std::vector<Paket> pakete_;
  std::vector<Helfer> helfer_;
  std::atomic<std::size_t> naechstes_{0};
};

} // namespace kwt
