// The axes of the chart views: the labels of numeric axes ("#,##0.###" in the user's number format,
// at a step of 1, 2 or 5 times a power of ten that fits the axis), the class labels under the bars
// (thinned so that they do not overlap), and an axis that shows exactly these labels.
//
// Qt's value axis can only write printf-style labels; the category axis, with its labels on the
// values, can show the program's own.
#pragma once

#include <QCategoryAxis>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace kwt {

// "#,##0.###": grouped thousands, at most three decimals, no trailing zeros, the locale's separators.
QString AchsenZahl(double wert, const QLocale &locale);

// A label step of 1, 2 or 5 times a power of ten that puts at most hoechstens labels on the span.
double SchrittWaehlen(double spanne, int hoechstens);

// One label of an axis at a value.
struct TAchsenMarke {
  double Wert;
  QString Text;
  bool operator==(const TAchsenMarke &) const = default;
};

// The labels of a numeric axis: every multiple of schritt from min to max.
QList<TAchsenMarke> ZahlenMarken(double min, double max, double schritt, const QLocale &locale);

// The labels under n bars at the positions 0 .. n-1: every k-th class label, k chosen so that labels
// of breite pixels need no more than the length of the axis.
QList<TAchsenMarke> KlassenMarken(const QStringList &beschriftungen, int laenge, int breite);

// An axis that shows its own labels at values; the grid lines, where on, stand at the labels.
class TAchse : public QCategoryAxis {
  Q_OBJECT

public:
  explicit TAchse(QObject *eltern = nullptr);
  // Rebuilds the labels only when they differ from the ones shown.
  void MarkenSetzen(const QList<TAchsenMarke> &marken);
  const QList<TAchsenMarke> &Marken() const { return marken_; }

private:
  QList<TAchsenMarke> marken_;
};

} // namespace kwt
