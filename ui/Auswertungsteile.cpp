#include "Auswertungsteile.h"

#include <QChart>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kwt {

void TabelleEinpassen(QTableWidget *t) {
  int breite = 2 * t->frameWidth();
  for (int s = 0; s < t->columnCount(); ++s) {
    if (!t->isColumnHidden(s)) breite += t->columnWidth(s);
  }
  const int hoehe = 2 * t->frameWidth() + t->horizontalHeader()->sizeHint().height() +
                    t->rowCount() * t->verticalHeader()->defaultSectionSize();
  t->setFixedSize(breite, hoehe);
}

void TabelleFuellen(QTableWidget *t, const QList<QStringList> &zeilen) {
  t->setRowCount(static_cast<int>(zeilen.size()));
  for (int z = 0; z < zeilen.size(); ++z) {
    for (int s = 0; s < zeilen[z].size() && s < t->columnCount(); ++s) {
      auto *feld = new QTableWidgetItem(zeilen[z][s]);
      feld->setTextAlignment(s == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
      t->setItem(z, s, feld);
    }
  }
  t->resizeColumnsToContents();
  for (int s = 0; s < t->columnCount(); ++s) t->setColumnWidth(s, t->columnWidth(s) + 8);
  TabelleEinpassen(t);
}

QTableWidget *Tabelle(const char *name, const QStringList &kopf, const QList<QStringList> &zeilen, QWidget *eltern) {
  auto *t = new QTableWidget(0, static_cast<int>(kopf.size()), eltern);
  t->setObjectName(name);
  t->setHorizontalHeaderLabels(kopf);
  t->verticalHeader()->hide();
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionMode(QAbstractItemView::ContiguousSelection);
  t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
  for (int s = 0; s < kopf.size(); ++s) {
    t->horizontalHeaderItem(s)->setTextAlignment((s == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
  }
  TabelleFuellen(t, zeilen);
  return t;
}

QString Zellen(const QTableWidget *t, int zeile) {
  QStringList texte;
  for (int s = 0; s < t->columnCount(); ++s) {
    if (!t->isColumnHidden(s) && t->item(zeile, s)) texte << t->item(zeile, s)->text();
  }
  return texte.join(' ').simplified();
}

QLabel *Textzeile(const QString &text, const char *name, QWidget *eltern, bool fett) {
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

QLabel *Hinweiszeile(const QString &text, const char *name, QWidget *eltern) {
  QLabel *l = Textzeile(text, name, eltern);
  QPalette grau = l->palette();
  grau.setColor(QPalette::WindowText, QColor(96, 96, 96));
  l->setPalette(grau);
  return l;
}

QWidget *Gerahmt(QWidget *w, QWidget *eltern) {
  auto *rahmen = new QFrame(eltern);
  rahmen->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  auto *l = new QVBoxLayout(rahmen);
  l->setContentsMargins(1, 1, 1, 1);
  l->addWidget(w);
  return rahmen;
}

void MarkeVerbergen(QChart *diagramm, QAbstractSeries *reihe) {
  for (QLegendMarker *marke : diagramm->legend()->markers(reihe)) marke->setVisible(false);
}

QHBoxLayout *Dialogfuss(QDialog *dialog) {
  auto *unten = new QHBoxLayout;
  auto *hinweis = new QLabel("Drucken und Zwischenablage mit rechter Maustaste aufrufen.", dialog);
  hinweis->setObjectName("LHinweis");
  auto *schliessen = new QPushButton("Schließen", dialog);
  schliessen->setObjectName("BtnSchliessen");
  schliessen->setDefault(true);
  QObject::connect(schliessen, &QPushButton::clicked, dialog, &QDialog::accept);
  unten->addWidget(hinweis, 1);
  unten->addWidget(schliessen);
  return unten;
}

} // namespace kwt
