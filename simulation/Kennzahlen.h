// The nine summary figures of a run, in the order a run sets them.
#pragma once

#include <array>

namespace kwt {

enum class Kennzahl {
  LMinVKW,
  LMaxVKW,
  LWeightedVKW,
  LMittelVKW,
  LMWSTP,
  LMedianSTP,
  LDiffP,
  LDiffWMedian,
  LDiffWMittelwert,
};

struct KennzahlEintrag {
  Kennzahl Art;
  const char *Name;         // object name of the value label
  const char *Beschriftung; // caption beside it (UTF-8)
  int Dezimalen;
};

inline constexpr std::array<KennzahlEintrag, 9> Kennzahlen{{
    {Kennzahl::LMinVKW, "LMinVKW", "Kleinster VKW:", 0},
    {Kennzahl::LMaxVKW, "LMaxVKW", "Größter VkW:", 0},
    {Kennzahl::LWeightedVKW, "LWeightedVKW", "Gewichtete Parameter:", 0},
    {Kennzahl::LMittelVKW, "LMittelVKW", "Mittelwert:", 0},
    {Kennzahl::LMWSTP, "LMWSTP", "Mittel Stichprobe:", 0},
    {Kennzahl::LMedianSTP, "LMedianSTP", "Median:", 0},
    // The three differences are fractions shown with six decimals, not percentages.
    {Kennzahl::LDiffP, "LDiffP", "Diff (%):", 6},
    {Kennzahl::LDiffWMedian, "LDiffWMedian", "Differenz Median (%):", 6},
    {Kennzahl::LDiffWMittelwert, "LDiffWMittelwert", "Differenz Mittelwert (%):", 6},
}};

inline const KennzahlEintrag &KennzahlEintragVon(Kennzahl k) { return Kennzahlen[static_cast<int>(k)]; }

} // namespace kwt
