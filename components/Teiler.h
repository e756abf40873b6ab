// The splitter of the distribution editor: sections side by side with a draggable divider
// 3 pixels wide. The user's division is kept in proportion when the window is resized; rounding does
// not wander, because the proportions are remembered, not recomputed from the last pixel sizes.
#pragma once

#include <QList>
#include <QSplitter>

namespace kwt {

class TTeiler : public QSplitter {
  Q_OBJECT

public:
  explicit TTeiler(Qt::Orientation richtung = Qt::Horizontal, QWidget *eltern = nullptr);

  // Sets the sizes (like QSplitter::setSizes) and remembers their proportions.
  void GroessenSetzen(const QList<int> &groessen);
  const QList<double> &Anteile() const { return anteile_; }

protected:
  void resizeEvent(QResizeEvent *ereignis) override;

private:
  void AnteileMerken(const QList<int> &groessen);
  QList<double> anteile_;
};

} // namespace kwt
