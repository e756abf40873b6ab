// The output commands of every chart view: "Drucken" (one page, the picture scaled as a whole into
// the margins of the current printer), "Zwischenablage (Metafile)" (a vector picture) and
// "Zwischenablage (Bitmap)", the pictures in the view's on-screen size, and the right-click menu that
// offers them. Each command reports its own failures in the error box and throws nothing.
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QSvgGenerator>

#include <algorithm>
#include <exception>

#include "DiagrammAnsicht.h"
#include "Drucker.h"
#include "Fehler.h"
#include "Meldungen.h"
#ifdef Q_OS_WIN
#include "MetafileWin.h"
#endif

namespace kwt {

namespace {

const char *const MeldungKeinDrucker = "Es ist kein Drucker verfügbar";
const char *const MeldungDruckStart = "Der Druckauftrag konnte nicht gestartet werden";
const char *const MeldungDruckFehler = "Beim Drucken ist ein Fehler aufgetreten";
const char *const MeldungZwischenablage = "Die Zwischenablage kann nicht geöffnet werden";

// Everything on the clipboard is replaced by the new content.
bool InZwischenablage(QWidget *eltern, QMimeData *daten) {
  QClipboard *ablage = QGuiApplication::clipboard();
  if (!ablage) {
    delete daten;
    FehlerMelden(eltern, QString::fromUtf8(MeldungZwischenablage));
    return false;
  }
  const QStringList formate = daten->formats();
  ablage->setMimeData(daten);
  const QMimeData *jetzt = ablage->mimeData();
  const bool angekommen =
      jetzt && std::all_of(formate.begin(), formate.end(), [jetzt](const QString &f) { return jetzt->hasFormat(f); });
  if (!angekommen) FehlerMelden(eltern, QString::fromUtf8(MeldungZwischenablage));
  return angekommen;
}

} // namespace

void TDiagrammAnsicht::MenuEinrichten() {
  menu_ = new QMenu(this);
  eintraege_[0] = menu_->addAction(QStringLiteral("Drucken"));
  eintraege_[1] = menu_->addSeparator();
  eintraege_[2] = menu_->addAction(QStringLiteral("Zwischenablage (Metafile)"));
  eintraege_[3] = menu_->addAction(QStringLiteral("Zwischenablage (Bitmap)"));
  connect(eintraege_[0], &QAction::triggered, this, [this] { Drucken(); });
  connect(eintraege_[2], &QAction::triggered, this, [this] { MetafileKopieren(); });
  connect(eintraege_[3], &QAction::triggered, this, [this] { BitmapKopieren(); });
  setMenuNamen(QStringLiteral("PopupDrucken"), {QStringLiteral("PopDrucken"), QStringLiteral("N1"),
                                                 QStringLiteral("Zwischenablage1"),
                                                 QStringLiteral("ZwischenablageBitmap1")});
}

void TDiagrammAnsicht::setMenuNamen(const QString &menu, const std::array<QString, 4> &eintraege) {
  menu_->setObjectName(menu);
  for (std::size_t i = 0; i < eintraege.size(); ++i) eintraege_[i]->setObjectName(eintraege[i]);
}

void TDiagrammAnsicht::contextMenuEvent(QContextMenuEvent *ereignis) {
  menu_->popup(ereignis->globalPos());
  ereignis->accept();
}

QSize TDiagrammAnsicht::Bildgroesse() const { return viewport()->size().expandedTo(QSize(1, 1)); }

QImage TDiagrammAnsicht::AlsBild() {
  const QSize groesse = Bildgroesse();
  QImage bild(groesse, QImage::Format_RGB32);
  bild.fill(Qt::white);
  QPainter maler(&bild);
  render(&maler, QRectF(QPointF(0, 0), groesse), QRect(QPoint(0, 0), groesse), Qt::IgnoreAspectRatio);
  maler.end();
  return bild;
}

QByteArray TDiagrammAnsicht::AlsSvg() {
  const QSize groesse = Bildgroesse();
  QByteArray daten;
  QBuffer puffer(&daten);
  puffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&puffer);
  svg.setSize(groesse);
  svg.setViewBox(QRect(QPoint(0, 0), groesse));
  svg.setResolution(logicalDpiX());
  svg.setTitle(Titel());
  QPainter maler(&svg);
  render(&maler, QRectF(QPointF(0, 0), groesse), QRect(QPoint(0, 0), groesse), Qt::IgnoreAspectRatio);
  maler.end();
  return daten;
}

bool TDiagrammAnsicht::Drucken() {
  bool gedruckt = false;
  BefehlAusfuehren(this, [&] {
    QPrinter &drucker = AktuellerDrucker();
    if (druckAbfrage_ && !druckAbfrage_(drucker)) return;
    gedruckt = AufDruckerAusgeben(drucker);
  });
  return gedruckt;
}

bool TDiagrammAnsicht::AufDruckerAusgeben(QPrinter &drucker) {
  if (!DruckerBenutzbar(drucker)) {
    FehlerMelden(this, QString::fromUtf8(MeldungKeinDrucker));
    return false;
  }
  QPainter maler;
  try {
    const QSize bild = Bildgroesse();
    const int pw = drucker.width(), ph = drucker.height();
    const TDruckRaender raender =
        DruckRaenderBerechnen(bild.width(), bild.height(), pw, ph, drucker.logicalDpiX(), drucker.logicalDpiY());
    const QRect ziel = DruckRechteck(raender, pw, ph);
    drucker.setDocName(objectName());
    if (!maler.begin(&drucker)) {
      FehlerMelden(this, QString::fromUtf8(MeldungDruckStart));
      return false;
    }
    render(&maler, QRectF(ziel), QRect(QPoint(0, 0), bild), Qt::IgnoreAspectRatio);
    if (drucker.printerState() == QPrinter::Error) {
      drucker.abort();
      maler.end();
      FehlerMelden(this, QString::fromUtf8(MeldungDruckFehler));
      return false;
    }
    if (!maler.end()) {
      FehlerMelden(this, QString::fromUtf8(MeldungDruckFehler));
      return false;
    }
    return true;
  } catch (...) {
    // The job is aborted before the message: nothing half-printed stays in the queue.
    if (maler.isActive()) {
      drucker.abort();
      maler.end();
    }
    FehlerMelden(this, QString::fromStdString(MeldungZumFehler(std::current_exception())));
    return false;
  }
}

#ifdef Q_OS_WIN
bool TDiagrammAnsicht::MetafileKopieren() {
  const QImage bild = AlsBild().convertToFormat(QImage::Format_RGB32);
  const bool gesetzt = MetafileInZwischenablage(reinterpret_cast<void *>(window()->winId()), bild.constBits(),
                                                bild.width(), bild.height(), static_cast<int>(bild.bytesPerLine()));
  if (!gesetzt) FehlerMelden(this, QString::fromUtf8(MeldungZwischenablage));
  return gesetzt;
}
#else
bool TDiagrammAnsicht::MetafileKopieren() {
  auto *daten = new QMimeData;
  daten->setData(QStringLiteral("image/svg+xml"), AlsSvg());
  return InZwischenablage(this, daten);
}
#endif

bool TDiagrammAnsicht::BitmapKopieren() {
  auto *daten = new QMimeData;
  daten->setImageData(AlsBild());
  return InZwischenablage(this, daten);
}

} // namespace kwt
