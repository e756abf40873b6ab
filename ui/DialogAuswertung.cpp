#include "DialogAuswertung.h"

#include <QBarSet>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace kwt {

namespace {

QString Q(const std::string &s) { return QString::fromStdString(s); }

// Exactly as large as the visible columns and all rows.
void TabelleEinpassen(QTableWidget *t) {
  int breite = 2 * t->frameWidth();
  for (int s = 0; s < t->columnCount(); ++s) {
    if (!t->isColumnHidden(s)) breite += t->columnWidth(s);
  }
  const int hoehe =
      2 * t->frameWidth() + t->horizontalHeader()->sizeHint().height() + t->rowCount() * t->verticalHeader()->defaultSectionSize();
  t->setFixedSize(breite, hoehe);
}

// A read-only table that is as high as its rows, so the figures never scroll; the first column
// holds captions, the others numbers (right-aligned).
QTableWidget *Tabelle(const char *name, const QStringList &kopf, const QList<QStringList> &zeilen, QWidget *eltern) {
  auto *t = new QTableWidget(static_cast<int>(zeilen.size()), static_cast<int>(kopf.size()), eltern);
  t->setObjectName(name);
  t->setHorizontalHeaderLabels(kopf);
  t->verticalHeader()->hide();
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionMode(QAbstractItemView::ContiguousSelection);
  t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
  for (int z = 0; z < zeilen.size(); ++z) {
    for (int s = 0; s < zeilen[z].size() && s < kopf.size(); ++s) {
      auto *feld = new QTableWidgetItem(zeilen[z][s]);
      feld->setTextAlignment(s == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
      t->setItem(z, s, feld);
    }
  }
  for (int s = 0; s < kopf.size(); ++s) {
    t->horizontalHeaderItem(s)->setTextAlignment((s == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
  }
  t->resizeColumnsToContents();
  for (int s = 0; s < kopf.size(); ++s) t->setColumnWidth(s, t->columnWidth(s) + 8);
  TabelleEinpassen(t);
  return t;
}

QLabel *Zeile(const QString &text, const char *name, QWidget *eltern, bool fett = false) {
  auto *l = new QLabel(text, eltern);
  l->setObjectName(name);
  l->setWordWrap(true);
  l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  if (fett) {
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
  }
  return l;
}

void MarkeVerbergen(QChart *diagramm, QAbstractSeries *reihe) {
  for (QLegendMarker *marke : diagramm->legend()->markers(reihe)) marke->setVisible(false);
}

} // namespace

TDlgAuswertung::TDlgAuswertung(const Auswertung &a, QWidget *eltern) : QDialog(eltern) {
  setObjectName("DlgAuswertung");
  setWindowTitle("Exakte Verteilung");
  auto *raster = new QGridLayout(this);
  raster->setHorizontalSpacing(12);

  chartVerteilung_ = new TDiagrammAnsicht(TDiagrammAnsicht::Art::Linien, this);
  chartVerteilung_->setObjectName("ChartVerteilung");
  chartVerteilung_->setMenuNamen("PopupDruckenVerteilung", {"MenuVerteilungDrucken", "MenuVerteilungN1",
                                                             "MenuVerteilungMetafile", "MenuVerteilungBitmap"});
  chartTornado_ = new TDiagrammAnsicht(TDiagrammAnsicht::Art::Tornado, this);
  chartTornado_->setObjectName("ChartTornado");
  chartTornado_->setMenuNamen("PopupDruckenTornado", {"MenuTornadoDrucken", "MenuTornadoN1", "MenuTornadoMetafile",
                                                       "MenuTornadoBitmap"});
  for (TDiagrammAnsicht *ansicht : {chartVerteilung_, chartTornado_}) {
    ansicht->setMinimumSize(460, 280);
    auto *rahmen = new QFrame(this);
    rahmen->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto *l = new QVBoxLayout(rahmen);
    l->setContentsMargins(1, 1, 1, 1);
    l->addWidget(ansicht);
    raster->addWidget(rahmen, ansicht == chartVerteilung_ ? 0 : 1, 1);
  }
  raster->addWidget(KennzahlenTeil(a), 0, 0, Qt::AlignTop);
  raster->addWidget(TornadoTeil(a), 1, 0, Qt::AlignTop);
  raster->setColumnStretch(1, 1);
  raster->setRowStretch(0, 1);
  raster->setRowStretch(1, 1);
  DiagrammeFuellen(a);

  auto *unten = new QHBoxLayout;
  auto *hinweis = new QLabel("Drucken und Zwischenablage mit rechter Maustaste aufrufen.", this);
  hinweis->setObjectName("LHinweis");
  auto *schliessen = new QPushButton("Schließen", this);
  schliessen->setObjectName("BtnSchliessen");
  schliessen->setDefault(true);
  connect(schliessen, &QPushButton::clicked, this, &QDialog::accept);
  unten->addWidget(hinweis, 1);
  unten->addWidget(schliessen);
  raster->addLayout(unten, 2, 0, 1, 2);
  resize(1120, 720);
}

void TDlgAuswertung::setDruckAbfrage(const TDiagrammAnsicht::TDruckAbfrage &abfrage) {
  chartVerteilung_->setDruckAbfrage(abfrage);
  chartTornado_->setDruckAbfrage(abfrage);
}

QWidget *TDlgAuswertung::KennzahlenTeil(const Auswertung &a) {
  auto *teil = new QWidget(this);
  auto *spalte = new QVBoxLayout(teil);
  spalte->setContentsMargins(0, 0, 0, 0);
  spalte->addWidget(Zeile("Exakte Verteilung des Verkehrswerts: " + Q(a.KopfText), "LKopf", teil, true));
  const bool mitStichprobe = a.Stand == StichprobenStand::Vergleichbar;

  QList<QStringList> zeilen;
  for (const Vergleichszeile &z : a.Vergleich.Zeilen) {
    zeilen.append({Q(z.Beschriftung), Q(z.ExaktText), Q(z.StichprobeText), Q(z.DifferenzText),
                   Q(z.DifferenzProzentText)});
  }
  QTableWidget *kennzahlen =
      Tabelle("TabKennzahlen", {"", "Exakt", "Stichprobe", "Differenz", "Differenz (%)"}, zeilen, teil);
  for (int s = 2; s <= 4; ++s) kennzahlen->setColumnHidden(s, !mitStichprobe);
  TabelleEinpassen(kennzahlen);
  spalte->addWidget(kennzahlen);

  spalte->addWidget(Zeile(Q(a.StandText), "LStichprobe", teil));
  if (mitStichprobe && !a.Exakt.Leer()) {
    const StichprobenVergleich &v = a.Vergleich;
    spalte->addWidget(Zeile("Kolmogorow-Smirnow-Abstand: " + Q(v.KsAbstandText) + " bei " + Q(v.KsStelleText) +
                                " (Grenze 5 %: " + Q(v.KsGrenzeText) + ")",
                            "LKsAbstand", teil));
  }
  QLabel *regel = Zeile("p-Quantil: kleinster Wert v mit P(VKW ≤ v) ≥ p. Alle Werte auf volle Euro aufgerundet, "
                        "wie ein Lauf sie speichert.",
                        "LRegel", teil);
  QPalette grau = regel->palette();
  grau.setColor(QPalette::WindowText, QColor(96, 96, 96));
  regel->setPalette(grau);
  spalte->addWidget(regel);

  if (!a.Exakt.Fehler.empty()) {
    auto *gruppe = new QGroupBox("Nicht berechenbare Kombinationen", teil);
    gruppe->setObjectName("GroupFehler");
    auto *l = new QVBoxLayout(gruppe);
    QList<QStringList> fehler;
    for (const FehlerZeile &f : FehlerZeilen(a.Exakt)) {
      fehler.append({Q(f.Meldung), Q(f.WahrscheinlichkeitText), Q(f.KombinationenText)});
    }
    l->addWidget(Tabelle("TabFehler", {"Meldung", "Anteil der Versuche", "Kombinationen"}, fehler, gruppe));
    spalte->addWidget(gruppe);
  }
  return teil;
}

QWidget *TDlgAuswertung::TornadoTeil(const Auswertung &a) {
  auto *teil = new QWidget(this);
  auto *spalte = new QVBoxLayout(teil);
  spalte->setContentsMargins(0, 0, 0, 0);
  spalte->addWidget(Zeile("Empfindlichkeit: exakter Mittelwert mit dem Parameter in seiner niedrigsten und "
                          "seiner höchsten gezogenen Klasse, die anderen verteilt",
                          "LEmpfindlichkeit", teil, true));
  QList<QStringList> zeilen;
  for (const TornadoZeile &t : TornadoZeilen(a.Exakt)) {
    zeilen.append({Q(t.Name), Q(t.KlasseTief), Q(t.MittelTiefText), Q(t.KlasseHoch), Q(t.MittelHochText),
                   Q(t.SpanneText)});
  }
  spalte->addWidget(Tabelle("TabTornado",
                            {"Parameter", "niedrigste Klasse", "Mittelwert", "höchste Klasse", "Mittelwert", "Spanne"},
                            zeilen, teil));
  return teil;
}

void TDlgAuswertung::DiagrammeFuellen(const Auswertung &a) {
  const bool mitStichprobe = a.Stand == StichprobenStand::Vergleichbar;
  QList<QPointF> exakt, stichprobe;
  for (const Kurvenpunkt &p : a.ExakteKurve) exakt.append({p.X, p.Y});
  for (const Kurvenpunkt &p : a.StichprobenKurve) stichprobe.append({p.X, p.Y});
  chartVerteilung_->setTitel("Verteilungsfunktion des Verkehrswerts (Tsd.)");
  chartVerteilung_->Kurve()->setName("exakt");
  chartVerteilung_->Median()->setName("Stichprobe des letzten Laufs");
  // The sample is drawn over the exact curve, thinner, so that the exact one shows beside it.
  chartVerteilung_->Kurve()->setPen(QPen(QColor(255, 0, 0), 3, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  chartVerteilung_->Median()->setPen(QPen(QColor(0, 100, 0), 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  chartVerteilung_->LinienSetzen(exakt, stichprobe);
  chartVerteilung_->setLegendeSichtbar(true);
  if (!mitStichprobe) MarkeVerbergen(chartVerteilung_->chart(), chartVerteilung_->Median());

  QStringList namen;
  QList<double> tief, hoch;
  for (const Empfindlichkeit &e : a.Exakt.Tornado) {
    namen << ParameterBezeichnung[e.Param];
    tief << static_cast<double>(e.MittelTief / 1000);
    hoch << static_cast<double>(e.MittelHoch / 1000);
  }
  chartTornado_->setTitel("Empfindlichkeit des exakten Mittelwerts (Tsd.)");
  chartTornado_->TornadoTief()->setLabel("niedrigste Klasse");
  chartTornado_->TornadoHoch()->setLabel("höchste Klasse");
  chartTornado_->Mittellinie()->setName("exakter Mittelwert");
  chartTornado_->TornadoSetzen(namen, tief, hoch, static_cast<double>(a.Exakt.Mittelwert / 1000));
  chartTornado_->setLegendeSichtbar(true);
}

} // namespace kwt
