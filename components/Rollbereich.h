// A frameless scroll area around a window's content whose minimum is the content's minimum.
//
// The window takes its minimum size from it, so a window manager never lets the window get smaller
// than its content. Where the window is made smaller anyway (an X server without a window manager,
// a tiling manager that ignores the minimum), the area scrolls instead of letting the layouts push
// widgets over each other. When the content's minimum changes (a figure wider than its column),
// the window's minimum follows.
#pragma once

#include <QScrollArea>

namespace kwt {

class TRollbereich : public QScrollArea {
  Q_OBJECT

public:
  // Takes the content; it fills the area whenever the area is at least as large as its minimum.
  explicit TRollbereich(QWidget *inhalt, QWidget *eltern = nullptr);

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

protected:
  bool eventFilter(QObject *objekt, QEvent *ereignis) override;
};

} // namespace kwt
