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
// each, LZ outermost, BO innermost) its probability and stored value; cells that cannot be computed
// have the weight 0.
struct Raster {
  struct Zelle {
    Extended p = 0;
    Extended a = 0; // the value, then its deviation from the mean
  };
  std::array<std::size_t, ParameterAnzahl> anzahl{};  // outcomes drawn per parameter
  std::array<std::size_t, ParameterAnzahl> schritt{}; // distance of neighbouring outcomes in the cells
  std::vector<Zelle> zellen;

  explicit Raster(const ExakteVerteilung &e) {
    std::array<std::array<int, AusgangAnzahl>, ParameterAnzahl> stelle{}; // outcome -> position
    std::array<std::vector<Extended>, ParameterAnzahl> p;                  // per position
    std::size_t n = 1;
    for (int i = ParameterAnzahl - 1; i >= 0; --i) {
      stelle[i].fill(-1);
      for (int k = 0; k < AusgangAnzahl; ++k) {
        if (e.Klassen[i].Anzahl[k] == 0) continue;
        stelle[i][k] = static_cast<int>(p[i].size());
        p[i].push_back(e.Klassen[i].Wahrscheinlichkeit(k));
      }
      anzahl[i] = p[i].size();
      schritt[i] = n;
      n *= anzahl[i];
    }
    zellen.resize(n);
    std::vector<char> berechenbar(n, 0);
    for (const ExakteVerteilung::Kombination &k : e.BerechenbareKombinationen()) {
      std::size_t z = 0;
      for (int i = 0; i < ParameterAnzahl; ++i)
        z += static_cast<std::size_t>(stelle[i][ExakteVerteilung::Ausgangsindex(k.Ausgaenge, i)]) * schritt[i];
      zellen[z].a = k.Wert;
      berechenbar[z] = 1;
    }
    // The products of the five probabilities, one multiplication per level.
    std::size_t z = 0;
    for (Extended p0 : p[0])
      for (Extended p1 : p[1]) {
        const Extended p01 = p0 * p1;
        for (Extended p2 : p[2]) {
          const Extended p012 = p01 * p2;
          for (Extended p3 : p[3]) {
            const Extended p0123 = p012 * p3;
            for (Extended p4 : p[4]) {
              if (berechenbar[z]) zellen[z].p = p0123 * p4;
              ++z;
            }
          }
        }
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
    for (const Raster::Zelle &c : r.zellen) {
      gesamt += c.p;
      summe += c.p * c.a;
    }
    const Extended mittel = summe / gesamt;
    Extended varianz = 0;
    for (Raster::Zelle &c : r.zellen) {
      if (c.p == 0) continue;
      c.a -= mittel;
      varianz += c.p * c.a * c.a;
    }
    for (Parameter i : AlleParameter) {
      const std::size_t n = r.anzahl[i], schritt = r.schritt[i], block = n * schritt;
      if (!(varianz > 0)) break;
      if (n < 2) { // an input that takes one value explains nothing
        indizes[i].ErsterOrdnung = indizes[i].Gesamt = 0;
        continue;
      }
      // First order: per outcome k of X_i its probability P_k and the sum w_k of deviations, over the
      // runs of `schritt` neighbouring cells that have X_i = k; the conditional mean's deviation from
      // the mean is w_k / P_k, and P_k (w_k / P_k)^2 its part of Var(E[VKW | X_i]).
      Extended erste = 0;
      for (std::size_t k = 0; k < n; ++k) {
        Extended pk = 0, wk = 0;
        for (std::size_t aussen = k * schritt; aussen < r.zellen.size(); aussen += block) {
          for (const Raster::Zelle *c = r.zellen.data() + aussen, *ende = c + schritt; c != ende; ++c) {
            pk += c->p;
            wk += c->p * c->a;
          }
        }
        if (pk > 0) erste += wk * wk / pk;
      }
      // Total: the variance left inside each group of cells that differ in X_i only, added up.
      Extended rest = 0;
      for (std::size_t aussen = 0; aussen < r.zellen.size(); aussen += block) {
        for (std::size_t innen = 0; innen < schritt; ++innen) {
          const Raster::Zelle *gruppe = r.zellen.data() + aussen + innen;
          // Deviations from the group's first computable value: a group whose value does not change
          // with X_i adds exactly 0.
          Extended bezug = 0, pg = 0, wg = 0;
          bool ersteZelle = true;
          for (std::size_t k = 0; k < n; ++k) {
            const Raster::Zelle &c = gruppe[k * schritt];
            if (c.p == 0) continue;
            if (ersteZelle) bezug = c.a;
            ersteZelle = false;
            pg += c.p;
            wg += c.p * (c.a - bezug);
          }
          if (pg == 0) continue;
          const Extended mg = bezug + wg / pg;
          for (std::size_t k = 0; k < n; ++k) {
            const Raster::Zelle &c = gruppe[k * schritt];
            if (c.p == 0) continue;
            const Extended d = c.a - mg;
            rest += c.p * d * d;
          }
        }
      }
      indizes[i].ErsterOrdnung = erste / varianz;
      indizes[i].Gesamt = rest / varianz;
    }
  }
  for (Sobolindex &s : indizes) {
    s.ErsterOrdnungText = AnteilText(s.ErsterOrdnung);
    s.GesamtText = AnteilText(s.Gesamt);
  }
  return indizes;
}

} // namespace kwt
