// The main window's status bar: an empty text pane filling the width, the version pane and a clock.
#pragma once

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>

class QTimer;

namespace kwt {

// Date and time in the user's short date format and long time format, e.g. "05.03.24 14:07:09"
// under German settings. The time zone that Qt's long format appends is left out: the pane shows
// the local time as the system's clock does.
QString UhrText(const QDateTime &zeitpunkt, const QLocale &locale);

// A status bar pane that shows the current date and time and keeps itself current: its timer fires
// just after each full second.
class TUhrAnzeige : public QLabel {
  Q_OBJECT

public:
  explicit TUhrAnzeige(QWidget *eltern = nullptr);
  QTimer *Zeitgeber() const { return zeitgeber_; }

public slots:
  void Aktualisieren();

private:
  QTimer *zeitgeber_;
};

// The status bar `Status` with the panes `StatusText` (left, filling the width, empty),
// `StatusVersion` (centred) and `StatusUhr` (128 pixels, centred, the clock).
class TStatusLeiste : public QStatusBar {
  Q_OBJECT

public:
  explicit TStatusLeiste(QWidget *eltern = nullptr);

  QLabel *StatusText() const { return statusText_; }
  QLabel *StatusVersion() const { return statusVersion_; }
  TUhrAnzeige *StatusUhr() const { return statusUhr_; }

  // Shows the version text; the pane becomes the text's pixel width in the given font plus 20.
  void VersionsTextSetzen(const QString &text, const QFont &schrift);

private:
  QLabel *statusText_;
  QLabel *statusVersion_;
  TUhrAnzeige *statusUhr_;
};

} // namespace kwt
