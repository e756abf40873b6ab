#include "DialogAuswertung.h"

#include <QBarSet>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "Auswertungsteile.h"
#include "ZahlFeld.h"

namespace kwt {

namespace {

void Menunamen(TDiagrammAnsicht *ansicht, const QString &art) {
  ansicht->setMenuNamen("PopupDrucken" + art,
                        {"Menu" + art + "Drucken", "Menu" + art + "N1", "Menu" + art + "Metafile", "Menu" + art + "Bitmap"});
}

// A page of two rows: left the figures, right their chart.
QGridLayout *Seitenraster(QWidget *seite) {
  auto *raster = new QGridLayout(seite);
  raster->setHorizontalSpacing(12);
  raster->setColumnStretch(1, 1);
  return raster;
}

} // namespace

void VerteilungsDiagrammFuellen(TDiagrammAnsicht &ansicht, const Auswertung &a) {
  QList<QPointF> exakt, stichprobe;
  for (const Kurvenpunkt &p : a.ExakteKurve) exakt.append({p.X, p.Y});
  for (const Kurvenpunkt &p : a.StichprobenKurve) stichprobe.append({p.X, p.Y});
  ansicht.setTitel("Verteilungsfunktion des Verkehrswerts (Tsd.)");
  ansicht.Kurve()->setName("exakt");
  ansicht.Median()->setName("Stichprobe des letzten Laufs");
  // The sample is drawn over the exact curve, thinner, so that the exact one shows beside it.
  ansicht.Kurve()->setPen(QPen(QColor(255, 0, 0), 3, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  ansicht.Median()->setPen(QPen(QColor(0, 100, 0), 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  ansicht.LinienSetzen(exakt, stichprobe);
  ansicht.setLegendeSichtbar(true);
  if (a.Stand != StichprobenStand::Vergleichbar) MarkeVerbergen(ansicht.chart(), ansicht.Median());
}

void TornadoDiagrammFuellen(TDiagrammAnsicht &ansicht, const Auswertung &a) {
  QStringList namen;
  QList<double> tief, hoch;
  for (const Empfindlichkeit &e : a.Exakt.Tornado) {
    namen << ParameterBezeichnung[e.Param];
    tief << static_cast<double>(e.MittelTief / 1000);
    hoch << static_cast<double>(e.MittelHoch / 1000);
  }
  ansicht.setTitel("Empfindlichkeit des exakten Mittelwerts (Tsd.)");
  ansicht.TornadoTief()->setLabel("niedrigste Klasse");
  ansicht.TornadoHoch()->setLabel("höchste Klasse");
  ansicht.Mittellinie()->setName("exakter Mittelwert");
  ansicht.TornadoSetzen(namen, tief, hoch, static_cast<double>(a.Exakt.Mittelwert / 1000));
  ansicht.setLegendeSichtbar(true);
}

void SobolDiagrammFuellen(TDiagrammAnsicht &ansicht, const Auswertung &a) {
  // In the tornado's order, so that the rows of both charts stand side by side.
  QStringList namen;
  QList<double> erste, gesamt;
  for (const Empfindlichkeit &e : a.Exakt.Tornado) {
    namen << ParameterBezeichnung[e.Param];
    erste << static_cast<double>(a.Sobol[e.Param].ErsterOrdnung * 100);
    gesamt << static_cast<double>(a.Sobol[e.Param].Gesamt * 100);
  }
  ansicht.setTitel("Varianzanteile (Sobol-Indizes, %)");
  ansicht.TornadoTief()->setLabel("erster Ordnung");
  ansicht.TornadoHoch()->setLabel("gesamt");
  ansicht.AnteileSetzen(namen, erste, gesamt);
  ansicht.setLegendeSichtbar(true);
  MarkeVerbergen(ansicht.chart(), ansicht.Mittellinie());
}

TDlgAuswertung::TDlgAuswertung(Auswertung auswertung, QWidget *eltern) : QDialog(eltern), a_(std::move(auswertung)) {
  setObjectName("DlgAuswertung");
  setWindowTitle("Exakte Verteilung");
  auto *spalte = new QVBoxLayout(this);
  spalte->addWidget(Textzeile("Exakte Verteilung des Verkehrswerts: " + Q(a_.KopfText), "LKopf", this, true));

  chartVerteilung_ = new TDiagrammAnsicht(TDiagrammAnsicht::Art::Linien, this);
  chartVerteilung_->setObjectName("ChartVerteilung");
  Menunamen(chartVerteilung_, "Verteilung");
  chartTornado_ = new TDiagrammAnsicht(TDiagrammAnsicht::Art::Tornado, this);
  chartTornado_->setObjectName("ChartTornado");
  Menunamen(chartTornado_, "Tornado");
  chartSobol_ = new TDiagrammAnsicht(TDiagrammAnsicht::Art::Anteile, this);
  chartSobol_->setObjectName("ChartSobol");
  Menunamen(chartSobol_, "Sobol");
  chartVerteilung_->setMinimumSize(460, 300);
  for (TDiagrammAnsicht *ansicht : {chartTornado_, chartSobol_}) ansicht->setMinimumSize(460, 250);

  seiten_ = new QTabWidget(this);
  seiten_->setObjectName("SeitenAuswertung");
  seiten_->addTab(VerteilungSeite(), "Verteilung, Wertebereich, Schwellen");
  seiten_->addTab(EmpfindlichkeitSeite(), "Empfindlichkeit und Varianzanteile");
  spalte->addWidget(seiten_, 1);
  DiagrammeFuellen();
  SchwellenZeigen();

  spalte->addLayout(Dialogfuss(this));
  resize(1180, 780);
}

void TDlgAuswertung::setDruckAbfrage(const TDiagrammAnsicht::TDruckAbfrage &abfrage) {
  for (TDiagrammAnsicht *ansicht : {chartVerteilung_, chartTornado_, chartSobol_}) ansicht->setDruckAbfrage(abfrage);
}

QWidget *TDlgAuswertung::VerteilungSeite() {
  auto *seite = new QWidget(this);
  seite->setObjectName("SeiteVerteilung");
  QGridLayout *raster = Seitenraster(seite);
  auto *links = new QVBoxLayout;
  links->addWidget(KennzahlenTeil(seite));
  links->addWidget(SchwellenTeil(seite));
  links->addStretch(1);
  raster->addLayout(links, 0, 0);
  auto *rechts = new QVBoxLayout;
  rechts->addWidget(Gerahmt(chartVerteilung_, seite), 1);
  rechts->addWidget(GenauigkeitTeil(seite));
  raster->addLayout(rechts, 0, 1);
  return seite;
}

QWidget *TDlgAuswertung::EmpfindlichkeitSeite() {
  auto *seite = new QWidget(this);
  seite->setObjectName("SeiteEmpfindlichkeit");
  QGridLayout *raster = Seitenraster(seite);
  raster->addWidget(TornadoTeil(seite), 0, 0, Qt::AlignTop);
  raster->addWidget(Gerahmt(chartTornado_, seite), 0, 1);
  raster->addWidget(SobolTeil(seite), 1, 0, Qt::AlignTop);
  raster->addWidget(Gerahmt(chartSobol_, seite), 1, 1);
  raster->setRowStretch(0, 1);
  raster->setRowStretch(1, 1);
  return seite;
}

QWidget *TDlgAuswertung::KennzahlenTeil(QWidget *eltern) {
  auto *teil = new QWidget(eltern);
  auto *spalte = new QVBoxLayout(teil);
  spalte->setContentsMargins(0, 0, 0, 0);
  const bool mitStichprobe = a_.Stand == StichprobenStand::Vergleichbar;

  QList<QStringList> zeilen;
  for (const Vergleichszeile &z : a_.Vergleich.Zeilen) {
    zeilen.append({Q(z.Beschriftung), Q(z.ExaktText), Q(z.StichprobeText), Q(z.DifferenzText), Q(z.DifferenzProzentText)});
  }
  QTableWidget *kennzahlen =
      Tabelle("TabKennzahlen", {"", "Exakt", "Stichprobe", "Differenz", "Differenz (%)"}, zeilen, teil);
  for (int s = 2; s <= 4; ++s) kennzahlen->setColumnHidden(s, !mitStichprobe);
  TabelleEinpassen(kennzahlen);
  spalte->addWidget(kennzahlen);

  spalte->addWidget(Textzeile(Q(a_.StandText), "LStichprobe", teil));
  if (mitStichprobe && !a_.Exakt.Leer()) {
    const StichprobenVergleich &v = a_.Vergleich;
    spalte->addWidget(Textzeile("Kolmogorow-Smirnow-Abstand: " + Q(v.KsAbstandText) + " bei " + Q(v.KsStelleText) +
                                    " (Grenze 5 %: " + Q(v.KsGrenzeText) + ")",
                                "LKsAbstand", teil));
  }
  spalte->addWidget(Hinweiszeile("p-Quantil: kleinster Wert v mit P(VKW ≤ v) ≥ p. Alle Werte auf volle Euro "
                                 "aufgerundet, wie ein Lauf sie speichert.",
                                 "LRegel", teil));

  auto *bereich = new QGroupBox("Wertebereich", teil);
  bereich->setObjectName("GroupBereich");
  auto *b = new QVBoxLayout(bereich);
  b->addWidget(Textzeile(Q(a_.Bereiche[0].Satz), "LBereich80", bereich));
  b->addWidget(Textzeile(Q(a_.Bereiche[1].Satz), "LBereich90", bereich));
  spalte->addWidget(bereich);

  if (!a_.Exakt.Fehler.empty()) {
    auto *gruppe = new QGroupBox("Nicht berechenbare Kombinationen", teil);
    gruppe->setObjectName("GroupFehler");
    auto *l = new QVBoxLayout(gruppe);
    QList<QStringList> fehler;
    for (const FehlerZeile &f : FehlerZeilen(a_.Exakt)) {
      fehler.append({Q(f.Meldung), Q(f.WahrscheinlichkeitText), Q(f.KombinationenText)});
    }
    l->addWidget(Tabelle("TabFehler", {"Meldung", "Anteil der Versuche", "Kombinationen"}, fehler, gruppe));
    spalte->addWidget(gruppe);
  }
  return teil;
}

QWidget *TDlgAuswertung::SchwellenTeil(QWidget *eltern) {
  auto *gruppe = new QGroupBox("Preisschwellen (Kaufpreis, Darlehen)", eltern);
  gruppe->setObjectName("GroupSchwellen");
  auto *spalte = new QVBoxLayout(gruppe);
  auto *zeile = new QHBoxLayout;
  auto *beschriftung = new QLabel("Betrag (€):", gruppe);
  eSchwelle_ = new TZahlFeld("#,###,###,###.##", gruppe);
  eSchwelle_->setObjectName("ESchwelle");
  eSchwelle_->setLeerErlaubt(true);
  eSchwelle_->setText(QString());
  eSchwelle_->setFixedWidth(eSchwelle_->fontMetrics().horizontalAdvance("0.000.000.000,00") + 16);
  beschriftung->setBuddy(eSchwelle_);
  auto *hinzu = new QPushButton("Hinzufügen", gruppe);
  hinzu->setObjectName("BtnSchwelleHinzufuegen");
  hinzu->setAutoDefault(false);
  auto *weg = new QPushButton("Entfernen", gruppe);
  weg->setObjectName("BtnSchwelleEntfernen");
  weg->setAutoDefault(false);
  connect(hinzu, &QPushButton::clicked, this, &TDlgAuswertung::BtnSchwelleHinzufuegenClick);
  connect(weg, &QPushButton::clicked, this, &TDlgAuswertung::BtnSchwelleEntfernenClick);
  zeile->addWidget(beschriftung);
  zeile->addWidget(eSchwelle_);
  zeile->addWidget(hinzu);
  zeile->addWidget(weg);
  zeile->addStretch(1);
  spalte->addLayout(zeile);
  tabSchwellen_ = Tabelle("TabSchwellen",
                          {"Betrag", "P(VKW < Betrag)", "P(VKW ≥ Betrag)", "Stichprobe <", "Stichprobe ≥"}, {}, gruppe);
  tabSchwellen_->setSelectionBehavior(QAbstractItemView::SelectRows);
  spalte->addWidget(tabSchwellen_);
  spalte->addWidget(Hinweiszeile("Exakt und aus der Stichprobe; ein Wert gleich dem Betrag zählt zu „ab“.",
                                 "LSchwellenRegel", gruppe));
  return gruppe;
}

QWidget *TDlgAuswertung::GenauigkeitTeil(QWidget *eltern) {
  auto *gruppe = new QGroupBox("Genauigkeit der Stichprobe", eltern);
  gruppe->setObjectName("GroupGenauigkeit");
  auto *spalte = new QVBoxLayout(gruppe);
  if (a_.Stand == StichprobenStand::Vergleichbar) {
    const Stichprobengenauigkeit &g = a_.Genauigkeit;
    spalte->addWidget(Textzeile(Q(g.StandardfehlerSatz), "LStandardfehler", gruppe));
    spalte->addWidget(Textzeile(Q(g.MedianSatz), "LMedianIntervall", gruppe));
    spalte->addWidget(Textzeile(Q(g.BedarfSatz), "LVersucheNoetig", gruppe));
  } else {
    spalte->addWidget(Hinweiszeile("Nach einem Lauf mit diesen Eingaben: Standardfehler des Mittelwerts, "
                                   "Intervall des Medians und nötige Versuche.",
                                   "LGenauigkeitFehlt", gruppe));
  }
  return gruppe;
}

QWidget *TDlgAuswertung::TornadoTeil(QWidget *eltern) {
  auto *teil = new QWidget(eltern);
  auto *spalte = new QVBoxLayout(teil);
  spalte->setContentsMargins(0, 0, 0, 0);
  spalte->addWidget(Textzeile("Empfindlichkeit: exakter Mittelwert mit dem Parameter in seiner niedrigsten und "
                              "seiner höchsten gezogenen Klasse, die anderen verteilt",
                              "LEmpfindlichkeit", teil, true));
  QList<QStringList> zeilen;
  for (const TornadoZeile &t : TornadoZeilen(a_.Exakt)) {
    zeilen.append({Q(t.Name), Q(t.KlasseTief), Q(t.MittelTiefText), Q(t.KlasseHoch), Q(t.MittelHochText), Q(t.SpanneText)});
  }
  spalte->addWidget(Tabelle("TabTornado",
                            {"Parameter", "niedrigste Klasse", "Mittelwert", "höchste Klasse", "Mittelwert", "Spanne"},
                            zeilen, teil));
  return teil;
}

QWidget *TDlgAuswertung::SobolTeil(QWidget *eltern) {
  auto *teil = new QWidget(eltern);
  auto *spalte = new QVBoxLayout(teil);
  spalte->setContentsMargins(0, 0, 0, 0);
  spalte->addWidget(Textzeile("Varianzanteile (Sobol-Indizes), exakt über alle Klassenkombinationen", "LSobol", teil, true));
  QList<QStringList> zeilen;
  for (const Empfindlichkeit &e : a_.Exakt.Tornado) {
    const Sobolindex &s = a_.Sobol[e.Param];
    zeilen.append({ParameterBezeichnung[e.Param], Q(s.ErsterOrdnungText), Q(s.GesamtText)});
  }
  spalte->addWidget(Tabelle("TabSobol", {"Parameter", "erster Ordnung", "gesamt"}, zeilen, teil));
  spalte->addWidget(Hinweiszeile(SobolErklaerung, "LSobolErklaerung", teil));
  return teil;
}

void TDlgAuswertung::DiagrammeFuellen() {
  VerteilungsDiagrammFuellen(*chartVerteilung_, a_);
  TornadoDiagrammFuellen(*chartTornado_, a_);
  SobolDiagrammFuellen(*chartSobol_, a_);
}

void TDlgAuswertung::SchwellenZeigen() {
  QList<QStringList> zeilen;
  for (const Preisschwelle &s : a_.Schwellen) {
    zeilen.append({Q(s.BetragText), Q(s.ExaktUnterText), Q(s.ExaktAbText), Q(s.StichprobeUnterText),
                   Q(s.StichprobeAbText)});
  }
  TabelleFuellen(tabSchwellen_, zeilen);
  const bool mitStichprobe = a_.Stand == StichprobenStand::Vergleichbar;
  for (int s = 3; s <= 4; ++s) tabSchwellen_->setColumnHidden(s, !mitStichprobe);
  TabelleEinpassen(tabSchwellen_);
}

std::vector<Extended> TDlgAuswertung::Schwellenbetraege() const {
  std::vector<Extended> betraege;
  for (const Preisschwelle &s : a_.Schwellen) betraege.push_back(s.Betrag);
  return betraege;
}

void TDlgAuswertung::BtnSchwelleHinzufuegenClick() {
  if (!eSchwelle_->Gueltig() || eSchwelle_->text().trimmed().isEmpty()) return;
  const Extended betrag = eSchwelle_->Wert();
  const bool schonDa = std::any_of(a_.Schwellen.begin(), a_.Schwellen.end(),
                                   [&](const Preisschwelle &s) { return s.Betrag == betrag; });
  if (!schonDa) a_.Schwellen.push_back(a_.SchwelleBerechnen(betrag));
  SchwellenZeigen();
  eSchwelle_->selectAll();
}

void TDlgAuswertung::BtnSchwelleEntfernenClick() {
  QList<int> zeilen;
  for (const QModelIndex &i : tabSchwellen_->selectionModel()->selectedRows()) zeilen << i.row();
  std::sort(zeilen.begin(), zeilen.end(), std::greater<>());
  for (int z : zeilen) a_.Schwellen.erase(a_.Schwellen.begin() + z);
  SchwellenZeigen();
}

void TDlgAuswertung::keyPressEvent(QKeyEvent *taste) {
  if ((taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter) && focusWidget() == eSchwelle_) {
    BtnSchwelleHinzufuegenClick();
    return;
  }
  QDialog::keyPressEvent(taste);
}

} // namespace kwt
