// The splash picture shown while the main window is being set up.
//
// A pop-up window with a thin border and no title bar, kept on top, whose client area is the
// picture (800 x 250), centred on the screen by that client area. It is shown without waiting and
// drawn at once. Its timer fires after 3000 ms and is then set to 1 ms; at the second firing the
// splash stops the timer, hides and destroys itself. The timer fires only while messages are
// processed, so the splash goes at the first message processing after the delay. Clicks do nothing.
#pragma once

#include <QImage>
#include <QWidget>

class QTimer;

namespace kwt {

class TSplash : public QWidget {
  Q_OBJECT

public:
  static constexpr int Rahmen = 1;        // border width around the picture
  static constexpr int Verzoegerung = 3000; // milliseconds

  // With a parent (the main window) the splash also goes when that window is destroyed.
  explicit TSplash(const QImage &bild, QWidget *eltern = nullptr, int verzoegerungMs = Verzoegerung);

  // Centres, shows and paints the splash now, and starts the timer. Returns at once.
  void Zeigen();

  // Top left corner of a client area of the given size centred on a screen: left =
  // (screen width - client width) div 2, top likewise, from the screen's origin.
  static QPoint ClientPosition(const QRect &bildschirm, const QSize &client);

  QTimer *Zeitgeber() const { return zeitgeber_; }
  QRect ClientBereich() const; // in screen coordinates

public slots:
  void ZeitgeberAbgelaufen();

protected:
  void paintEvent(QPaintEvent *ereignis) override;
  void mousePressEvent(QMouseEvent *ereignis) override;
  void mouseReleaseEvent(QMouseEvent *ereignis) override;
  void mouseDoubleClickEvent(QMouseEvent *ereignis) override;

private:
  QImage bild_;
  QTimer *zeitgeber_;
  bool ersteRunde_ = true;
};

} // namespace kwt
