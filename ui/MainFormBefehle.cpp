// The main window's commands: "Berechnen" and "Stop", the menus "&Datei", "&Verteilungen",
// "&Auswertung" (exact distribution, comparison with a scenario, report) and "Info", the five
// "Verteilung" buttons and "Modernisierung…" of the RND row. Every command runs through the error
// edge (BefehlAusfuehren, Meldungen.h): an error ends it where it occurs and shows the error box, and
// what the command did before stays.
#include <QDateTime>
#include <QFileInfo>

#include "Auswertung.h"
#include "BerichtPdf.h"
#include "Datei.h"
#include "DialogAuswertung.h"
#include "DialogRestnutzungsdauer.h"
#include "DialogVergleich.h"
#include "DialogVerteilung.h"
#include "ErgebnisCsv.h"
#include "FensterAnzeige.h"
#include "MainForm.h"
#include "Meldungen.h"
#include "ParameterPanels.h"
#include "ZahlFeld.h"

namespace kwt {

namespace {
const char *SzenarioFilter = "KWT-Szenarien (*.kwt);;Alle Dateien (*)";
// The CSV file's separator is the filter chosen in the save dialog. Semicolons come first: a
// spreadsheet under German regional settings opens a comma file as one column.
const char *CsvSemikolonFilter = "CSV mit Semikolon – Excel und LibreOffice auf Deutsch (*.csv)";
const char *CsvKommaFilter = "CSV mit Komma – RFC 4180, für R und Python (*.csv)";
} // namespace

void TMainForm::BtnCalculateClick() {
  // A second "Berechnen" while a run goes does nothing.
  if (lauf_.Laeuft()) return;
  BefehlAusfuehren(this, [this] {
    Parameterwerte min, max;
    GrenzenLesen(min, max);
    anzeige_->Beginnen();
    const Laufergebnis *ergebnis = nullptr;
    {
      struct Abschluss {
        TFensterAnzeige &a;
        ~Abschluss() { a.Abschliessen(); }
      } abschluss{*anzeige_};
      ergebnis = &lauf_.SchnellBerechnen(min, max, eVersuche_->Ganzzahl(), *anzeige_);
    }
    // The final state is on the screen before the error box.
    if (ergebnis->Fehlgeschlagen()) FehlerMelden(this, QString::fromStdString(ergebnis->Fehlermeldung));
  });
  // A close asked for during the run happens now that the run has ended.
  if (schliessenNachLauf_) close();
}

void TMainForm::BtnStopClick() { lauf_.Stoppen(); }

void TMainForm::mnDateiAktualisierenClick() {
  BefehlAusfuehren(this, [this] { lauf_.Auffrischen(*anzeige_); });
}

void TMainForm::mnDateiZWClick() {
  BefehlAusfuehren(this, [this] { anzeige_->Zwischenablage(lauf_.Ergebnis().Liste.ZwischenablageText()); });
}

void TMainForm::mnDateiSchliessenClick() { close(); }

void TMainForm::mnSzenarioOeffnenClick() {
  BefehlAusfuehren(this, [this] {
    QString filter = SzenarioFilter;
    const QString pfad = dateiDialog_(this, false, "Szenario öffnen", filter, "kwt");
    if (!pfad.isEmpty()) SzenarioOeffnen(pfad);
  });
}

void TMainForm::SzenarioOeffnen(const QString &pfad) {
  // Read and checked whole before anything changes: a bad file leaves the window as it was. A shape
  // the file no longer fits was dropped while reading; the window says so once the rest is in place.
  std::vector<std::string> hinweise;
  if (!BefehlAusfuehren(this, [&] { SzenarioInsFenster(SzenarioLaden(pfad.toStdString(), &hinweise)); })) return;
  for (const std::string &h : hinweise) HinweisMelden(this, QString::fromStdString(h));
}

void TMainForm::mnSzenarioSpeichernClick() {
  BefehlAusfuehren(this, [this] {
    const Szenario s = SzenarioAusFenster();
    QString filter = SzenarioFilter;
    const QString pfad = dateiDialog_(this, true, "Szenario speichern", filter, "kwt");
    if (!pfad.isEmpty()) SzenarioSpeichern(pfad.toStdString(), s);
  });
}

void TMainForm::mnWerteCsvClick() {
  BefehlAusfuehren(this, [this] {
    QString filter = QString::fromUtf8(CsvSemikolonFilter) + ";;" + QString::fromUtf8(CsvKommaFilter) + ";;Alle Dateien (*)";
    const QString pfad = dateiDialog_(this, true, "Werte als CSV speichern", filter, "csv");
    if (pfad.isEmpty()) return;
    const CsvTrenner trenner = filter == QString::fromUtf8(CsvKommaFilter) ? CsvTrenner::Komma : CsvTrenner::Semikolon;
    DateiSicherSchreiben(pfad.toStdString(), ErgebnisCsv(lauf_.Ergebnis(), trenner));
  });
}

void TMainForm::Info1Click() {
  BefehlAusfuehren(this, [this] {
    if (programmInfo_) programmInfo_(this);
  });
}

void TMainForm::mnExakteVerteilungClick() {
  BefehlAusfuehren(this, [this] {
    Parameterwerte min, max;
    GrenzenLesen(min, max);
    TDlgAuswertung dialog(AuswertungBerechnen(modell_, min, max, lauf_.Ergebnis(), lauf_.Laeuft(), schwellen_), this);
    dialog.setDruckAbfrage([this, &dialog](QPrinter &drucker) { return druckDialog_ && druckDialog_(&dialog, drucker); });
    dialog.exec();
    // The amounts the valuer entered stay for the next opening and the report.
    schwellen_ = dialog.Schwellenbetraege();
  });
}

void TMainForm::mnVergleichenClick() {
  BefehlAusfuehren(this, [this] {
    Parameterwerte min, max;
    GrenzenLesen(min, max);
    QString filter = SzenarioFilter;
    const QString pfad = dateiDialog_(this, false, "Szenario zum Vergleich öffnen", filter, "kwt");
    if (pfad.isEmpty()) return;
    const Szenario b = SzenarioLaden(pfad.toStdString());
    const std::string name = QFileInfo(pfad).fileName().toStdString();
    TDlgVergleich dialog(VergleichBerechnen(modell_, min, max, b, name, schwellen_), this);
    // The report carries the comparison from now on.
    vergleichB_ = {b, name};
    dialog.setDruckAbfrage([this, &dialog](QPrinter &drucker) { return druckDialog_ && druckDialog_(&dialog, drucker); });
    dialog.exec();
  });
}

void TMainForm::mnBerichtPdfClick() {
  BefehlAusfuehren(this, [this] {
    Parameterwerte min, max;
    GrenzenLesen(min, max);
    const Auswertung a = AuswertungBerechnen(modell_, min, max, lauf_.Ergebnis(), lauf_.Laeuft(), schwellen_);
    QString filter = "PDF-Dateien (*.pdf);;Alle Dateien (*)";
    const QString pfad = dateiDialog_(this, true, "Bericht als PDF speichern", filter, "pdf");
    if (pfad.isEmpty()) return;
    std::optional<Vergleichsauswertung> vergleich;
    if (vergleichB_) vergleich = VergleichBerechnen(modell_, min, max, vergleichB_->first, vergleichB_->second, schwellen_);
    const QByteArray pdf = BerichtPdf(a, lauf_.Ergebnis(), QDateTime::currentDateTime(), vergleich ? &*vergleich : nullptr);
    DateiSicherSchreiben(pfad.toStdString(), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
  });
}

void TMainForm::MenuVoreinstellung(kwt::MenuVoreinstellung v) { MenuVoreinstellungAnwenden(modell_, v); }

void TMainForm::VerteilungKnopf(Parameter p) {
  BefehlAusfuehren(this, [this, p] {
    Parameterwerte min, max;
    GrenzenLesen(min, max);
    modell_.VerteilungenVorbereiten(min, max);
    if (!verteilungBearbeiten_) return;
    TGrenzenUndForm rahmen{min[p], max[p], modell_.GueltigeForm(p)};
    if (!verteilungBearbeiten_(this, QString::fromUtf8(ParameterPanels[p].AnzeigeName), modell_.Verteilungen[p],
                               rahmen))
      return;
    modell_.Formen[p] = rahmen.Form;
    if (rahmen.GrenzenGeaendert) {
      eMin_[p]->setWert(rahmen.Min);
      eMax_[p]->setWert(rahmen.Max);
    }
  });
}

void TMainForm::BtnRND_ModellClick() {
  BefehlAusfuehren(this, [this] {
    const std::optional<RndModellErgebnis> r = RestnutzungsdauerBestimmen(this, rndModell_);
    if (!r) return;
    eMin_[RND]->setWert(r->Min);
    eMax_[RND]->setWert(r->Max);
    // A shape on the old bounds no longer describes the table.
    modell_.Formen[RND].reset();
  });
}

} // namespace kwt
