// Draws the program's splash picture (800 x 250 JPEG) and its icon into a folder: as PNG files in the
// desktop's icon sizes 16 to 256 (symbol/16x16.png ...; the window uses 16 and 32), as an SVG for the
// icon theme (symbol/scalable.svg), and as a 256-colour .ico for Windows:
//
//   BilderErzeugen <ordner>      (the target "bilder_erzeugen" writes into assets/)
//
// Not part of the program: the pictures it makes are committed, and the program only reads them.
// The text is set in DejaVu Sans (fonts-dejavu-core), so the pictures come out the same on every
// build machine of the project.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgGenerator>

#include <cmath>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

const QColor Nachtblau(14, 38, 66);
const QColor Stahlblau(28, 84, 118);
const QColor Balkengelb(255, 255, 128);
const QColor Kurvenrot(230, 60, 50);

double Glocke(double x) { return std::exp(-x * x / 2); }

bool JpegSchreiben(const QImage &bild, const QString &pfad, int qualitaet) {
  const QImage rgb = bild.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct info{};
  jpeg_error_mgr fehler{};
  info.err = jpeg_std_error(&fehler);
  jpeg_create_compress(&info);
  unsigned char *puffer = nullptr;
  unsigned long groesse = 0;
  jpeg_mem_dest(&info, &puffer, &groesse);
  info.image_width = static_cast<JDIMENSION>(rgb.width());
  info.image_height = static_cast<JDIMENSION>(rgb.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, qualitaet, TRUE);
  // Full chroma resolution: the thin lines and the text keep their colours.
  info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW zeile = const_cast<uchar *>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &zeile, 1);
  }
  jpeg_finish_compress(&info);
  QFile datei(pfad);
  const bool ok = datei.open(QIODevice::WriteOnly) &&
                  datei.write(reinterpret_cast<const char *>(puffer), static_cast<qint64>(groesse)) ==
                      static_cast<qint64>(groesse);
  jpeg_destroy_compress(&info);
  free(puffer);
  return ok;
}

// A stylised apartment house: gable roof, three storeys of windows, a door; some windows lit.
void HausZeichnen(QPainter &maler, const QRectF &koerper) {
  const QColor linie(220, 232, 245);
  QPainterPath dach;
  dach.moveTo(koerper.left() - 10, koerper.top());
  dach.lineTo(koerper.center().x(), koerper.top() - koerper.width() * 0.42);
  dach.lineTo(koerper.right() + 10, koerper.top());
  dach.closeSubpath();
  maler.setPen(QPen(linie, 2.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  maler.setBrush(QColor(40, 95, 135));
  maler.drawPath(dach);
  maler.setBrush(QColor(30, 70, 104));
  maler.drawRect(koerper);
  // Windows in a grid; the lit ones in the bars' yellow.
  const int spalten = 3, reihen = 3;
  const double rand = koerper.width() * 0.13;
  const double fb = (koerper.width() - 2 * rand) / (spalten * 1.6 - 0.6);
  const double fh = (koerper.height() * 0.62) / (reihen * 1.5 - 0.5);
  const bool hell[reihen][spalten] = {{false, true, false}, {true, false, true}, {false, true, false}};
  maler.setPen(QPen(linie, 1.2));
  for (int r = 0; r < reihen; ++r) {
    for (int s = 0; s < spalten; ++s) {
      if (r == reihen - 1 && s == 1) continue; // the door's place
      const QRectF fenster(koerper.left() + rand + s * 1.6 * fb, koerper.top() + koerper.height() * 0.1 + r * 1.5 * fh,
                           fb, fh);
      maler.setBrush(hell[r][s] ? QColor(255, 236, 140) : QColor(20, 50, 78));
      maler.drawRect(fenster);
    }
  }
  const QRectF tuer(koerper.center().x() - fb * 0.5, koerper.bottom() - fh * 1.55, fb, fh * 1.55);
  maler.setBrush(QColor(20, 50, 78));
  maler.drawRect(tuer);
  // A round window in the gable.
  maler.setBrush(QColor(255, 236, 140));
  maler.drawEllipse(QPointF(koerper.center().x(), koerper.top() - koerper.width() * 0.16), fb * 0.38, fb * 0.38);
}

// Histogram bars of a bell-shaped distribution with the smooth curve over them.
void VerteilungZeichnen(QPainter &maler, const QRectF &flaeche, int balken) {
  const double breite = flaeche.width() / balken;
  maler.setPen(QPen(QColor(120, 110, 40), 1));
  for (int i = 0; i < balken; ++i) {
    const double x = -2.6 + 5.2 * (i + 0.5) / balken;
    const double h = flaeche.height() * Glocke(x) * 0.92;
    QLinearGradient verlauf(0, flaeche.bottom() - h, 0, flaeche.bottom());
    verlauf.setColorAt(0, Balkengelb);
    verlauf.setColorAt(1, QColor(230, 215, 90));
    maler.setBrush(verlauf);
    maler.drawRect(QRectF(flaeche.left() + i * breite, flaeche.bottom() - h, breite, h));
  }
  QPainterPath kurve;
  for (int k = 0; k <= 200; ++k) {
    const double t = k / 200.0;
    const double x = -2.9 + 5.8 * t;
    const QPointF p(flaeche.left() - breite * 0.6 + t * (flaeche.width() + 1.2 * breite),
                    flaeche.bottom() - flaeche.height() * Glocke(x) * 0.98);
    if (k == 0)
      kurve.moveTo(p);
    else
      kurve.lineTo(p);
  }
  maler.setBrush(Qt::NoBrush);
  maler.setPen(QPen(Kurvenrot, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  maler.drawPath(kurve);
}

QImage SplashZeichnen() {
  QImage bild(800, 250, QImage::Format_RGB32);
  QPainter maler(&bild);
  maler.setRenderHint(QPainter::Antialiasing);
  maler.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient hintergrund(0, 0, 800, 250);
  hintergrund.setColorAt(0, Nachtblau);
  hintergrund.setColorAt(1, Stahlblau);
  maler.fillRect(bild.rect(), hintergrund);
  QRadialGradient schein(QPointF(640, 120), 260);
  schein.setColorAt(0, QColor(255, 255, 255, 38));
  schein.setColorAt(1, QColor(255, 255, 255, 0));
  maler.fillRect(bild.rect(), schein);

  // A faint grid behind the graphic, as on chart paper, fading in from the left.
  QLinearGradient gitterVerlauf(500, 0, 640, 0);
  gitterVerlauf.setColorAt(0, QColor(255, 255, 255, 0));
  gitterVerlauf.setColorAt(1, QColor(255, 255, 255, 26));
  maler.setPen(QPen(QBrush(gitterVerlauf), 1));
  for (int x = 500; x <= 800; x += 20) maler.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, 250));
  for (int y = 10; y <= 250; y += 20) maler.drawLine(QPointF(500, y + 0.5), QPointF(800, y + 0.5));

  // Ground line, house and distribution.
  const double boden = 208;
  HausZeichnen(maler, QRectF(556, 124, 88, boden - 124));
  VerteilungZeichnen(maler, QRectF(660, 52, 120, boden - 52), 11);
  QLinearGradient bodenVerlauf(520, 0, 600, 0);
  bodenVerlauf.setColorAt(0, QColor(220, 232, 245, 0));
  bodenVerlauf.setColorAt(1, QColor(220, 232, 245, 255));
  maler.setPen(QPen(QBrush(bodenVerlauf), 2));
  maler.drawLine(QPointF(520, boden), QPointF(788, boden));

  // Text.
  QFont titel(QStringLiteral("DejaVu Sans"));
  titel.setPixelSize(28);
  titel.setBold(true);
  maler.setFont(titel);
  maler.setPen(QColor(255, 255, 255));
  maler.drawText(QPointF(40, 98), QStringLiteral("KWT Monte-Carlo-Simulation"));

  maler.setPen(Qt::NoPen);
  maler.setBrush(Balkengelb);
  maler.drawRect(QRectF(42, 116, 64, 4));
  maler.setBrush(Kurvenrot);
  maler.drawRect(QRectF(106, 116, 24, 4));

  QFont untertitel(QStringLiteral("DejaVu Sans"));
  untertitel.setPixelSize(16);
  maler.setFont(untertitel);
  maler.setPen(QColor(205, 222, 240));
  maler.drawText(QPointF(40, 148), QStringLiteral("Verkehrswertermittlung im Ertragswertverfahren"));

  QFont klein(QStringLiteral("DejaVu Sans"));
  klein.setPixelSize(12);
  maler.setFont(klein);
  maler.setPen(QColor(160, 188, 214));
  maler.drawText(QPointF(40, 176), QString::fromUtf8("Unsicherheit der Eingangsgrößen · Verteilung des Verkehrswerts"));
  maler.drawText(QPointF(40, 226), QStringLiteral("Version 3"));
  maler.end();
  return bild;
}

// The icon: histogram bars forming a house under a roof, on a dark blue tile, drawn on a square of
// the given size. Small pictures (below 24 pixels) leave no gaps between the bars.
void SymbolMalen(QPainter &maler, double groesse) {
  maler.setRenderHint(QPainter::Antialiasing);
  const double e = groesse / 32.0;
  maler.setPen(Qt::NoPen);
  maler.setBrush(Nachtblau);
  maler.drawRoundedRect(QRectF(0, 0, groesse, groesse), 5 * e, 5 * e);
  // Roof.
  QPainterPath dach;
  dach.moveTo(4 * e, 15 * e);
  dach.lineTo(16 * e, 4 * e);
  dach.lineTo(28 * e, 15 * e);
  maler.setBrush(Qt::NoBrush);
  maler.setPen(QPen(QColor(235, 240, 248), 2.6 * e, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  maler.drawPath(dach);
  // Five bars of a bell.
  const double hoehen[5] = {5, 10, 13, 10, 5};
  maler.setPen(Qt::NoPen);
  maler.setBrush(Balkengelb);
  for (int i = 0; i < 5; ++i) {
    const double x = 6 * e + i * 4 * e;
    maler.drawRect(QRectF(x, (28 - hoehen[i]) * e, 4 * e - (groesse < 24 ? 0 : 0.8 * e), hoehen[i] * e));
  }
}

QImage SymbolZeichnen(int groesse) {
  QImage bild(groesse, groesse, QImage::Format_ARGB32);
  bild.fill(Qt::transparent);
  QPainter maler(&bild);
  SymbolMalen(maler, groesse);
  maler.end();
  return bild;
}

// The same drawing as a scalable picture, for the desktop's icon theme (hicolor/scalable).
bool SymbolSvgSchreiben(const QString &pfad) {
  QSvgGenerator svg;
  svg.setFileName(pfad);
  svg.setSize(QSize(256, 256));
  svg.setViewBox(QRect(0, 0, 256, 256));
  svg.setTitle(QStringLiteral("KWT Monte-Carlo-Simulation"));
  QPainter maler;
  if (!maler.begin(&svg)) return false;
  SymbolMalen(maler, 256);
  return maler.end();
}

void Wort(QByteArray &daten, quint16 w) { daten.append(char(w & 0xFF)).append(char(w >> 8)); }
void Doppelwort(QByteArray &daten, quint32 d) {
  Wort(daten, quint16(d & 0xFFFF));
  Wort(daten, quint16(d >> 16));
}

// One icon picture as a Windows DIB with 256 colours: header, palette, pixels bottom-up, then the
// one-bit transparency mask.
QByteArray IconBild(const QImage &argb) {
  const int n = argb.width();
  QImage indiziert = argb.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
  QList<QRgb> palette = indiziert.colorTable();
  palette.resize(256);
  QByteArray daten;
  Doppelwort(daten, 40);
  Doppelwort(daten, quint32(n));
  Doppelwort(daten, quint32(2 * n)); // picture and mask
  Wort(daten, 1);
  Wort(daten, 8);
  Doppelwort(daten, 0);
  const int pixelZeile = (n + 3) / 4 * 4, maskenZeile = ((n + 31) / 32) * 4;
  Doppelwort(daten, quint32((pixelZeile + maskenZeile) * n));
  Doppelwort(daten, 0);
  Doppelwort(daten, 0);
  Doppelwort(daten, 256);
  Doppelwort(daten, 0);
  for (QRgb farbe : palette) {
    daten.append(char(qBlue(farbe))).append(char(qGreen(farbe))).append(char(qRed(farbe))).append(char(0));
  }
  for (int y = n - 1; y >= 0; --y) {
    const uchar *zeile = indiziert.constScanLine(y);
    daten.append(reinterpret_cast<const char *>(zeile), n);
    daten.append(QByteArray(pixelZeile - n, '\0'));
  }
  for (int y = n - 1; y >= 0; --y) {
    QByteArray maske(maskenZeile, '\0');
    for (int x = 0; x < n; ++x)
      if (qAlpha(argb.pixel(x, y)) < 128) maske[x / 8] = char(maske[x / 8] | (0x80 >> (x % 8)));
    daten.append(maske);
  }
  return daten;
}

bool IcoSchreiben(const std::vector<QImage> &bilder, const QString &pfad) {
  QByteArray kopf, inhalt;
  Wort(kopf, 0);
  Wort(kopf, 1); // icon
  Wort(kopf, quint16(bilder.size()));
  quint32 versatz = quint32(6 + 16 * bilder.size());
  for (const QImage &bild : bilder) {
    const QByteArray dib = IconBild(bild);
    kopf.append(char(bild.width())).append(char(bild.height())).append(char(0)).append(char(0));
    Wort(kopf, 1);
    Wort(kopf, 8);
    Doppelwort(kopf, quint32(dib.size()));
    Doppelwort(kopf, versatz);
    versatz += quint32(dib.size());
    inhalt.append(dib);
  }
  QFile datei(pfad);
  return datei.open(QIODevice::WriteOnly) && datei.write(kopf + inhalt) == kopf.size() + inhalt.size();
}

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "Aufruf: BilderErzeugen <ordner>\n");
    return 2;
  }
  const QDir ordner(QString::fromLocal8Bit(argv[1]));
  bool ok = ordner.mkpath(QStringLiteral("symbol")) &&
            JpegSchreiben(SplashZeichnen(), ordner.filePath(QStringLiteral("splash.jpg")), 92) &&
            SymbolSvgSchreiben(ordner.filePath(QStringLiteral("symbol/scalable.svg")));
  for (int groesse : {16, 22, 24, 32, 48, 64, 128, 256}) {
    ok = ok && SymbolZeichnen(groesse).save(ordner.filePath(QStringLiteral("symbol/%1x%1.png").arg(groesse)));
  }
  ok = ok && IcoSchreiben({SymbolZeichnen(16), SymbolZeichnen(32)}, ordner.filePath(QStringLiteral("KWTMonteCarlo.ico")));
  if (!ok) {
    std::fprintf(stderr, "BilderErzeugen: %s ist nicht beschreibbar\n", argv[1]);
    return 1;
  }
  return 0;
}
