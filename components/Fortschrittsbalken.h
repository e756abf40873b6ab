// The run's progress bar: empty at its minimum.
//
// Qt's Fusion style draws a one-pixel line of progress even at the minimum, so a bar at 0 looked
// as if a run had begun. At its minimum this bar draws only its groove (and its text, if shown);
// from the first percent on it is Qt's own bar.
#pragma once

#include <QProgressBar>

namespace kwt {

class TFortschrittsbalken : public QProgressBar {
  Q_OBJECT

public:
  using QProgressBar::QProgressBar;

protected:
  void paintEvent(QPaintEvent *ereignis) override;
};

} // namespace kwt
