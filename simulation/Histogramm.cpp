#include "Histogramm.h"

#include <algorithm>

#include "W32_CLC.h"

namespace kwt {

std::int32_t KlassenAnzahlFuer(std::int32_t n) {
  if (n <= 50) return 10;
  if (n <= 100) return 15;
  if (n <= 200) return 20;
  if (n <= 500) return 25;
  if (n <= 1000) return 30;
  if (n <= 5000) return 35;
  if (n <= 20000) return 40;
  if (n <= 50000) return 50;
  return 60;
}

Extended Histogramm::KlassenMitteInTausend(Extended vkwMin, Extended breite, int i) {
  return Durch(Plus(Plus(Durch(breite, 2), vkwMin), Mal(i, breite)), 1000);
}

void Histogramm::Vorbereiten(std::int32_t anzahlVersuche, Extended vkwMin, Extended vkwMax) {
  KlassenAnzahl = KlassenAnzahlFuer(anzahlVersuche);
  KlassenBreite = Durch(Minus(vkwMax, vkwMin), KlassenAnzahl);
  Haeufigkeit.fill(0);
  KlassenText.fill(std::string());
  for (int i = 0; i < KlassenAnzahl; ++i) {
    KlassenText[i] = ZahlFormatieren(0, true, true, KlassenMitteInTausend(vkwMin, KlassenBreite, i), false);
  }
}

std::int32_t Histogramm::ZaehlKlasse(Extended wert, Extended vkwMin, Extended vkwMax) const {
  if (wert < vkwMin || wert > vkwMax) return -1;
  // A class width of 0 (VkwMin = VkwMax) makes this 0 / 0: an invalid operation that ends the run.
  const std::int32_t i = AbschneidenInt32(Durch(Minus(wert, vkwMin), KlassenBreite));
  return i <= KlassenAnzahl - 1 ? i : -1;
}

void Histogramm::Zaehlen(Extended wert, Extended vkwMin, Extended vkwMax) {
  const std::int32_t i = ZaehlKlasse(wert, vkwMin, vkwMax);
  if (i >= 0) ++Haeufigkeit[static_cast<std::size_t>(i)];
}

Balkenansicht HistogrammBalken(const Histogramm &h) {
  Balkenansicht b;
  std::int32_t m = 0;
  for (int i = 0; i < h.KlassenAnzahl; ++i) {
    b.Hoehen.push_back(h.Haeufigkeit[i]);
    b.Texte.push_back(h.KlassenText[i]);
    m = std::max(m, h.Haeufigkeit[i]);
  }
  b.AchsenMaximum = static_cast<double>(m) + 5;
  return b;
}

RHKurve RHKurveZeichnen(const Histogramm &h, Extended vkwMin) {
  RHKurve k;
  std::int32_t gesamt = 0;
  for (int a = 0; a < h.KlassenAnzahl; ++a) gesamt += h.Haeufigkeit[a];
  std::int32_t laufend = 0;
  for (int a = 0; a < h.KlassenAnzahl; ++a) {
    if (laufend > 0 && h.Haeufigkeit[a] > 0) {
      const double x = static_cast<double>(Histogramm::KlassenMitteInTausend(vkwMin, h.KlassenBreite, a));
      const double y = static_cast<double>(Durch(laufend, gesamt));
      k.Kurve.push_back({x, y});
      k.Median.push_back({x, 0.5});
    }
    laufend += h.Haeufigkeit[a];
  }
  return k;
}

} // namespace kwt
