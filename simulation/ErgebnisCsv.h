// The values of the last run as CSV, for a spreadsheet or R.
//
// Two dialects, alike but for the separator; CR LF line ends, one header line:
//   Versuch;Wert;Zeile   semicolons: what a spreadsheet under German regional settings splits a
//                        double-clicked file at (Excel takes the list separator of the regional
//                        settings, which is the semicolon where the decimal sign is the comma; a
//                        comma file opens there as one column)
//   Versuch,Wert,Zeile   commas as RFC 4180 gives them: R, Python, English spreadsheets
// Versuch and Wert: each stored trial value (the market value rounded up to a whole number) in trial
// order with its trial number; Zeile: the result list as the clipboard has it (after a run the sorted
// distinct lines), quoted so that the leading zeros stay. The two columns have their own lengths; the
// shorter one ends in empty cells. The values are whole euros, so neither dialect needs a decimal
// sign, and the file is ASCII, so no spreadsheet guesses its encoding wrong. A spreadsheet reads a
// line such as "0003900804" as the number 3900804 (the same value), a program told to keep it text
// keeps the zeros: R: read.csv("werte.csv", colClasses = c("integer", "numeric", "character")), or
// read.csv2 for the semicolon file.
// For runs above the store's 100,000 trials the first 100,000 values are written.
#pragma once

#include <string>

#include "Laufergebnis.h"

namespace kwt {

enum class CsvTrenner : char { Komma = ',', Semikolon = ';' };

std::string ErgebnisCsv(const Laufergebnis &ergebnis, CsvTrenner trenner);

} // namespace kwt
