// The chart views of the program: the histogram and the cumulative curve of a run in the main window,
// the bar chart of one parameter's distribution in the distribution editor, and in the evaluation
// dialog the exact curve beside the sample's and the tornado of the five parameters.
//
// TDiagrammAnsicht builds the look all three share (white also behind the plot area, no legend, no
// animation, flat, no zooming or panning, bold black title, bold axis labels, dotted grey grid lines
// on the bottom axis only, numbers on numeric axes as "#,##0.###" in the user's number format) and
// offers the three output commands of the right-click menu, "Drucken", "Zwischenablage (Metafile)"
// and "Zwischenablage (Bitmap)", once for all views. A view that shows two things to tell apart (the
// evaluation's views) may switch a legend on; the main window's and the editor's views have none.
//
// Updates are cheap: the axis labels are rebuilt only when they change, and a bar view whose classes
// stay the same only replaces the heights that changed. A histogram refreshed after every trial
// therefore costs little more than the repaint.
//
// The code is cut along its jobs: Achsen.h (labels and steps of the axes), DiagrammAnsicht.cpp (the
// look, one setup per kind of view, the data), DiagrammAusgabe.cpp (print, vector picture, bitmap,
// clipboard, right-click menu).
#pragma once

#include <QChartView>
#include <QList>
#include <QPointF>
#include <QStringList>

#include <array>
#include <functional>

#include "Achsen.h"

class QBarSeries;
class QBarSet;
class QHorizontalBarSeries;
class QLineSeries;
class QMenu;
class QPaintDevice;
class QPainter;
class QPrinter;

namespace kwt {

class TDiagrammAnsicht : public QChartView {
  Q_OBJECT

public:
  enum class Art {
    Balken, // one bar series "BarSeries" (object name Series2), class labels under the bars
    Linien, // line series "RHKurve" (Series1, red) and "Median" (Series3, green), y from 0 to 1
    // Horizontal bars, two per row ("Tief" and "Hoch", Series4), each from a middle value to its
    // own value, and a vertical line at the middle ("Mitte", Series5); the rows' names on the left
    // axis, the values on the bottom axis.
    Tornado,
  };

  explicit TDiagrammAnsicht(Art art, QWidget *eltern = nullptr);

  Art Darstellung() const { return art_; }
  void setTitel(const QString &titel);
  QString Titel() const;

  // Bar view: one bar per class, in order from the left, each labelled under the axis. The labels
  // are applied only when they differ from the last ones; otherwise only changed heights are set.
  void BalkenSetzen(const QStringList &beschriftungen, const QList<double> &hoehen);
  // The value axis (left) of the bar view: fixed from min to max; labels every schritt, or with
  // schritt 0 at a 1-2-5 step that fits the view's height.
  void setLinkeAchse(double min, double max, double schritt = 0);

  // Line view: replaces the points of both series; the bottom axis takes its range from the points.
  void LinienSetzen(const QList<QPointF> &kurve, const QList<QPointF> &median);

  // Tornado view: one row per name, the first at the top. Each row gets a bar from mitte to tief[i]
  // and one from mitte to hoch[i] (a value that is not finite gives no bar); the bottom axis spans
  // all values and mitte and is labelled with the values themselves, not their distance from mitte.
  void TornadoSetzen(const QStringList &namen, const QList<double> &tief, const QList<double> &hoch, double mitte);
  double TornadoMitte() const { return mitte_; }

  // A legend below the plot that names the series (and the bar sets) that have a name.
  void setLegendeSichtbar(bool sichtbar);

  QBarSeries *Balkenreihe() const { return balkenreihe_; }
  QBarSet *Balken() const { return balken_; }
  QLineSeries *Kurve() const { return kurve_; }
  QLineSeries *Median() const { return median_; }
  // The tornado's bars are stored as distances from TornadoMitte(), as bars start at 0.
  QHorizontalBarSeries *Tornadoreihe() const { return tornado_; }
  QBarSet *TornadoTief() const { return tief_; }
  QBarSet *TornadoHoch() const { return hoch_; }
  QLineSeries *Mittellinie() const { return mittellinie_; }
  TAchse *LinkeAchse() const { return linkeAchse_; }
  TAchse *UntereAchse() const { return untereAchse_; }

  // Draws the pending changes now instead of at the next idle moment (a run that redraws the
  // histogram after every trial).
  void SofortZeichnen();

  // --- output --------------------------------------------------------------------------------------
  // The question asked before "Drucken" prints: the main window's print dialog on the current
  // printer, true when the user confirmed. Without one (the distribution editor) "Drucken" prints at
  // once on the current printer.
  using TDruckAbfrage = std::function<bool(QPrinter &drucker)>;
  void setDruckAbfrage(TDruckAbfrage abfrage) { druckAbfrage_ = std::move(abfrage); }

  // Object names of the right-click menu and its four entries (including the separator), e.g.
  // "PopupDruckenRH", {"MenuItem1", "MenuItem2", "MenuItem3", "MenuItem4"}. The defaults are
  // "PopupDrucken", {"PopDrucken", "N1", "Zwischenablage1", "ZwischenablageBitmap1"}.
  void setMenuNamen(const QString &menu, const std::array<QString, 4> &eintraege);
  QMenu *Menu() const { return menu_; }

  // The view's on-screen size, at least 1 x 1: the size of the picture of every output.
  QSize Bildgroesse() const;
  QImage AlsBild();    // white background
  QByteArray AlsSvg(); // vector picture

public slots:
  // The three commands of the menu. Each reports its own failures in the error box (Meldungen.h)
  // and returns whether it did its job; nothing is thrown.
  bool Drucken();             // the question (if any), then the current printer
  bool MetafileKopieren();    // vector picture, replacing everything on the clipboard
  bool BitmapKopieren();      // bitmap, replacing everything on the clipboard

public:
  // Prints one page on the given printer; the job is named after the view's object name. A printer
  // that prints to a PDF file writes it through the program's safe writer.
  bool AufDruckerAusgeben(QPrinter &drucker);

protected:
  void contextMenuEvent(QContextMenuEvent *ereignis) override;
  void resizeEvent(QResizeEvent *ereignis) override;

private:
  // The look all views share; then one setup per kind of view, and the right-click menu.
  void DiagrammEinrichten();
  void BalkenEinrichten();
  void TornadoEinrichten();
  void LinienEinrichten();
  void MenuEinrichten();
  // Output (DiagrammAusgabe.cpp): the picture on a page inside the print margins; a PDF file through
  // the safe writer.
  void AufSeiteZeichnen(QPainter &maler, const QPaintDevice &seite);
  bool InPdfDateiAusgeben(const QPrinter &drucker);
  void AchseEinrichten(QAbstractAxis *achse, bool gitter);
  void LinkeAchseAnpassen();
  void UntereAchseAnpassen();
  int MarkenAnzahl(Qt::Orientation richtung, double min, double max) const;

  Art art_;
  QBarSeries *balkenreihe_ = nullptr;
  QBarSet *balken_ = nullptr;
  QLineSeries *kurve_ = nullptr;
  QLineSeries *median_ = nullptr;
  QHorizontalBarSeries *tornado_ = nullptr;
  QBarSet *tief_ = nullptr;
  QBarSet *hoch_ = nullptr;
  QLineSeries *mittellinie_ = nullptr;
  QStringList zeilen_; // the tornado's names, top first
  double mitte_ = 0;
  TAchse *linkeAchse_ = nullptr;
  TAchse *untereAchse_ = nullptr;
  QStringList klassen_;
  double wertMin_ = 0, wertMax_ = 1, wertSchritt_ = 0;
  double xMin_ = 0, xMax_ = 1;
  QMenu *menu_ = nullptr;
  std::array<QAction *, 4> eintraege_{};
  TDruckAbfrage druckAbfrage_;
};

} // namespace kwt
