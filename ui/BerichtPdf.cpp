#include "BerichtPdf.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

#include "DiagrammAnsicht.h"
#include "LaufDiagramme.h"
#include "W32_CLC.h"

namespace kwt {

namespace {

// Coordinates on the page are device pixels at this resolution, measured from the top left of the
// area inside the margins.
constexpr int Aufloesung = 300;
constexpr double Bildschirm = 96; // pixels per inch of a chart view, for its size on paper

double Mm(double mm) { return mm * Aufloesung / 25.4; }

QString Q(const std::string &s) { return QString::fromStdString(s); }
QString Zahl(Extended x, int dezimalen) { return Q(ZahlFormatieren(dezimalen, true, true, x, false)); }

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

constexpr Qt::Alignment L = Qt::AlignLeft;
constexpr Qt::Alignment R = Qt::AlignRight;

// Writes the page from top to bottom; y is where the next line starts.
class Blatt {
public:
  Blatt(QPainter &maler, double breite) : m_(maler), breite_(breite) {}

  double y = 0;

  void Kopf(const QString &titel, const QString &datum) {
    const double h = Mm(7);
    m_.setPen(Qt::black);
    m_.setFont(Schrift(14, true));
    m_.drawText(QRectF(0, y, breite_, h), L | Qt::AlignBottom, titel);
    m_.setFont(Schrift(9));
    m_.drawText(QRectF(0, y, breite_, h), R | Qt::AlignBottom, datum);
    y += h + Mm(1.5);
    Linie(Mm(0.4), Qt::black);
    y += Mm(1);
  }

  void Ueberschrift(const QString &text) {
    y += Mm(3);
    const double h = Mm(5);
    m_.setPen(Qt::black);
    m_.setFont(Schrift(10, true));
    m_.drawText(QRectF(0, y, breite_, h), L | Qt::AlignVCenter, text);
    y += h;
    Linie(Mm(0.2), QColor(128, 128, 128));
    y += Mm(1);
  }

  void Absatz(const QString &text, double punkte = 8, const QColor &farbe = Qt::black) {
    m_.setPen(farbe);
    m_.setFont(Schrift(punkte));
    const int art = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;
    const QRectF noetig = m_.boundingRect(QRectF(0, y, breite_, Mm(40)), art, text);
    m_.drawText(QRectF(0, y, breite_, noetig.height()), art, text);
    y += noetig.height() + Mm(0.8);
  }

  // Columns in millimetres; an empty head writes no head line.
  void Tabelle(const QList<double> &spalten, const QList<Qt::Alignment> &ausrichtung, const QStringList &kopf,
               const QList<QStringList> &zeilen, double punkte = 8) {
    const double zeile = Mm(punkte * 0.5 + 0.3), rand = Mm(1);
    m_.setPen(Qt::black);
    if (!kopf.isEmpty()) {
      m_.setFont(Schrift(punkte - 0.5, true));
      Zeile(spalten, ausrichtung, kopf, zeile, rand);
      y += zeile;
      Linie(Mm(0.15), QColor(160, 160, 160));
    }
    m_.setFont(Schrift(punkte));
    for (const QStringList &z : zeilen) {
      Zeile(spalten, ausrichtung, z, zeile, rand);
      y += zeile;
    }
    y += Mm(1);
  }

private:
  void Zeile(const QList<double> &spalten, const QList<Qt::Alignment> &ausrichtung, const QStringList &texte,
             double hoehe, double rand) {
    double x = 0;
    for (qsizetype s = 0; s < spalten.size() && s < texte.size(); ++s) {
      const double w = Mm(spalten[s]);
      m_.drawText(QRectF(x + rand, y, w - 2 * rand, hoehe), ausrichtung.value(s, L) | Qt::AlignVCenter, texte[s]);
      x += w;
    }
  }

  void Linie(double staerke, const QColor &farbe) {
    m_.setPen(QPen(farbe, staerke));
    m_.drawLine(QPointF(0, y), QPointF(breite_, y));
    m_.setPen(Qt::black);
    y += staerke;
  }

  QPainter &m_;
  double breite_;
};

// A chart view of its own for the page: the size it would have on screen for the room on paper, so
// that its text comes out at its usual size; drawn as vectors.
void DiagrammZeichnen(QPainter &maler, const QRectF &ziel, TDiagrammAnsicht &ansicht) {
  const QSize groesse(static_cast<int>(ziel.width() * Bildschirm / Aufloesung),
                      static_cast<int>(ziel.height() * Bildschirm / Aufloesung));
  const auto ohneLigaturen = [](QFont f) {
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
  };
  QChart *diagramm = ansicht.chart();
  diagramm->setTitleFont(ohneLigaturen(diagramm->titleFont()));
  for (QAbstractAxis *achse : diagramm->axes()) achse->setLabelsFont(ohneLigaturen(achse->labelsFont()));
  ansicht.setAttribute(Qt::WA_DontShowOnScreen);
  ansicht.resize(groesse);
  ansicht.show();
  ansicht.SofortZeichnen();
  ansicht.render(&maler, ziel, QRect(QPoint(0, 0), ansicht.Bildgroesse()), Qt::IgnoreAspectRatio);
  maler.setPen(QPen(QColor(160, 160, 160), Mm(0.15)));
  maler.setBrush(Qt::NoBrush);
  maler.drawRect(ziel);
}

void EingabenSchreiben(Blatt &blatt, const Auswertung &a) {
  blatt.Ueberschrift("Eingaben: Grenzen und Anteile der zehn Klassen in Prozent");
  QList<double> spalten{34, 19, 19};
  QList<Qt::Alignment> ausrichtung{L, R, R};
  QStringList kopf{"Parameter", "min", "max"};
  for (int k = 1; k <= KlassenAnzahlVerteilung; ++k) {
    spalten << 9.6;
    ausrichtung << R;
    kopf << QString::number(k);
  }
  spalten << 12;
  ausrichtung << R;
  kopf << "Summe";
  QList<QStringList> zeilen;
  for (Parameter p : AlleParameter) {
    QStringList z{ParameterBezeichnung[p], Zahl(a.Min[p], 2), Zahl(a.Max[p], 2)};
    Extended summe = 0;
    for (Extended prozent : a.Tabellen[p].Prozent) {
      z << Zahl(prozent, 2);
      summe += prozent;
    }
    z << Zahl(summe, 2);
    zeilen << z;
  }
  blatt.Tabelle(spalten, ausrichtung, kopf, zeilen, 7);
}

void LaufSchreiben(Blatt &blatt, const Auswertung &a, const Laufergebnis &lauf) {
  blatt.Ueberschrift("Letzter Lauf");
  if (a.Stand != StichprobenStand::Vergleichbar) {
    blatt.Absatz(Q(a.StandText));
    return;
  }
  QString durchlaeufe = Zahl(lauf.AktVersuch, 0) + " Durchläufe";
  if (lauf.AktVersuch < lauf.AnzahlVersuche) {
    durchlaeufe = Zahl(lauf.AktVersuch, 0) + " von " + Zahl(lauf.AnzahlVersuche, 0) + " Durchläufen (angehalten)";
  }
  blatt.Absatz(durchlaeufe);
  // As the window groups them: bounds, sample, weighted parameters.
  const Kennzahl raster[3][3] = {{Kennzahl::LMinVKW, Kennzahl::LMWSTP, Kennzahl::LWeightedVKW},
                                 {Kennzahl::LMaxVKW, Kennzahl::LMedianSTP, Kennzahl::LDiffWMedian},
                                 {Kennzahl::LMittelVKW, Kennzahl::LDiffP, Kennzahl::LDiffWMittelwert}};
  QList<QStringList> zeilen;
  for (const auto &reihe : raster) {
    QStringList z;
    for (Kennzahl k : reihe) {
      z << QString::fromUtf8(KennzahlEintragVon(k).Beschriftung)
        << Q(lauf.Anzeige(k)) << "";
    }
    zeilen << z;
  }
  blatt.Tabelle({28, 26, 6, 28, 26, 6, 38, 22}, {L, R, L, L, R, L, L, R}, {}, zeilen);
}

void ExaktSchreiben(Blatt &blatt, const Auswertung &a) {
  blatt.Ueberschrift("Exakte Verteilung des Verkehrswerts: " + Q(a.KopfText));
  const bool mitStichprobe = a.Stand == StichprobenStand::Vergleichbar;
  QList<QStringList> zeilen;
  for (const Vergleichszeile &z : a.Vergleich.Zeilen) {
    zeilen << QStringList{Q(z.Beschriftung), Q(z.ExaktText), Q(z.StichprobeText), Q(z.DifferenzText),
                          Q(z.DifferenzProzentText)};
  }
  if (mitStichprobe) {
    blatt.Tabelle({40, 30, 30, 30, 30}, {L, R, R, R, R}, {"", "Exakt", "Stichprobe", "Differenz", "Differenz (%)"},
                  zeilen);
    if (!a.Exakt.Leer()) {
      const StichprobenVergleich &v = a.Vergleich;
      blatt.Absatz("Kolmogorow-Smirnow-Abstand: " + Q(v.KsAbstandText) + " bei " + Q(v.KsStelleText) +
                   " (Grenze 5 %: " + Q(v.KsGrenzeText) + ")");
    }
  } else {
    blatt.Tabelle({40, 30}, {L, R}, {"", "Exakt"}, zeilen);
  }
  blatt.Absatz("p-Quantil: kleinster Wert v mit P(VKW ≤ v) ≥ p. Alle Werte auf volle Euro aufgerundet, wie ein Lauf "
               "sie speichert.",
               7, QColor(96, 96, 96));
  if (!a.Exakt.Fehler.empty()) {
    QList<QStringList> fehler;
    for (const FehlerZeile &f : FehlerZeilen(a.Exakt)) {
      fehler << QStringList{Q(f.Meldung), Q(f.WahrscheinlichkeitText), Q(f.KombinationenText)};
    }
    blatt.Tabelle({90, 45, 45}, {L, R, R}, {"Nicht berechenbare Kombinationen", "Anteil der Versuche", "Kombinationen"},
                  fehler);
  }
  QList<QStringList> tornado;
  for (const TornadoZeile &t : TornadoZeilen(a.Exakt)) {
    tornado << QStringList{Q(t.Name),       Q(t.KlasseTief),     Q(t.MittelTiefText),
                           Q(t.KlasseHoch), Q(t.MittelHochText), Q(t.SpanneText)};
  }
  blatt.Ueberschrift("Empfindlichkeit");
  blatt.Absatz("Exakter Mittelwert mit dem Parameter in seiner niedrigsten und seiner höchsten gezogenen Klasse, die "
               "anderen verteilt:");
  blatt.Tabelle({38, 38, 22, 38, 22, 22}, {L, L, R, L, R, R},
                {"Parameter", "niedrigste Klasse", "Mittelwert", "höchste Klasse", "Mittelwert", "Spanne"}, tornado);
}

void DiagrammeZeichnen(QPainter &maler, Blatt &blatt, double breite, double hoehe, const Laufergebnis &lauf) {
  blatt.y += Mm(3);
  const double luecke = Mm(4);
  const double h = std::min(hoehe - blatt.y, Mm(85));
  if (h < Mm(30)) return; // no room left on the page; the figures above matter more
  const double w = (breite - luecke) / 2;

  TDiagrammAnsicht histogramm(TDiagrammAnsicht::Art::Balken);
  HistogrammAnsichtEinrichten(histogramm);
  HistogrammZeigen(histogramm, lauf.Histo);
  DiagrammZeichnen(maler, QRectF(0, blatt.y, w, h), histogramm);

  TDiagrammAnsicht kurve(TDiagrammAnsicht::Art::Linien);
  KurvenAnsichtEinrichten(kurve);
  KurveZeigen(kurve, lauf.Kurve);
  DiagrammZeichnen(maler, QRectF(w + luecke, blatt.y, w, h), kurve);
  blatt.y += h;
}

} // namespace

QByteArray BerichtPdf(const Auswertung &a, const Laufergebnis &lauf, const QDateTime &zeitpunkt) {
  QByteArray daten;
  QBuffer puffer(&daten);
  puffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&puffer);
    pdf.setResolution(Aufloesung);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 12, 15, 12),
                                  QPageLayout::Millimeter));
    pdf.setTitle("KWT Monte-Carlo-Simulation: Bericht");
    pdf.setCreator("KWT Monte-Carlo-Simulation");
    QPainter maler;
    if (!maler.begin(&pdf)) throw Fehler("Der Bericht kann nicht angelegt werden.");
    maler.setRenderHint(QPainter::Antialiasing);
    maler.setRenderHint(QPainter::TextAntialiasing);
    const double breite = pdf.width(), hoehe = pdf.height();
    Blatt blatt(maler, breite);
    const QLocale deutsch(QLocale::German, QLocale::Germany);
    blatt.Kopf("KWT Monte-Carlo-Simulation: Bericht",
               "Erstellt am " + deutsch.toString(zeitpunkt, QStringLiteral("dd.MM.yyyy, HH:mm")) + " Uhr");
    EingabenSchreiben(blatt, a);
    LaufSchreiben(blatt, a, lauf);
    ExaktSchreiben(blatt, a);
    if (a.Stand == StichprobenStand::Vergleichbar) DiagrammeZeichnen(maler, blatt, breite, hoehe, lauf);
    if (!maler.end()) throw Fehler("Der Bericht kann nicht angelegt werden.");
  }
  return daten;
}

} // namespace kwt
