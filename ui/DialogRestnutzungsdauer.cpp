#include "DialogRestnutzungsdauer.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "Referenzgroessen.h"
#include "W32_CLC.h"
#include "ZahlFeld.h"

namespace kwt {

namespace {

const QColor Dunkelrot(176, 0, 0);

QString Jahre(Extended x) { return QString::fromStdString(ZahlFormatieren(2, true, true, x, false)); }

QLabel *Hinweistext(const QString &text, QWidget *eltern) {
  auto *l = new QLabel(text, eltern);
  l->setWordWrap(true);
  return l;
}

} // namespace

TDlgRestnutzungsdauer::TDlgRestnutzungsdauer(QWidget *eltern) : QDialog(eltern) {
  setObjectName("DlgRestnutzungsdauer");
  setWindowTitle("Restnutzungsdauer nach Modernisierung");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  QFont schrift("MS Sans Serif", 8);
  schrift.setStyleHint(QFont::SansSerif);
  setFont(schrift);

  auto *spalte = new QVBoxLayout(this);
  spalte->addWidget(Hinweistext(
      "Modell der ImmoWertV 2021, Anlage 2: RND = a · Alter² / GND − b · Alter + c · GND mit a, b, c nach "
      "Tabelle 3 für die Modernisierungspunkte, ab dem dort genannten relativen Alter (Alter / GND); darunter "
      "RND = GND − Alter. Die Grenzen der Restnutzungsdauer sind die kleinste und die größte über die "
      "Punkte, die Sie für plausibel halten.",
      this));

  auto *raster = new QGridLayout;
  auto feld = [&](const char *maske, const char *name) {
    auto *f = new TZahlFeld(maske, this);
    f->setObjectName(name);
    f->setFixedSize(80, 21);
    connect(f, &TZahlFeld::geaendert, this, &TDlgRestnutzungsdauer::Berechnen);
    return f;
  };
  eGnd_ = feld("###.##", "EGnd");
  eAlter_ = feld("###.##", "EAlter");
  ePunkteVon_ = feld("ii", "EPunkteVon");
  ePunkteBis_ = feld("ii", "EPunkteBis");
  eGrad_ = new QComboBox(this);
  eGrad_->setObjectName("EGrad");
  eGrad_->addItem("Punkte selbst wählen");
  for (const Modernisierungsgrad &g : Anlage2Tabelle2()) {
    eGrad_->addItem(QString("%1 (%2 bis %3 Punkte)").arg(QString::fromUtf8(g.Name)).arg(g.PunkteVon).arg(g.PunkteBis));
  }
  connect(eGrad_, &QComboBox::activated, this, &TDlgRestnutzungsdauer::GradGewaehlt);

  auto zeile = [&](int r, const QString &text, QWidget *w, const QString &einheit) {
    auto *l = new QLabel(text, this);
    l->setBuddy(w);
    raster->addWidget(l, r, 0);
    raster->addWidget(w, r, 1);
    if (!einheit.isEmpty()) raster->addWidget(new QLabel(einheit, this), r, 2);
  };
  zeile(0, "&Gesamtnutzungsdauer (GND):", eGnd_, "Jahre");
  zeile(1, "&Alter:", eAlter_, "Jahre");
  auto *grad = new QLabel("&Modernisierungsgrad:", this);
  grad->setBuddy(eGrad_);
  raster->addWidget(grad, 2, 0);
  raster->addWidget(eGrad_, 2, 1, 1, 4);
  auto *punkte = new QHBoxLayout;
  punkte->addWidget(ePunkteVon_);
  auto *bis = new QLabel("&bis", this);
  bis->setBuddy(ePunkteBis_);
  punkte->addWidget(bis);
  punkte->addWidget(ePunkteBis_);
  punkte->addStretch();
  auto *von = new QLabel("Modernisierungs&punkte von:", this);
  von->setBuddy(ePunkteVon_);
  raster->addWidget(von, 3, 0);
  raster->addLayout(punkte, 3, 1, 1, 4);
  raster->setColumnStretch(4, 1);
  spalte->addLayout(raster);

  tabelle_ = new QTableWidget(0, 3, this);
  tabelle_->setObjectName("TabellePunkte");
  tabelle_->setHorizontalHeaderLabels({"Punkte", "Modernisierungsgrad", "Restnutzungsdauer"});
  tabelle_->verticalHeader()->hide();
  tabelle_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tabelle_->setSelectionMode(QAbstractItemView::NoSelection);
  tabelle_->setFocusPolicy(Qt::NoFocus);
  tabelle_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  tabelle_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  tabelle_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  tabelle_->verticalHeader()->setDefaultSectionSize(20);
  spalte->addWidget(tabelle_, 1);

  lErgebnis_ = new QLabel(this);
  lErgebnis_->setObjectName("LErgebnis");
  QFont fett = lErgebnis_->font();
  fett.setBold(true);
  lErgebnis_->setFont(fett);
  spalte->addWidget(lErgebnis_);
  lMeldung_ = Hinweistext(QString(), this);
  lMeldung_->setObjectName("LMeldung");
  QPalette rot = lMeldung_->palette();
  rot.setColor(QPalette::WindowText, Dunkelrot);
  lMeldung_->setPalette(rot);
  spalte->addWidget(lMeldung_);
  // The case the regulation leaves open, and what the program does with it.
  lAlterHinweis_ = Hinweistext(
      "Ist das Gebäude älter als die Gesamtnutzungsdauer, rechnet das Programm mit Alter = GND: Die Formel "
      "der Anlage 2 beschreibt das Alter bis zur GND und stiege danach wieder an. So behält das Gebäude die "
      "Restnutzungsdauer, die das Modell am Ende der Gesamtnutzungsdauer für seine Punkte ergibt.",
      this);
  lAlterHinweis_->setObjectName("LAlterHinweis");
  spalte->addWidget(lAlterHinweis_);

  auto *knoepfe = new QHBoxLayout;
  knoepfe->addStretch();
  btnOK_ = new QPushButton("&OK", this);
  btnOK_->setObjectName("BtnOK");
  btnOK_->setDefault(true);
  auto *abbrechen = new QPushButton("Abbrechen", this);
  abbrechen->setObjectName("BtnAbbrechen");
  for (QPushButton *b : {btnOK_, abbrechen}) {
    KnopfGroesseSetzen(b, {75, 25});
    knoepfe->addWidget(b);
  }
  connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);
  connect(abbrechen, &QPushButton::clicked, this, &QDialog::reject);
  spalte->addLayout(knoepfe);

  setTabOrder(eGnd_, eAlter_);
  setTabOrder(eAlter_, eGrad_);
  setTabOrder(eGrad_, ePunkteVon_);
  setTabOrder(ePunkteVon_, ePunkteBis_);
  setTabOrder(ePunkteBis_, btnOK_);
  setTabOrder(btnOK_, abbrechen);
  resize(540, 470);
}

void TDlgRestnutzungsdauer::Laden(const RndModellEingabe &e) {
  eGnd_->setWert(e.Gnd);
  eAlter_->setWert(e.Alter);
  ePunkteVon_->setGanzzahl(e.PunkteVon);
  ePunkteBis_->setGanzzahl(e.PunkteBis);
  Berechnen();
}

RndModellEingabe TDlgRestnutzungsdauer::Eingabe() const {
  return {eGnd_->Wert(), eAlter_->Wert(), ePunkteVon_->Ganzzahl(), ePunkteBis_->Ganzzahl()};
}

void TDlgRestnutzungsdauer::GradGewaehlt(int index) {
  if (index <= 0) return;
  const Modernisierungsgrad &g = Anlage2Tabelle2()[static_cast<std::size_t>(index - 1)];
  ePunkteVon_->setGanzzahl(g.PunkteVon);
  ePunkteBis_->setGanzzahl(g.PunkteBis);
  Berechnen();
}

void TDlgRestnutzungsdauer::GradAnzeigen() {
  // The degree whose range the points are, else "choose yourself".
  const RndModellEingabe e = Eingabe();
  int index = 0;
  for (std::size_t i = 0; i < Anlage2Tabelle2().size(); ++i) {
    const Modernisierungsgrad &g = Anlage2Tabelle2()[i];
    if (ePunkteVon_->Gueltig() && ePunkteBis_->Gueltig() && g.PunkteVon == e.PunkteVon && g.PunkteBis == e.PunkteBis)
      index = static_cast<int>(i) + 1;
  }
  eGrad_->setCurrentIndex(index);
}

void TDlgRestnutzungsdauer::TabelleFuellen(const RndModellEingabe &e) {
  tabelle_->setRowCount(0);
  if (!ergebnis_) return;
  for (int p = e.PunkteVon; p <= e.PunkteBis; ++p) {
    const int r = tabelle_->rowCount();
    tabelle_->insertRow(r);
    auto zelle = [&](int c, const QString &text, Qt::Alignment ausrichtung) {
      auto *z = new QTableWidgetItem(text);
      z->setTextAlignment(ausrichtung | Qt::AlignVCenter);
      tabelle_->setItem(r, c, z);
    };
    zelle(0, QString::number(p), Qt::AlignRight);
    zelle(1, QString::fromUtf8(ModernisierungsgradVon(p).Name), Qt::AlignLeft);
    const Extended rnd = AufDezimalenRunden(RestnutzungsdauerModernisiert(e.Gnd, e.Alter, p), 2);
    zelle(2, Jahre(rnd) + " Jahre", Qt::AlignRight);
  }
}

void TDlgRestnutzungsdauer::Berechnen() {
  GradAnzeigen();
  const RndModellEingabe e = Eingabe();
  ergebnis_.reset();
  QString meldung;
  const std::pair<TZahlFeld *, const char *> felder[] = {
      {eGnd_, "GND"}, {eAlter_, "Alter"}, {ePunkteVon_, "Punkte von"}, {ePunkteBis_, "Punkte bis"}};
  for (const auto &[f, name] : felder) {
    if (!f->Gueltig()) {
      meldung = QString("Das Feld „%1“ enthält keine gültige Zahl.").arg(QString::fromUtf8(name));
      break;
    }
  }
  if (meldung.isEmpty()) {
    try {
      ergebnis_ = RndGrenzenBerechnen(e);
    } catch (const Fehler &f) {
      meldung = QString::fromUtf8(f.what());
    }
  }
  lMeldung_->setText(meldung);
  lMeldung_->setVisible(!meldung.isEmpty());
  lErgebnis_->setText(ergebnis_ ? QString("Restnutzungsdauer: %1 bis %2 Jahre").arg(Jahre(ergebnis_->Min), Jahre(ergebnis_->Max))
                                : QString("Restnutzungsdauer: –"));
  // The note on the open case stands out while it applies.
  QFont f = lAlterHinweis_->font();
  f.setBold(ergebnis_ && ergebnis_->AlterUeberGnd);
  lAlterHinweis_->setFont(f);
  TabelleFuellen(e);
  btnOK_->setEnabled(ergebnis_.has_value());
}

std::optional<RndModellErgebnis> RestnutzungsdauerBestimmen(QWidget *eltern, RndModellEingabe &eingabe) {
  TDlgRestnutzungsdauer dialog(eltern);
  dialog.Laden(eingabe);
  dialog.EGnd()->setFocus();
  if (dialog.exec() != QDialog::Accepted || !dialog.Ergebnis()) return std::nullopt;
  eingabe = dialog.Eingabe();
  return dialog.Ergebnis();
}

} // namespace kwt
