// The main window: the ten bounds and the number of trials, "Berechnen" and "Stop", the nine summary
// figures, the histogram and the cumulative curve on two tabs, the menu, a hint bar and the status bar.
//
// How data flows through the program: bounds and percentages (the fields here, the distribution
// editor, the presets) -> class tables (Bewertungsmodell::VerteilungenVorbereiten) -> five random class
// draws per trial -> market value (Ertragswert) -> result store, sorted lines, histogram and curve, the
// nine figures (Laufergebnis, filled by Simulationslauf) -> labels and charts here. The run's header,
// simulation/Simulationslauf.h, tells the steps of a run.
//
// The window only reads its fields, calls the run and shows what it returns. A run goes through the
// display interface (TFensterAnzeige, FensterAnzeige.h): the run reports its trials and lets the window
// process its pending messages there, so "Stop", Esc, "Aktualisieren", the presets and the distribution
// editor all work in the middle of a run. The screen is refreshed at most once per frame while a run
// goes; the final state is always drawn.
//
// Its code is cut along its jobs: MainForm.cpp (creation, defaults, keys, closing), MainFormAufbau.cpp
// (the layout and the menu), MainFormBefehle.cpp (the commands). Commands catch the program's errors at
// their edge (BefehlAusfuehren, Meldungen.h) and show them in the error box; what the command did
// before the error stays.
#pragma once

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

#include "Bewertungsmodell.h"
#include "Restnutzungsdauer.h"
#include "Simulationslauf.h"
#include "Standardwerte.h"
#include "Szenario.h"

class QAction;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QPrinter;

namespace kwt {

struct TGrenzenUndForm;
class TDiagrammAnsicht;
class TStatusLeiste;
class TZahlFeld;
class TFensterAnzeige;

// The status bar's version pane shows this and it never changes.
inline constexpr const char *VersionsText = "2";

class TMainForm : public QMainWindow {
  Q_OBJECT

public:
  // The window works on the program's one model; it is created with the window and lives as long.
  explicit TMainForm(Bewertungsmodell &modell, QWidget *eltern = nullptr);
  ~TMainForm() override;

  // Runs once after the window has been created (after the splash is up): seeds the random source
  // again, resets the counters, clears the tables and writes the defaults.
  void FormCreate();

  Bewertungsmodell &Modell() { return modell_; }
  // The run with its result; the window alone starts and stops it.
  const Simulationslauf &Lauf() const { return lauf_; }
  TDiagrammAnsicht *Chart2() const { return chart2_; }
  TDiagrammAnsicht *ChartRH() const { return chartRH_; }

  // The distribution editor, opened by the five "Verteilung" buttons with the display name, the
  // parameter's table, its bounds and shape; true on OK. VerteilungBearbeiten (DialogVerteilung.h)
  // unless a test replaces it.
  using TVerteilungBearbeiten =
      std::function<bool(QWidget *eltern, const QString &name, TParamVerteilung &tabelle, TGrenzenUndForm &rahmen)>;
  void setVerteilungBearbeiten(TVerteilungBearbeiten f) { verteilungBearbeiten_ = std::move(f); }
  // The about box ("Info").
  void setProgrammInfo(std::function<void(QWidget *)> f) { programmInfo_ = std::move(f); }
  // The print dialog PrDlg before a chart of this window prints; true when the user confirmed.
  using TDruckDialog = std::function<bool(QWidget *eltern, QPrinter &drucker)>;
  void setDruckDialog(TDruckDialog f) { druckDialog_ = std::move(f); }
  // The file dialog for scenarios, CSV and the report: returns the chosen path, empty when cancelled.
  // The save dialog asks before it replaces an existing file. filter holds the dialog's filters,
  // the first one chosen at the start; the dialog leaves in it the filter the user chose (the CSV
  // file's separator follows it).
  using TDateiDialog = std::function<QString(QWidget *eltern, bool speichern, const QString &titel,
                                             QString &filter, const QString &endung)>;
  void setDateiDialog(TDateiDialog f) { dateiDialog_ = std::move(f); }

  // What the fields and tables hold, as a scenario, with each shape that still gives its parameter's
  // bounds and percentages; throws Fehler when a field holds no valid number.
  Szenario SzenarioAusFenster() const;
  // Fills the fields and tables as if the user had typed them, and remembers the shapes that made them.
  void SzenarioInsFenster(const Szenario &szenario);
  // Opens a scenario file as the menu does after its dialog (also the one named on the command line):
  // a file that is not a valid scenario gets the error box and changes nothing.
  void SzenarioOeffnen(const QString &pfad);

public slots:
  void BtnCalculateClick();
  void BtnStopClick();
  void mnDateiAktualisierenClick();
  void mnDateiZWClick();
  void mnSzenarioOeffnenClick();
  void mnSzenarioSpeichernClick();
  void mnWerteCsvClick();
  void mnDateiSchliessenClick();
  void Info1Click();
  void mnExakteVerteilungClick();
  void mnBerichtPdfClick();
  void mnNormalverteilungClick() { MenuVoreinstellung(MenuVoreinstellung::Normalverteilung); }
  void mnLinksschiefeVerteilungClick() { MenuVoreinstellung(MenuVoreinstellung::LinksschiefeVerteilung); }
  void mnRechtsschiefeVerteilungClick() { MenuVoreinstellung(MenuVoreinstellung::RechtsschiefeVerteilung); }
  void mnGleichverteilungClick() { MenuVoreinstellung(MenuVoreinstellung::Gleichverteilung); }
  void mnEinpunktverteilungClick() { MenuVoreinstellung(MenuVoreinstellung::Einpunktverteilung); }
  void mnZweipunktverteilungClick() { MenuVoreinstellung(MenuVoreinstellung::Zweipunktverteilung); }
  void BtnV_LZClick() { VerteilungKnopf(LZ); }
  void BtnV_RNDClick() { VerteilungKnopf(RND); }
  void BtnV_ROClick() { VerteilungKnopf(RO); }
  void BtnV_BWKClick() { VerteilungKnopf(BWK); }
  void BtnV_BOClick() { VerteilungKnopf(BO); }
  // "Modernisierung…" in the RND row: the RND bounds from the remaining-life model.
  void BtnRND_ModellClick();

protected:
  bool eventFilter(QObject *objekt, QEvent *ereignis) override;
  void closeEvent(QCloseEvent *ereignis) override;

private:
  void Aufbauen();
  void MenuAufbauen();
  QWidget *ParameterGruppe();
  QWidget *BerechnenGruppe();
  QWidget *StatistikGruppe();
  void StandardwerteSetzen();
  void FortschrittZeigen();
  void MenuVoreinstellung(kwt::MenuVoreinstellung v);
  void VerteilungKnopf(Parameter p);
  void GrenzenLesen(Parameterwerte &min, Parameterwerte &max) const;
  void FormKeyDown(QKeyEvent *taste);

  Bewertungsmodell &modell_;
  Simulationslauf lauf_;
  std::unique_ptr<TFensterAnzeige> anzeige_;
  bool schliessenNachLauf_ = false;

  std::array<TZahlFeld *, ParameterAnzahl> eMin_{};
  std::array<TZahlFeld *, ParameterAnzahl> eMax_{};
  std::array<QPushButton *, ParameterAnzahl> btnV_{};
  QPushButton *btnRndModell_ = nullptr;
  RndModellEingabe rndModell_; // the remaining-life dialog's entries, kept for its next opening
  TZahlFeld *eVersuche_ = nullptr;
  QLabel *lCount_ = nullptr;
  QCheckBox *cbHistogramm_ = nullptr;
  QPushButton *btnCalculate_ = nullptr;
  QPushButton *btnStop_ = nullptr;
  QProgressBar *progress_ = nullptr;
  std::array<QLabel *, Kennzahlen.size()> werte_{};
  QTabWidget *pageControl_ = nullptr;
  TDiagrammAnsicht *chart2_ = nullptr;
  TDiagrammAnsicht *chartRH_ = nullptr;
  TStatusLeiste *status_ = nullptr;

  TVerteilungBearbeiten verteilungBearbeiten_;
  std::function<void(QWidget *)> programmInfo_;
  TDruckDialog druckDialog_;
  TDateiDialog dateiDialog_;
};

} // namespace kwt
