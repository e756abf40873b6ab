#include "Rollbereich.h"

#include <QEvent>

namespace kwt {

TRollbereich::TRollbereich(QWidget *inhalt, QWidget *eltern) : QScrollArea(eltern) {
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  setWidget(inhalt);
  inhalt->installEventFilter(this);
}

QSize TRollbereich::minimumSizeHint() const {
  return widget() ? widget()->minimumSizeHint().expandedTo(widget()->minimumSize()) : QScrollArea::minimumSizeHint();
}

QSize TRollbereich::sizeHint() const { return widget() ? widget()->sizeHint() : QScrollArea::sizeHint(); }

bool TRollbereich::eventFilter(QObject *objekt, QEvent *ereignis) {
  // The content's layout asks for new sizes: the window's layout has to hear it too.
  if (objekt == widget() && ereignis->type() == QEvent::LayoutRequest) updateGeometry();
  return QScrollArea::eventFilter(objekt, ereignis);
}

} // namespace kwt
