#include "Voreinstellungen.h"

#include <stdexcept>

namespace kwt {

namespace {

constexpr Klassenwerte normalZeile{1, 5, 9, 10, 25, 25, 10, 9, 5, 1};
constexpr Klassenwerte steigendZeile{0, 1, 1, 2, 3, 5, 8, 10, 30, 40};
constexpr Klassenwerte fallendZeile{40, 30, 10, 8, 5, 3, 2, 1, 1, 0};
constexpr Klassenwerte gleichZeile{10, 10, 10, 10, 10, 10, 10, 10, 10, 10};
// All weight on class 5, the lower of the two middle classes.
constexpr Klassenwerte einpunktZeile{0, 0, 0, 0, 100, 0, 0, 0, 0, 0};
constexpr Klassenwerte zweipunktZeile{30, 10, 5, 3, 2, 2, 3, 5, 10, 30};

// LZ and BWK lower the value as they rise, so the skewed presets give them the opposite row:
// "linksschief" leans every parameter towards its favourable end.
const std::array<MenuEintrag, 6> menu{{
    {MenuVoreinstellung::Normalverteilung, "Normalverteilung", "mnNormalverteilung", "normal", false,
     {Zeile::Normal, Zeile::Normal, Zeile::Normal, Zeile::Normal, Zeile::Normal}},
    {MenuVoreinstellung::LinksschiefeVerteilung, "linksschiefe Verteilung", "mnLinksschiefeVerteilung",
     "linksschief", false, {Zeile::Fallend, Zeile::Steigend, Zeile::Steigend, Zeile::Fallend, Zeile::Steigend}},
    {MenuVoreinstellung::RechtsschiefeVerteilung, "rechtsschiefe Verteilung", "mnRechtsschiefeVerteilung",
     "rechtsschief", false, {Zeile::Steigend, Zeile::Fallend, Zeile::Fallend, Zeile::Steigend, Zeile::Fallend}},
    {MenuVoreinstellung::Gleichverteilung, "Gleichverteilung", "mnGleichverteilung", "gleich", true,
     {Zeile::Gleich, Zeile::Gleich, Zeile::Gleich, Zeile::Gleich, Zeile::Gleich}},
    {MenuVoreinstellung::Einpunktverteilung, "Einpunktverteilung (klassich)", "mnEinpunktverteilung", "einpunkt",
     false, {Zeile::Einpunkt, Zeile::Einpunkt, Zeile::Einpunkt, Zeile::Einpunkt, Zeile::Einpunkt}},
    {MenuVoreinstellung::Zweipunktverteilung, "Zweipunktverteilung", "mnZweipunktverteilung", "zweipunkt", true,
     {Zeile::Zweipunkt, Zeile::Zweipunkt, Zeile::Zweipunkt, Zeile::Zweipunkt, Zeile::Zweipunkt}},
}};

const std::array<DialogEintrag, 5> dialog{{
    {"Linksschief", "BtnLinks", Zeile::Steigend},
    {"Normal", "BtnNormal", Zeile::Normal},
    {"Rechtsschief", "BtnRechts", Zeile::Fallend},
    {"Gleichverteilt", "BtnGleich", Zeile::Gleich},
    {"Einpunkt", "BtnEinpunkt", Zeile::Einpunkt},
}};

} // namespace

const Klassenwerte &ZeilenWerte(Zeile zeile) {
  switch (zeile) {
  case Zeile::Normal: return normalZeile;
  case Zeile::Steigend: return steigendZeile;
  case Zeile::Fallend: return fallendZeile;
  case Zeile::Gleich: return gleichZeile;
  case Zeile::Einpunkt: return einpunktZeile;
  case Zeile::Zweipunkt: return zweipunktZeile;
  }
  throw std::logic_error("Zeile");
}

const std::array<MenuEintrag, 6> &MenuVoreinstellungen() { return menu; }

const MenuEintrag &MenuEintragVon(MenuVoreinstellung voreinstellung) {
  for (const MenuEintrag &e : menu)
    if (e.Voreinstellung == voreinstellung) return e;
  throw std::logic_error("MenuVoreinstellung");
}

void MenuVoreinstellungAnwenden(Bewertungsmodell &modell, MenuVoreinstellung voreinstellung) {
  const MenuEintrag &eintrag = MenuEintragVon(voreinstellung);
  for (Parameter p : AlleParameter) {
    modell.Verteilungen[p].Prozent = ZeilenWerte(eintrag.Zeilen[p]);
    modell.Formen[p].reset();
  }
}

const std::array<DialogEintrag, 5> &DialogVoreinstellungen() { return dialog; }

} // namespace kwt
