// The pages of the PDF report as a writer that goes from top to bottom: headings, paragraphs,
// tables and charts, a new page when the next block does not fit, and on every page the footer
// with the date and "Seite n von N".
//
// Coordinates are device pixels at 300 dpi inside the page's margins. A block is never split: a
// table or a chart that does not fit on what is left of a page starts the next one. The number of
// pages is known only at the end, so the report is drawn twice (BerichtPdf.cpp): the first time to
// count them.
#pragma once

#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;
class QPdfWriter;

namespace kwt {

class TDiagrammAnsicht;

inline constexpr int BerichtAufloesung = 300;
inline double Mm(double mm) { return mm * BerichtAufloesung / 25.4; }

class BerichtBlatt {
public:
  // seitenGesamt: the number of pages for the footers, 0 while it is being counted.
  BerichtBlatt(QPdfWriter &pdf, QPainter &maler, const QString &fusszeile, int seitenGesamt);

  double Breite() const { return breite_; }
  int Seite() const { return seite_; }

  void Kopf(const QString &titel, const QString &datum);
  // A heading with a line under it; with room for at least `danach` below it on the same page.
  void Ueberschrift(const QString &text, double danach = Mm(20));
  void Absatz(const QString &text, double punkte = 8, const QColor &farbe = Qt::black, bool fett = false);
  // Columns in millimetres; an empty head writes no head line.
  void Tabelle(const QList<double> &spalten, const QList<Qt::Alignment> &ausrichtung, const QStringList &kopf,
               const QList<QStringList> &zeilen, double punkte = 8);
  // Charts side by side over the width, each `hoehe` high, with `luecke` between them; the widths in
  // the proportions of `anteile` (equal without).
  void Diagramme(const QList<TDiagrammAnsicht *> &ansichten, double hoehe, const QList<double> &anteile = {},
                 double luecke = Mm(4));
  void Abstand(double hoehe) { y_ += hoehe; }
  // Starts the next page unless `hoehe` still fits on this one.
  void Platz(double hoehe);
  void NeueSeite();
  // The last page's footer.
  void Beenden();

private:
  void Zeile(const QList<double> &spalten, const QList<Qt::Alignment> &ausrichtung, const QStringList &texte,
             double hoehe, double rand);
  void Linie(double staerke, const QColor &farbe);
  void Fusszeile();

  QPdfWriter &pdf_;
  QPainter &m_;
  QString fusszeile_;
  int seitenGesamt_;
  double breite_, hoehe_;
  double y_ = 0;
  int seite_ = 1;
};

} // namespace kwt
