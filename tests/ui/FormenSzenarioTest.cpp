// Shapes between the window, kwt-mc and scenario files, driven as a user would, offscreen under German
// regional settings: a run with shapes gives the same figures in the window and in kwt-mc with the
// same seed, a saved scenario brings its shapes back into the editor's "Form…" and into kwt-mc, and a
// shape the file no longer fits is dropped with a note.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "DialogVerteilung.h"
#include "Fenstertest.h"
#include "FormTeil.h"
#include "KwtMcAufruf.h"

using namespace kwt;
using test::Lesen;
using test::Tippen;

namespace {

void FormWaehlen(TFormTeil &teil, FormArt art) {
  QComboBox *liste = teil.EFormArt();
  liste->setCurrentIndex(liste->findData(static_cast<int>(art)));
}

void DialogKlick(QWidget *in, const char *name) {
  auto *knopf = in->findChild<QPushButton *>(name);
  if (!knopf) qFatal("%s fehlt", name);
  QTest::mouseClick(knopf, Qt::LeftButton);
}

// The shapes of these tests, as kwt-mc takes them and as the editor's fields are typed.
const std::vector<std::string> FormOptionen{"--form", "ro=pert:300000:340000:380000", "--form", "lz=normal:4.9:0.15"};

} // namespace

class FormenSzenarioTest : public test::Fenstertest {
  Q_OBJECT

  // "Form…" in the editor of the parameter behind `knopf`: the shape, its numbers typed, OK.
  void FormEingeben(const char *knopf, FormArt art, const QStringList &zahlen) {
    ImModalenDialog<TDlgVerteilung>([art, zahlen](TDlgVerteilung &d) {
      DialogKlick(&d, "BtnForm");
      FormWaehlen(*d.FormTeil(), art);
      for (int i = 0; i < zahlen.size(); ++i) Tippen(d.FormTeil()->EFormZahl(i), zahlen[i]);
      DialogKlick(&d, "BtnOK");
    });
    Klick(knopf);
  }

  // The window's run against kwt-mc's with these arguments (and the same seed, 0, and trials).
  void WieKwtMc(std::vector<std::string> argumente) {
    for (const char *a : {"--seed", "0", "--json"}) argumente.emplace_back(a);
    const test::Ausgabe a = test::Aufrufen(argumente);
    QCOMPARE(a.status, 0);
    const nlohmann::json j = Lesen(a.aus);
    for (const KennzahlEintrag &k : Kennzahlen) {
      QCOMPARE(Finde<QLabel>(k.Name)->text(), QString::fromStdString(j["labels"][k.Name].get<std::string>()));
    }
    const Histogramm &h = Ergebnis().Histo;
    QCOMPARE(j["histogramm"]["haeufigkeit"].get<std::vector<std::int32_t>>(),
             std::vector<std::int32_t>(h.Haeufigkeit.begin(), h.Haeufigkeit.begin() + h.KlassenAnzahl));
    // The bounds the run used are those the shape wrote into the window's fields.
    for (Parameter p : AlleParameter) {
      const std::string kuerzel(ParameterKuerzel[p]);
      const QString n = QString::number(p + 1);
      QCOMPARE(Finde<TZahlFeld>(qPrintable("EParam" + n + "Min"))->text(),
               QString::fromStdString(j["eingaben"][kuerzel]["min_text"].get<std::string>()));
      QCOMPARE(Finde<TZahlFeld>(qPrintable("EParam" + n + "Max"))->text(),
               QString::fromStdString(j["eingaben"][kuerzel]["max_text"].get<std::string>()));
    }
    QCOMPARE(QString::fromStdString(j["eingaben"]["ro"]["form"]["art"].get<std::string>()), QString("pert"));
    QCOMPARE(QString::fromStdString(j["eingaben"]["lz"]["form"]["art"].get<std::string>()), QString("normal"));
  }

private slots:
  void initTestCase() { UmgebungEinrichten(); }
  void init() { HauptfensterOeffnen(); }
  void cleanup() {
    fenster.reset();
    QVERIFY2(meldungen.isEmpty(), qPrintable(meldungen.join(" | ")));
  }

  // Shapes typed in the editor, a run, the scenario saved and run by kwt-mc, then reopened: every
  // step gives the same figures, and the editor's "Form…" shows the shapes again.
  void FensterKwtMcUndSzenario() {
    FormEingeben("BtnV_RO", FormArt::Pert, {"300.000", "340.000", "380.000"});
    FormEingeben("BtnV_LZ", FormArt::Normal, {"4,9", "0,15"});
    QCOMPARE(Finde<TZahlFeld>("EParam1Min")->text(), QString("4,45"));
    Rechnen(3000);
    std::vector<std::string> mitFormen = FormOptionen;
    mitFormen.insert(mitFormen.end(), {"--versuche", "3000"});
    WieKwtMc(mitFormen);

    const QString pfad = QDir::temp().filePath("kwt-formen-szenario-test.kwt");
    fenster->setDateiDialog([&](QWidget *, bool, const QString &, const QString &, const QString &) { return pfad; });
    Menu("mnSzenarioSpeichern");
    WieKwtMc({"--szenario", pfad.toStdString()});

    // Reopened in a fresh window: the fields, the shapes and the run are those of before.
    HauptfensterOeffnen();
    fenster->setDateiDialog([&](QWidget *, bool, const QString &, const QString &, const QString &) { return pfad; });
    Menu("mnSzenarioOeffnen");
    QCOMPARE(modell->Formen[RO], (FormAngabe{FormArt::Pert, {300000, 340000, 380000}}));
    QCOMPARE(modell->Formen[LZ], (FormAngabe{FormArt::Normal, {TextZuExtended("4.9"), TextZuExtended("0.15")}}));
    QCOMPARE(modell->Formen[BO], std::nullopt);
    bool offen = false;
    ImModalenDialog<TDlgVerteilung>([&](TDlgVerteilung &d) {
      offen = true;
      DialogKlick(&d, "BtnForm");
      QCOMPARE(d.FormTeil()->EFormArt()->currentText(), QString("Normal"));
      QCOMPARE(d.FormTeil()->EFormZahl(0)->text(), QString("4,90"));
      QCOMPARE(d.FormTeil()->EFormZahl(1)->text(), QString("0,15"));
      QVERIFY(!d.FormTeil()->Fehlerhaft());
      for (int k = 0; k < KlassenAnzahlVerteilung; ++k) {
        QCOMPARE(d.EW(k)->Wert(), modell->Verteilungen[LZ].Prozent[static_cast<std::size_t>(k)]);
      }
    });
    Klick("BtnV_LZ");
    QVERIFY(offen);
    Rechnen(3000);
    WieKwtMc(mitFormen);
    QFile::remove(pfad);
  }

  // A bound changed by hand after the shape: the file keeps the bounds but not the shape, which no
  // longer describes them. A file whose shape does not give its bounds and percentages loads them
  // with a note, without the shape.
  void FormDieNichtMehrPasst() {
    FormEingeben("BtnV_RO", FormArt::Pert, {"300.000", "340.000", "380.000"});
    Tippen(Finde<TZahlFeld>("EParam3Max"), "390.000");
    QVERIFY(modell->Formen[RO]); // kept in the window, for bounds that come back
    QCOMPARE(fenster->SzenarioAusFenster().Formen[RO], std::nullopt);
    Tippen(Finde<TZahlFeld>("EParam3Max"), "380.000");
    QVERIFY(fenster->SzenarioAusFenster().Formen[RO]);

    Szenario s = fenster->SzenarioAusFenster();
    s.Max[RO] = 390000; // as if edited in the file
    const QString pfad = QDir::temp().filePath("kwt-formen-veraltet-test.kwt");
    SzenarioSpeichern(pfad.toStdString(), s);
    HauptfensterOeffnen();
    fenster->SzenarioOeffnen(pfad);
    QCOMPARE(meldungen, QStringList{"Die Form 'pert' im Eintrag 'formen.ro' ergibt nicht die gespeicherten Grenzen "
                                    "und Prozente von Jahresrohertrag; sie wurde verworfen. Grenzen und Prozente "
                                    "gelten, wie sie gespeichert sind."});
    meldungen.clear();
    QCOMPARE(Finde<TZahlFeld>("EParam3Max")->text(), QString("390.000,00"));
    QCOMPARE(modell->Verteilungen[RO].Prozent, s.Prozent[RO]);
    QCOMPARE(modell->Formen[RO], std::nullopt);
    QFile::remove(pfad);
  }
};

KWT_FENSTER_TEST_MAIN(FormenSzenarioTest)

#include "FormenSzenarioTest.moc"
