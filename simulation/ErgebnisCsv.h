// The values of the last run as CSV, for a spreadsheet or R.
//
// Comma-separated, decimal point, CR LF line ends (RFC 4180), one header line:
//   Versuch,Wert,Zeile
// Versuch and Wert: each stored trial value (the market value rounded up to a whole number) in trial
// order with its trial number; Zeile: the result list as the clipboard has it (after a run the sorted
// distinct lines), quoted so that the leading zeros stay. The two columns have their own lengths; the
// shorter one ends in empty cells. R: read.csv("werte.csv", colClasses = c("integer", "numeric", "character")).
// For runs above the store's 100,000 trials the first 100,000 values are written.
#pragma once

#include <string>

#include "Laufergebnis.h"

namespace kwt {

std::string ErgebnisCsv(const Laufergebnis &ergebnis);

} // namespace kwt
