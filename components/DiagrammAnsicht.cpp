#include "DiagrammAnsicht.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGuiApplication>
#include <QHorizontalBarSeries>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kwt {

namespace {

const QColor BalkenFarbe(255, 255, 128);
const QColor TiefFarbe(153, 204, 255);
const QColor GitterFarbe(128, 128, 128);

// Space the plot leaves for the title, the axis labels and the margins, for choosing label steps
// before the chart has laid itself out.
constexpr int RandWaagrecht = 90;
constexpr int RandSenkrecht = 90;
constexpr int ZeilenAbstand = 30; // pixels per label on the value axis

QFont FetteSchrift(int punkte) {
  QFont schrift = QGuiApplication::font();
  schrift.setPointSize(punkte);
  schrift.setBold(true);
  return schrift;
}

} // namespace

TDiagrammAnsicht::TDiagrammAnsicht(Art art, QWidget *eltern) : QChartView(eltern), art_(art) {
  DiagrammEinrichten();
  switch (art_) {
  case Art::Balken: BalkenEinrichten(); break;
  case Art::Tornado: TornadoEinrichten(); break;
  case Art::Linien: LinienEinrichten(); break;
  }
  AchseEinrichten(untereAchse_, true);
  AchseEinrichten(linkeAchse_, false);
  LinkeAchseAnpassen();
  UntereAchseAnpassen();
  MenuEinrichten();
}

// White also behind the plot, no legend, no animation, flat, no zooming or panning, bold black title;
// the two axes that show the program's own labels.
void TDiagrammAnsicht::DiagrammEinrichten() {
  auto *diagramm = new QChart;
  diagramm->legend()->hide();
  diagramm->setAnimationOptions(QChart::NoAnimation);
  diagramm->setBackgroundBrush(Qt::white);
  diagramm->setBackgroundPen(Qt::NoPen);
  diagramm->setBackgroundRoundness(0);
  diagramm->setDropShadowEnabled(false);
  diagramm->setPlotAreaBackgroundBrush(Qt::white);
  diagramm->setPlotAreaBackgroundVisible(true);
  diagramm->layout()->setContentsMargins(0, 0, 0, 0);
  diagramm->setTitleFont(FetteSchrift(10));
  diagramm->setTitleBrush(Qt::black);
  setChart(diagramm);
  setFrameShape(QFrame::NoFrame);
  setBackgroundBrush(Qt::white);
  setRubberBand(QChartView::NoRubberBand);
  setDragMode(QGraphicsView::NoDrag);
  setContextMenuPolicy(Qt::DefaultContextMenu);

  untereAchse_ = new TAchse(diagramm);
  linkeAchse_ = new TAchse(diagramm);
  diagramm->addAxis(untereAchse_, Qt::AlignBottom);
  diagramm->addAxis(linkeAchse_, Qt::AlignLeft);
}

// One bar series "BarSeries" in light yellow, the bars touching, black borders.
void TDiagrammAnsicht::BalkenEinrichten() {
  QChart *diagramm = chart();
  balkenreihe_ = new QBarSeries(diagramm);
  balkenreihe_->setObjectName(QStringLiteral("Series2"));
  balkenreihe_->setName(QStringLiteral("BarSeries"));
  balken_ = new QBarSet(QStringLiteral("BarSeries"));
  balkenreihe_->append(balken_);
  balkenreihe_->setBarWidth(1.0); // neighbouring bars touch
  balkenreihe_->setLabelsVisible(false);
  diagramm->addSeries(balkenreihe_);
  balkenreihe_->attachAxis(untereAchse_);
  balkenreihe_->attachAxis(linkeAchse_);
  // The theme paints over colours and pens inside addSeries(); its bar pen is white.
  balken_->setColor(BalkenFarbe);
  balken_->setBorderColor(Qt::black);
  balken_->setPen(QPen(Qt::black, 1));
  wertMin_ = 0;
  wertMax_ = 5;
}

// Two horizontal bars per row ("Tief" light blue, "Hoch" light yellow) and the black middle line.
void TDiagrammAnsicht::TornadoEinrichten() {
  QChart *diagramm = chart();
  tornado_ = new QHorizontalBarSeries(diagramm);
  tornado_->setObjectName(QStringLiteral("Series4"));
  tief_ = new QBarSet(QStringLiteral("Tief"));
  hoch_ = new QBarSet(QStringLiteral("Hoch"));
  tornado_->append(tief_);
  tornado_->append(hoch_);
  tornado_->setBarWidth(0.8);
  tornado_->setLabelsVisible(false);
  diagramm->addSeries(tornado_);
  mittellinie_ = new QLineSeries(diagramm);
  mittellinie_->setObjectName(QStringLiteral("Series5"));
  mittellinie_->setName(QStringLiteral("Mitte"));
  diagramm->addSeries(mittellinie_);
  for (QAbstractSeries *reihe : std::initializer_list<QAbstractSeries *>{tornado_, mittellinie_}) {
    reihe->attachAxis(untereAchse_);
    reihe->attachAxis(linkeAchse_);
  }
  tief_->setColor(TiefFarbe);
  hoch_->setColor(BalkenFarbe);
  for (QBarSet *s : {tief_, hoch_}) {
    s->setBorderColor(Qt::black);
    s->setPen(QPen(Qt::black, 1));
  }
  mittellinie_->setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap));
  xMin_ = -1;
  xMax_ = 1;
}

// "RHKurve" in red and "Median" in green, 2 pixels wide, no markers; the value axis 0 to 1 by 0.1.
void TDiagrammAnsicht::LinienEinrichten() {
  QChart *diagramm = chart();
  setRenderHint(QPainter::Antialiasing);
  kurve_ = new QLineSeries(diagramm);
  kurve_->setObjectName(QStringLiteral("Series1"));
  kurve_->setName(QStringLiteral("RHKurve"));
  median_ = new QLineSeries(diagramm);
  median_->setObjectName(QStringLiteral("Series3"));
  median_->setName(QStringLiteral("Median"));
  for (QLineSeries *reihe : {kurve_, median_}) {
    diagramm->addSeries(reihe);
    reihe->attachAxis(untereAchse_);
    reihe->attachAxis(linkeAchse_);
    reihe->setPointsVisible(false);
    reihe->setPointLabelsVisible(false);
  }
  // The series draws its line segment by segment; flat ends keep the antialiased overlaps at the
  // points from showing as darker dots.
  kurve_->setPen(QPen(QColor(255, 0, 0), 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  median_->setPen(QPen(QColor(0, 128, 0), 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  wertMin_ = 0;
  wertMax_ = 1;
  wertSchritt_ = 0.1;
}

void TDiagrammAnsicht::AchseEinrichten(QAbstractAxis *achse, bool gitter) {
  achse->setLabelsFont(FetteSchrift(8));
  achse->setLabelsBrush(Qt::black);
  achse->setLinePen(QPen(Qt::black, 1));
  achse->setShadesVisible(false);
  achse->setMinorGridLineVisible(false);
  achse->setGridLineVisible(gitter);
  // Qt cuts a label to "..." when it is higher than the space between two labels, which the value
  // axis of a curve (eleven labels) meets below about 300 pixels; the labels overlap a little
  // instead and stay readable.
  achse->setTruncateLabels(false);
  // Not cosmetic: a printed page scales it with the picture instead of drawing a hairline.
  QPen gitterStift(GitterFarbe, 1, Qt::DotLine);
  gitterStift.setCosmetic(false);
  achse->setGridLinePen(gitterStift);
}

void TDiagrammAnsicht::setTitel(const QString &titel) { chart()->setTitle(titel); }

QString TDiagrammAnsicht::Titel() const { return chart()->title(); }

int TDiagrammAnsicht::MarkenAnzahl(Qt::Orientation richtung, double min, double max) const {
  if (richtung == Qt::Vertical) return std::max(2, (height() - RandSenkrecht) / ZeilenAbstand);
  const int laenge = std::max(width() - RandWaagrecht, 40);
  const QFontMetrics masse(untereAchse_->labelsFont());
  // Fewer labels until the widest of them fits its share of the axis.
  for (int anzahl = std::max(2, laenge / 40); anzahl > 2; --anzahl) {
    const auto marken = ZahlenMarken(min, max, SchrittWaehlen(max - min, anzahl), locale());
    int breitest = 0;
    for (const auto &marke : marken) breitest = std::max(breitest, masse.horizontalAdvance(marke.Text));
    if (marken.size() * (breitest + 16) <= laenge) return anzahl;
  }
  return 2;
}

void TDiagrammAnsicht::LinkeAchseAnpassen() {
  if (art_ == Art::Tornado) {
    // The first name at the top: bar index 0 is the lowest row.
    QList<TAchsenMarke> marken;
    const qsizetype n = zeilen_.size();
    for (qsizetype i = n - 1; i >= 0; --i) marken.append({static_cast<double>(n - 1 - i), zeilen_[i]});
    linkeAchse_->MarkenSetzen(marken);
    linkeAchse_->setRange(-0.5, n > 0 ? static_cast<double>(n) - 0.5 : 0.5);
    return;
  }
  const double schritt =
      wertSchritt_ > 0 ? wertSchritt_ : SchrittWaehlen(wertMax_ - wertMin_, MarkenAnzahl(Qt::Vertical, wertMin_, wertMax_));
  linkeAchse_->MarkenSetzen(ZahlenMarken(wertMin_, wertMax_, schritt, locale()));
  linkeAchse_->setRange(wertMin_, wertMax_);
}

void TDiagrammAnsicht::UntereAchseAnpassen() {
  if (art_ == Art::Balken) {
    const qsizetype n = std::max<qsizetype>(klassen_.size(), balken_->count());
    int breitest = 0;
    const QFontMetrics masse(untereAchse_->labelsFont());
    for (const QString &text : klassen_) breitest = std::max(breitest, masse.horizontalAdvance(text));
    // Without classes (before the first run, after a run's preparation) the axis is a bare line:
    // Qt draws no axis without a label and keeps the last grid lines of an axis whose labels all
    // went, so it gets one empty label at its right end and no grid.
    const QList<TAchsenMarke> marken =
        n > 0 ? KlassenMarken(klassen_, std::max(width() - RandWaagrecht, 40), breitest + 10) : QList<TAchsenMarke>{{0.5, {}}};
    untereAchse_->setGridLineVisible(n > 0);
    untereAchse_->MarkenSetzen(marken);
    untereAchse_->setRange(-0.5, n > 0 ? static_cast<double>(n) - 0.5 : 0.5);
  } else if (art_ == Art::Tornado) {
    // The axis runs over distances from the middle, as the bars do, but its labels are chosen and
    // written as the values themselves.
    const double schritt = SchrittWaehlen(xMax_ - xMin_, MarkenAnzahl(Qt::Horizontal, xMin_, xMax_));
    QList<TAchsenMarke> marken = ZahlenMarken(xMin_, xMax_, schritt, locale());
    for (TAchsenMarke &marke : marken) marke.Wert -= mitte_;
    untereAchse_->MarkenSetzen(marken);
    untereAchse_->setRange(xMin_ - mitte_, xMax_ - mitte_);
  } else {
    const double schritt = SchrittWaehlen(xMax_ - xMin_, MarkenAnzahl(Qt::Horizontal, xMin_, xMax_));
    untereAchse_->MarkenSetzen(ZahlenMarken(xMin_, xMax_, schritt, locale()));
    untereAchse_->setRange(xMin_, xMax_);
  }
}

void TDiagrammAnsicht::BalkenSetzen(const QStringList &beschriftungen, const QList<double> &hoehen) {
  if (!balken_) return;
  const bool neueKlassen = beschriftungen != klassen_ || hoehen.size() != balken_->count();
  if (hoehen.size() == balken_->count()) {
    for (qsizetype i = 0; i < hoehen.size(); ++i)
      if (balken_->at(i) != hoehen[i]) balken_->replace(i, hoehen[i]);
  } else {
    balken_->remove(0, balken_->count());
    balken_->append(QList<qreal>(hoehen.begin(), hoehen.end()));
  }
  if (neueKlassen) {
    klassen_ = beschriftungen;
    UntereAchseAnpassen();
  }
}

void TDiagrammAnsicht::setLinkeAchse(double min, double max, double schritt) {
  wertMin_ = min;
  wertMax_ = max;
  wertSchritt_ = schritt;
  LinkeAchseAnpassen();
}

void TDiagrammAnsicht::LinienSetzen(const QList<QPointF> &kurve, const QList<QPointF> &median) {
  if (!kurve_) return;
  kurve_->replace(kurve);
  median_->replace(median);
  double min = INFINITY, max = -INFINITY;
  for (const auto *punkte : {&kurve, &median}) {
    for (const QPointF &p : *punkte) {
      min = std::min(min, p.x());
      max = std::max(max, p.x());
    }
  }
  if (!(min <= max)) {
    min = 0;
    max = 1;
  } else if (min == max) {
    // One point: the axis still needs a span around it.
    min -= 1;
    max += 1;
  }
  xMin_ = min;
  xMax_ = max;
  UntereAchseAnpassen();
}

void TDiagrammAnsicht::TornadoSetzen(const QStringList &namen, const QList<double> &tief, const QList<double> &hoch,
                                     double mitte) {
  if (!tornado_) return;
  const qsizetype n = std::min({namen.size(), tief.size(), hoch.size()});
  mitte_ = std::isfinite(mitte) ? mitte : 0;
  zeilen_ = namen.mid(0, n);
  QList<qreal> abstandTief, abstandHoch;
  double min = mitte_, max = mitte_;
  // Bar index 0 is the lowest row, the last name.
  for (qsizetype i = n - 1; i >= 0; --i) {
    for (auto [wert, abstaende] : {std::pair{tief[i], &abstandTief}, std::pair{hoch[i], &abstandHoch}}) {
      if (!std::isfinite(wert)) {
        abstaende->append(0);
        continue;
      }
      abstaende->append(wert - mitte_);
      min = std::min(min, wert);
      max = std::max(max, wert);
    }
  }
  tief_->remove(0, tief_->count());
  tief_->append(abstandTief);
  hoch_->remove(0, hoch_->count());
  hoch_->append(abstandHoch);
  // A little room beyond the longest bars; a view without bars still needs a span.
  const double rand = max > min ? (max - min) * 0.05 : std::max(std::fabs(mitte_) * 0.01, 1.0);
  xMin_ = min - rand;
  xMax_ = max + rand;
  mittellinie_->replace({QPointF(0, -0.5), QPointF(0, n > 0 ? static_cast<double>(n) - 0.5 : 0.5)});
  LinkeAchseAnpassen();
  UntereAchseAnpassen();
}

void TDiagrammAnsicht::setLegendeSichtbar(bool sichtbar) {
  QLegend *legende = chart()->legend();
  legende->setVisible(sichtbar);
  if (!sichtbar) return;
  legende->setAlignment(Qt::AlignBottom);
  QFont schrift = QGuiApplication::font();
  schrift.setPointSize(8);
  legende->setFont(schrift);
  legende->setLabelColor(Qt::black);
  legende->setBackgroundVisible(false);
  legende->setBorderColor(Qt::white);
}

void TDiagrammAnsicht::SofortZeichnen() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  QCoreApplication::sendPostedEvents(scene(), 0);
  viewport()->repaint();
}

void TDiagrammAnsicht::resizeEvent(QResizeEvent *ereignis) {
  QChartView::resizeEvent(ereignis);
  // How many labels fit depends on the size.
  LinkeAchseAnpassen();
  UntereAchseAnpassen();
}

} // namespace kwt
