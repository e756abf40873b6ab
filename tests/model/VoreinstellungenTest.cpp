#include <gtest/gtest.h>

#include <numeric>

#include "Voreinstellungen.h"

using namespace kwt;

namespace {

const Klassenwerte normal{1, 5, 9, 10, 25, 25, 10, 9, 5, 1};
const Klassenwerte steigend{0, 1, 1, 2, 3, 5, 8, 10, 30, 40};
const Klassenwerte fallend{40, 30, 10, 8, 5, 3, 2, 1, 1, 0};
const Klassenwerte gleich{10, 10, 10, 10, 10, 10, 10, 10, 10, 10};
const Klassenwerte einpunkt{0, 0, 0, 0, 100, 0, 0, 0, 0, 0};
const Klassenwerte zweipunkt{30, 10, 5, 3, 2, 2, 3, 5, 10, 30};

TEST(Voreinstellungen, MenuSchreibtDieZeilenJeParameter) {
  struct Fall {
    MenuVoreinstellung v;
    const char *beschriftung;
    std::array<Klassenwerte, 5> zeilen; // LZ, RND, RO, BWK, BO
  };
  const Fall faelle[] = {
      {MenuVoreinstellung::Normalverteilung, "Normalverteilung", {normal, normal, normal, normal, normal}},
      {MenuVoreinstellung::LinksschiefeVerteilung, "linksschiefe Verteilung",
       {fallend, steigend, steigend, fallend, steigend}},
      {MenuVoreinstellung::RechtsschiefeVerteilung, "rechtsschiefe Verteilung",
       {steigend, fallend, fallend, steigend, fallend}},
      {MenuVoreinstellung::Gleichverteilung, "Gleichverteilung", {gleich, gleich, gleich, gleich, gleich}},
      {MenuVoreinstellung::Einpunktverteilung, "Einpunktverteilung (klassich)",
       {einpunkt, einpunkt, einpunkt, einpunkt, einpunkt}},
      {MenuVoreinstellung::Zweipunktverteilung, "Zweipunktverteilung",
       {zweipunkt, zweipunkt, zweipunkt, zweipunkt, zweipunkt}},
  };
  for (const Fall &f : faelle) {
    Bewertungsmodell m;
    m.VerteilungenVorbereiten({1, 2, 3, 4, 5}, {11, 12, 13, 14, 15});
    MenuVoreinstellungAnwenden(m, MenuVoreinstellung::Zweipunktverteilung); // overwritten below
    const auto vorher = m.Verteilungen;
    MenuVoreinstellungAnwenden(m, f.v);
    MenuVoreinstellungAnwenden(m, f.v); // twice is the same as once
    EXPECT_STREQ(MenuEintragVon(f.v).Beschriftung, f.beschriftung);
    for (Parameter p : AlleParameter) {
      EXPECT_EQ(m.Verteilungen[p].Prozent, f.zeilen[p]) << f.beschriftung << " " << p;
      EXPECT_EQ(std::accumulate(m.Verteilungen[p].Prozent.begin(), m.Verteilungen[p].Prozent.end(), 0.0L), 100);
      EXPECT_EQ(m.Verteilungen[p].Mitte, vorher[p].Mitte);
      EXPECT_EQ(m.Verteilungen[p].Kumuliert, vorher[p].Kumuliert);
    }
  }
}

TEST(Voreinstellungen, MenuReihenfolgeUndTrenner) {
  const auto &menu = MenuVoreinstellungen();
  const bool trenner[] = {false, false, false, true, false, true};
  for (std::size_t i = 0; i < menu.size(); ++i) {
    EXPECT_EQ(static_cast<int>(menu[i].Voreinstellung), static_cast<int>(i));
    EXPECT_EQ(menu[i].TrennerDavor, trenner[i]);
  }
}

TEST(Voreinstellungen, DialogZeilenNichtJeParameterGedreht) {
  const auto &dialog = DialogVoreinstellungen();
  const std::pair<const char *, Klassenwerte> erwartet[] = {
      {"Linksschief", steigend}, {"Normal", normal}, {"Rechtsschief", fallend},
      {"Gleichverteilt", gleich}, {"Einpunkt", einpunkt},
  };
  for (std::size_t i = 0; i < dialog.size(); ++i) {
    EXPECT_STREQ(dialog[i].Beschriftung, erwartet[i].first);
    EXPECT_EQ(ZeilenWerte(dialog[i].Reihe), erwartet[i].second);
  }
}

} // namespace
