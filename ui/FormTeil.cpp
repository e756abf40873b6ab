#include "FormTeil.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "W32_CLC.h"
#include "ZahlFeld.h"

namespace kwt {

namespace {

// Bounds, middles and standard deviations take the bound fields' widest mask; ANTEIL is a per cent.
const char *WertMaske = "###,###,###.##";
const char *ProzentMaske = "###.##";

const QColor Rot(255, 0, 0);
const QColor Dunkelrot(176, 0, 0);

// When to take which shape: the editor's list shows it as the shape's tooltip.
const char *Hinweis(FormArt art) {
  switch (art) {
  case FormArt::Dreieck: return "Wahrscheinlichster Wert mit plausiblem Minimum und Maximum (Schätzung).";
  case FormArt::Pert: return "Wie Dreieck, aber mit mehr Gewicht auf dem wahrscheinlichsten Wert und dünneren Rändern.";
  case FormArt::Normal:
    return "Mittelwert und Standardabweichung, z. B. eines Liegenschaftszinssatzes aus dem "
           "Grundstücksmarktbericht; Grenzen MITTEL ± 3 SIGMA, wenn MIN und MAX leer sind.";
  case FormArt::Spanne:
    return "Eine Spanne, die einen bekannten Anteil der Werte enthält, z. B. die Mietspiegelspanne "
           "mit den mittleren zwei Dritteln (ANTEIL 66,7).";
  case FormArt::Gleich: return "Nur eine Spanne ist bekannt, kein Wert darin wahrscheinlicher als ein anderer.";
  }
  return "";
}

QString Text(Extended x) { return QString::fromStdString(ZahlFormatieren(2, true, true, x, false)); }

} // namespace

TFormTeil::TFormTeil(QWidget *eltern) : QWidget(eltern) {
  setObjectName("PanelForm");
  auto *raster = new QGridLayout(this);
  raster->setContentsMargins(8, 6, 8, 4);
  raster->setHorizontalSpacing(6);
  raster->setVerticalSpacing(4);

  auto *formBeschriftung = new QLabel("Form:", this);
  eFormArt_ = new QComboBox(this);
  eFormArt_->setObjectName("EFormArt");
  for (const FormEintrag &e : FormEintraege()) {
    eFormArt_->addItem(QString::fromUtf8(e.Beschriftung), static_cast<int>(e.Art));
    eFormArt_->setItemData(eFormArt_->count() - 1, QString::fromUtf8(Hinweis(e.Art)), Qt::ToolTipRole);
  }
  formBeschriftung->setBuddy(eFormArt_);
  raster->addWidget(formBeschriftung, 0, 0);
  raster->addWidget(eFormArt_, 0, 1);

  for (int i = 0; i < FelderHoechstens; ++i) {
    QLabel *&l = beschriftungen_[static_cast<std::size_t>(i)];
    TZahlFeld *&f = felder_[static_cast<std::size_t>(i)];
    l = new QLabel(this);
    l->setObjectName(QString("LFormZahl%1").arg(i + 1));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f = new TZahlFeld(WertMaske, this);
    f->setObjectName(QString("EFormZahl%1").arg(i + 1));
    f->setFixedSize(110, 21);
    l->setBuddy(f);
    raster->addWidget(l, 1, 2 * i);
    raster->addWidget(f, 1, 2 * i + 1);
    connect(f, &TZahlFeld::geaendert, this, &TFormTeil::Berechnen);
  }
  meldung_ = new QLabel(this);
  meldung_->setObjectName("LFormMeldung");
  meldung_->setWordWrap(true);
  raster->addWidget(meldung_, 2, 0, 1, 2 * FelderHoechstens);
  raster->setColumnStretch(2 * FelderHoechstens, 1);

  connect(eFormArt_, &QComboBox::currentIndexChanged, this, &TFormTeil::ArtGewaehlt);
  setTabOrder(eFormArt_, felder_[0]);
  for (int i = 1; i < FelderHoechstens; ++i) setTabOrder(felder_[static_cast<std::size_t>(i - 1)], felder_[static_cast<std::size_t>(i)]);
  FelderZeigen();
}

FormArt TFormTeil::Art() const { return static_cast<FormArt>(eFormArt_->currentData().toInt()); }

void TFormTeil::FelderZeigen() {
  const FormEintrag &e = FormEintragVon(Art());
  eFormArt_->setToolTip(QString::fromUtf8(Hinweis(e.Art)));
  for (std::size_t i = 0; i < felder_.size(); ++i) {
    const bool da = i < e.Felder.size();
    beschriftungen_[i]->setVisible(da);
    felder_[i]->setVisible(da);
    if (!da) continue;
    const QString name = QString::fromUtf8(e.Felder[i].Name);
    beschriftungen_[i]->setText(name + ":");
    const QString erklaerung = QString::fromUtf8(e.Felder[i].Erklaerung);
    beschriftungen_[i]->setToolTip(erklaerung);
    felder_[i]->setToolTip(erklaerung);
    felder_[i]->setMaske(name == "ANTEIL" ? ProzentMaske : WertMaske);
    felder_[i]->setLeerErlaubt(i >= e.Pflichtfelder);
    // An optional bound left empty: what takes its place.
    felder_[i]->setPlaceholderText(i < e.Pflichtfelder ? QString() : i % 2 == 0 ? "−3 SIGMA" : "+3 SIGMA");
  }
}

void TFormTeil::StandardZahlen() {
  const FormArt art = Art();
  std::array<std::optional<Extended>, FelderHoechstens> z{};
  try {
    const Extended mitte = AufDezimalenRunden(Durch(Plus(min_, max_), 2), 2);
    const Extended sechstel = AufDezimalenRunden(Durch(Minus(max_, min_), 6), 2);
    switch (art) {
    case FormArt::Dreieck:
    case FormArt::Pert: z = {min_, mitte, max_, std::nullopt}; break;
    case FormArt::Normal: z = {mitte, sechstel, std::nullopt, std::nullopt}; break;
    case FormArt::Spanne: z = {Minus(mitte, sechstel), Plus(mitte, sechstel), TextZuExtended("66.7"), std::nullopt}; break;
    case FormArt::Gleich: z = {min_, max_, std::nullopt, std::nullopt}; break;
    }
  } catch (const Fehler &) {
    z = {}; // bounds beyond the arithmetic: the user types the numbers
  }
  for (std::size_t i = 0; i < felder_.size(); ++i) {
    if (z[i]) {
      felder_[i]->setWert(*z[i]);
    } else {
      felder_[i]->clear();
    }
  }
}

void TFormTeil::Vorbelegen(const std::optional<FormAngabe> &form, Extended min, Extended max) {
  min_ = min;
  max_ = max;
  {
    const QSignalBlocker still(eFormArt_);
    if (form) eFormArt_->setCurrentIndex(eFormArt_->findData(static_cast<int>(form->Art)));
    FelderZeigen();
  }
  if (form) {
    for (std::size_t i = 0; i < felder_.size(); ++i) {
      if (i < form->Zahlen.size()) {
        felder_[i]->setWert(form->Zahlen[i]);
      } else {
        felder_[i]->clear();
      }
    }
  } else {
    StandardZahlen();
  }
  Berechnen();
}

void TFormTeil::ArtGewaehlt() {
  FelderZeigen();
  StandardZahlen();
  Berechnen();
}

void TFormTeil::Berechnen() {
  for (TZahlFeld *f : felder_) f->setHintergrund(QColor());
  const FormEintrag &e = FormEintragVon(Art());
  FormAngabe angabe{e.Art, {}};
  int leeresWahlfeld = -1;
  for (std::size_t i = 0; i < e.Felder.size(); ++i) {
    TZahlFeld *f = felder_[i];
    const QString name = QString::fromUtf8(e.Felder[i].Name);
    const bool leer = f->text().trimmed().isEmpty();
    if (leer && i >= e.Pflichtfelder) {
      leeresWahlfeld = static_cast<int>(i);
      continue;
    }
    if (!f->Gueltig()) {
      Melden(leer ? "Bitte " + name + " eingeben." : name + " enthält keine gültige Zahl.", true, static_cast<int>(i));
      return;
    }
    angabe.Zahlen.push_back(f->Wert());
  }
  if (angabe.Zahlen.size() != e.Pflichtfelder && angabe.Zahlen.size() != e.Felder.size()) {
    Melden("MIN und MAX gelten nur zusammen: bitte beide angeben oder beide leer lassen.", true, leeresWahlfeld);
    return;
  }
  try {
    const FormErgebnis ergebnis = FormBerechnen(angabe);
    min_ = ergebnis.Min;
    max_ = ergebnis.Max;
    Melden(QString("Grenzen %1 bis %2, Prozente %3.")
               .arg(Text(ergebnis.Min), Text(ergebnis.Max),
                    ergebnis.Dezimalen == 1 ? "auf 0,1 gerundet" : "auf ganze Zahlen gerundet"),
           false);
    emit Berechnet(angabe, ergebnis);
  } catch (const FormFehler &f) {
    Melden(QString::fromUtf8(f.what()), true, static_cast<int>(f.Feld));
  } catch (const Fehler &f) {
    Melden(QString::fromUtf8(f.what()), true);
  }
}

void TFormTeil::Aufgegeben() {
  for (TZahlFeld *f : felder_) f->setHintergrund(QColor());
  Melden("Die Prozente wurden von Hand geändert; sie stammen nicht mehr aus der Form.", false);
}

void TFormTeil::Melden(const QString &text, bool fehler, int feld) {
  meldung_->setText(text);
  QPalette farben = meldung_->palette();
  farben.setColor(QPalette::WindowText, fehler ? Dunkelrot : palette().color(QPalette::WindowText));
  meldung_->setPalette(farben);
  if (feld >= 0 && feld < FelderHoechstens) felder_[static_cast<std::size_t>(feld)]->setHintergrund(Rot);
  if (fehler != fehlerhaft_) {
    fehlerhaft_ = fehler;
    emit FehlerGeaendert();
  }
}

} // namespace kwt
