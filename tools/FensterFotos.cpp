// The main window and the distribution editor for looking at them, and the real clipboard read from
// outside:
//   ui_fotos DIR                              pictures before and after a run (also at the smallest
//                                             size the layout allows), of the curve tab, and of
//                                             the distribution editor (sum 100 and a red sum);
//                                             the evaluation dialog before and after the run, and
//                                             the report bericht.pdf (for pdftoppm); the editor's
//                                             "Form…" part (a normal distribution for LZ, and a
//                                             number it cannot take), and the remaining-life dialog
//   ui_fotos --zwischenablage text|svg|png    a run, then the result list (text) or the histogram
//                                             (svg, png) on the clipboard; prints "bereit WxH N"
//                                             (the chart's size, the number of lines) and stays until
//                                             it is ended, so that xclip can read the clipboard
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

#include "DiagrammAnsicht.h"
#include "DialogAuswertung.h"
#include "DialogRestnutzungsdauer.h"
#include "DialogVerteilung.h"
#include "FormTeil.h"
#include "MainForm.h"
#include "W32_CLC.h"
#include "ZahlFeld.h"

int main(int argc, char **argv) {
  kwt::FormatierungInitialisieren();
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const QStringList argumente = QApplication::arguments();
  kwt::Bewertungsmodell modell;
  kwt::TMainForm fenster(modell);
  fenster.show();
  fenster.FormCreate();
  modell.Zufall.Zufallszustand = 2009;
  QApplication::processEvents();

  if (argumente.size() == 3 && argumente[1] == "--zwischenablage") {
    fenster.findChild<kwt::TZahlFeld *>("EVersuche")->setGanzzahl(1000);
    fenster.findChild<QPushButton *>("BtnCalculate")->click();
    const QString art = argumente[2];
    bool gut = true;
    if (art == "svg") gut = fenster.Chart2()->MetafileKopieren();
    if (art == "png") gut = fenster.Chart2()->BitmapKopieren();
    const QSize g = fenster.Chart2()->Bildgroesse();
    std::printf("%s %dx%d %zu\n", gut ? "bereit" : "fehler", g.width(), g.height(),
                fenster.Lauf().Ergebnis().Liste.Zeilen().size());
    std::fflush(stdout);
    return QApplication::exec();
  }

  const QString ziel = argumente.size() > 1 ? argumente[1] : ".";
  QDir().mkpath(ziel);
  // The evaluation dialog is modal: it is photographed from inside its own event loop.
  const auto auswertungFoto = [&](const QString &datei) {
    QTimer::singleShot(0, &fenster, [&, datei] {
      if (auto *dialog = fenster.findChild<kwt::TDlgAuswertung *>()) {
        QApplication::processEvents();
        dialog->grab().save(ziel + "/" + datei);
        dialog->accept();
      }
    });
    fenster.findChild<QAction *>("mnExakteVerteilung")->trigger();
  };
  fenster.grab().save(ziel + "/hauptfenster_vorher.png");
  auswertungFoto("auswertung_vorher.png");
  fenster.findChild<QPushButton *>("BtnCalculate")->click();
  QApplication::processEvents();
  fenster.grab().save(ziel + "/hauptfenster_nachher.png");
  const QSize groesse = fenster.size();
  fenster.resize(1, 1); // the layout's minimum
  QApplication::processEvents();
  fenster.grab().save(ziel + "/hauptfenster_minimum.png");
  fenster.resize(groesse);
  QApplication::processEvents();
  fenster.findChild<QTabWidget *>("PageControl1")->setCurrentIndex(1);
  QApplication::processEvents();
  fenster.grab().save(ziel + "/hauptfenster_kurve.png");
  // The editor is modal: it is photographed from inside its own message loop, then cancelled. The
  // chart lays out its axis labels for the shown size over a few rounds of messages.
  for (const char *knopf : {"BtnV_LZ", "BtnV_RO"}) {
    QTimer::singleShot(100, [&] {
      QWidget *dialog = QApplication::activeModalWidget();
      if (!dialog) return;
      const QString name = ziel + "/verteilung_" + QString(knopf).mid(5).toLower();
      dialog->grab().save(name + ".png");
      // A sum other than 100: red, OK disabled.
      dialog->findChild<QLineEdit *>("EW5")->setText("26");
      QMetaObject::invokeMethod(dialog, "EW1Change");
      dialog->grab().save(name + "_rot.png");
      dialog->close();
    });
    fenster.findChild<QPushButton *>(knopf)->click();
  }
  // The editor's "Form…" part: LZ from a market report's mean and standard deviation, then a SIGMA of
  // 0, which it refuses. The numbers are pasted, as one change each.
  QTimer::singleShot(100, [&] {
    auto *dialog = qobject_cast<kwt::TDlgVerteilung *>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog->findChild<QPushButton *>("BtnForm")->click();
    kwt::TFormTeil *teil = dialog->FormTeil();
    teil->EFormArt()->setCurrentIndex(teil->EFormArt()->findData(static_cast<int>(kwt::FormArt::Normal)));
    const auto einfuegen = [](kwt::TZahlFeld *feld, const QString &text) {
      feld->selectAll();
      feld->insert(text);
    };
    einfuegen(teil->EFormZahl(0), "4,9");
    einfuegen(teil->EFormZahl(1), "0,15");
    QApplication::processEvents();
    dialog->grab().save(ziel + "/verteilung_form.png");
    einfuegen(teil->EFormZahl(1), "0");
    QApplication::processEvents();
    dialog->grab().save(ziel + "/verteilung_form_fehler.png");
    dialog->reject();
  });
  fenster.findChild<QPushButton *>("BtnV_LZ")->click();
  QTimer::singleShot(100, [&] {
    auto *dialog = qobject_cast<kwt::TDlgRestnutzungsdauer *>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog->Laden({80, 70, 6, 10});
    QApplication::processEvents();
    dialog->grab().save(ziel + "/restnutzungsdauer.png");
    dialog->Laden({80, 95, 0, 3});
    QApplication::processEvents();
    dialog->grab().save(ziel + "/restnutzungsdauer_alt.png");
    dialog->reject();
  });
  fenster.findChild<QPushButton *>("BtnRND_Modell")->click();
  fenster.grab().save(ziel + "/hauptfenster_form.png");
  auswertungFoto("auswertung.png");
  fenster.setDateiDialog([&](QWidget *, bool, const QString &, const QString &, const QString &) {
    return ziel + "/bericht.pdf";
  });
  fenster.findChild<QAction *>("mnBerichtPdf")->trigger();
  return 0;
}
