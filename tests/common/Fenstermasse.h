// Checks of a window's geometry for the Qt Test programs: no widget over a neighbour or beyond its
// container, no text cut, measured with the widget's own font metrics and style.
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

namespace kwt::test {

// A widget for messages: its object name, else its class and text.
inline QByteArray WidgetName(const QWidget *w) {
  if (!w->objectName().isEmpty()) return w->objectName().toUtf8();
  QByteArray name = w->metaObject()->className();
  if (auto *l = qobject_cast<const QLabel *>(w)) name += " \"" + l->text().toUtf8() + '"';
  if (auto *b = qobject_cast<const QAbstractButton *>(w)) name += " \"" + b->text().toUtf8() + '"';
  return name;
}

// The visible children of a container of the window's own layout lie inside its contents (a group
// box's title and frame stay free) and none lies over another.
inline void KinderOhneUeberdeckung(const QWidget *behaelter) {
  QList<QWidget *> kinder;
  for (QWidget *w : behaelter->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
    if (w->isVisible()) kinder << w;
  QVERIFY2(!kinder.isEmpty(), WidgetName(behaelter).constData());
  for (qsizetype i = 0; i < kinder.size(); ++i) {
    QVERIFY2(behaelter->contentsRect().contains(kinder[i]->geometry()),
             (WidgetName(kinder[i]) + " ragt aus " + WidgetName(behaelter)).constData());
    for (qsizetype j = i + 1; j < kinder.size(); ++j) {
      QVERIFY2(!kinder[i]->geometry().intersects(kinder[j]->geometry()),
               (WidgetName(kinder[i]) + " über " + WidgetName(kinder[j])).constData());
    }
  }
}

// A label shows its whole text: as wide and high as the text in its font.
inline void TextPasst(const QLabel *l) {
  const QSize text = l->fontMetrics().size(Qt::TextSingleLine, l->text());
  QVERIFY2(l->contentsRect().width() >= text.width() && l->contentsRect().height() >= l->fontMetrics().height(),
           (WidgetName(l) + " schneidet seinen Text ab").constData());
}

// A button's text fits the room its style gives the label.
inline void TextPasst(const QPushButton *b) {
  QStyleOptionButton option;
  option.initFrom(b);
  option.text = b->text();
  const QRect platz = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b);
  QVERIFY2(b->fontMetrics().horizontalAdvance(QString(b->text()).remove(u'&')) <= platz.width() &&
               b->fontMetrics().height() <= platz.height(),
           (WidgetName(b) + " schneidet seinen Text ab").constData());
}

// Pixels of a progress bar's chunk: coloured, where the groove and its frame are grey.
inline int FortschrittsPixel(QWidget &balken) {
  const QImage bild = balken.grab().toImage();
  int n = 0;
  for (int y = 0; y < bild.height(); ++y)
    for (int x = 0; x < bild.width(); ++x) n += bild.pixelColor(x, y).hsvSaturation() > 60;
  return n;
}

} // namespace kwt::test
