// The windows' reference sizes as minimums. They were made for an 8-point Windows font; where the
// texts in the fonts at hand (DejaVu Sans, a larger system font) need more, a widget grows instead
// of cutting a text or being drawn over its neighbour.
#pragma once

#include <QFontMetrics>
#include <QSize>
#include <QString>
#include <QWidget>

#include <utility>

class QPushButton;

namespace kwt {

// A widget of the reference size that grows where its contents need more. Its layout's minimum
// still counts (a minimum size set on the widget would override it), and it asks for no more than
// that: spare room goes to the widgets that stretch.
template <class Widget> class TReferenzgroesse : public Widget {
public:
  template <class... Argumente>
  explicit TReferenzgroesse(QSize referenz, Argumente &&...argumente)
      : Widget(std::forward<Argumente>(argumente)...), referenz_(referenz) {}

  QSize minimumSizeHint() const override { return Widget::minimumSizeHint().expandedTo(referenz_); }
  QSize sizeHint() const override { return minimumSizeHint(); }

private:
  QSize referenz_;
};

// A button of the reference size, wider or higher where its text in its font and style needs it. A
// height of 0 takes the style's usual button height.
void KnopfGroesseSetzen(QPushButton *knopf, QSize mindestens);

// The width of a number shaped like muster in the font when each of its digits is the font's widest
// digit: room for every number of that shape, also where digits differ in width.
int ZahlenBreite(const QFontMetrics &masse, const QString &muster);

} // namespace kwt
