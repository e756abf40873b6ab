// The main window's layout: the parameter panels, the groups "Berechnen" and "Statistische Daten",
// the two chart pages, the hint bar, the status bar and the menu.
//
// The pixel sizes of the reference layout are minimums: a group, panel or button grows where its
// texts in the window's font need more, and the window's minimum size is that of its layout, so no
// widget is ever drawn over another. The upper area keeps its height when the window grows; the
// chart pages take the rest.
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>

#include "DiagrammAnsicht.h"
#include "Fortschrittsbalken.h"
#include "LaufDiagramme.h"
#include "MainForm.h"
#include "ParameterPanels.h"
#include "Referenzgroessen.h"
#include "Rollbereich.h"
#include "StatusLeiste.h"
#include "W32_CLC.h"
#include "ZahlFeld.h"

namespace kwt {

namespace {

const QColor Marineblau(0, 0, 128);

// The upper area's height, as in the reference layout.
constexpr int ObenHoehe = 366;
// The charts keep room for their title, both axes and a plot to read.
constexpr int DiagrammMindesthoehe = 160;

// The widest figure each value column of "Statistische Daten" holds without growing. The result
// lines keep ten digits, so the median never has more; the columns hold every market value of up to
// ten digits with its sign, and every difference (a fraction with six decimals) below 1.000 in
// magnitude. A wider figure (bounds far outside valuation practice) widens its column and the
// window's minimum with it instead of covering a caption.
std::string BreitesteKennzahl(int dezimalen) {
  return ZahlFormatieren(dezimalen, true, true, dezimalen == 0 ? -9999999999.0L : -999.999999L, false);
}

QLabel *Beschriftung(const QString &text, QWidget *eltern) { return new QLabel(text, eltern); }

} // namespace

QWidget *TMainForm::ParameterGruppe() {
  auto *gruppe = new TReferenzgroesse<QGroupBox>({430, 358}, "Parameter");
  gruppe->setObjectName("GroupBox1");
  // The five panels stacked without gaps, as in the reference layout: the panel's own margins
  // part them.
  auto *spalte = new QVBoxLayout(gruppe);
  spalte->setSpacing(0);
  spalte->setContentsMargins(6, 0, 6, 2);
  const QFont feldSchrift("Courier New", 9);
  for (Parameter p : AlleParameter) {
    const TParameterPanel &d = ParameterPanels[p];
    auto *panel = new TReferenzgroesse<QFrame>({410, 64}, gruppe);
    panel->setObjectName(QString("PanelParam%1").arg(p + 1));
    auto *raster = new QGridLayout(panel);
    raster->setContentsMargins(6, 2, 6, 2);
    auto *titel = new QLabel(d.Titel, panel);
    titel->setObjectName(QString("LParam%1").arg(p + 1));
    QFont f = titel->font();
    f.setUnderline(true);
    titel->setFont(f);
    QPalette pal = titel->palette();
    pal.setColor(QPalette::WindowText, Marineblau);
    titel->setPalette(pal);
    eMin_[p] = new TZahlFeld(d.MaskeMin, panel);
    eMin_[p]->setObjectName(QString("EParam%1Min").arg(p + 1));
    eMax_[p] = new TZahlFeld(d.MaskeMax, panel);
    eMax_[p]->setObjectName(QString("EParam%1Max").arg(p + 1));
    // Messages name a field as the user sees it: "Liegenschaftszinssatz, Minimum".
    eMin_[p]->setAccessibleName(QString::fromUtf8(ParameterBezeichnung[p]) + ", Minimum");
    eMax_[p]->setAccessibleName(QString::fromUtf8(ParameterBezeichnung[p]) + ", Maximum");
    for (TZahlFeld *e : {eMin_[p], eMax_[p]}) {
      e->setFont(feldSchrift);
      e->setFixedSize(110, 21);
    }
    btnV_[p] = new QPushButton("Verteilung", panel);
    btnV_[p]->setObjectName(d.KnopfName);
    KnopfGroesseSetzen(btnV_[p], {75, 25});
    if (p == RND) {
      // The RND row also takes its bounds from the remaining-life model, under its title.
      btnRndModell_ = new QPushButton("Modernisierung…", panel);
      btnRndModell_->setObjectName("BtnRND_Modell");
      btnRndModell_->setToolTip("Restnutzungsdauer aus Gesamtnutzungsdauer, Alter und Modernisierungspunkten "
                                "(ImmoWertV 2021, Anlage 2)");
      btnRndModell_->setFixedHeight(23);
      raster->addWidget(titel, 0, 0, Qt::AlignLeft | Qt::AlignBottom);
      raster->addWidget(btnRndModell_, 1, 0, Qt::AlignLeft | Qt::AlignTop);
      connect(btnRndModell_, &QPushButton::clicked, this, &TMainForm::BtnRND_ModellClick);
    } else {
      raster->addWidget(titel, 0, 0, 2, 1, Qt::AlignLeft | Qt::AlignVCenter);
    }
    raster->addWidget(new QLabel("min:", panel), 0, 1, Qt::AlignRight);
    raster->addWidget(eMin_[p], 0, 2);
    raster->addWidget(new QLabel("max:", panel), 1, 1, Qt::AlignRight);
    raster->addWidget(eMax_[p], 1, 2);
    raster->addWidget(btnV_[p], 0, 3, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
    raster->setColumnStretch(0, 1);
    spalte->addWidget(panel);
  }
  connect(btnV_[LZ], &QPushButton::clicked, this, &TMainForm::BtnV_LZClick);
  connect(btnV_[RND], &QPushButton::clicked, this, &TMainForm::BtnV_RNDClick);
  connect(btnV_[RO], &QPushButton::clicked, this, &TMainForm::BtnV_ROClick);
  connect(btnV_[BWK], &QPushButton::clicked, this, &TMainForm::BtnV_BWKClick);
  connect(btnV_[BO], &QPushButton::clicked, this, &TMainForm::BtnV_BOClick);
  return gruppe;
}

QWidget *TMainForm::BerechnenGruppe() {
  auto *gruppe = new TReferenzgroesse<QGroupBox>({320, 163}, "Berechnen");
  gruppe->setObjectName("GroupBox2");
  auto *zeilen = new QHBoxLayout(gruppe);
  zeilen->setContentsMargins(9, 4, 9, 4); // the progress bar's 133 pixels fill the group's height
  auto *raster = new QGridLayout;
  eVersuche_ = new TZahlFeld("iii,iii,iii,iii", gruppe);
  eVersuche_->setObjectName("EVersuche");
  eVersuche_->setAccessibleName("Anzahl Durchläufe");
  eVersuche_->setFont(QFont("Courier New", 9));
  eVersuche_->setFixedSize(85 + 20, 21);
  lCount_ = new QLabel("0", gruppe);
  lCount_->setObjectName("LCount");
  QPalette pal = lCount_->palette();
  pal.setColor(QPalette::WindowText, Marineblau);
  lCount_->setPalette(pal);
  cbHistogramm_ = new QCheckBox("Histogramm kontinuierlich", gruppe);
  cbHistogramm_->setObjectName("cbHistogramm");
  cbHistogramm_->setChecked(true);
  btnCalculate_ = new QPushButton("Berechnen", gruppe);
  btnCalculate_->setObjectName("BtnCalculate");
  btnStop_ = new QPushButton("Stop", gruppe);
  btnStop_->setObjectName("BtnStop");
  for (QPushButton *b : {btnCalculate_, btnStop_}) KnopfGroesseSetzen(b, {80, 0});
  raster->addWidget(new QLabel("Anzahl Durchläufe:", gruppe), 0, 0);
  raster->addWidget(eVersuche_, 0, 1);
  raster->addWidget(new QLabel("Akt. Durchlauf:", gruppe), 1, 0);
  raster->addWidget(lCount_, 1, 1);
  raster->addWidget(cbHistogramm_, 2, 0, 1, 2);
  auto *knoepfe = new QHBoxLayout;
  knoepfe->addWidget(btnCalculate_);
  knoepfe->addWidget(btnStop_);
  knoepfe->addStretch();
  raster->addLayout(knoepfe, 3, 0, 1, 2);
  raster->setRowStretch(4, 1);
  progress_ = new TFortschrittsbalken(gruppe);
  progress_->setObjectName("Progress");
  progress_->setOrientation(Qt::Vertical);
  progress_->setRange(0, 100);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  progress_->setFixedSize(19, 133);
  zeilen->addLayout(raster, 1);
  zeilen->addWidget(progress_, 0, Qt::AlignRight | Qt::AlignVCenter);
  connect(btnCalculate_, &QPushButton::clicked, this, &TMainForm::BtnCalculateClick);
  connect(btnStop_, &QPushButton::clicked, this, &TMainForm::BtnStopClick);
  return gruppe;
}

QWidget *TMainForm::StatistikGruppe() {
  auto *gruppe = new TReferenzgroesse<QGroupBox>({320, 184}, "Statistische Daten");
  gruppe->setObjectName("GroupBox3");
  auto *spalte = new QVBoxLayout(gruppe);
  spalte->setSpacing(4);
  spalte->setContentsMargins(4, 4, 4, 4);
  auto *oben = new QGridLayout;
  auto *unten = new QGridLayout;
  for (QGridLayout *r : {oben, unten}) {
    r->setHorizontalSpacing(3);
    r->setVerticalSpacing(2);
  }
  for (const KennzahlEintrag &e : Kennzahlen) {
    auto *wert = new QLabel("0", gruppe);
    wert->setObjectName(e.Name);
    wert->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    werte_[static_cast<std::size_t>(e.Art)] = wert;
  }
  auto setzen = [&](QGridLayout *raster, Kennzahl k, int zeile, int spalte) {
    const KennzahlEintrag &e = KennzahlEintragVon(k);
    auto *b = Beschriftung(e.Beschriftung, gruppe);
    b->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred); // captions are never cut
    QLabel *w = werte_[static_cast<std::size_t>(k)];
    // The sample's own difference stands out: caption and value red and bold; the other values navy.
    const bool hervorheben = k == Kennzahl::LDiffP;
    for (QLabel *l : {b, w}) {
      if (!hervorheben && l == b) continue;
      QFont f = l->font();
      f.setBold(hervorheben);
      l->setFont(f);
      QPalette p = l->palette();
      p.setColor(QPalette::WindowText, hervorheben ? QColor(Qt::red) : Marineblau);
      l->setPalette(p);
    }
    raster->addWidget(b, zeile, spalte);
    raster->addWidget(w, zeile, spalte + 1);
    // The column's width, not the label's: a label's own minimum would keep a wider figure from
    // widening its column.
    const int breite = ZahlenBreite(w->fontMetrics(), QString::fromStdString(BreitesteKennzahl(e.Dezimalen)));
    raster->setColumnMinimumWidth(spalte + 1, std::max(raster->columnMinimumWidth(spalte + 1), breite));
  };
  setzen(oben, Kennzahl::LMinVKW, 0, 0);
  setzen(oben, Kennzahl::LMaxVKW, 1, 0);
  setzen(oben, Kennzahl::LMittelVKW, 2, 0);
  // Column 2 is a gap between the first figures and the captions of the second column.
  setzen(oben, Kennzahl::LMWSTP, 0, 3);
  setzen(oben, Kennzahl::LMedianSTP, 1, 3);
  setzen(oben, Kennzahl::LDiffP, 2, 3);
  oben->setColumnMinimumWidth(2, 6);
  oben->setColumnStretch(1, 1);
  setzen(unten, Kennzahl::LWeightedVKW, 0, 0);
  setzen(unten, Kennzahl::LDiffWMedian, 1, 0);
  setzen(unten, Kennzahl::LDiffWMittelwert, 2, 0);
  unten->setColumnStretch(1, 1);
  auto *linie = new QFrame(gruppe);
  linie->setFrameShape(QFrame::HLine);
  linie->setFrameShadow(QFrame::Sunken);
  spalte->addLayout(oben);
  spalte->addWidget(linie);
  spalte->addLayout(unten);
  spalte->addStretch();
  return gruppe;
}

void TMainForm::Aufbauen() {
  auto *zentrum = new QWidget(this);
  auto *zentrumSpalte = new QVBoxLayout(zentrum);
  zentrumSpalte->setContentsMargins(0, 0, 0, 0);
  zentrumSpalte->setSpacing(0);
  // Upper area and chart pages; the hint bar stays below them, outside the scrolling.
  auto *inhalt = new QWidget;
  inhalt->setObjectName("PanelInhalt");
  auto *spalte = new QVBoxLayout(inhalt);
  spalte->setContentsMargins(0, 0, 0, 0);
  spalte->setSpacing(0);

  auto *oben = new TReferenzgroesse<QWidget>({0, ObenHoehe}, inhalt);
  oben->setObjectName("PanelOben");
  oben->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto *obenZeile = new QHBoxLayout(oben);
  obenZeile->setContentsMargins(4, 4, 4, 4);
  obenZeile->addWidget(ParameterGruppe(), 0, Qt::AlignTop);
  auto *rechts = new QVBoxLayout;
  rechts->addWidget(BerechnenGruppe());
  rechts->addWidget(StatistikGruppe());
  rechts->addStretch();
  obenZeile->addLayout(rechts);
  obenZeile->addStretch();
  // The valuer's program kept the result list in this hidden text control. The list now lives in the
  // run's result (Laufergebnis::Liste), which holds up to 161,051 distinct lines for runs of any size
  // and which the clipboard, kwt-mc and the CSV file read; the control stays, empty, as part of the
  // window's known structure.
  auto *memo = new QTextEdit(oben);
  memo->setObjectName("MemoMINITAB");
  memo->hide();
  spalte->addWidget(oben);

  pageControl_ = new QTabWidget(inhalt);
  pageControl_->setObjectName("PageControl1");
  auto seite = [&](const char *name, const char *panelName, const QString &titel, TDiagrammAnsicht *ansicht) {
    auto *s = new QWidget;
    s->setObjectName(name);
    auto *l = new QVBoxLayout(s);
    l->setContentsMargins(2, 2, 2, 2);
    auto *panel = new QFrame(s);
    panel->setObjectName(panelName);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto *pl = new QVBoxLayout(panel);
    pl->setContentsMargins(1, 1, 1, 1);
    pl->addWidget(ansicht);
    l->addWidget(panel);
    pageControl_->addTab(s, titel);
  };
  chart2_ = new TDiagrammAnsicht(TDiagrammAnsicht::Art::Balken);
  chart2_->setObjectName("Chart2");
  chart2_->setMinimumHeight(DiagrammMindesthoehe);
  HistogrammAnsichtEinrichten(*chart2_);
  chartRH_ = new TDiagrammAnsicht(TDiagrammAnsicht::Art::Linien);
  chartRH_->setObjectName("ChartRH");
  chartRH_->setMinimumHeight(DiagrammMindesthoehe);
  KurvenAnsichtEinrichten(*chartRH_);
  chartRH_->setMenuNamen("PopupDruckenRH", {"MenuItem1", "MenuItem2", "MenuItem3", "MenuItem4"});
  for (TDiagrammAnsicht *a : {chart2_, chartRH_}) {
    a->setDruckAbfrage([this](QPrinter &drucker) { return druckDialog_ && druckDialog_(this, drucker); });
  }
  seite("TabSheet1", "Panel1", "Histogramm", chart2_);
  seite("TabSheet2", "Panel3", "Relative Häufigkeitsverteilung", chartRH_);
  spalte->addWidget(pageControl_, 1);
  auto *rollbereich = new TRollbereich(inhalt, zentrum);
  rollbereich->setObjectName("Rollbereich");
  zentrumSpalte->addWidget(rollbereich, 1);

  auto *hinweis = new QLabel("Drucken und Zwischenablage mit rechter Maustaste aufrufen.", zentrum);
  hinweis->setObjectName("Panel4");
  hinweis->setFixedHeight(20);
  hinweis->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  hinweis->setIndent(4);
  zentrumSpalte->addWidget(hinweis);
  setCentralWidget(zentrum);

  status_ = new TStatusLeiste(this);
  status_->setFixedHeight(19);
  setStatusBar(status_);

  // Tab order: the group "Berechnen" first, so EVersuche has the focus when the window opens.
  QList<QWidget *> folge{eVersuche_, btnCalculate_, btnStop_, cbHistogramm_};
  for (Parameter p : AlleParameter) {
    folge << eMin_[p] << eMax_[p] << btnV_[p];
    if (p == RND) folge << btnRndModell_;
  }
  for (qsizetype i = 1; i < folge.size(); ++i) setTabOrder(folge[i - 1], folge[i]);
  eVersuche_->setFocus();
}

void TMainForm::MenuAufbauen() {
  QMenu *datei = menuBar()->addMenu("&Datei");
  datei->setObjectName("mnDatei");
  QAction *oeffnen = datei->addAction("Szenario öffnen…", this, &TMainForm::mnSzenarioOeffnenClick);
  oeffnen->setObjectName("mnSzenarioOeffnen");
  oeffnen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  QAction *speichern = datei->addAction("Szenario speichern…", this, &TMainForm::mnSzenarioSpeichernClick);
  speichern->setObjectName("mnSzenarioSpeichern");
  speichern->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  datei->addSeparator();
  QAction *aktualisieren = datei->addAction("Aktualisieren", this, &TMainForm::mnDateiAktualisierenClick);
  aktualisieren->setObjectName("mnDateiAktualisieren");
  aktualisieren->setShortcut(Qt::Key_F5);
  datei->addAction("Daten in Zwischenablage", this, &TMainForm::mnDateiZWClick)->setObjectName("mnDateiZW");
  datei->addAction("Werte als CSV speichern…", this, &TMainForm::mnWerteCsvClick)->setObjectName("mnWerteCsv");
  datei->addSeparator();
  QAction *schliessen = datei->addAction("Schließen", this, &TMainForm::mnDateiSchliessenClick);
  schliessen->setObjectName("mnDateiSchliessen");
  schliessen->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

  QMenu *verteilungen = menuBar()->addMenu("&Verteilungen");
  verteilungen->setObjectName("mnVerteilungen");
  const std::array<void (TMainForm::*)(), 6> handler{
      &TMainForm::mnNormalverteilungClick,   &TMainForm::mnLinksschiefeVerteilungClick,
      &TMainForm::mnRechtsschiefeVerteilungClick, &TMainForm::mnGleichverteilungClick,
      &TMainForm::mnEinpunktverteilungClick, &TMainForm::mnZweipunktverteilungClick};
  for (std::size_t i = 0; i < MenuVoreinstellungen().size(); ++i) {
    const MenuEintrag &e = MenuVoreinstellungen()[i];
    if (e.TrennerDavor) verteilungen->addSeparator();
    verteilungen->addAction(QString::fromUtf8(e.Beschriftung), this, handler[i])->setObjectName(e.Objektname);
  }

  QMenu *auswertung = menuBar()->addMenu("&Auswertung");
  auswertung->setObjectName("mnAuswertung");
  auswertung->addAction("Exakte Verteilung…", this, &TMainForm::mnExakteVerteilungClick)
      ->setObjectName("mnExakteVerteilung");
  auswertung->addAction("Bericht als PDF…", this, &TMainForm::mnBerichtPdfClick)->setObjectName("mnBerichtPdf");

  QAction *info = menuBar()->addAction("Info", this, &TMainForm::Info1Click);
  info->setObjectName("Info1");
}

} // namespace kwt
