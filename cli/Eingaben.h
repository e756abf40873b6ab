// kwt-mc --json: the object "eingaben", what the run drew from. Per parameter (lz, rnd, ro, bwk, bo)
// its bounds and ten percentages as the run used them, and the shape that made them, if one did;
// for rnd also the remaining-life model, if it gave the bounds:
//
//   "ro": {"min": 300000, "max": 380000, "min_text": "300.000,00", "max_text": "380.000,00",
//          "prozent": [8, 18, ...], "prozent_text": ["8,00", "18,00", ...],
//          "form": {"art": "pert", "zahlen": [300000, 340000, 380000], "zahlen_text": [...]}}
//   "rnd": {..., "rnd_modell": {"gnd": 80, "alter": 60, "punkte_min": 8, "punkte_max": 12,
//                               "alter_als_gnd": false}}
//
// The numbers are the doubles nearest to the extended values (4.8 reads as 4.8); the display strings
// are those of the window's fields, two decimals with the decimal comma.
#pragma once

#include <nlohmann/json.hpp>

#include "KwtMc.h"

namespace kwt::cli {

nlohmann::ordered_json EingabenJson(const Auftrag &auftrag);

} // namespace kwt::cli
