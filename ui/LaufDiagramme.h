// The one path from a run to its two charts, for the main window and the PDF report alike: the
// histogram view ("Histogramm der Verkehrswerte": a bar per class with the class label under it, the
// value axis up to the largest count plus 5) and the curve view ("Relative Häufigkeitsverteilung":
// the cumulative relative frequency curve and the median line at 0.5).
#pragma once

#include "DiagrammAnsicht.h"
#include "Histogramm.h"

namespace kwt {

inline constexpr const char *HistogrammTitel = "Histogramm der Verkehrswerte";
inline constexpr const char *KurvenTitel = "Relative Häufigkeitsverteilung";
// The histogram's value axis before the first run has drawn any bars.
inline constexpr double HistogrammAchseAnfangs = 1067.5;

// Title and value axis of a bar view (TDiagrammAnsicht::Art::Balken) for the histogram.
void HistogrammAnsichtEinrichten(TDiagrammAnsicht &ansicht);
// Title of a line view (TDiagrammAnsicht::Art::Linien) for the curve.
void KurvenAnsichtEinrichten(TDiagrammAnsicht &ansicht);

// The histogram view as it is before the first run: no bars, no class labels, the value axis of its
// start. A run's preparation empties the view so; a run of 0 trials, which ends with its error
// before any bar is drawn, leaves it so.
void HistogrammLeeren(TDiagrammAnsicht &ansicht);
// The bars of the histogram's counts and the value axis to the largest count plus 5. Only what
// changed is redrawn, so a run may call this after every trial.
void HistogrammZeigen(TDiagrammAnsicht &ansicht, const Histogramm &histogramm);
// The points of "RHKurve" and "Median".
void KurveZeigen(TDiagrammAnsicht &ansicht, const RHKurve &kurve);

} // namespace kwt
