// The main window's five parameter panels, top to bottom in parameter order: title, the masks of the
// two bound fields, the object name of the "Verteilung" button and the name the distribution editor
// shows. The editor's names are not the panel titles: "Rohertrag" for "Jahresrohertrag", and no colon
// after "Bewirtschaftungskosten".
#pragma once

#include <array>

#include "Parameter.h"

namespace kwt {

struct TParameterPanel {
  const char *Titel;
  const char *MaskeMin;
  const char *MaskeMax;
  const char *KnopfName;
  const char *AnzeigeName;
};

inline constexpr std::array<TParameterPanel, ParameterAnzahl> ParameterPanels{{
    {"Liegenschaftszinssatz", "#,###,###.##", "##,###,###.##", "BtnV_LZ", "Liegenschaftszinssatz"},
    {"Restnutzungsdauer", "#,###,###.##", "##,###,###.##", "BtnV_RND", "Restnutzungsdauer"},
    {"Jahresrohertrag", "#,###,###.##", "##,###,###.##", "BtnV_RO", "Rohertrag"},
    {"Bewirtschaftungskosten:", "#,###,###.##", "#,###,###.##", "BtnV_BWK", "Bewirtschaftungskosten"},
    {"Bodenwert", "###,###,###.##", "###,###,###.##", "BtnV_BO", "Bodenwert"},
}};

} // namespace kwt
