#include "FensterAnzeige.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>

#include <limits>

#include "DiagrammAnsicht.h"
#include "LaufDiagramme.h"

namespace kwt {

void TFensterAnzeige::Beginnen() {
  laeuft_ = true;
  uhr_.start();
  letzteZeichnung_ = -Bildabstand;
}

void TFensterAnzeige::Abschliessen() {
  laeuft_ = false;
  Zeichnen();
}

void TFensterAnzeige::VersuchZeigen(std::int32_t versuch) {
  versuch_ = versuch;
  versuchOffen_ = true;
}

void TFensterAnzeige::Fortschritt(int prozent) {
  prozent_ = prozent;
  prozentOffen_ = true;
  if (!laeuft_ || Faellig()) Zeichnen();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TFensterAnzeige::KennzahlZeigen(Kennzahl k, const std::string &text) {
  w_.Werte[static_cast<std::size_t>(k)]->setText(QString::fromStdString(text));
}

bool TFensterAnzeige::HistogrammKontinuierlich() const { return w_.Kontinuierlich->isChecked(); }

void TFensterAnzeige::HistogrammLeeren() {
  histogramm_ = nullptr;
  kwt::HistogrammLeeren(*w_.Histogramm);
  w_.Histogramm->SofortZeichnen();
}

void TFensterAnzeige::HistogrammZeichnen(const Histogramm &h) {
  histogramm_ = &h;
  if (!laeuft_ || Faellig()) Zeichnen();
}

void TFensterAnzeige::KurveZeichnen(const RHKurve &kurve) { KurveZeigen(*w_.Kurve, kurve); }

Meldetakt TFensterAnzeige::MeldetaktWaehlen() const { return {std::numeric_limits<std::int32_t>::max(), 8}; }

void TFensterAnzeige::Zwischenablage(const std::string &text) {
  QGuiApplication::clipboard()->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void TFensterAnzeige::Zeichnen() {
  if (versuchOffen_) w_.Zaehler->setText(QString::number(versuch_));
  if (prozentOffen_) w_.Fortschritt->setValue(prozent_);
  versuchOffen_ = prozentOffen_ = false;
  if (histogramm_) {
    HistogrammZeigen(*w_.Histogramm, *histogramm_);
    w_.Histogramm->SofortZeichnen();
    histogramm_ = nullptr;
  }
  if (laeuft_) letzteZeichnung_ = uhr_.elapsed();
}

} // namespace kwt
