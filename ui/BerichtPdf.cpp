#include "BerichtPdf.h"

#include <QBarSet>
#include <QBuffer>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include "BerichtBlatt.h"
#include "DiagrammAnsicht.h"
#include "DialogAuswertung.h"
#include "DialogVergleich.h"
#include "LaufDiagramme.h"
#include "W32_CLC.h"

namespace kwt {

namespace {

QString Q(const std::string &s) { return QString::fromStdString(s); }
QString Zahl(Extended x, int dezimalen) { return Q(ZahlFormatieren(dezimalen, true, true, x, false)); }

constexpr Qt::Alignment L = Qt::AlignLeft;
constexpr Qt::Alignment R = Qt::AlignRight;
const QColor Grau(96, 96, 96);

// The unit of each parameter's bounds.
constexpr std::array<const char *, ParameterAnzahl> Einheit{"%", "Jahre", "€/Jahr", "€/Jahr", "€"};
// The window's "Median:" is the middle of the distinct result lines: named for what it is.
constexpr const char *MedianDerZeilen = "Median der verschiedenen Werte:";

void EingabenSchreiben(BerichtBlatt &blatt, const QString &titel, const Parameterwerte &min, const Parameterwerte &max,
                       const std::array<Klassenwerte, ParameterAnzahl> &prozente) {
  blatt.Ueberschrift(titel);
  QList<double> spalten{32, 11, 17, 17};  // with ten classes of 9 and the sum: 179 mm
  QList<Qt::Alignment> ausrichtung{L, L, R, R};
  QStringList kopf{"Parameter", "Einheit", "min", "max"};
  for (int k = 1; k <= KlassenAnzahlVerteilung; ++k) {
    spalten << 9;
    ausrichtung << R;
    kopf << QString::number(k);
  }
  spalten << 12;
  ausrichtung << R;
  kopf << "Summe";
  QList<QStringList> zeilen;
  for (Parameter p : AlleParameter) {
    QStringList z{ParameterBezeichnung[p], Einheit[p], Zahl(min[p], 2), Zahl(max[p], 2)};
    Extended summe = 0;
    for (Extended prozent : prozente[p]) {
      z << Zahl(prozent, 2);
      summe += prozent;
    }
    z << Zahl(summe, 2);
    zeilen << z;
  }
  blatt.Tabelle(spalten, ausrichtung, kopf, zeilen, 7);
}

void ErgebnisInWortenSchreiben(BerichtBlatt &blatt, const Auswertung &a) {
  blatt.Ueberschrift("Wertebereich", Mm(12));
  for (const Wertebereich &b : a.Bereiche) blatt.Absatz(Q(b.Satz), 9.5, Qt::black, true);
  blatt.Absatz("Aus der exakten Verteilung: das 10 %- und 90 %- bzw. 5 %- und 95 %-Quantil.", 7, Grau);
  if (a.Schwellen.empty()) return;
  blatt.Ueberschrift("Preisschwellen", Mm(12));
  const bool mitStichprobe = a.Stand == StichprobenStand::Vergleichbar;
  QList<QStringList> zeilen;
  for (const Preisschwelle &s : a.Schwellen) {
    zeilen << QStringList{Q(s.BetragText), Q(s.ExaktUnterText), Q(s.ExaktAbText), Q(s.StichprobeUnterText),
                          Q(s.StichprobeAbText)};
  }
  QStringList kopf{"Betrag", "P(VKW < Betrag)", "P(VKW ≥ Betrag)"};
  if (mitStichprobe) kopf << "Stichprobe <" << "Stichprobe ≥";
  blatt.Tabelle({40, 35, 35, 35, 35}, {L, R, R, R, R}, kopf, zeilen);
  blatt.Absatz("Exakt und aus der Stichprobe des letzten Laufs; ein Wert gleich dem Betrag zählt zu „ab“.", 7, Grau);
}

void ExaktSchreiben(BerichtBlatt &blatt, const Auswertung &a) {
  blatt.Ueberschrift("Exakte Verteilung des Verkehrswerts: " + Q(a.KopfText), Mm(45));
  const bool mitStichprobe = a.Stand == StichprobenStand::Vergleichbar;
  QList<QStringList> zeilen;
  for (const Vergleichszeile &z : a.Vergleich.Zeilen) {
    zeilen << QStringList{Q(z.Beschriftung), Q(z.ExaktText), Q(z.StichprobeText), Q(z.DifferenzText),
                          Q(z.DifferenzProzentText)};
  }
  if (mitStichprobe) {
    blatt.Tabelle({40, 30, 36, 30, 30}, {L, R, R, R, R},
                  {"", "Exakt", "Stichprobe (Versuche)", "Differenz", "Differenz (%)"}, zeilen);
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
               7, Grau);
  if (!a.Exakt.Fehler.empty()) {
    QList<QStringList> fehler;
    for (const FehlerZeile &f : FehlerZeilen(a.Exakt)) {
      fehler << QStringList{Q(f.Meldung), Q(f.WahrscheinlichkeitText), Q(f.KombinationenText)};
    }
    blatt.Tabelle({90, 45, 45}, {L, R, R}, {"Nicht berechenbare Kombinationen", "Anteil der Versuche", "Kombinationen"},
                  fehler);
  }
}

void LaufSchreiben(BerichtBlatt &blatt, const Auswertung &a, const Laufergebnis &lauf) {
  blatt.Ueberschrift("Letzter Lauf", Mm(30));
  if (a.Stand != StichprobenStand::Vergleichbar) {
    blatt.Absatz(Q(a.StandText));
    blatt.Absatz("Ohne einen Lauf mit diesen Eingaben entfallen seine Kennzahlen, die Genauigkeit seiner Stichprobe, "
                 "das Histogramm und die Häufigkeitsverteilung.",
                 7, Grau);
    return;
  }
  QString durchlaeufe = Zahl(lauf.AktVersuch, 0) + " Durchläufe";
  if (lauf.AktVersuch < lauf.AnzahlVersuche) {
    durchlaeufe = Zahl(lauf.AktVersuch, 0) + " von " + Zahl(lauf.AnzahlVersuche, 0) + " Durchläufen (angehalten)";
  }
  blatt.Absatz(durchlaeufe + ", die Kennzahlen des Hauptfensters:");
  // As the window groups them: bounds, sample, weighted parameters.
  const Kennzahl raster[3][3] = {{Kennzahl::LMinVKW, Kennzahl::LMWSTP, Kennzahl::LWeightedVKW},
                                 {Kennzahl::LMaxVKW, Kennzahl::LMedianSTP, Kennzahl::LDiffWMedian},
                                 {Kennzahl::LMittelVKW, Kennzahl::LDiffP, Kennzahl::LDiffWMittelwert}};
  QList<QStringList> zeilen;
  for (const auto &reihe : raster) {
    QStringList z;
    for (Kennzahl k : reihe) {
      const QString beschriftung =
          k == Kennzahl::LMedianSTP ? QString(MedianDerZeilen) : QString::fromUtf8(KennzahlEintragVon(k).Beschriftung);
      z << beschriftung << Q(lauf.Anzeige(k)) << "";
    }
    zeilen << z;
  }
  blatt.Tabelle({25, 21, 2, 52, 20, 2, 38, 20}, {L, R, L, L, R, L, L, R}, {}, zeilen);
  const QString medianZeilen = Q(lauf.Anzeige(Kennzahl::LMedianSTP));
  const QString medianVersuche = Q(a.Vergleich.Zeilen[static_cast<std::size_t>(ExakteKennzahl::Median)].StichprobeText);
  blatt.Absatz("Zwei Mediane: der " + QString(MedianDerZeilen).chopped(1) + " (" + medianZeilen +
                   ", „Median:“ im Hauptfenster) ist die Mitte der sortierten Ergebnisliste, in der jeder auf volle "
                   "Euro gerundete Wert nur einmal steht; der Median der Stichprobe (" +
                   medianVersuche +
                   ", Tabelle oben) ist der mittlere aller gespeicherten, aufgerundeten Versuche, in dem mehrfach "
                   "gezogene Werte mehrfach zählen. Deshalb weichen sie voneinander ab.",
               7, Grau);

  blatt.Ueberschrift("Genauigkeit der Stichprobe", Mm(15));
  const Stichprobengenauigkeit &g = a.Genauigkeit;
  for (const std::string &satz : {g.StandardfehlerSatz, g.MedianSatz, g.BedarfSatz}) blatt.Absatz(Q(satz));
  blatt.Absatz("Verteilungsfrei: das Intervall des Medians aus zwei Rangwerten der sortierten Stichprobe "
               "(Binomialverteilung), gültig für jede Verteilung.",
               7, Grau);
}

void EmpfindlichkeitSchreiben(BerichtBlatt &blatt, const Auswertung &a) {
  blatt.Ueberschrift("Empfindlichkeit und Varianzanteile", Mm(40));
  blatt.Absatz("Exakter Mittelwert mit dem Parameter in seiner niedrigsten und seiner höchsten gezogenen Klasse, die "
               "anderen verteilt; daneben die Varianzanteile (Sobol-Indizes), exakt über alle Klassenkombinationen:");
  QList<QStringList> zeilen;
  const std::vector<TornadoZeile> tornado = TornadoZeilen(a.Exakt);
  for (const TornadoZeile &t : tornado) {
    const Sobolindex &s = a.Sobol[t.Param];
    zeilen << QStringList{Q(t.Name),           Q(t.KlasseTief),          Q(t.MittelTiefText),
                          Q(t.KlasseHoch),     Q(t.MittelHochText),      Q(t.SpanneText),
                          Q(s.ErsterOrdnungText), Q(s.GesamtText)};
  }
  blatt.Tabelle({35, 30, 18, 31, 18, 16, 17, 15}, {L, L, R, L, R, R, R, R},
                {"Parameter", "niedrigste Klasse", "Mittelwert", "höchste Klasse", "Mittelwert", "Spanne",
                 "1. Ordnung", "gesamt"},
                zeilen, 7.5);
  blatt.Absatz(SobolErklaerung, 7, Grau);

  TDiagrammAnsicht tornadoAnsicht(TDiagrammAnsicht::Art::Tornado);
  TornadoDiagrammFuellen(tornadoAnsicht, a);
  tornadoAnsicht.setAchsenTitel("Verkehrswert in Tsd. €", "");
  // The variance shares right beside the tornado, row by row, so they need no names of their own.
  TDiagrammAnsicht sobolAnsicht(TDiagrammAnsicht::Art::Anteile);
  SobolDiagrammFuellen(sobolAnsicht, a);
  sobolAnsicht.setAchsenTitel("Anteil an der Varianz in %", "");
  sobolAnsicht.setZeilennamenSichtbar(false);
  sobolAnsicht.setTitel("Varianzanteile (%)");
  blatt.Diagramme({&tornadoAnsicht, &sobolAnsicht}, Mm(85), {5, 3}, Mm(2));

  blatt.Ueberschrift("Verteilungsfunktion", Mm(80));
  TDiagrammAnsicht verteilung(TDiagrammAnsicht::Art::Linien);
  VerteilungsDiagrammFuellen(verteilung, a);
  verteilung.setAchsenTitel("Verkehrswert in Tsd. €", "P(VKW ≤ x)");
  blatt.Diagramme({&verteilung}, Mm(85));
}

void LaufDiagrammeZeichnen(BerichtBlatt &blatt, const Laufergebnis &lauf) {
  blatt.NeueSeite();
  blatt.Ueberschrift("Diagramme des letzten Laufs", Mm(110));
  TDiagrammAnsicht histogramm(TDiagrammAnsicht::Art::Balken);
  HistogrammAnsichtEinrichten(histogramm);
  HistogrammZeigen(histogramm, lauf.Histo);
  histogramm.setAchsenTitel("Verkehrswert in Tsd. € (Klassenmitten)", "Anzahl Versuche");
  blatt.Diagramme({&histogramm}, Mm(120));
  TDiagrammAnsicht kurve(TDiagrammAnsicht::Art::Linien);
  KurvenAnsichtEinrichten(kurve);
  KurveZeigen(kurve, lauf.Kurve);
  kurve.setAchsenTitel("Verkehrswert in Tsd. € (Klassenmitten)", "Anteil der Versuche in den Klassen darunter");
  blatt.Diagramme({&kurve}, Mm(120));
}

void VergleichSchreiben(BerichtBlatt &blatt, const Vergleichsauswertung &v) {
  blatt.NeueSeite();
  blatt.Ueberschrift("Vergleich zweier Varianten", Mm(40));
  blatt.Absatz("Variante A: die Eingaben von Seite 1 (" + Q(v.Koepfe[0]) + "). Variante B: " + Q(v.Namen[1]) + " (" +
                   Q(v.Koepfe[1]) + "), mit diesen Eingaben:",
               8);
  EingabenSchreiben(blatt, "Eingaben der Variante B", v.B.Min, v.B.Max, v.B.Prozent);
  blatt.Ueberschrift("Exakte Kennzahlen beider Varianten", Mm(45));
  QList<QStringList> zeilen;
  for (const Variantenzeile &z : v.Vergleich.Zeilen) {
    zeilen << QStringList{Q(z.Beschriftung), Q(z.AText), Q(z.BText), Q(z.DifferenzText), Q(z.DifferenzProzentText)};
  }
  blatt.Tabelle({40, 30, 30, 30, 30}, {L, R, R, R, R}, {"", "Variante A", "Variante B", "B − A", "B − A (%)"}, zeilen);
  const Variantenvergleich &w = v.Vergleich;
  blatt.Absatz("P(VKW_B > VKW_A) = " + Q(w.BHoeherText), 9.5, Qt::black, true);
  blatt.Absatz("Gleiche Werte: " + Q(w.GleichText) + "; P(VKW_B < VKW_A) = " + Q(w.BNiedrigerText) +
               ". Die Varianten gelten als unabhängig; Werte auf volle Euro aufgerundet, gleiche Werte zählen weder "
               "als höher noch als niedriger.");
  if (!v.Schwellen[0].empty()) {
    QList<QStringList> schwellen;
    for (std::size_t i = 0; i < v.Schwellen[0].size(); ++i) {
      schwellen << QStringList{Q(v.Schwellen[0][i].BetragText), Q(v.Schwellen[0][i].ExaktUnterText),
                               Q(v.Schwellen[1][i].ExaktUnterText)};
    }
    blatt.Tabelle({40, 40, 40}, {L, R, R}, {"Preisschwelle", "A: P(VKW < Betrag)", "B: P(VKW < Betrag)"}, schwellen);
  }
  TDiagrammAnsicht kurven(TDiagrammAnsicht::Art::Linien);
  VergleichsDiagrammFuellen(kurven, v);
  blatt.Diagramme({&kurven}, Mm(90));
}

// Draws the whole report; returns the number of pages.
int Zeichnen(QPdfWriter &pdf, const Auswertung &a, const Laufergebnis &lauf, const QDateTime &zeitpunkt,
             const Vergleichsauswertung *vergleich, int seitenGesamt) {
  QPainter maler;
  if (!maler.begin(&pdf)) throw Fehler("Der Bericht kann nicht angelegt werden.");
  maler.setRenderHint(QPainter::Antialiasing);
  maler.setRenderHint(QPainter::TextAntialiasing);
  const QLocale deutsch(QLocale::German, QLocale::Germany);
  const QString datum = deutsch.toString(zeitpunkt, QStringLiteral("dd.MM.yyyy, HH:mm")) + " Uhr";
  BerichtBlatt blatt(pdf, maler, "KWT Monte-Carlo-Simulation: Bericht vom " + datum, seitenGesamt);
  blatt.Kopf("KWT Monte-Carlo-Simulation: Bericht", "Erstellt am " + datum);
  std::array<Klassenwerte, ParameterAnzahl> prozente;
  for (Parameter p : AlleParameter) prozente[p] = a.Tabellen[p].Prozent;
  EingabenSchreiben(blatt, "Eingaben: Grenzen und Anteile der zehn Klassen in Prozent", a.Min, a.Max, prozente);
  ErgebnisInWortenSchreiben(blatt, a);
  ExaktSchreiben(blatt, a);
  LaufSchreiben(blatt, a, lauf);
  blatt.NeueSeite();
  EmpfindlichkeitSchreiben(blatt, a);
  if (a.Stand == StichprobenStand::Vergleichbar) LaufDiagrammeZeichnen(blatt, lauf);
  if (vergleich) VergleichSchreiben(blatt, *vergleich);
  blatt.Beenden();
  const int seiten = blatt.Seite();
  if (!maler.end()) throw Fehler("Der Bericht kann nicht angelegt werden.");
  return seiten;
}

QByteArray Dokument(const Auswertung &a, const Laufergebnis &lauf, const QDateTime &zeitpunkt,
                    const Vergleichsauswertung *vergleich, int seitenGesamt, int *seiten) {
  QByteArray daten;
  QBuffer puffer(&daten);
  puffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&puffer);
    pdf.setResolution(BerichtAufloesung);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 12, 15, 10),
                                  QPageLayout::Millimeter));
    pdf.setTitle("KWT Monte-Carlo-Simulation: Bericht");
    pdf.setCreator("KWT Monte-Carlo-Simulation");
    *seiten = Zeichnen(pdf, a, lauf, zeitpunkt, vergleich, seitenGesamt);
  }
  return daten;
}

} // namespace

QByteArray BerichtPdf(const Auswertung &a, const Laufergebnis &lauf, const QDateTime &zeitpunkt,
                      const Vergleichsauswertung *vergleich) {
  // The first pass counts the pages for the footers of the second.
  int seiten = 0;
  Dokument(a, lauf, zeitpunkt, vergleich, 0, &seiten);
  return Dokument(a, lauf, zeitpunkt, vergleich, seiten, &seiten);
}

} // namespace kwt
