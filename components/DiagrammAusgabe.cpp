// The output commands of every chart view: "Drucken" (one page, the picture scaled as a whole into
// the margins of the current printer; a PDF file through the safe writer), "Zwischenablage (Metafile)" (a vector picture) and
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
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include <algorithm>
#include <exception>

#include "Datei.h"
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

void TDiagrammAnsicht::AufSeiteZeichnen(QPainter &maler, const QPaintDevice &seite) {
  const QSize bild = Bildgroesse();
  const int pw = seite.width(), ph = seite.height();
  const TDruckRaender raender =
      DruckRaenderBerechnen(bild.width(), bild.height(), pw, ph, seite.logicalDpiX(), seite.logicalDpiY());
  render(&maler, QRectF(DruckRechteck(raender, pw, ph)), QRect(QPoint(0, 0), bild), Qt::IgnoreAspectRatio);
}

bool TDiagrammAnsicht::AufDruckerAusgeben(QPrinter &drucker) {
  if (!DruckerBenutzbar(drucker)) {
    FehlerMelden(this, QString::fromUtf8(MeldungKeinDrucker));
    return false;
  }
  drucker.setDocName(objectName());
  if (drucker.outputFormat() == QPrinter::PdfFormat) return InPdfDateiAusgeben(drucker);
  QPainter maler;
  try {
    if (!maler.begin(&drucker)) {
      FehlerMelden(this, QString::fromUtf8(MeldungDruckStart));
      return false;
    }
    AufSeiteZeichnen(maler, drucker);
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

// Qt's printer would write the PDF file in place, so that a failure leaves half a file where an old
// one was. The page is drawn as the printer would draw it (its page layout and resolution), into
// memory, and the file goes through the program's safe writer.
bool TDiagrammAnsicht::InPdfDateiAusgeben(const QPrinter &drucker) {
  bool geschrieben = false;
  BefehlAusfuehren(this, [&] {
    QByteArray daten;
    QBuffer puffer(&daten);
    puffer.open(QIODevice::WriteOnly);
    {
      QPdfWriter pdf(&puffer);
      pdf.setResolution(drucker.resolution());
      pdf.setPageLayout(drucker.pageLayout());
      pdf.setTitle(drucker.docName());
      pdf.setCreator(drucker.creator());
      QPainter maler;
      if (!maler.begin(&pdf)) {
        FehlerMelden(this, QString::fromUtf8(MeldungDruckStart));
        return;
      }
      AufSeiteZeichnen(maler, pdf);
      if (!maler.end()) {
        FehlerMelden(this, QString::fromUtf8(MeldungDruckFehler));
        return;
      }
    }
    DateiSicherSchreiben(drucker.outputFileName().toStdString(),
                         std::string_view(daten.constData(), static_cast<std::size_t>(daten.size())));
    geschrieben = true;
  });
  return geschrieben;
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
