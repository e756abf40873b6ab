#include "Achsen.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace kwt {

QString AchsenZahl(double wert, const QLocale &locale) {
  QString text = locale.toString(wert, 'f', 3);
  const QString dezimal = locale.decimalPoint();
  if (text.contains(dezimal)) {
    while (text.endsWith(u'0')) text.chop(1);
    if (text.endsWith(dezimal)) text.chop(dezimal.size());
  }
  if (text == QLatin1String("-0")) text = QStringLiteral("0");
  return text;
}

double SchrittWaehlen(double spanne, int hoechstens) {
  if (!(spanne > 0) || !std::isfinite(spanne) || hoechstens < 1) return 1;
  const double roh = spanne / hoechstens;
  const double basis = std::pow(10.0, std::floor(std::log10(roh)));
  double schritt = 10 * basis;
  for (double faktor : {1.0, 2.0, 5.0}) {
    // The product may come out a hair above the exact step under the upward rounding mode.
    if (faktor * basis >= roh * (1 - 1e-12)) {
      schritt = faktor * basis;
      break;
    }
  }
  return std::max(schritt, 0.001); // labels show three decimals at most
}

QList<TAchsenMarke> ZahlenMarken(double min, double max, double schritt, const QLocale &locale) {
  QList<TAchsenMarke> marken;
  if (!(schritt > 0) || !(max >= min) || !std::isfinite(min) || !std::isfinite(max)) return marken;
  const double erste = std::ceil(min / schritt - 1e-9), letzte = std::floor(max / schritt + 1e-9);
  if (letzte - erste > 1000) return marken;
  for (double k = erste; k <= letzte; ++k) {
    double wert = k * schritt;
    if (std::fabs(wert) < schritt * 1e-9) wert = 0;
    marken.append({wert, AchsenZahl(wert, locale)});
  }
  return marken;
}

QList<TAchsenMarke> KlassenMarken(const QStringList &beschriftungen, int laenge, int breite) {
  QList<TAchsenMarke> marken;
  const qsizetype n = beschriftungen.size();
  if (n == 0) return marken;
  const qsizetype jede = std::max<qsizetype>(1, (n * std::max(breite, 1) + std::max(laenge, 1) - 1) / std::max(laenge, 1));
  for (qsizetype i = 0; i < n; i += jede) marken.append({static_cast<double>(i), beschriftungen[i]});
  return marken;
}

TAchse::TAchse(QObject *eltern) : QCategoryAxis(eltern) {
  setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  setMinorTickCount(0);
}

void TAchse::MarkenSetzen(const QList<TAchsenMarke> &marken) {
  if (marken == marken_) return;
  marken_ = marken;
  for (const QString &beschriftung : categoriesLabels()) remove(beschriftung);
  if (!marken.isEmpty()) setStartValue(marken.first().Wert);
  // The axis needs distinct labels; equal class labels (all classes of width 0) get invisible
  // zero-width characters appended.
  QSet<QString> vergeben;
  for (const TAchsenMarke &marke : marken) {
    QString text = marke.Text;
    while (vergeben.contains(text)) text += QChar(0x200B);
    vergeben.insert(text);
    append(text, marke.Wert);
  }
}

} // namespace kwt
