#include "Teiler.h"

#include <QResizeEvent>

#include <cmath>
#include <numeric>

namespace kwt {

TTeiler::TTeiler(Qt::Orientation richtung, QWidget *eltern) : QSplitter(richtung, eltern) {
  setHandleWidth(3);
  setChildrenCollapsible(false);
  connect(this, &QSplitter::splitterMoved, this, [this] { AnteileMerken(sizes()); });
}

void TTeiler::AnteileMerken(const QList<int> &groessen) {
  const double summe = std::accumulate(groessen.begin(), groessen.end(), 0.0);
  if (!(summe > 0)) return;
  anteile_.clear();
  for (int g : groessen) anteile_.append(g / summe);
}

void TTeiler::GroessenSetzen(const QList<int> &groessen) {
  AnteileMerken(groessen);
  setSizes(groessen);
}

void TTeiler::resizeEvent(QResizeEvent *ereignis) {
  QSplitter::resizeEvent(ereignis);
  if (anteile_.size() != count()) {
    AnteileMerken(sizes());
    return;
  }
  const int laenge = (orientation() == Qt::Horizontal ? width() : height()) - handleWidth() * (count() - 1);
  if (laenge <= 0) return;
  QList<int> groessen;
  double bisher = 0;
  int vergeben = 0;
  // Cumulative rounding: the sections add up to the length exactly.
  for (double anteil : anteile_) {
    bisher += anteil;
    const int ende = static_cast<int>(std::lround(bisher * laenge));
    groessen.append(ende - vergeben);
    vergeben = ende;
  }
  setSizes(groessen);
}

} // namespace kwt
