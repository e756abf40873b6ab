// A small window with every component, for looking at them and for the clipboard check under Xvfb.
//
//   KomponentenDemo                        shows the components (splash first)
//   KomponentenDemo --fotos <ordner>       writes pictures of the components and ends
//   KomponentenDemo --zwischenablage svg   copies the histogram as a vector picture, prints "bereit"
//   KomponentenDemo --zwischenablage png   copies it as a bitmap, prints "bereit"
// With --zwischenablage the program stays until it is ended, so that another program can read the
// clipboard (Xvfb has no clipboard manager that would keep the content).
#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <cstdio>

#include "Bilder.h"
#include "DiagrammAnsicht.h"
#include "Splash.h"
#include "StatusLeiste.h"
#include "Teiler.h"
#include "W32_CLC.h"
#include "ZahlFeld.h"

using namespace kwt;

namespace {

// A histogram of 40 classes between 1,000,000 and 1,400,000, labelled in thousands.
void HistogrammFuellen(TDiagrammAnsicht &ansicht, QList<QPointF> &kurve, QList<QPointF> &median) {
  QStringList klassen;
  QList<double> anzahl;
  const int n = 40;
  const double breite = 400000.0 / n;
  double summe = 0;
  for (int i = 0; i < n; ++i) {
    const double mitte = 1000000 + breite / 2 + i * breite;
    klassen << QString::fromStdString(ZahlFormatieren(0, true, true, mitte / 1000, false));
    const double x = (i - 17.5) / 6.5;
    anzahl << std::round(1000 * std::exp(-x * x / 2) * (1 + 0.25 * std::tanh(x)));
    summe += anzahl.back();
  }
  ansicht.BalkenSetzen(klassen, anzahl);
  double maximum = 0;
  for (double a : anzahl) maximum = std::max(maximum, a);
  ansicht.setLinkeAchse(0, maximum + 5);
  double bisher = 0;
  for (int i = 0; i < n; ++i) {
    if (bisher > 0 && anzahl[i] > 0) {
      const double x = (1000000 + breite / 2 + i * breite) / 1000;
      kurve << QPointF(x, bisher / summe);
      median << QPointF(x, 0.5);
    }
    bisher += anzahl[i];
  }
}

struct Demo {
  QMainWindow fenster;
  TDiagrammAnsicht *chart2 = nullptr;
  TDiagrammAnsicht *chartRH = nullptr;
  TDiagrammAnsicht *chartV = nullptr;
  QWidget *editor = nullptr;
  QWidget *felder = nullptr;

  Demo() {
    auto *mitte = new QWidget;
    auto *spalten = new QVBoxLayout(mitte);

    felder = new QWidget;
    auto *gitter = new QGridLayout(felder);
    const struct {
      const char *name, *maske;
      double wert;
    } grenzen[] = {{"EParam1Min", "#,###,###.##", 4.8},         {"EParam1Max", "##,###,###.##", 5.1},
                   {"EParam3Min", "#,###,###.##", 310000},      {"EParam3Max", "##,###,###.##", 370000},
                   {"EParam5Min", "###,###,###.##", 675000},    {"EParam5Max", "###,###,###.##", 720000}};
    int zeile = 0;
    for (const auto &g : grenzen) {
      auto *feld = new TZahlFeld(QString::fromLatin1(g.maske));
      feld->setObjectName(QString::fromLatin1(g.name));
      feld->setFixedSize(110, 21);
      feld->setWert(g.wert);
      gitter->addWidget(new QLabel(QString::fromLatin1(g.name)), zeile / 2, (zeile % 2) * 2);
      gitter->addWidget(feld, zeile / 2, (zeile % 2) * 2 + 1);
      ++zeile;
    }
    auto *versuche = new TZahlFeld(QStringLiteral("iii,iii,iii,iii"));
    versuche->setObjectName(QStringLiteral("EVersuche"));
    versuche->setFixedSize(85, 21);
    versuche->setGanzzahl(10000);
    auto *falsch = new TZahlFeld(QStringLiteral("#,###,###.##"));
    falsch->setFixedSize(110, 21);
    falsch->setText(QStringLiteral("4.8"));
    gitter->addWidget(new QLabel(QStringLiteral("EVersuche")), 3, 0);
    gitter->addWidget(versuche, 3, 1);
    gitter->addWidget(new QLabel(QStringLiteral("ungültig")), 3, 2);
    gitter->addWidget(falsch, 3, 3);
    spalten->addWidget(felder);

    chart2 = new TDiagrammAnsicht(TDiagrammAnsicht::Art::Balken);
    chart2->setObjectName(QStringLiteral("Chart2"));
    chart2->setTitel(QStringLiteral("Histogramm der Verkehrswerte"));
    chartRH = new TDiagrammAnsicht(TDiagrammAnsicht::Art::Linien);
    chartRH->setObjectName(QStringLiteral("ChartRH"));
    chartRH->setTitel(QString::fromUtf8("Relative Häufigkeitsverteilung"));
    chartRH->setMenuNamen(QStringLiteral("PopupDruckenRH"), {QStringLiteral("MenuItem1"), QStringLiteral("MenuItem2"),
                                                              QStringLiteral("MenuItem3"), QStringLiteral("MenuItem4")});
    QList<QPointF> kurve, median;
    HistogrammFuellen(*chart2, kurve, median);
    chartRH->LinienSetzen(kurve, median);
    chart2->setMinimumSize(700, 350);
    chartRH->setMinimumSize(700, 350);
    spalten->addWidget(chart2);
    spalten->addWidget(chartRH);

    editor = new QWidget;
    editor->resize(765, 357);
    auto *teiler = new TTeiler(Qt::Horizontal, editor);
    teiler->setObjectName(QStringLiteral("OvcSplitter1"));
    auto *tabelle = new QWidget;
    auto *tabellenGitter = new QGridLayout(tabelle);
    tabellenGitter->addWidget(new QLabel(QStringLiteral("Klassenmitten:")), 0, 0);
    tabellenGitter->addWidget(new QLabel(QStringLiteral("Wahrscheinlichkeit")), 0, 1);
    const double prozent[10] = {1, 5, 9, 10, 25, 25, 10, 9, 5, 1};
    QStringList mitten;
    QList<double> hoehen;
    for (int k = 0; k < 10; ++k) {
      auto *mitteFeld = new TZahlFeld(QStringLiteral("##,###,###.##"));
      mitteFeld->setObjectName(QStringLiteral("E%1").arg(k + 1));
      mitteFeld->setNurAnzeige(true);
      const double m = 4.8 + 0.015 + k * 0.03;
      mitteFeld->setWert(m);
      auto *prozentFeld = new TZahlFeld(QStringLiteral("###.##"));
      prozentFeld->setObjectName(QStringLiteral("EW%1").arg(k + 1));
      prozentFeld->setWert(prozent[k]);
      tabellenGitter->addWidget(mitteFeld, k + 1, 0);
      tabellenGitter->addWidget(prozentFeld, k + 1, 1);
      mitten << QString::fromStdString(ZahlFormatieren(2, true, true, m, false));
      hoehen << prozent[k];
    }
    auto *summe = new TZahlFeld(QStringLiteral("###.##"));
    summe->setObjectName(QStringLiteral("ESumme"));
    summe->setNurAnzeige(false);
    summe->setWert(100);
    summe->setHintergrund(QColor(0, 128, 0));
    tabellenGitter->addWidget(new QLabel(QStringLiteral("Summe:")), 11, 0, Qt::AlignRight);
    tabellenGitter->addWidget(summe, 11, 1);
    chartV = new TDiagrammAnsicht(TDiagrammAnsicht::Art::Balken);
    chartV->setObjectName(QStringLiteral("ChartV"));
    chartV->setTitel(QStringLiteral("Verteilung Liegenschaftszinssatz"));
    chartV->BalkenSetzen(mitten, hoehen);
    chartV->setLinkeAchse(0, 30, 10);
    teiler->addWidget(tabelle);
    teiler->addWidget(chartV);
    auto *editorSpalte = new QVBoxLayout(editor);
    editorSpalte->setContentsMargins(0, 0, 0, 0);
    editorSpalte->addWidget(teiler);
    teiler->GroessenSetzen({259, 765 - 259 - 3});

    fenster.setCentralWidget(mitte);
    auto *status = new TStatusLeiste;
    status->VersionsTextSetzen(QStringLiteral("2"), fenster.font());
    status->setFixedHeight(19);
    fenster.setStatusBar(status);
    fenster.setWindowIcon(ProgrammSymbol());
    fenster.setWindowTitle(QStringLiteral("KWT Komponenten"));
  }
};

} // namespace

int main(int argc, char **argv) {
  FormatierungInitialisieren();
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const QStringList argumente = app.arguments();
  Demo demo;

  if (argumente.size() == 3 && argumente[1] == QLatin1String("--fotos")) {
    const QDir ordner(argumente[2]);
    demo.fenster.resize(760, 1000);
    demo.fenster.show();
    demo.editor->show();
    app.processEvents();
    demo.fenster.grab().save(ordner.filePath(QStringLiteral("hauptfenster.png")));
    demo.chart2->AlsBild().save(ordner.filePath(QStringLiteral("histogramm.png")));
    demo.chartRH->AlsBild().save(ordner.filePath(QStringLiteral("kurve.png")));
    demo.editor->grab().save(ordner.filePath(QStringLiteral("editor.png")));
    demo.felder->grab().save(ordner.filePath(QStringLiteral("felder.png")));
    TSplash splash(SplashBild());
    splash.grab().save(ordner.filePath(QStringLiteral("splash.png")));
    return 0;
  }

  if (argumente.size() == 3 && argumente[1] == QLatin1String("--zwischenablage")) {
    // The histogram alone in its own window, 700 x 350.
    demo.chart2->setParent(nullptr);
    demo.chart2->setMinimumSize(0, 0);
    demo.chart2->resize(700, 350);
    demo.chart2->show();
    app.processEvents();
    const bool ok = argumente[2] == QLatin1String("svg") ? demo.chart2->MetafileKopieren() : demo.chart2->BitmapKopieren();
    std::printf("%s %dx%d\n", ok ? "bereit" : "fehler", demo.chart2->Bildgroesse().width(),
                demo.chart2->Bildgroesse().height());
    std::fflush(stdout);
    QTimer::singleShot(60000, &app, &QApplication::quit);
    return app.exec();
  }

  demo.fenster.resize(760, 1000);
  demo.fenster.show();
  demo.editor->show();
  auto *splash = new TSplash(SplashBild(), &demo.fenster);
  splash->Zeigen();
  return app.exec();
}
