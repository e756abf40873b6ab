#include "Referenzgroessen.h"

#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace kwt {

void KnopfGroesseSetzen(QPushButton *knopf, QSize mindestens) {
  // What the text needs: its width, the style's margin on both sides and the frame around the
  // contents. (The button's own size hint would also bring the style's minimum width, 80 pixels in
  // Fusion, where the reference layout has 75.)
  QStyleOptionButton option;
  option.initFrom(knopf);
  option.text = knopf->text();
  option.rect = QRect(QPoint(0, 0), mindestens.expandedTo({1, 1}));
  const QRect inhalt = knopf->style()->subElementRect(QStyle::SE_PushButtonContents, &option, knopf);
  const int rand = 2 * knopf->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, knopf);
  const int breite = knopf->fontMetrics().horizontalAdvance(QString(knopf->text()).remove(u'&')) + rand +
                     option.rect.width() - inhalt.width();
  const int hoehe = knopf->fontMetrics().height() + option.rect.height() - inhalt.height();
  knopf->setFixedSize(std::max(mindestens.width(), breite),
                      std::max({mindestens.height(), hoehe, mindestens.height() > 0 ? 0 : knopf->sizeHint().height()}));
}

int ZahlenBreite(const QFontMetrics &masse, const QString &muster) {
  QChar breiteste = u'0';
  for (char16_t z = u'1'; z <= u'9'; ++z)
    if (masse.horizontalAdvance(QChar(z)) > masse.horizontalAdvance(breiteste)) breiteste = QChar(z);
  QString text = muster;
  std::replace_if(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }, breiteste);
  return masse.horizontalAdvance(text);
}

} // namespace kwt
