// What the evaluation dialog and the comparison window are built from: read-only tables exactly as
// high as their rows (the figures never scroll), selectable text lines, a sunken frame around a chart
// view, hiding a legend entry, and the dialog's foot.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QAbstractSeries;
class QChart;
class QDialog;
class QHBoxLayout;
class QLabel;
class QTableWidget;
class QWidget;

namespace kwt {

// The first column holds captions (left-aligned), the others numbers (right-aligned).
QTableWidget *Tabelle(const char *name, const QStringList &kopf, const QList<QStringList> &zeilen, QWidget *eltern);
// Replaces the rows and fits the table to them again.
void TabelleFuellen(QTableWidget *t, const QList<QStringList> &zeilen);
// Exactly as large as the visible columns and all rows.
void TabelleEinpassen(QTableWidget *t);
// The visible cells of a row, joined by blanks.
QString Zellen(const QTableWidget *t, int zeile);

QLabel *Textzeile(const QString &text, const char *name, QWidget *eltern, bool fett = false);
// A line in grey for explanations.
QLabel *Hinweiszeile(const QString &text, const char *name, QWidget *eltern);

// w in a sunken frame of its own.
QWidget *Gerahmt(QWidget *w, QWidget *eltern);

void MarkeVerbergen(QChart *diagramm, QAbstractSeries *reihe);

// The line at a dialog's foot: the hint to the charts' right-click menu and "Schließen" (the default
// button, which accepts the dialog).
QHBoxLayout *Dialogfuss(QDialog *dialog);

inline QString Q(const std::string &s) { return QString::fromStdString(s); }

} // namespace kwt
