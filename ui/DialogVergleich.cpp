#include "DialogVergleich.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "Auswertungsteile.h"

namespace kwt {

void VergleichsDiagrammFuellen(TDiagrammAnsicht &ansicht, const Vergleichsauswertung &v) {
  std::array<QList<QPointF>, 2> kurven;
  for (std::size_t i = 0; i < 2; ++i)
    for (const Kurvenpunkt &p : v.Kurven[i]) kurven[i].append({p.X, p.Y});
  ansicht.setTitel("Verteilungsfunktionen der beiden Varianten");
  ansicht.Kurve()->setName("Variante A: " + Q(v.Namen[0]));
  ansicht.Median()->setName("Variante B: " + Q(v.Namen[1]));
  ansicht.Kurve()->setPen(QPen(QColor(220, 0, 0), 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  ansicht.Median()->setPen(QPen(QColor(0, 70, 200), 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  ansicht.LinienSetzen(kurven[0], kurven[1]);
  ansicht.setAchsenTitel("Verkehrswert in Tsd. €", "P(VKW ≤ x)");
  ansicht.setLegendeSichtbar(true);
}

TDlgVergleich::TDlgVergleich(const Vergleichsauswertung &v, QWidget *eltern) : QDialog(eltern) {
  setObjectName("DlgVergleich");
  setWindowTitle("Vergleich zweier Varianten");
  auto *raster = new QGridLayout(this);
  raster->setHorizontalSpacing(12);
  chart_ = new TDiagrammAnsicht(TDiagrammAnsicht::Art::Linien, this);
  chart_->setObjectName("ChartVergleich");
  chart_->setMenuNamen("PopupDruckenVergleich",
                       {"MenuVergleichDrucken", "MenuVergleichN1", "MenuVergleichMetafile", "MenuVergleichBitmap"});
  chart_->setMinimumSize(480, 360);
  VergleichsDiagrammFuellen(*chart_, v);
  raster->addWidget(ZahlenTeil(v), 0, 0, Qt::AlignTop);
  raster->addWidget(Gerahmt(chart_, this), 0, 1);
  raster->setColumnStretch(1, 1);

  raster->addLayout(Dialogfuss(this), 1, 0, 1, 2);
  resize(1100, 620);
}

QWidget *TDlgVergleich::ZahlenTeil(const Vergleichsauswertung &v) {
  auto *teil = new QWidget(this);
  auto *spalte = new QVBoxLayout(teil);
  spalte->setContentsMargins(0, 0, 0, 0);
  spalte->addWidget(Textzeile("Variante A: " + Q(v.Namen[0]) + " (" + Q(v.Koepfe[0]) + ")", "LVarianteA", teil, true));
  spalte->addWidget(Textzeile("Variante B: " + Q(v.Namen[1]) + " (" + Q(v.Koepfe[1]) + ")", "LVarianteB", teil, true));

  QList<QStringList> zeilen;
  for (const Variantenzeile &z : v.Vergleich.Zeilen) {
    zeilen.append({Q(z.Beschriftung), Q(z.AText), Q(z.BText), Q(z.DifferenzText), Q(z.DifferenzProzentText)});
  }
  spalte->addWidget(Tabelle("TabVergleich", {"exakt", "Variante A", "Variante B", "B − A", "B − A (%)"}, zeilen, teil));

  const Variantenvergleich &w = v.Vergleich;
  spalte->addWidget(Textzeile("P(VKW_B > VKW_A) = " + Q(w.BHoeherText), "LBHoeher", teil, true));
  spalte->addWidget(Textzeile("Gleiche Werte: " + Q(w.GleichText) + "; P(VKW_B < VKW_A) = " + Q(w.BNiedrigerText) + ".",
                              "LGleich", teil));
  spalte->addWidget(Hinweiszeile("Die Varianten gelten als unabhängig. Werte auf volle Euro aufgerundet; gleiche "
                                 "Werte zählen weder als höher noch als niedriger.",
                                 "LVergleichRegel", teil));

  if (!v.Schwellen[0].empty()) {
    auto *gruppe = new QGroupBox("Preisschwellen", teil);
    gruppe->setObjectName("GroupVergleichSchwellen");
    auto *l = new QVBoxLayout(gruppe);
    QList<QStringList> schwellen;
    for (std::size_t i = 0; i < v.Schwellen[0].size(); ++i) {
      const Preisschwelle &a = v.Schwellen[0][i], &b = v.Schwellen[1][i];
      schwellen.append({Q(a.BetragText), Q(a.ExaktUnterText), Q(b.ExaktUnterText)});
    }
    l->addWidget(Tabelle("TabVergleichSchwellen", {"Betrag", "A: P(VKW < Betrag)", "B: P(VKW < Betrag)"}, schwellen,
                         gruppe));
    spalte->addWidget(gruppe);
  }
  return teil;
}

} // namespace kwt
