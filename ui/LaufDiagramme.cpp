#include "LaufDiagramme.h"

namespace kwt {

void HistogrammAnsichtEinrichten(TDiagrammAnsicht &ansicht) {
  ansicht.setTitel(QString::fromUtf8(HistogrammTitel));
  ansicht.setLinkeAchse(0, HistogrammAchseAnfangs);
}

void HistogrammLeeren(TDiagrammAnsicht &ansicht) {
  ansicht.BalkenSetzen({}, {});
  ansicht.setLinkeAchse(0, HistogrammAchseAnfangs);
}

void KurvenAnsichtEinrichten(TDiagrammAnsicht &ansicht) { ansicht.setTitel(QString::fromUtf8(KurvenTitel)); }

void HistogrammZeigen(TDiagrammAnsicht &ansicht, const Histogramm &histogramm) {
  const Balkenansicht b = HistogrammBalken(histogramm);
  QStringList texte;
  QList<double> hoehen;
  texte.reserve(static_cast<qsizetype>(b.Hoehen.size()));
  hoehen.reserve(static_cast<qsizetype>(b.Hoehen.size()));
  for (std::size_t i = 0; i < b.Hoehen.size(); ++i) {
    texte.append(QString::fromStdString(b.Texte[i]));
    hoehen.append(b.Hoehen[i]);
  }
  ansicht.BalkenSetzen(texte, hoehen);
  ansicht.setLinkeAchse(0, b.AchsenMaximum);
}

void KurveZeigen(TDiagrammAnsicht &ansicht, const RHKurve &kurve) {
  QList<QPointF> punkte, median;
  punkte.reserve(static_cast<qsizetype>(kurve.Kurve.size()));
  median.reserve(static_cast<qsizetype>(kurve.Median.size()));
  for (const Kurvenpunkt &p : kurve.Kurve) punkte.append({p.X, p.Y});
  for (const Kurvenpunkt &p : kurve.Median) median.append({p.X, p.Y});
  ansicht.LinienSetzen(punkte, median);
}

} // namespace kwt
