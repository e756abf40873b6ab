#include "Bewertungsmodell.h"

#include "Ertragswert.h"

namespace kwt {

void Bewertungsmodell::TabellenLoeschen() {
  ParamMin = {};
  ParamMax = {};
  Verteilungen = {};
  Stichprobe = {};
  Formen = {};
}

void TabelleVorbereiten(TParamVerteilung &v, Extended min, Extended max) {
  const Extended h = Durch(Minus(max, min), 10);
  Extended m = Plus(min, Durch(h, 2));
  Extended s = 0;
  for (int k = 0; k < KlassenAnzahlVerteilung; ++k) {
    s = Plus(s, Durch(v.Prozent[k], 100));
    v.Kumuliert[k] = s;
    v.Mitte[k] = m;
    m = Plus(m, h);
  }
}

Extended ProzentSumme(const Klassenwerte &prozent) {
  Extended s = 0;
  for (Extended p : prozent) s = Plus(s, p);
  return s;
}

void Bewertungsmodell::VerteilungenVorbereiten(const Parameterwerte &min, const Parameterwerte &max) {
  ParamMin = min;
  ParamMax = max;
  for (Parameter i : AlleParameter) TabelleVorbereiten(Verteilungen[i], ParamMin[i], ParamMax[i]);
}

std::optional<FormAngabe> Bewertungsmodell::GueltigeForm(Parameter p) const {
  const std::optional<FormAngabe> &form = Formen[p];
  if (form && FormPasst(*form, ParamMin[p], ParamMax[p], Verteilungen[p].Prozent)) return form;
  return std::nullopt;
}

int KlassenIndex(const TParamVerteilung &verteilung, Extended x) {
  for (int k = 0; k < KlassenAnzahlVerteilung; ++k) {
    if (x <= verteilung.Kumuliert[k]) return k;
  }
  return -1;
}

Extended Bewertungsmodell::KlasseZiehen(Parameter p) {
  const Extended x = Zufall.ZufallImBereich(0, 1);
  const int k = KlassenIndex(Verteilungen[p], x);
  return k < 0 ? 0 : Verteilungen[p].Mitte[k];
}

Extended Bewertungsmodell::VkwStichprobe() const {
  return Ertragswert(Stichprobe[LZ], Stichprobe[RND], Stichprobe[RO], Stichprobe[BWK], Stichprobe[BO]);
}

Extended Bewertungsmodell::VkwGewichtetBerechnen() {
  for (Parameter i : AlleParameter) {
    Extended mittel = 0;
    for (int k = 0; k < KlassenAnzahlVerteilung; ++k) {
      mittel = Plus(mittel, Mal(Durch(Verteilungen[i].Prozent[k], 100), Verteilungen[i].Mitte[k]));
    }
    Stichprobe[i] = mittel;
  }
  return VkwStichprobe();
}

// The lowest value takes each parameter's unfavourable bound: the upper one for the yield rate and
// the operating costs, the lower one for the others; the highest value the opposite.
Extended Bewertungsmodell::VkwMinBerechnen() const {
  return Ertragswert(ParamMax[LZ], ParamMin[RND], ParamMin[RO], ParamMax[BWK], ParamMin[BO]);
}

Extended Bewertungsmodell::VkwMaxBerechnen() const {
  return Ertragswert(ParamMin[LZ], ParamMax[RND], ParamMax[RO], ParamMin[BWK], ParamMax[BO]);
}

} // namespace kwt
