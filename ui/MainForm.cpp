#include "MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include <limits>

#include "Auswertung.h"
#include "BerichtPdf.h"
#include "Datei.h"
#include "DiagrammAnsicht.h"
#include "DialogAuswertung.h"
#include "DialogRestnutzungsdauer.h"
#include "DialogVerteilung.h"
#include "Drucker.h"
#include "ErgebnisCsv.h"
#include "Meldungen.h"
#include "Programminfo.h"
#include "StatusLeiste.h"
#include "ZahlFeld.h"

namespace kwt {

namespace {

const QColor Marineblau(0, 0, 128);

struct Panel {
  const char *Titel;
  const char *MaskeMin;
  const char *MaskeMax;
  const char *KnopfName;
  const char *AnzeigeName; // the name the distribution editor shows
};

// Top to bottom in parameter order. The editor's names are not the panel titles: "Rohertrag" for
// "Jahresrohertrag", and no colon after "Bewirtschaftungskosten".
const std::array<Panel, ParameterAnzahl> panels{{
    {"Liegenschaftszinssatz", "#,###,###.##", "##,###,###.##", "BtnV_LZ", "Liegenschaftszinssatz"},
    {"Restnutzungsdauer", "#,###,###.##", "##,###,###.##", "BtnV_RND", "Restnutzungsdauer"},
    {"Jahresrohertrag", "#,###,###.##", "##,###,###.##", "BtnV_RO", "Rohertrag"},
    {"Bewirtschaftungskosten:", "#,###,###.##", "#,###,###.##", "BtnV_BWK", "Bewirtschaftungskosten"},
    {"Bodenwert", "###,###,###.##", "###,###,###.##", "BtnV_BO", "Bodenwert"},
}};

const Parameterwerte standardMin{4.8L, 40, 310000, 60000, 675000};
const Parameterwerte standardMax{5.1L, 60, 370000, 85000, 720000};

QLabel *Beschriftung(const QString &text, QWidget *eltern) {
  auto *l = new QLabel(text, eltern);
  return l;
}

} // namespace

// The window's side of a run. It keeps the latest trial count, progress and histogram, and brings
// them to the screen at most once per frame (about 16 ms) while the run goes: every refresh shows
// the state after the latest trial, and Abschliessen draws the final state.
class TFensterAnzeige : public LaufAnzeige {
public:
  explicit TFensterAnzeige(TMainForm &fenster) : f_(fenster) {}

  void Beginnen() {
    laeuft_ = true;
    uhr_.start();
    letzteZeichnung_ = -Bildabstand;
  }
  void Abschliessen() {
    laeuft_ = false;
    Zeichnen();
  }

  void VersuchZeigen(std::int32_t versuch) override {
    versuch_ = versuch;
    versuchOffen_ = true;
  }
  void Fortschritt(int prozent) override {
    prozent_ = prozent;
    prozentOffen_ = true;
    if (!laeuft_ || Faellig()) Zeichnen();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  void KennzahlZeigen(Kennzahl k, const std::string &text) override {
    f_.werte_[static_cast<std::size_t>(k)]->setText(QString::fromStdString(text));
  }
  bool HistogrammKontinuierlich() const override { return f_.cbHistogramm_->isChecked(); }
  void HistogrammLeeren() override {
    histogramm_ = nullptr;
    f_.chart2_->BalkenSetzen({}, {});
    f_.chart2_->SofortZeichnen();
  }
  void HistogrammZeichnen(const Histogramm &h) override {
    histogramm_ = &h;
    if (!laeuft_ || Faellig()) Zeichnen();
  }
  void KurveZeichnen(const RHKurve &kurve) override {
    QList<QPointF> k, m;
    for (const Kurvenpunkt &p : kurve.Kurve) k.append({p.X, p.Y});
    for (const Kurvenpunkt &p : kurve.Median) m.append({p.X, p.Y});
    f_.chartRH_->LinienSetzen(k, m);
  }
  // The fast run reports about twice per screen frame: the window processes its messages then (so
  // "Stop" ends a run within a few milliseconds), and
  // what it does there acts from the next trial on, as if it had been handled in that very trial.
  Meldetakt MeldetaktWaehlen() const override { return {std::numeric_limits<std::int32_t>::max(), 8}; }
  void Zwischenablage(const std::string &text) override {
    QGuiApplication::clipboard()->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
  }

private:
  static constexpr qint64 Bildabstand = 16;

  bool Faellig() const { return uhr_.elapsed() - letzteZeichnung_ >= Bildabstand; }

  void Zeichnen() {
    if (versuchOffen_) f_.lCount_->setText(QString::number(versuch_));
    if (prozentOffen_) f_.progress_->setValue(prozent_);
    versuchOffen_ = prozentOffen_ = false;
    if (histogramm_) {
      const Balkenansicht b = HistogrammBalken(*histogramm_);
      QStringList texte;
      QList<double> hoehen;
      for (std::size_t i = 0; i < b.Hoehen.size(); ++i) {
        texte.append(QString::fromStdString(b.Texte[i]));
        hoehen.append(b.Hoehen[i]);
      }
      f_.chart2_->BalkenSetzen(texte, hoehen);
      f_.chart2_->setLinkeAchse(0, b.AchsenMaximum);
      f_.chart2_->SofortZeichnen();
      histogramm_ = nullptr;
    }
    if (laeuft_) letzteZeichnung_ = uhr_.elapsed();
  }

  TMainForm &f_;
  bool laeuft_ = false;
  QElapsedTimer uhr_;
  qint64 letzteZeichnung_ = 0;
  std::int32_t versuch_ = 0;
  int prozent_ = 0;
  bool versuchOffen_ = false, prozentOffen_ = false;
  const Histogramm *histogramm_ = nullptr;
};

TMainForm::TMainForm(Bewertungsmodell &modell, QWidget *eltern)
    : QMainWindow(eltern), modell_(modell), lauf_(modell), anzeige_(std::make_unique<TFensterAnzeige>(*this)) {
  setObjectName("MainForm");
  setWindowTitle("KWT Monte-Carlo Simulation Version 3 [2009]");
  // "MS Sans Serif" where it exists, else the system's sans serif, at 8 points.
  QFont schrift("MS Sans Serif", 8);
  schrift.setStyleHint(QFont::SansSerif);
  setFont(schrift);
  Aufbauen();
  MenueAufbauen();
  resize(766, 741);
  if (const QScreen *bildschirm = screen()) {
    const QRect r = bildschirm->availableGeometry();
    move(r.center() - QPoint(766 / 2, 741 / 2));
  }
  // Key preview: the window sees every key before the control that has the focus.
  qApp->installEventFilter(this);
  verteilungBearbeiten_ = VerteilungBearbeiten;
  programmInfo_ = [](QWidget *eltern) { ProgrammInfoZeigen(eltern); };
  dateiDialog_ = [](QWidget *eltern, bool speichern, const QString &titel, const QString &filter,
                    const QString &endung) {
    QFileDialog dialog(eltern, titel, QString(), filter);
    dialog.setAcceptMode(speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(speichern ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(endung);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                   : QString();
  };
  druckDialog_ = [](QWidget *eltern, QPrinter &drucker) {
    QPrintDialog dialog(&drucker, eltern);
    dialog.setObjectName("PrDlg");
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog.exec() == QDialog::Accepted;
  };
}

TMainForm::~TMainForm() { qApp->removeEventFilter(this); }

QWidget *TMainForm::ParameterGruppe() {
  auto *gruppe = new QGroupBox("Parameter");
  gruppe->setObjectName("GroupBox1");
  gruppe->setFixedSize(430, 358);
  auto *spalte = new QVBoxLayout(gruppe);
  spalte->setSpacing(4);
  const QFont feldSchrift("Courier New", 9);
  for (Parameter p : AlleParameter) {
    const Panel &d = panels[p];
    auto *panel = new QFrame(gruppe);
    panel->setObjectName(QString("PanelParam%1").arg(p + 1));
    panel->setFixedSize(410, 64);
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
    btnV_[p]->setFixedSize(75, 25);
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
  auto *gruppe = new QGroupBox("Berechnen");
  gruppe->setObjectName("GroupBox2");
  gruppe->setFixedSize(320, 163);
  auto *zeilen = new QHBoxLayout(gruppe);
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
  for (QPushButton *b : {btnCalculate_, btnStop_}) b->setFixedWidth(80);
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
  progress_ = new QProgressBar(gruppe);
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
  auto *gruppe = new QGroupBox("Statistische Daten");
  gruppe->setObjectName("GroupBox3");
  gruppe->setFixedSize(320, 184);
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
  };
  setzen(oben, Kennzahl::LMinVKW, 0, 0);
  setzen(oben, Kennzahl::LMaxVKW, 1, 0);
  setzen(oben, Kennzahl::LMittelVKW, 2, 0);
  setzen(oben, Kennzahl::LMWSTP, 0, 2);
  setzen(oben, Kennzahl::LMedianSTP, 1, 2);
  setzen(oben, Kennzahl::LDiffP, 2, 2);
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
  auto *spalte = new QVBoxLayout(zentrum);
  spalte->setContentsMargins(0, 0, 0, 0);
  spalte->setSpacing(0);

  auto *oben = new QWidget(zentrum);
  oben->setObjectName("PanelOben");
  oben->setFixedHeight(366);
  auto *obenZeile = new QHBoxLayout(oben);
  obenZeile->setContentsMargins(4, 4, 4, 4);
  obenZeile->addWidget(ParameterGruppe(), 0, Qt::AlignTop);
  auto *rechts = new QVBoxLayout;
  rechts->addWidget(BerechnenGruppe());
  rechts->addWidget(StatistikGruppe());
  rechts->addStretch();
  obenZeile->addLayout(rechts);
  obenZeile->addStretch();
  // The result list lives in a text control that is never shown.
  auto *memo = new QTextEdit(oben);
  memo->setObjectName("MemoMINITAB");
  memo->hide();
  spalte->addWidget(oben);

  pageControl_ = new QTabWidget(zentrum);
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
  chart2_->setTitel("Histogramm der Verkehrswerte");
  chart2_->setLinkeAchse(0, 1067.5);
  chartRH_ = new TDiagrammAnsicht(TDiagrammAnsicht::Art::Linien);
  chartRH_->setObjectName("ChartRH");
  chartRH_->setTitel("Relative Häufigkeitsverteilung");
  chartRH_->setMenueNamen("PopupDruckenRH", {"MenuItem1", "MenuItem2", "MenuItem3", "MenuItem4"});
  for (TDiagrammAnsicht *a : {chart2_, chartRH_}) {
    a->setDruckAbfrage([this](QPrinter &drucker) { return druckDialog_ && druckDialog_(this, drucker); });
  }
  seite("TabSheet1", "Panel1", "Histogramm", chart2_);
  seite("TabSheet2", "Panel3", "Relative Häufigkeitsverteilung", chartRH_);
  spalte->addWidget(pageControl_, 1);

  auto *hinweis = new QLabel("Drucken und Zwischenablage mit rechter Maustaste aufrufen.", zentrum);
  hinweis->setObjectName("Panel4");
  hinweis->setFixedHeight(20);
  hinweis->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  hinweis->setIndent(4);
  spalte->addWidget(hinweis);
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

void TMainForm::MenueAufbauen() {
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

void TMainForm::FormCreate() {
  status_->VersionsTextSetzen(VersionsText, font());
  lauf_.AnzahlVersuche = 0;
  lauf_.AktVersuch = 0;
  modell_.ZufallInitialisieren(); // the seed that the runs use
  lauf_.StopFlag = false;
  FortschrittZeigen();
  modell_.TabellenLoeschen();
  StandardwerteSetzen();
}

void TMainForm::StandardwerteSetzen() {
  for (Parameter p : AlleParameter) {
    eMin_[p]->setWert(standardMin[p]);
    eMax_[p]->setWert(standardMax[p]);
  }
  mnNormalverteilungClick();
  eVersuche_->setGanzzahl(10000);
}

void TMainForm::FortschrittZeigen() {
  progress_->setValue(Simulationslauf::FortschrittProzent(lauf_.AktVersuch, lauf_.AnzahlVersuche));
  QCoreApplication::processEvents();
}

void TMainForm::GrenzenLesen(Parameterwerte &min, Parameterwerte &max) const {
  for (Parameter p : AlleParameter) min[p] = eMin_[p]->Wert();
  for (Parameter p : AlleParameter) max[p] = eMax_[p]->Wert();
}

void TMainForm::Befehl(const std::function<void()> &befehl) {
  try {
    befehl();
  } catch (const std::exception &fehler) {
    FehlerMelden(this, QString::fromUtf8(fehler.what()));
  }
}

void TMainForm::BtnCalculateClick() {
  // A second "Berechnen" while a run goes does nothing.
  if (lauf_.Laeuft()) return;
  Befehl([this] {
    Parameterwerte min, max;
    GrenzenLesen(min, max);
    anzeige_->Beginnen();
    struct Abschluss {
      TFensterAnzeige &a;
      ~Abschluss() { a.Abschliessen(); }
    } abschluss{*anzeige_};
    laufTabellen_.reset();
    lauf_.SchnellBerechnen(min, max, eVersuche_->Ganzzahl(), *anzeige_);
    laufTabellen_ = modell_.Verteilungen;
  });
  // A close asked for during the run happens now that the run has ended.
  if (schliessenNachLauf_) close();
}

void TMainForm::BtnStopClick() { lauf_.Stoppen(); }

void TMainForm::mnDateiAktualisierenClick() {
  Befehl([this] { lauf_.HistogrammZaehlen(-1, *anzeige_); });
}

void TMainForm::mnDateiZWClick() {
  Befehl([this] { anzeige_->Zwischenablage(lauf_.Liste.ZwischenablageText()); });
}

void TMainForm::mnDateiSchliessenClick() { close(); }

namespace {
const char *SzenarioFilter = "KWT-Szenarien (*.kwt);;Alle Dateien (*)";
}

Szenario TMainForm::SzenarioAusFenster() const {
  auto wert = [](const TZahlFeld *feld) {
    if (!feld->Gueltig()) {
      throw Fehler("Das Feld \"" + feld->accessibleName().toStdString() +
                   "\" enthält keine gültige Zahl; das Szenario wurde nicht gespeichert.");
    }
    return feld->Wert();
  };
  Szenario s;
  for (Parameter p : AlleParameter) {
    s.Min[p] = wert(eMin_[p]);
    s.Max[p] = wert(eMax_[p]);
    s.Prozent[p] = modell_.Verteilungen[p].Prozent;
  }
  wert(eVersuche_);
  s.Versuche = eVersuche_->Ganzzahl();
  s.HistogrammKontinuierlich = cbHistogramm_->isChecked();
  return s;
}

void TMainForm::SzenarioInsFenster(const Szenario &s) {
  for (Parameter p : AlleParameter) {
    eMin_[p]->setWert(s.Min[p]);
    eMax_[p]->setWert(s.Max[p]);
    modell_.Verteilungen[p].Prozent = s.Prozent[p];
    modell_.Formen[p].reset();
  }
  eVersuche_->setGanzzahl(s.Versuche);
  cbHistogramm_->setChecked(s.HistogrammKontinuierlich);
}

void TMainForm::mnSzenarioOeffnenClick() {
  Befehl([this] {
    const QString pfad = dateiDialog_(this, false, "Szenario öffnen", SzenarioFilter, "kwt");
    if (!pfad.isEmpty()) SzenarioOeffnen(pfad);
  });
}

void TMainForm::SzenarioOeffnen(const QString &pfad) {
  // Read and checked whole before anything changes: a bad file leaves the window as it was.
  Befehl([&] { SzenarioInsFenster(SzenarioLaden(pfad.toStdString())); });
}

void TMainForm::mnSzenarioSpeichernClick() {
  Befehl([this] {
    const Szenario s = SzenarioAusFenster();
    const QString pfad = dateiDialog_(this, true, "Szenario speichern", SzenarioFilter, "kwt");
    if (!pfad.isEmpty()) SzenarioSpeichern(pfad.toStdString(), s);
  });
}

void TMainForm::mnWerteCsvClick() {
  Befehl([this] {
    const QString pfad = dateiDialog_(this, true, "Werte als CSV speichern", "CSV-Dateien (*.csv);;Alle Dateien (*)",
                                      "csv");
    if (!pfad.isEmpty()) DateiSicherSchreiben(pfad.toStdString(), ErgebnisCsv(lauf_));
  });
}

void TMainForm::Info1Click() {
  Befehl([this] {
    if (programmInfo_) programmInfo_(this);
  });
}

void TMainForm::mnExakteVerteilungClick() {
  Befehl([this] {
    Parameterwerte min, max;
    GrenzenLesen(min, max);
    TDlgAuswertung dialog(AuswertungBerechnen(modell_, min, max, lauf_, laufTabellen_ ? &*laufTabellen_ : nullptr),
                          this);
    dialog.setDruckAbfrage([this, &dialog](QPrinter &drucker) { return druckDialog_ && druckDialog_(&dialog, drucker); });
    dialog.exec();
  });
}

void TMainForm::mnBerichtPdfClick() {
  Befehl([this] {
    Parameterwerte min, max;
    GrenzenLesen(min, max);
    const Auswertung a = AuswertungBerechnen(modell_, min, max, lauf_, laufTabellen_ ? &*laufTabellen_ : nullptr);
    const QString pfad =
        dateiDialog_(this, true, "Bericht als PDF speichern", "PDF-Dateien (*.pdf);;Alle Dateien (*)", "pdf");
    if (pfad.isEmpty()) return;
    const QByteArray pdf = BerichtPdf(a, lauf_, modell_, QDateTime::currentDateTime());
    DateiSicherSchreiben(pfad.toStdString(), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
  });
}

void TMainForm::MenuVoreinstellung(kwt::MenuVoreinstellung v) { MenuVoreinstellungAnwenden(modell_, v); }

void TMainForm::VerteilungKnopf(Parameter p) {
  Befehl([this, p] {
    Parameterwerte min, max;
    GrenzenLesen(min, max);
    modell_.VerteilungenVorbereiten(min, max);
    if (!verteilungBearbeiten_) return;
    TGrenzenUndForm rahmen{min[p], max[p], modell_.GueltigeForm(p)};
    if (!verteilungBearbeiten_(this, QString::fromUtf8(panels[p].AnzeigeName), modell_.Verteilungen[p], rahmen)) return;
    modell_.Formen[p] = rahmen.Form;
    if (rahmen.GrenzenGeaendert) {
      eMin_[p]->setWert(rahmen.Min);
      eMax_[p]->setWert(rahmen.Max);
    }
  });
}

void TMainForm::BtnRND_ModellClick() {
  Befehl([this] {
    const std::optional<RndModellErgebnis> r = RestnutzungsdauerBestimmen(this, rndModell_);
    if (!r) return;
    eMin_[RND]->setWert(r->Min);
    eMax_[RND]->setWert(r->Max);
    // A shape on the old bounds no longer describes the table.
    modell_.Formen[RND].reset();
  });
}

void TMainForm::FormKeyDown(QKeyEvent *taste) {
  if (taste->key() == Qt::Key_Escape) lauf_.Stoppen();
}

bool TMainForm::eventFilter(QObject *objekt, QEvent *ereignis) {
  if (ereignis->type() == QEvent::KeyPress) {
    auto *w = qobject_cast<QWidget *>(objekt);
    if (w && w->window() == this && w == QApplication::focusWidget()) {
      auto *taste = static_cast<QKeyEvent *>(ereignis);
      FormKeyDown(taste);
      // "Stop" is the window's default button: Enter activates it unless a button has the focus.
      if ((taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter) && !qobject_cast<QPushButton *>(w)) {
        btnStop_->click();
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(objekt, ereignis);
}

void TMainForm::closeEvent(QCloseEvent *ereignis) {
  // Closing during a run stops it after the current trial; the window closes when the run has ended.
  if (lauf_.Laeuft()) {
    schliessenNachLauf_ = true;
    lauf_.Stoppen();
    ereignis->ignore();
    return;
  }
  ereignis->accept();
}

} // namespace kwt
