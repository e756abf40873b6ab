#include "Standardwerte.h"

namespace kwt {

std::array<Klassenwerte, ParameterAnzahl> StandardProzente() {
  std::array<Klassenwerte, ParameterAnzahl> zeilen{};
  const MenuEintrag &eintrag = MenuEintragVon(StandardVoreinstellung);
  for (Parameter p : AlleParameter) zeilen[p] = ZeilenWerte(eintrag.Zeilen[p]);
  return zeilen;
}

} // namespace kwt
