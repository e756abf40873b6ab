#include "Splash.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace kwt {

TSplash::TSplash(const QImage &bild, QWidget *eltern, int verzoegerungMs)
    : QWidget(eltern, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), bild_(bild),
      zeitgeber_(new QTimer(this)) {
  setObjectName(QStringLiteral("Splash"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(bild_.size() + QSize(2 * Rahmen, 2 * Rahmen));
  zeitgeber_->setInterval(verzoegerungMs);
  connect(zeitgeber_, &QTimer::timeout, this, &TSplash::ZeitgeberAbgelaufen);
}

QPoint TSplash::ClientPosition(const QRect &bildschirm, const QSize &client) {
  // Integer division truncating toward zero, also for a screen smaller than the picture.
  return bildschirm.topLeft() +
         QPoint((bildschirm.width() - client.width()) / 2, (bildschirm.height() - client.height()) / 2);
}

QRect TSplash::ClientBereich() const { return QRect(pos() + QPoint(Rahmen, Rahmen), bild_.size()); }

void TSplash::Zeigen() {
  QScreen *bildschirm = QGuiApplication::primaryScreen();
  const QRect flaeche = bildschirm ? bildschirm->geometry() : QRect(0, 0, 0, 0);
  move(ClientPosition(flaeche, bild_.size()) - QPoint(Rahmen, Rahmen));
  show();
  raise();
  // The start-up goes on without returning to the message loop; the picture must be there now.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  repaint();
  zeitgeber_->start();
}

void TSplash::ZeitgeberAbgelaufen() {
  if (ersteRunde_) {
    ersteRunde_ = false;
    zeitgeber_->setInterval(1);
    return;
  }
  zeitgeber_->stop();
  hide();
  deleteLater();
}

void TSplash::paintEvent(QPaintEvent *) {
  QPainter maler(this);
  maler.setPen(QPen(QColor(64, 64, 64), Rahmen));
  maler.setBrush(Qt::NoBrush);
  maler.drawRect(QRectF(0.5, 0.5, width() - 1, height() - 1));
  maler.drawImage(QPoint(Rahmen, Rahmen), bild_);
}

void TSplash::mousePressEvent(QMouseEvent *ereignis) { ereignis->accept(); }
void TSplash::mouseReleaseEvent(QMouseEvent *ereignis) { ereignis->accept(); }
void TSplash::mouseDoubleClickEvent(QMouseEvent *ereignis) { ereignis->accept(); }

} // namespace kwt
