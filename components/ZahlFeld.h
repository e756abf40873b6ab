// Masked numeric entry fields: the bounds and the number of trials of the main window, the
// midpoints, percentages and sum of the distribution editor.
//
// A picture mask fixes what a field shows and accepts:
//   '#'  a position for a digit, a blank, a minus sign or the decimal point;
//   'i'  a position for a digit, a blank or a minus sign: the field holds a whole number;
//   ','  the thousands separator, shown where the number needs one;
//   '.'  the decimal point; the positions after it fix the number of decimals.
// "##,###,###.##" takes up to eight digits before the decimal separator and shows exactly two after
// it; "iii,iii,iii,iii" takes a whole number of up to twelve digits. The fields show and accept the
// separators of the user's regional settings (the widget's QLocale), unlike the program's display
// strings, which always use a decimal comma.
//
// A '#' field holds an extended value; an 'i' field a signed 32-bit number, and a whole number outside
// -2147483648..2147483647 fails its validation. Text that fails (also an empty field) is shown with a
// red background and black text, and reading such a field gives 0. Text is turned into a number with
// round-to-nearest whatever the program's rounding mode is.
//
// A value set from code that needs more digits than the mask has is shown whole with the mask's
// decimals ("1234,50" in a "###.##" field, "123.456.789,00" in "##,###,###.##"), never cut: the mask limits what the user types,
// not what the program shows. The field keeps such a value exactly until the user edits it.
#pragma once

#include <QColor>
#include <QLineEdit>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

#include "Gleitkomma.h"

namespace kwt {

struct TZahlMaske {
  QString Bild;
  int Vorkommastellen = 0;  // digit positions before the decimal point
  int Nachkommastellen = 0; // positions after it: the fixed number of decimals
  bool Ganzzahlig = false;  // an 'i' mask
  bool Gruppiert = false;   // the mask shows thousands separators
};

TZahlMaske MaskeLesen(const QString &bild);

enum class TTextPruefung {
  Abgelehnt, // a character the mask cannot take, a second separator, too many decimals
  Unfertig,  // could become a number (empty, "-", misplaced group separator) or out of range
  Gueltig,
};

struct TTextBefund {
  TTextPruefung Pruefung = TTextPruefung::Unfertig;
  int Vorkommaziffern = 0; // digits before the decimal separator, whatever the verdict
  Extended Wert = 0;       // only meaningful when Gueltig
};

// Checks a field's text: blanks around it are allowed, a minus sign only in front, thousands
// separators only before the decimal separator and each followed by exactly three digits.
// The number of digits before the decimal separator is not limited here (see TZahlFeld).
TTextBefund TextPruefen(const QString &text, const TZahlMaske &maske, const QLocale &locale);

// The text a field shows for a value: the mask's decimals (rounded half away from zero, as the
// program's formatter does), thousands grouped if the mask groups, the locale's separators.
QString WertAlsText(Extended wert, const TZahlMaske &maske, const QLocale &locale);

class TZahlPruefer;

class TZahlFeld : public QLineEdit {
  Q_OBJECT
  friend class TZahlPruefer;

public:
  explicit TZahlFeld(const QString &maske, QWidget *eltern = nullptr);

  void setMaske(const QString &bild);
  const TZahlMaske &Maske() const { return maske_; }

  // The value; 0 when the text is no valid number.
  Extended Wert() const;
  // The whole-number value of an 'i' field; for a '#' field the value truncated toward zero.
  // 0 when the text is no valid number or the value lies outside the 32-bit range.
  std::int32_t Ganzzahl() const;
  bool Gueltig() const { return gueltig_; }

  // Set from code: the text follows the mask and geaendert() is not emitted.
  void setWert(Extended wert);
  void setGanzzahl(std::int32_t wert);

  // The background of a valid field (the sum field turns green or red); an invalid colour restores
  // the style's background. Invalid content always shows red with black text.
  void setHintergrund(const QColor &farbe);
  void setTextfarbe(const QColor &farbe);

  // A field that only shows a value: read-only, disabled (grey text), takes no focus; with
  // fensterHintergrund the background is the window's colour instead of the field colour.
  void setNurAnzeige(bool fensterHintergrund);

  // A field that may stay empty (an optional number): empty, it holds no number but is not shown
  // red. Other text that fails is red as in any field.
  void setLeerErlaubt(bool erlaubt);

signals:
  // The user changed the text (typing, deleting, pasting, undo): once per change of the text.
  void geaendert();

protected:
  void focusOutEvent(QFocusEvent *ereignis) override;

private:
  void TextGeaendert();
  void FarbenSetzen();
  void TextVonCodeSetzen(const QString &text);

  TZahlMaske maske_;
  QString bestaetigterText_; // the text before the edit the validator is looking at
  bool gueltig_ = false;
  bool vonCode_ = false;
  std::optional<Extended> gesetzterWert_;
  QColor hintergrund_;
  QColor textfarbe_;
  bool fensterHintergrund_ = false;
  bool leerErlaubt_ = false;
};

} // namespace kwt
