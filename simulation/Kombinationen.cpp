#include "Kombinationen.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>

#include "Ergebnisliste.h"

namespace kwt::schnell {

namespace {

bool GleicheBits(const Klassenwerte &a, const Klassenwerte &b) {
  // The ten significant bytes of each extended value; the padding of long double carries nothing.
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (std::memcmp(&a[k], &b[k], 10) != 0) return false;
  }
  return true;
}

} // namespace

std::int64_t GroessterZustand(Extended kumuliert) {
  // s * 2^-32 is exact, so s * 2^-32 <= K holds exactly for the whole numbers s up to K * 2^32.
  if (!(kumuliert >= 0)) return -1; // also NaN, which no draw reaches
  if (kumuliert >= 1) return 0xFFFFFFFFll;
  return static_cast<std::int64_t>(std::floor(kumuliert * 0x1p32L));
}

Ziehungstabellen::Ziehungstabellen(const std::array<TParamVerteilung, ParameterAnzahl> &verteilungen) {
  for (Parameter p : AlleParameter) {
    mitte_[p] = verteilungen[p].Mitte;
    kumuliert_[p] = verteilungen[p].Kumuliert;
  }
  std::uint32_t gewicht = 1;
  for (int d = 0; d < ParameterAnzahl; ++d) {
    const Klassenwerte &kum = kumuliert_[Ziehfolge[d]];
    std::array<std::int64_t, KlassenAnzahlVerteilung> m{};
    std::int64_t bisher = -1;
    for (int k = 0; k < KlassenAnzahlVerteilung; ++k) m[k] = bisher = std::max(bisher, GroessterZustand(kum[k]));
    Ziehung &z = z_[d];
    for (std::int64_t wert : m) {
      if (wert < 0 || wert >= 0xFFFFFFFFll) continue; // below every state, or above none
      const auto u = static_cast<std::uint32_t>(wert);
      if (z.Anzahl == 0 || z.Schwelle[z.Anzahl - 1] != u) z.Schwelle[z.Anzahl++] = u;
    }
    // A state just above c thresholds stands for all states of step c.
    for (int c = 0; c <= z.Anzahl; ++c) {
      const std::int64_t s = c == 0 ? 0 : std::int64_t{z.Schwelle[c - 1]} + 1;
      z.Klasse[c] = static_cast<std::int8_t>(std::count_if(m.begin(), m.end(), [s](std::int64_t mk) { return mk < s; }));
    }
    z.Gewicht = gewicht;
    gewicht *= static_cast<std::uint32_t>(z.Anzahl + 1);
  }
  kombinationen_ = gewicht;
}

bool Ziehungstabellen::Unveraendert(const std::array<TParamVerteilung, ParameterAnzahl> &verteilungen) const {
  for (Parameter p : AlleParameter) {
    if (!GleicheBits(verteilungen[p].Mitte, mitte_[p]) || !GleicheBits(verteilungen[p].Kumuliert, kumuliert_[p]))
      return false;
  }
  return true;
}

std::uint32_t Ziehungstabellen::NaechsteKombination(std::uint32_t &zustand) const {
  std::uint32_t s[ParameterAnzahl];
  for (std::uint32_t &x : s) {
    zustand = zustand * Zufallsgenerator::Multiplikator + Zufallsgenerator::Inkrement;
    x = zustand;
  }
  return Kombination(s);
}

Parameterwerte Ziehungstabellen::Werte(std::uint32_t kombination) const {
  Parameterwerte werte{};
  for (int d = 0; d < ParameterAnzahl; ++d) {
    const Ziehung &z = z_[d];
    const int stufe = static_cast<int>(kombination / z.Gewicht % static_cast<std::uint32_t>(z.Anzahl + 1));
    const int klasse = z.Klasse[stufe];
    const Parameter p = Ziehfolge[d];
    werte[p] = klasse < KlassenAnzahlVerteilung ? mitte_[p][klasse] : 0;
  }
  return werte;
}

void Vorrat::Bereitstellen(std::uint32_t n) {
  if (n > groesse_) {
    woerter_.reset();
    werte_.reset();
    woerter_ = std::make_unique<std::atomic<std::uint64_t>[]>(n);
    werte_ = std::make_unique_for_overwrite<Kombiwert[]>(n);
    groesse_ = n;
    return;
  }
  for (std::uint32_t k = 0; k < n; ++k) woerter_[k].store(marke::Unbekannt, std::memory_order_relaxed);
}

Kombinationsspeicher::Kombinationsspeicher(const Ziehungstabellen &tabellen, const Histogramm &histo, Extended vkwMin,
                                           Extended vkwMax, double grenze, Vorrat &vorrat)
    : tabellen_(tabellen), histo_(histo), vkwMin_(vkwMin), vkwMax_(vkwMax), grenze_(grenze),
      groesse_(tabellen.Kombinationen()) {
  vorrat.Bereitstellen(groesse_);
  woerter_ = vorrat.Woerter();
  werte_ = vorrat.Werte();
  static_assert(Ziehfolge[0] == LZ && Ziehfolge[1] == RND);
  const Ziehung &lz = tabellen.Z(0), &rnd = tabellen.Z(1);
  for (int i = 0; i <= lz.Anzahl; ++i) {
    for (int j = 0; j <= rnd.Anzahl; ++j) {
      const Parameterwerte x = tabellen.Werte(static_cast<std::uint32_t>(i) * lz.Gewicht + static_cast<std::uint32_t>(j) * rnd.Gewicht);
      Zinsfaktorpaar paar;
      try {
        paar.Faktoren = ZinsfaktorenBerechnen(x[LZ], x[RND]);
      } catch (const GleitkommaFehler &f) {
        paar.Fehler = f.what();
      }
      zinsfaktoren_.push_back(std::move(paar));
    }
  }
}

std::uint64_t Kombinationsspeicher::Berechnen(std::uint32_t kombination) {
  const Parameterwerte x = tabellen_.Werte(kombination);
  Kombiwert &w = werte_[kombination];
  w = Kombiwert{0, -1, Ausgang::Normal, false, 0, {}};
  Extended v = 0;
  try {
    // Ertragswert step by step, in its order: the net income, then the factors (computed before, but
    // their error comes only now), then A V + D BO.
    const Extended a = Minus(x[RO], x[BWK]);
    const Zinsfaktorpaar &paar =
        zinsfaktoren_[static_cast<std::size_t>(tabellen_.Stufe(kombination, 0) * (tabellen_.Z(1).Anzahl + 1) +
                                               tabellen_.Stufe(kombination, 1))];
    if (!paar.Fehler.empty()) throw GleitkommaFehler(paar.Fehler);
    v = ErtragswertAusFaktoren(a, paar.Faktoren, x[BO]);
    w.Gespeichert = static_cast<double>(RundenInt64(v));
  } catch (const GleitkommaFehler &f) {
    w.Art = Ausgang::Wertfehler;
    std::lock_guard<std::mutex> sperre(meldungenSperre_);
    meldungen_[kombination] = f.what();
    return marke::Besonders;
  }
  const std::string zeile = ErgebnisZeile(v);
  w.ZeilenLaenge = static_cast<std::uint8_t>(std::min(zeile.size(), w.Zeile.size()));
  std::memcpy(w.Zeile.data(), zeile.data(), w.ZeilenLaenge);
  if (v == -1) {
    w.Auffrischen = true;
  } else {
    try {
      w.Klasse = static_cast<std::int8_t>(histo_.ZaehlKlasse(v, vkwMin_, vkwMax_));
    } catch (const GleitkommaFehler &f) {
      w.Art = Ausgang::Zaehlfehler;
      std::lock_guard<std::mutex> sperre(meldungenSperre_);
      meldungen_[kombination] = f.what();
      return marke::Besonders;
    }
  }
  if (!(std::fabs(w.Gespeichert) < grenze_)) return marke::Besonders;
  const std::uint32_t m = w.Klasse >= 0 ? static_cast<std::uint32_t>(w.Klasse) + 1 : marke::NichtGezaehlt;
  return static_cast<std::uint64_t>(static_cast<std::int64_t>(w.Gespeichert)) << 8 | m;
}

std::uint64_t Kombinationsspeicher::Holen(std::uint32_t kombination, std::vector<std::uint32_t> *neu) {
  std::atomic<std::uint64_t> &wort = woerter_[kombination];
  std::uint64_t w = wort.load(std::memory_order_acquire);
  if (MarkeVon(w) == marke::Unbekannt &&
      wort.compare_exchange_strong(w, marke::InArbeit, std::memory_order_acq_rel, std::memory_order_acquire)) {
    // The value and its side data are written before the word that publishes them.
    try {
      w = Berechnen(kombination);
    } catch (...) {
      wort.store(marke::Unbekannt, std::memory_order_release);
      throw;
    }
    wort.store(w, std::memory_order_release);
    if (neu != nullptr) neu->push_back(kombination);
    return w;
  }
  while (MarkeVon(w) == marke::InArbeit) {
    std::this_thread::yield();
    w = wort.load(std::memory_order_acquire);
  }
  return w;
}

std::string Kombinationsspeicher::Meldung(std::uint32_t kombination) const {
  std::lock_guard<std::mutex> sperre(meldungenSperre_);
  auto it = meldungen_.find(kombination);
  return it == meldungen_.end() ? std::string() : it->second;
}

void Kombinationsspeicher::Vergessen(std::uint32_t kombination) {
  woerter_[kombination].store(marke::Unbekannt, std::memory_order_relaxed);
  std::lock_guard<std::mutex> sperre(meldungenSperre_);
  meldungen_.erase(kombination);
}

} // namespace kwt::schnell
