#include "ZahlFeld.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFont>
#include <QPalette>
#include <QValidator>

#include "W32_CLC.h"

namespace kwt {

TZahlMaske MaskeLesen(const QString &bild) {
  TZahlMaske maske;
  maske.Bild = bild;
  bool nachDemPunkt = false;
  for (QChar c : bild) {
    if (c == u'.') {
      nachDemPunkt = true;
    } else if (c == u',') {
      maske.Gruppiert = true;
    } else if (c == u'#' || c == u'i') {
      if (c == u'i') maske.Ganzzahlig = true;
      ++(nachDemPunkt ? maske.Nachkommastellen : maske.Vorkommastellen);
    }
  }
  if (maske.Ganzzahlig) maske.Nachkommastellen = 0;
  return maske;
}

TTextBefund TextPruefen(const QString &text, const TZahlMaske &maske, const QLocale &locale) {
  TTextBefund befund;
  qsizetype anfang = 0, ende = text.size();
  while (anfang < ende && text[anfang] == u' ') ++anfang;
  while (ende > anfang && text[ende - 1] == u' ') --ende;
  const QStringView t = QStringView(text).mid(anfang, ende - anfang);

  const QString dezimal = locale.decimalPoint();
  const QString gruppe = locale.groupSeparator();
  bool negativ = false;
  bool dezimalGesehen = false;
  QString vor, nach;
  QList<qsizetype> trenner; // digits before each thousands separator
  qsizetype i = 0;
  if (!t.isEmpty() && t[0] == u'-') {
    negativ = true;
    i = 1;
  }
  befund.Pruefung = TTextPruefung::Abgelehnt;
  while (i < t.size()) {
    const QChar c = t[i];
    if (c >= u'0' && c <= u'9') {
      (dezimalGesehen ? nach : vor) += c;
      ++i;
    } else if (maske.Nachkommastellen > 0 && !dezimal.isEmpty() && t.mid(i).startsWith(dezimal)) {
      if (dezimalGesehen) return befund;
      dezimalGesehen = true;
      i += dezimal.size();
    } else if (maske.Gruppiert && !gruppe.isEmpty() && !dezimalGesehen && t.mid(i).startsWith(gruppe)) {
      trenner.append(vor.size());
      i += gruppe.size();
    } else {
      return befund;
    }
  }
  befund.Vorkommaziffern = static_cast<int>(vor.size());
  if (nach.size() > maske.Nachkommastellen) return befund;

  befund.Pruefung = TTextPruefung::Unfertig;
  if (vor.isEmpty() && nach.isEmpty()) return befund;
  // "4.8" under German settings is most likely a mistyped 4,8; only well-placed groups count.
  for (qsizetype k = 0; k < trenner.size(); ++k) {
    const qsizetype naechste = k + 1 < trenner.size() ? trenner[k + 1] : vor.size();
    if (trenner[k] == 0 || naechste - trenner[k] != 3) return befund;
  }

  if (maske.Ganzzahlig) {
    qsizetype erste = 0;
    while (erste < vor.size() && vor[erste] == u'0') ++erste;
    if (vor.size() - erste > 10) return befund;
    std::int64_t n = 0;
    for (qsizetype k = erste; k < vor.size(); ++k) n = n * 10 + (vor[k].unicode() - u'0');
    if (negativ) n = -n;
    if (n < INT32_MIN || n > INT32_MAX) return befund;
    befund.Wert = static_cast<Extended>(n);
  } else {
    std::string cForm = negativ ? "-" : "";
    cForm += vor.isEmpty() ? std::string("0") : vor.toStdString();
    if (!nach.isEmpty()) cForm += "." + nach.toStdString();
    Extended wert = 0;
    if (!TextZuExtendedVersuchen(cForm, wert)) return befund;
    befund.Wert = wert;
  }
  befund.Pruefung = TTextPruefung::Gueltig;
  return befund;
}

QString WertAlsText(Extended wert, const TZahlMaske &maske, const QLocale &locale) {
  const int dezimalen = maske.Ganzzahlig ? 0 : maske.Nachkommastellen;
  // The program's formatter gives '-', the digits and its own decimal character; NAN, INF and the
  // exponent form of huge values come through as they are, with the locale's decimal separator.
  const QString roh = QString::fromStdString(FestkommaFormatieren(wert, dezimalen, false));
  const QChar formatDezimal = QChar::fromLatin1(DezimalZeichen());
  const bool negativ = roh.startsWith(u'-');
  const QString betrag = negativ ? roh.mid(1) : roh;
  const qsizetype komma = betrag.indexOf(formatDezimal);
  const QString vor = komma < 0 ? betrag : betrag.left(komma);
  const QString nach = komma < 0 ? QString() : betrag.mid(komma + 1);
  bool nurZiffern = !vor.isEmpty();
  for (QChar c : vor + nach) nurZiffern = nurZiffern && c >= u'0' && c <= u'9';
  if (!nurZiffern) {
    QString text = roh;
    return text.replace(formatDezimal, locale.decimalPoint());
  }

  QString gruppiert;
  for (qsizetype k = 0; k < vor.size(); ++k) {
    if (maske.Gruppiert && k > 0 && (vor.size() - k) % 3 == 0) gruppiert += locale.groupSeparator();
    gruppiert += vor[k];
  }
  bool null = true;
  for (QChar c : vor + nach) null = null && c == u'0';
  QString text = negativ && !null ? QStringLiteral("-") : QString();
  text += gruppiert;
  if (dezimalen > 0) text += locale.decimalPoint() + nach;
  return text;
}

// Refuses keystrokes the mask cannot take. Digits beyond the mask's positions are refused too, but a
// longer value that the program put into the field can still be shortened.
class TZahlPruefer : public QValidator {
public:
  explicit TZahlPruefer(TZahlFeld *feld) : QValidator(feld), feld_(feld) {}

  State validate(QString &text, int &) const override {
    const TTextBefund befund = TextPruefen(text, feld_->Maske(), feld_->locale());
    if (befund.Pruefung == TTextPruefung::Abgelehnt) return Invalid;
    if (befund.Vorkommaziffern > feld_->Maske().Vorkommastellen &&
        befund.Vorkommaziffern > TextPruefen(feld_->bestaetigterText_, feld_->Maske(), feld_->locale()).Vorkommaziffern)
      return Invalid;
    return befund.Pruefung == TTextPruefung::Gueltig ? Acceptable : Intermediate;
  }

private:
  TZahlFeld *feld_;
};

TZahlFeld::TZahlFeld(const QString &maske, QWidget *eltern) : QLineEdit(eltern) {
  QFont schrift;
  // Courier New where the system has it, else another monospaced font of the same size.
  schrift.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                       QStringLiteral("DejaVu Sans Mono")});
  schrift.setStyleHint(QFont::TypeWriter);
  schrift.setPointSize(9);
  setFont(schrift);
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setValidator(new TZahlPruefer(this));
  connect(this, &QLineEdit::textChanged, this, &TZahlFeld::TextGeaendert);
  // QLineEdit reports an edit before the change of its text: the field takes the new text first, so
  // that a receiver of geaendert() reads the typed value, not the one set from code before.
  connect(this, &QLineEdit::textEdited, this, [this] {
    TextGeaendert();
    emit geaendert();
  });
  setMaske(maske);
}

void TZahlFeld::setMaske(const QString &bild) {
  maske_ = MaskeLesen(bild);
  TextGeaendert();
}

Extended TZahlFeld::Wert() const {
  if (gesetzterWert_) return *gesetzterWert_;
  const TTextBefund befund = TextPruefen(text(), maske_, locale());
  return befund.Pruefung == TTextPruefung::Gueltig ? befund.Wert : 0;
}

std::int32_t TZahlFeld::Ganzzahl() const {
  const Extended wert = Wert();
  const Extended ganz = std::trunc(wert);
  if (!(ganz >= -2147483648.0L && ganz <= 2147483647.0L)) return 0;
  return static_cast<std::int32_t>(ganz);
}

void TZahlFeld::TextVonCodeSetzen(const QString &text) {
  vonCode_ = true;
  setText(text);
  TextGeaendert(); // also when the text stayed the same and textChanged did not come
  vonCode_ = false;
}

void TZahlFeld::setWert(Extended wert) {
  const QString text = WertAlsText(wert, maske_, locale());
  // A whole-number field keeps only what it shows; a decimal field keeps the value itself, so that
  // reading it back gives exactly what the program wrote.
  if (maske_.Ganzzahlig) {
    gesetzterWert_.reset();
  } else {
    gesetzterWert_ = wert;
  }
  TextVonCodeSetzen(text);
}

void TZahlFeld::setGanzzahl(std::int32_t wert) { setWert(static_cast<Extended>(wert)); }

void TZahlFeld::TextGeaendert() {
  bestaetigterText_ = text();
  if (!vonCode_) gesetzterWert_.reset();
  gueltig_ = gesetzterWert_.has_value() ||
             TextPruefen(text(), maske_, locale()).Pruefung == TTextPruefung::Gueltig;
  FarbenSetzen();
}

void TZahlFeld::focusOutEvent(QFocusEvent *ereignis) {
  QLineEdit::focusOutEvent(ereignis);
  // What the user typed is shown in the mask's form once they leave the field ("4,8" becomes "4,80").
  if (gesetzterWert_ || isReadOnly()) return;
  const TTextBefund befund = TextPruefen(text(), maske_, locale());
  if (befund.Pruefung != TTextPruefung::Gueltig) return;
  const QString form = WertAlsText(befund.Wert, maske_, locale());
  if (form != text()) {
    TextVonCodeSetzen(form);
    gesetzterWert_.reset();
  }
}

void TZahlFeld::setHintergrund(const QColor &farbe) {
  hintergrund_ = farbe;
  FarbenSetzen();
}

void TZahlFeld::setTextfarbe(const QColor &farbe) {
  textfarbe_ = farbe;
  FarbenSetzen();
}

void TZahlFeld::setNurAnzeige(bool fensterHintergrund) {
  setReadOnly(true);
  setEnabled(false);
  setFocusPolicy(Qt::NoFocus);
  fensterHintergrund_ = fensterHintergrund;
  FarbenSetzen();
}

void TZahlFeld::setLeerErlaubt(bool erlaubt) {
  leerErlaubt_ = erlaubt;
  FarbenSetzen();
}

void TZahlFeld::FarbenSetzen() {
  QPalette farben = parentWidget() ? parentWidget()->palette() : QApplication::palette(this);
  auto alleGruppen = [&farben](QPalette::ColorRole rolle, const QColor &farbe) {
    for (auto gruppe : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) farben.setColor(gruppe, rolle, farbe);
  };
  if (!gueltig_ && !(leerErlaubt_ && text().trimmed().isEmpty())) {
    alleGruppen(QPalette::Base, QColor(255, 0, 0));
    alleGruppen(QPalette::Text, QColor(0, 0, 0));
  } else {
    if (fensterHintergrund_) alleGruppen(QPalette::Base, farben.color(QPalette::Active, QPalette::Window));
    if (hintergrund_.isValid()) alleGruppen(QPalette::Base, hintergrund_);
    if (textfarbe_.isValid()) alleGruppen(QPalette::Text, textfarbe_);
  }
  setPalette(farben);
}

} // namespace kwt
