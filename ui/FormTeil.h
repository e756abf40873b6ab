// The distribution editor's "Form…" part: a shape (Formen.h) and its numbers, in the German number
// format and masked like the other fields. Every change that leaves valid numbers gives the editor
// new bounds and percentages at once (signal Berechnet); a number the shape cannot take gets a German
// message naming the field, its field turns red, and nothing else changes.
//
// Choosing a shape fills its fields from the bounds the editor has at that moment (dreieck and pert:
// the bounds and their middle; normal: the middle and a sixth of the width, so that ±3 SIGMA are the
// bounds again; spanne: the middle third, holding 66,7 per cent; gleich: the bounds) and computes.
#pragma once

#include <QWidget>

#include <array>
#include <optional>

#include "Formen.h"

class QComboBox;
class QLabel;

namespace kwt {

class TZahlFeld;

class TFormTeil : public QWidget {
  Q_OBJECT

public:
  static constexpr int FelderHoechstens = 4;

  explicit TFormTeil(QWidget *eltern = nullptr);

  // Shows the given shape with its numbers, or, without one, the current shape's defaults for the
  // bounds; then computes as after a change.
  void Vorbelegen(const std::optional<FormAngabe> &form, Extended min, Extended max);

  // The percentages were typed by hand or came from a preset: the shape no longer describes them.
  // Its message is withdrawn; the fields stay for another try.
  void Aufgegeben();

  // A message about the numbers is showing: the editor keeps OK disabled meanwhile.
  bool Fehlerhaft() const { return fehlerhaft_; }

  QComboBox *EFormArt() const { return eFormArt_; }
  TZahlFeld *EFormZahl(int i) const { return felder_[static_cast<std::size_t>(i)]; } // 0-based
  QLabel *LFormZahl(int i) const { return beschriftungen_[static_cast<std::size_t>(i)]; }
  QLabel *LFormMeldung() const { return meldung_; }
  FormArt Art() const;

signals:
  void Berechnet(const kwt::FormAngabe &angabe, const kwt::FormErgebnis &ergebnis);
  void FehlerGeaendert();

private:
  void ArtGewaehlt();
  void FelderZeigen();
  void StandardZahlen();
  void Berechnen();
  void Melden(const QString &text, bool fehler, int feld = -1);

  QComboBox *eFormArt_ = nullptr;
  std::array<QLabel *, FelderHoechstens> beschriftungen_{};
  std::array<TZahlFeld *, FelderHoechstens> felder_{};
  QLabel *meldung_ = nullptr;
  Extended min_ = 0, max_ = 0; // the bounds the editor has: from the table, then from each result
  bool fehlerhaft_ = false;
};

} // namespace kwt
