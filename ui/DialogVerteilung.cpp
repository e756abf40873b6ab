#include "DialogVerteilung.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

#include "Bewertungsmodell.h"
#include "DiagrammAnsicht.h"
#include "FormTeil.h"
#include "Meldungen.h"
#include "Referenzgroessen.h"
#include "Teiler.h"
#include "Voreinstellungen.h"
#include "W32_CLC.h"
#include "ZahlFeld.h"

namespace kwt {

namespace {

constexpr int Breite = 765;
constexpr int Hoehe = 398;
constexpr int KnopfleisteHoehe = 41;
constexpr int TabelleBreite = 259;

// The table: ten rows 28 pixels apart under the two headings, the sum below the last row.
constexpr int ZeilenAbstand = 28;
constexpr int ErsteZeile = 28;
constexpr int FeldHoehe = 21;
constexpr int MitteX = 8;
constexpr int MitteBreite = 126;  // up to "-999.999.999,99", more than the mask's eight digits
constexpr int ProzentX = 142;
constexpr int ProzentBreite = 72; // "100,00" and a sum of 1000 or more shown whole
constexpr int FormHoehe = 92;     // the shape part below the table, when shown

// The value axis is labelled every 10. Percentages far above 100 (a sum that is not 100 yet, or
// negative percentages balancing large ones) would crowd more labels onto it than its height holds;
// it then takes a coarser step that fits.
constexpr double AchseZehnerSchritteBis = 205;

const QColor Gruen(0, 128, 0);
const QColor Rot(255, 0, 0);

} // namespace

TDlgVerteilung::TDlgVerteilung(QWidget *eltern) : QDialog(eltern) {
  setObjectName("DlgVerteilung");
  // Only the system menu and the close box in the title bar; kept above the other windows.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  QFont schrift("MS Sans Serif", 8);
  schrift.setStyleHint(QFont::SansSerif);
  setFont(schrift);
  Aufbauen();
  // The reference size, or what the layout needs where the fonts are wider.
  const QSize groesse = QSize(Breite, Hoehe).expandedTo(minimumSizeHint());
  resize(groesse);
  const QScreen *bildschirm = eltern ? eltern->screen() : QGuiApplication::primaryScreen();
  if (bildschirm) move(bildschirm->availableGeometry().center() - QPoint(groesse.width() / 2, groesse.height() / 2));
}

QWidget *TDlgVerteilung::Tabelle() {
  auto *tabelle = new QWidget;
  tabelle->setObjectName("PanelTabelle");
  auto *mitten = new QLabel("Klassenmitten:", tabelle);
  mitten->move(MitteX, 8);
  auto *wahrscheinlichkeit = new QLabel("Wahrscheinlichkeit", tabelle);
  wahrscheinlichkeit->move(ProzentX, 8);
  for (int k = 0; k < KlassenAnzahlVerteilung; ++k) {
    const int y = ErsteZeile + k * ZeilenAbstand;
    TZahlFeld *&e = e_[static_cast<std::size_t>(k)];
    e = new TZahlFeld("##,###,###.##", tabelle);
    e->setObjectName(QString("E%1").arg(k + 1));
    e->setGeometry(MitteX, y, MitteBreite, FeldHoehe);
    e->setNurAnzeige(true);
    TZahlFeld *&ew = ew_[static_cast<std::size_t>(k)];
    ew = new TZahlFeld("###.##", tabelle);
    ew->setObjectName(QString("EW%1").arg(k + 1));
    ew->setGeometry(ProzentX, y, ProzentBreite, FeldHoehe);
    connect(ew, &TZahlFeld::geaendert, this, &TDlgVerteilung::FeldGeaendert);
  }
  const int summeY = ErsteZeile + KlassenAnzahlVerteilung * ZeilenAbstand;
  eSumme_ = new TZahlFeld("###.##", tabelle);
  eSumme_->setObjectName("ESumme");
  eSumme_->setGeometry(ProzentX, summeY, ProzentBreite, FeldHoehe);
  eSumme_->setNurAnzeige(false);
  // Disabled text is grey, which neither the green nor the red background lets the user read.
  eSumme_->setTextfarbe(Qt::white);
  auto *summe = new QLabel("Summe:", tabelle);
  summe->setObjectName("LSumme");
  summe->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  summe->setGeometry(MitteX, summeY, ProzentX - 6 - MitteX, FeldHoehe);
  // The fields stand where the reference layout puts them; the splitter and the dialog keep room for
  // all of them and the headings.
  const int rechts =
      std::max(ProzentX + ProzentBreite + MitteX, wahrscheinlichkeit->x() + wahrscheinlichkeit->sizeHint().width());
  tabelle->setMinimumSize(rechts, summeY + FeldHoehe + MitteX);
  return tabelle;
}

void TDlgVerteilung::Aufbauen() {
  auto *spalte = new QVBoxLayout(this);
  spalte->setContentsMargins(0, 0, 0, 0);
  spalte->setSpacing(0);

  auto *teiler = new TTeiler(Qt::Horizontal, this);
  teiler->setObjectName("OvcSplitter1");
  teiler->addWidget(Tabelle());
  chartV_ = new TDiagrammAnsicht(TDiagrammAnsicht::Art::Balken, teiler);
  chartV_->setObjectName("ChartV");
  chartV_->setTitel("Verteilung");
  chartV_->setFocusPolicy(Qt::NoFocus);
  // Midpoints of land values and incomes are long ("313.000,00"); the view shows every second or
  // third of them when they do not all fit, and those it shows it shows whole.
  chartV_->UntereAchse()->setTruncateLabels(false);
  teiler->addWidget(chartV_);
  teiler->GroessenSetzen({TabelleBreite, Breite - TabelleBreite - teiler->handleWidth()});
  spalte->addWidget(teiler, 1);

  formTeil_ = new TFormTeil(this);
  formTeil_->setFixedHeight(FormHoehe);
  formTeil_->hide();
  connect(formTeil_, &TFormTeil::Berechnet, this, &TDlgVerteilung::FormBerechnet);
  connect(formTeil_, &TFormTeil::FehlerGeaendert, this, &TDlgVerteilung::OkPruefen);
  spalte->addWidget(formTeil_);

  auto *leiste = new QWidget(this);
  leiste->setObjectName("PanelKnoepfe");
  leiste->setFixedHeight(KnopfleisteHoehe);
  auto *zeile = new QHBoxLayout(leiste);
  zeile->setContentsMargins(8, 8, 8, 8);
  zeile->setSpacing(6);
  auto knopf = [&](const QString &text, const char *name) {
    auto *b = new QPushButton(text, leiste);
    b->setObjectName(name);
    KnopfGroesseSetzen(b, {75, 25}); // wider where the text needs it ("Gleichverteilt")
    zeile->addWidget(b);
    return b;
  };
  btnOK_ = knopf("&OK", "BtnOK");
  btnOK_->setDefault(true);
  btnAbbrechen_ = knopf("Abbrechen", "BtnAbbrechen");
  zeile->addSpacing(24);
  connect(btnOK_, &QPushButton::clicked, this, &TDlgVerteilung::BtnOKClick);
  connect(btnAbbrechen_, &QPushButton::clicked, this, &TDlgVerteilung::BtnAbbrechenClick);
  const std::array<void (TDlgVerteilung::*)(), 5> handler{&TDlgVerteilung::BtnLinksClick, &TDlgVerteilung::BtnNormalClick,
                                                          &TDlgVerteilung::BtnRechtsClick, &TDlgVerteilung::BtnGleichClick,
                                                          &TDlgVerteilung::BtnEinpunktClick};
  QList<QWidget *> folge(ew_.begin(), ew_.end());
  folge << btnOK_ << btnAbbrechen_;
  for (std::size_t i = 0; i < DialogVoreinstellungen().size(); ++i) {
    const DialogEintrag &d = DialogVoreinstellungen()[i];
    QPushButton *b = knopf(QString::fromUtf8(d.Beschriftung), d.Objektname);
    connect(b, &QPushButton::clicked, this, handler[i]);
    folge << b;
  }
  zeile->addSpacing(24);
  btnForm_ = knopf("Form…", "BtnForm");
  btnForm_->setCheckable(true);
  btnForm_->setToolTip("Grenzen und Prozente aus einer Form: Dreieck, PERT, Normal, Spanne oder Gleich");
  connect(btnForm_, &QPushButton::toggled, this, &TDlgVerteilung::BtnFormClick);
  folge << btnForm_ << formTeil_->EFormArt();
  for (int i = 0; i < TFormTeil::FelderHoechstens; ++i) folge << formTeil_->EFormZahl(i);
  zeile->addStretch();
  spalte->addWidget(leiste);

  // Tab order: the percentages from class 1 down, then the buttons, then the shape part when it is
  // shown; the midpoints and the sum take no focus, and the chart is reached with the mouse only.
  for (qsizetype i = 1; i < folge.size(); ++i) setTabOrder(folge[i - 1], folge[i]);
}

void TDlgVerteilung::Laden(const QString &name, const TParamVerteilung &tabelle, const TGrenzenUndForm &rahmen) {
  rahmen_ = rahmen;
  rahmen_.GrenzenGeaendert = false;
  chartV_->setTitel("Verteilung " + name);
  setWindowTitle(name);
  for (int k = 0; k < KlassenAnzahlVerteilung; ++k) E(k)->setWert(tabelle.Mitte[static_cast<std::size_t>(k)]);
  for (int k = 0; k < KlassenAnzahlVerteilung; ++k) EW(k)->setWert(tabelle.Prozent[static_cast<std::size_t>(k)]);
  arbeitskopie_ = tabelle;
  EW1Change();
}

void TDlgVerteilung::ProzenteZurueckschreiben(TParamVerteilung &tabelle) const {
  for (int k = 0; k < KlassenAnzahlVerteilung; ++k) tabelle.Prozent[static_cast<std::size_t>(k)] = EW(k)->Wert();
}

TGrenzenUndForm TDlgVerteilung::Rahmen() const { return rahmen_; }

void TDlgVerteilung::EW1Change() {
  // Accumulated in class order under the program's rounding mode, like the run's cumulative
  // fractions: decimals whose sum is 100 on paper may miss it in the last place and stay red.
  Extended s = 0;
  bool negativ = false;
  for (TZahlFeld *ew : ew_) {
    const Extended p = ew->Wert();
    s = Plus(s, p);
    // A probability below zero is marked like a field without a number.
    negativ = negativ || p < 0;
    ew->setHintergrund(p < 0 ? Rot : QColor());
    ew->setTextfarbe(p < 0 ? QColor(Qt::black) : QColor());
    ew->setToolTip(p < 0 ? "Ein Anteil unter 0 ist keine Wahrscheinlichkeit." : QString());
  }
  eSumme_->setWert(s);
  summeGut_ = s == 100 && !negativ;
  eSumme_->setHintergrund(summeGut_ ? Gruen : Rot);
  OkPruefen();

  for (std::size_t k = 0; k < ew_.size(); ++k) arbeitskopie_.Prozent[k] = ew_[k]->Wert();
  for (std::size_t k = 0; k < e_.size(); ++k) arbeitskopie_.Mitte[k] = e_[k]->Wert();

  QStringList beschriftungen;
  QList<double> hoehen;
  double m = 0;
  for (std::size_t k = 0; k < ew_.size(); ++k) {
    const Extended prozent = arbeitskopie_.Prozent[k];
    beschriftungen.append(QString::fromStdString(ZahlFormatieren(2, true, true, arbeitskopie_.Mitte[k], false)));
    hoehen.append(static_cast<double>(prozent));
    if (prozent > m) m = static_cast<double>(prozent);
  }
  chartV_->BalkenSetzen(beschriftungen, hoehen);
  const double achsenMaximum = m + 5;
  chartV_->setLinkeAchse(0, achsenMaximum, achsenMaximum <= AchseZehnerSchritteBis ? 10 : 0);
  chartV_->SofortZeichnen();
}

void TDlgVerteilung::OkPruefen() {
  // Numbers the open shape part cannot take keep OK disabled too: OK would not write what they say.
  btnOK_->setEnabled(summeGut_ && !(btnForm_->isChecked() && formTeil_->Fehlerhaft()));
}

void TDlgVerteilung::FeldGeaendert() {
  // Percentages typed or taken from a preset no longer come from the shape.
  rahmen_.Form.reset();
  if (btnForm_->isChecked()) formTeil_->Aufgegeben();
  // Nothing may be thrown through the field's signal.
  BefehlAusfuehren(this, [this] { EW1Change(); });
}

void TDlgVerteilung::ZeileEinsetzen(const Klassenwerte &zeile) {
  // Setting a field from code raises no change, so the handler runs once for all ten.
  for (std::size_t k = 0; k < ew_.size(); ++k) ew_[k]->setWert(zeile[k]);
  FeldGeaendert();
}

void TDlgVerteilung::FormBerechnet(const FormAngabe &angabe, const FormErgebnis &ergebnis) {
  BefehlAusfuehren(this, [&] {
    // The midpoints of the new bounds, accumulated as the run's preparation will.
    TParamVerteilung tabelle = arbeitskopie_;
    tabelle.Prozent = ergebnis.Prozent;
    TabelleVorbereiten(tabelle, ergebnis.Min, ergebnis.Max);
    for (std::size_t k = 0; k < e_.size(); ++k) {
      e_[k]->setWert(tabelle.Mitte[k]);
      ew_[k]->setWert(tabelle.Prozent[k]);
    }
    rahmen_.Min = ergebnis.Min;
    rahmen_.Max = ergebnis.Max;
    rahmen_.GrenzenGeaendert = true;
    rahmen_.Form = angabe;
    EW1Change();
  });
}

void TDlgVerteilung::BtnFormClick(bool an) {
  if (an == formTeil_->isVisibleTo(this)) return;
  // The height before: the shown part may already have grown the dialog to its new minimum.
  const int hoehe = height();
  formTeil_->setVisible(an);
  layout()->activate(); // the new minimum now, not at the next layout pass
  resize(width(), hoehe + (an ? FormHoehe : -FormHoehe));
  if (an) formTeil_->Vorbelegen(rahmen_.Form, rahmen_.Min, rahmen_.Max);
  OkPruefen();
}

void TDlgVerteilung::BtnLinksClick() { ZeileEinsetzen(ZeilenWerte(Zeile::Steigend)); }
void TDlgVerteilung::BtnNormalClick() { ZeileEinsetzen(ZeilenWerte(Zeile::Normal)); }
void TDlgVerteilung::BtnRechtsClick() { ZeileEinsetzen(ZeilenWerte(Zeile::Fallend)); }
void TDlgVerteilung::BtnGleichClick() { ZeileEinsetzen(ZeilenWerte(Zeile::Gleich)); }
void TDlgVerteilung::BtnEinpunktClick() { ZeileEinsetzen(ZeilenWerte(Zeile::Einpunkt)); }

// The chart's own menu carries these commands; no print dialog here: "Drucken" goes straight to the
// printer last chosen in the main window.
void TDlgVerteilung::PopDruckenClick() { chartV_->Drucken(); }
void TDlgVerteilung::Zwischenablage1Click() { chartV_->MetafileKopieren(); }
void TDlgVerteilung::ZwischenablageBitmap1Click() { chartV_->BitmapKopieren(); }

bool VerteilungBearbeiten(QWidget *eltern, const QString &name, TParamVerteilung &tabelle, TGrenzenUndForm &rahmen) {
  TDlgVerteilung dialog(eltern); // goes when this returns, also by an error
  dialog.Laden(name, tabelle, rahmen);
  dialog.EW(0)->setFocus();
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.ProzenteZurueckschreiben(tabelle);
  rahmen = dialog.Rahmen();
  return true;
}

} // namespace kwt
