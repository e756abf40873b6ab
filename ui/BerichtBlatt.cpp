#include "BerichtBlatt.h"

#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

#include "DiagrammAnsicht.h"

namespace kwt {

namespace {

constexpr double Bildschirm = 96; // pixels per inch of a chart view, for its size on paper
constexpr Qt::Alignment L = Qt::AlignLeft;

QFont Schrift(double punkte, bool fett = false) {
  QFont f;
  f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(punkte);
  f.setBold(fett);
  // Without ligatures: "ff" and "fi" stay letters that a reader of the file can search and copy.
  f.setStyleStrategy(QFont::PreferNoShaping);
  return f;
}

QFont OhneLigaturen(QFont f) {
  f.setStyleStrategy(QFont::PreferNoShaping);
  return f;
}

// A chart view drawn at the size it would have on screen for the room on paper, so that its text
// comes out at its usual size; as vectors, with a thin frame.
void DiagrammZeichnen(QPainter &maler, const QRectF &ziel, TDiagrammAnsicht &ansicht) {
  const QSize groesse(static_cast<int>(ziel.width() * Bildschirm / BerichtAufloesung),
                      static_cast<int>(ziel.height() * Bildschirm / BerichtAufloesung));
  QChart *diagramm = ansicht.chart();
  diagramm->setTitleFont(OhneLigaturen(diagramm->titleFont()));
  for (QAbstractAxis *achse : diagramm->axes()) {
    achse->setLabelsFont(OhneLigaturen(achse->labelsFont()));
    achse->setTitleFont(OhneLigaturen(achse->titleFont()));
  }
  ansicht.setAttribute(Qt::WA_DontShowOnScreen);
  ansicht.resize(groesse);
  ansicht.show();
  ansicht.SofortZeichnen();
  ansicht.render(&maler, ziel, QRect(QPoint(0, 0), ansicht.Bildgroesse()), Qt::IgnoreAspectRatio);
  maler.setPen(QPen(QColor(160, 160, 160), Mm(0.15)));
  maler.setBrush(Qt::NoBrush);
  maler.drawRect(ziel);
}

} // namespace

BerichtBlatt::BerichtBlatt(QPdfWriter &pdf, QPainter &maler, const QString &fusszeile, int seitenGesamt)
    : pdf_(pdf), m_(maler), fusszeile_(fusszeile), seitenGesamt_(seitenGesamt), breite_(pdf.width()),
      hoehe_(pdf.height() - Mm(8)) {}

void BerichtBlatt::Kopf(const QString &titel, const QString &datum) {
  const double h = Mm(7);
  m_.setPen(Qt::black);
  m_.setFont(Schrift(14, true));
  m_.drawText(QRectF(0, y_, breite_, h), L | Qt::AlignBottom, titel);
  m_.setFont(Schrift(9));
  m_.drawText(QRectF(0, y_, breite_, h), Qt::AlignRight | Qt::AlignBottom, datum);
  y_ += h + Mm(1.5);
  Linie(Mm(0.4), Qt::black);
  y_ += Mm(1);
}

void BerichtBlatt::Ueberschrift(const QString &text, double danach) {
  const double h = Mm(5);
  Platz(Mm(3) + h + danach);
  if (y_ > 0) y_ += Mm(3);
  m_.setPen(Qt::black);
  m_.setFont(Schrift(10, true));
  m_.drawText(QRectF(0, y_, breite_, h), L | Qt::AlignVCenter, text);
  y_ += h;
  Linie(Mm(0.2), QColor(128, 128, 128));
  y_ += Mm(1);
}

void BerichtBlatt::Absatz(const QString &text, double punkte, const QColor &farbe, bool fett) {
  m_.setFont(Schrift(punkte, fett));
  const int art = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
  const double noetig = m_.boundingRect(QRectF(0, 0, breite_, Mm(60)), art, text).height();
  Platz(noetig);
  m_.setPen(farbe);
  m_.setFont(Schrift(punkte, fett));
  m_.drawText(QRectF(0, y_, breite_, noetig), art, text);
  y_ += noetig + Mm(0.8);
}

void BerichtBlatt::Tabelle(const QList<double> &spalten, const QList<Qt::Alignment> &ausrichtung,
                           const QStringList &kopf, const QList<QStringList> &zeilen, double punkte) {
  const double zeile = Mm(punkte * 0.5 + 0.3), rand = Mm(1);
  Platz(zeile * static_cast<double>(zeilen.size() + (kopf.isEmpty() ? 0 : 1)) + Mm(1));
  m_.setPen(Qt::black);
  if (!kopf.isEmpty()) {
    m_.setFont(Schrift(punkte - 0.5, true));
    Zeile(spalten, ausrichtung, kopf, zeile, rand);
    y_ += zeile;
    Linie(Mm(0.15), QColor(160, 160, 160));
  }
  m_.setFont(Schrift(punkte));
  for (const QStringList &z : zeilen) {
    Zeile(spalten, ausrichtung, z, zeile, rand);
    y_ += zeile;
  }
  y_ += Mm(1);
}

void BerichtBlatt::Diagramme(const QList<TDiagrammAnsicht *> &ansichten, double hoehe, const QList<double> &anteile,
                             double luecke) {
  if (ansichten.isEmpty()) return;
  Platz(hoehe + Mm(2));
  y_ += Mm(1);
  const qsizetype n = ansichten.size();
  double summe = 0;
  for (qsizetype i = 0; i < n; ++i) summe += anteile.value(i, 1);
  const double frei = breite_ - luecke * static_cast<double>(n - 1);
  double x = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const double w = frei * anteile.value(i, 1) / summe;
    DiagrammZeichnen(m_, QRectF(x, y_, w, hoehe), *ansichten[i]);
    x += w + luecke;
  }
  y_ += hoehe + Mm(1);
}

void BerichtBlatt::Platz(double hoehe) {
  if (y_ > 0 && y_ + hoehe > hoehe_) NeueSeite();
}

void BerichtBlatt::NeueSeite() {
  Fusszeile();
  pdf_.newPage();
  ++seite_;
  y_ = 0;
}

void BerichtBlatt::Beenden() { Fusszeile(); }

void BerichtBlatt::Fusszeile() {
  const double oben = pdf_.height() - Mm(5);
  m_.setPen(QPen(QColor(128, 128, 128), Mm(0.15)));
  m_.drawLine(QPointF(0, oben), QPointF(breite_, oben));
  m_.setPen(QColor(96, 96, 96));
  m_.setFont(Schrift(7));
  const QRectF feld(0, oben + Mm(1), breite_, Mm(4));
  m_.drawText(feld, L | Qt::AlignVCenter, fusszeile_);
  const QString seite = seitenGesamt_ > 0 ? QString("Seite %1 von %2").arg(seite_).arg(seitenGesamt_)
                                          : QString("Seite %1").arg(seite_);
  m_.drawText(feld, Qt::AlignRight | Qt::AlignVCenter, seite);
}

void BerichtBlatt::Zeile(const QList<double> &spalten, const QList<Qt::Alignment> &ausrichtung,
                         const QStringList &texte, double hoehe, double rand) {
  double x = 0;
  for (qsizetype s = 0; s < spalten.size() && s < texte.size(); ++s) {
    const double w = Mm(spalten[s]);
    m_.drawText(QRectF(x + rand, y_, w - 2 * rand, hoehe), ausrichtung.value(s, L) | Qt::AlignVCenter, texte[s]);
    x += w;
  }
}

void BerichtBlatt::Linie(double staerke, const QColor &farbe) {
  m_.setPen(QPen(farbe, staerke));
  m_.drawLine(QPointF(0, y_), QPointF(breite_, y_));
  m_.setPen(Qt::black);
  y_ += staerke;
}

} // namespace kwt
