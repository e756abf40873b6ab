#include "StatusLeiste.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <QTimer>

namespace kwt {

QString UhrText(const QDateTime &zeitpunkt, const QLocale &locale) {
  QString zeitFormat = locale.timeFormat(QLocale::LongFormat);
  // Qt's long formats carry the zone ("t", "tt", "ttt" or "tttt"); a quoted literal never holds one
  // in the locales Qt knows.
  zeitFormat.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
  return locale.toString(zeitpunkt.date(), QLocale::ShortFormat) + u' ' +
         locale.toString(zeitpunkt.time(), zeitFormat.trimmed());
}

TUhrAnzeige::TUhrAnzeige(QWidget *eltern) : QLabel(eltern), zeitgeber_(new QTimer(this)) {
  setObjectName(QStringLiteral("StatusUhr"));
  setAlignment(Qt::AlignCenter);
  zeitgeber_->setSingleShot(true);
  zeitgeber_->setTimerType(Qt::PreciseTimer);
  connect(zeitgeber_, &QTimer::timeout, this, &TUhrAnzeige::Aktualisieren);
  Aktualisieren();
}

void TUhrAnzeige::Aktualisieren() {
  const QDateTime jetzt = QDateTime::currentDateTime();
  setText(UhrText(jetzt, locale()));
  // Just after the next full second, so the seconds change with the system's clock.
  zeitgeber_->start(1000 - jetzt.time().msec() + 5);
}

namespace {
QLabel *Feld(const QString &name, QWidget *eltern) {
  auto *feld = new QLabel(eltern);
  feld->setObjectName(name);
  feld->setAlignment(Qt::AlignCenter);
  feld->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  return feld;
}
} // namespace

TStatusLeiste::TStatusLeiste(QWidget *eltern) : QStatusBar(eltern) {
  setObjectName(QStringLiteral("Status"));
  setSizeGripEnabled(false);
  statusText_ = Feld(QStringLiteral("StatusText"), this);
  statusText_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  statusVersion_ = Feld(QStringLiteral("StatusVersion"), this);
  statusUhr_ = new TUhrAnzeige(this);
  statusUhr_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  statusUhr_->setFixedWidth(128);
  addWidget(statusText_, 1);
  addPermanentWidget(statusVersion_);
  addPermanentWidget(statusUhr_);
}

void TStatusLeiste::VersionsTextSetzen(const QString &text, const QFont &schrift) {
  statusVersion_->setText(text);
  statusVersion_->setFixedWidth(QFontMetrics(schrift).horizontalAdvance(text) + 20);
}

} // namespace kwt
