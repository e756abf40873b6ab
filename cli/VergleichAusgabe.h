// kwt-mc --vergleich A.kwt B.kwt: the exact distributions of two scenario files side by side, without
// a run: the figures of both with their differences, P(VKW_B > VKW_A) for independent variants with
// the share of ties beside it (Variantenvergleich.h), and the price thresholds for both. As text, or
// with --json as the object "vergleich"; every figure as a number and as its display string.
#pragma once

#include <iosfwd>
#include <vector>

#include "KwtMc.h"

namespace kwt::cli {

// Returns the exit status: 0, or 1 when a variant's class tables cannot be prepared (the message on
// `fehler`, and with --json also in "fehler").
int VergleichAusgeben(const Auftrag &auftrag, std::ostream &aus, std::ostream &fehler);

} // namespace kwt::cli
