#include "Sobolindizes.h"

#include <cmath>
#include <limits>
#include <vector>

#include "W32_CLC.h"

namespace kwt {

namespace {

constexpr Extended KeineZahl = std::numeric_limits<Extended>::quiet_NaN();

std::string AnteilText(Extended x) {
  if (!std::isfinite(x)) return "–";
  return ZahlFormatieren(2, true, true, x * 100, false) + " %";
}

// The class grid: per parameter the outcomes that some state selects, and per cell (one outcome of
// each) its probability and stored value; cells that cannot be computed have the weight 0.
struct Raster {
  std::array<std::vector<int>, ParameterAnzahl> ausgaenge;   // the outcomes, in class order
  std::array<std::array<int, AusgangAnzahl>, ParameterAnzahl> stelle{}; // outcome -> position, -1 if never drawn
  std::array<std::size_t, ParameterAnzahl> schritt{};        // distance of neighbouring positions in the cells
  std::vector<Extended> p;                                   // probability of the cell, 0 if not computable
  std::vector<Extended> abweichung;                          // value minus the mean

  explicit Raster(const ExakteVerteilung &e) {
    std::size_t zellen = 1;
    for (int i = ParameterAnzahl - 1; i >= 0; --i) {
      stelle[i].fill(-1);
      for (int k = 0; k < AusgangAnzahl; ++k) {
        if (e.Klassen[i].Anzahl[k] == 0) continue;
        stelle[i][k] = static_cast<int>(ausgaenge[i].size());
        ausgaenge[i].push_back(k);
      }
      schritt[i] = zellen;
      zellen *= ausgaenge[i].size();
    }
    p.assign(zellen, 0);
    abweichung.assign(zellen, 0);
    for (const ExakteVerteilung::Kombination &k : e.BerechenbareKombinationen()) {
      std::size_t zelle = 0;
      Extended pk = 1;
      for (int i = 0; i < ParameterAnzahl; ++i) {
        const int a = ExakteVerteilung::Ausgangsindex(k.Ausgaenge, i);
        zelle += static_cast<std::size_t>(stelle[i][a]) * schritt[i];
        pk *= e.Klassen[i].Wahrscheinlichkeit(a);
      }
      p[zelle] = pk;
      abweichung[zelle] = k.Wert;
    }
  }
};

} // namespace

std::array<Sobolindex, ParameterAnzahl> SobolindizesBerechnen(const ExakteVerteilung &e) {
  std::array<Sobolindex, ParameterAnzahl> indizes{};
  for (Parameter i : AlleParameter) {
    indizes[i].Param = i;
    indizes[i].ErsterOrdnung = indizes[i].Gesamt = KeineZahl;
  }
  if (!e.Leer()) {
    Raster r(e);
    // Mean and variance over the cells, with the same weights as every sum below. Values are taken
    // as deviations from the mean, so that a part of the grid where the value does not change gives
    // exact zeros.
    Extended gesamt = 0, summe = 0;
    for (std::size_t z = 0; z < r.p.size(); ++z) {
      gesamt += r.p[z];
      summe += r.p[z] * r.abweichung[z];
    }
    const Extended mittel = summe / gesamt;
    Extended varianz = 0;
    for (std::size_t z = 0; z < r.p.size(); ++z) {
      if (r.p[z] == 0) continue;
      r.abweichung[z] -= mittel;
      varianz += r.p[z] * r.abweichung[z] * r.abweichung[z];
    }
    if (varianz > 0) {
      for (Parameter i : AlleParameter) {
        const std::size_t n = r.ausgaenge[i].size(), schritt = r.schritt[i];
        // First order: the conditional mean for each outcome of X_i (its deviation from the mean).
        std::vector<Extended> pk(n, 0), wk(n, 0);
        for (std::size_t z = 0; z < r.p.size(); ++z) {
          const std::size_t k = z / schritt % n;
          pk[k] += r.p[z];
          wk[k] += r.p[z] * r.abweichung[z];
        }
        Extended erste = 0;
        if (n > 1) {
          for (std::size_t k = 0; k < n; ++k)
            if (pk[k] > 0) erste += wk[k] * wk[k] / pk[k]; // P_k (m_k - mean)^2 with m_k - mean = w_k / P_k
        }
        // Total: the variance left inside each group of cells that differ in X_i only, added up.
        Extended rest = 0;
        if (n > 1) {
          for (std::size_t z = 0; z < r.p.size(); ++z) {
            if (z / schritt % n != 0) continue; // the group's first cell
            // Deviations from the group's first computable value: a group whose value does not
            // change with X_i adds exactly 0.
            Extended bezug = 0, pg = 0, wg = 0;
            bool ersteZelle = true;
            for (std::size_t k = 0; k < n; ++k) {
              const std::size_t c = z + k * schritt;
              if (r.p[c] == 0) continue;
              if (ersteZelle) bezug = r.abweichung[c];
              ersteZelle = false;
              pg += r.p[c];
              wg += r.p[c] * (r.abweichung[c] - bezug);
            }
            if (pg == 0) continue;
            const Extended mg = bezug + wg / pg;
            for (std::size_t k = 0; k < n; ++k) {
              const std::size_t c = z + k * schritt;
              if (r.p[c] == 0) continue;
              const Extended d = r.abweichung[c] - mg;
              rest += r.p[c] * d * d;
            }
          }
        }
        indizes[i].ErsterOrdnung = erste / varianz;
        indizes[i].Gesamt = rest / varianz;
      }
    }
  }
  for (Sobolindex &s : indizes) {
    s.ErsterOrdnungText = AnteilText(s.ErsterOrdnung);
    s.GesamtText = AnteilText(s.Gesamt);
  }
  return indizes;
}

} // namespace kwt
