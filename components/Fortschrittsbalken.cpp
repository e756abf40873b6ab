#include "Fortschrittsbalken.h"

#include <QStyleOptionProgressBar>
#include <QStylePainter>

namespace kwt {

void TFortschrittsbalken::paintEvent(QPaintEvent *ereignis) {
  if (value() > minimum()) {
    QProgressBar::paintEvent(ereignis);
    return;
  }
  QStylePainter maler(this);
  QStyleOptionProgressBar option;
  initStyleOption(&option);
  maler.drawControl(QStyle::CE_ProgressBarGroove, option);
  if (isTextVisible()) maler.drawControl(QStyle::CE_ProgressBarLabel, option);
}

} // namespace kwt
