#include <gtest/gtest.h>

#include "QtAusgabe.h"

#include <QApplication>
#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>

#include <cfloat>
#include <vector>

#include "ZahlFeld.h"

using namespace kwt;

namespace {

const QLocale Deutsch(QLocale::German, QLocale::Germany);
const QLocale Englisch(QLocale::English, QLocale::UnitedStates);

TEST(ZahlMaske, LiestStellenUndArt) {
  const struct {
    const char *bild;
    int vor, nach;
    bool ganz, gruppiert;
  } faelle[] = {
      {"#,###,###.##", 7, 2, false, true},   {"##,###,###.##", 8, 2, false, true},
      {"###,###,###.##", 9, 2, false, true}, {"###.##", 3, 2, false, false},
      {"iii,iii,iii,iii", 12, 0, true, true},
  };
  for (const auto &f : faelle) {
    const TZahlMaske m = MaskeLesen(QString::fromLatin1(f.bild));
    EXPECT_EQ(m.Vorkommastellen, f.vor) << f.bild;
    EXPECT_EQ(m.Nachkommastellen, f.nach) << f.bild;
    EXPECT_EQ(m.Ganzzahlig, f.ganz) << f.bild;
    EXPECT_EQ(m.Gruppiert, f.gruppiert) << f.bild;
  }
}

TEST(ZahlFeldText, WerteNachMaskeUndLocale) {
  const struct {
    const char *maske;
    Extended wert;
    const char *deutsch, *englisch;
  } faelle[] = {
      {"#,###,###.##", 4.8L, "4,80", "4.80"},
      {"##,###,###.##", 5.1L, "5,10", "5.10"},
      {"###,###,###.##", 310000, "310.000,00", "310,000.00"},
      {"###,###,###.##", 720000, "720.000,00", "720,000.00"},
      {"iii,iii,iii,iii", 10000, "10.000", "10,000"},
      {"iii,iii,iii,iii", -2147483648.0L, "-2.147.483.648", "-2,147,483,648"},
      {"###.##", 25, "25,00", "25.00"},
      {"###.##", 2.675L, "2,68", "2.68"},     // half away from zero, as the program's formatter
      {"###.##", -0.001L, "0,00", "0.00"},    // no "-0,00"
      {"#,###,###.##", -1234.5L, "-1.234,50", "-1,234.50"},
      // Values beyond the mask's digits are shown whole, never cut.
      {"###.##", 1000, "1000,00", "1000.00"},
      {"##,###,###.##", 123456789.5L, "123.456.789,50", "123,456,789.50"},
  };
  for (const auto &f : faelle) {
    const TZahlMaske m = MaskeLesen(QString::fromLatin1(f.maske));
    EXPECT_EQ(WertAlsText(f.wert, m, Deutsch), QString::fromUtf8(f.deutsch)) << f.maske << " " << f.deutsch;
    EXPECT_EQ(WertAlsText(f.wert, m, Englisch), QString::fromUtf8(f.englisch)) << f.maske << " " << f.englisch;
  }
  // Huge values keep the formatter's exponent form, with the locale's decimal separator.
  const QString riesig = WertAlsText(1e40L, MaskeLesen(QStringLiteral("###.##")), Deutsch);
  EXPECT_TRUE(riesig.contains(QStringLiteral("E+0040"))) << riesig.toStdString();
  EXPECT_TRUE(riesig.startsWith(QStringLiteral("1,"))) << riesig.toStdString();
}

TEST(ZahlFeldText, PruefungDeutsch) {
  using P = TTextPruefung;
  const TZahlMaske dezimal = MaskeLesen(QStringLiteral("#,###,###.##"));
  const TZahlMaske ganz = MaskeLesen(QStringLiteral("iii,iii,iii,iii"));
  const TZahlMaske prozent = MaskeLesen(QStringLiteral("###.##"));
  const struct {
    const TZahlMaske *maske;
    const char *text;
    P pruefung;
    Extended wert;
  } faelle[] = {
      {&dezimal, "4,8", P::Gueltig, 4.8L},
      {&dezimal, "310.000,00", P::Gueltig, 310000},
      {&dezimal, "  12 ", P::Gueltig, 12},
      {&dezimal, "-1.234,5", P::Gueltig, -1234.5L},
      {&dezimal, ",5", P::Gueltig, 0.5L},
      {&dezimal, "7,", P::Gueltig, 7},
      {&dezimal, "3100.000,00", P::Gueltig, 3100000}, // groups are checked from the decimal separator
      {&dezimal, "4.8", P::Unfertig, 0},             // a dot that groups nothing
      {&dezimal, "1.2345", P::Unfertig, 0},
      {&dezimal, ".123", P::Unfertig, 0},
      {&dezimal, "", P::Unfertig, 0},
      {&dezimal, "   ", P::Unfertig, 0},
      {&dezimal, "-", P::Unfertig, 0},
      {&dezimal, "-,", P::Unfertig, 0},
      {&dezimal, "1,234", P::Abgelehnt, 0}, // three decimals in a two-decimal mask
      {&dezimal, "1,2,3", P::Abgelehnt, 0},
      {&dezimal, "1,2.3", P::Abgelehnt, 0},
      {&dezimal, "12-", P::Abgelehnt, 0},
      {&dezimal, "1 2", P::Abgelehnt, 0},
      {&dezimal, "+5", P::Abgelehnt, 0},
      {&dezimal, "1e5", P::Abgelehnt, 0},
      {&dezimal, "abc", P::Abgelehnt, 0},
      {&prozent, "1.000", P::Abgelehnt, 0}, // no thousands separator in an ungrouped mask
      {&ganz, "10.000", P::Gueltig, 10000},
      {&ganz, "2147483647", P::Gueltig, 2147483647.0L},
      {&ganz, "-2.147.483.648", P::Gueltig, -2147483648.0L},
      {&ganz, "2147483648", P::Unfertig, 0},
      {&ganz, "-2147483649", P::Unfertig, 0},
      {&ganz, "999.999.999.999", P::Unfertig, 0},
      {&ganz, "0000000000012", P::Gueltig, 12},
      {&ganz, "1,5", P::Abgelehnt, 0},
  };
  for (const auto &f : faelle) {
    const TTextBefund b = TextPruefen(QString::fromUtf8(f.text), *f.maske, Deutsch);
    EXPECT_EQ(b.Pruefung, f.pruefung) << "'" << f.text << "'";
    if (f.pruefung == P::Gueltig) {
      EXPECT_EQ(b.Wert, f.wert) << "'" << f.text << "'";
    }
  }
}

TEST(ZahlFeldText, LiestMitRundungZumNaechsten) {
  // The process rounds upward; text must still convert to the nearest extended value, which is what
  // the compiler made of the literals below.
  const TZahlMaske m = MaskeLesen(QStringLiteral("##,###,###.##"));
  const struct {
    const char *text;
    Extended wert;
  } faelle[] = {{"0,3", 0.3L}, {"4,8", 4.8L}, {"5,1", 5.1L}, {"0,1", 0.1L}, {"-0,7", -0.7L}, {"12.345.678,91", 12345678.91L}};
  for (const auto &f : faelle) {
    const TTextBefund b = TextPruefen(QString::fromLatin1(f.text), m, Deutsch);
    ASSERT_EQ(b.Pruefung, TTextPruefung::Gueltig) << f.text;
    EXPECT_EQ(b.Wert, f.wert) << f.text;
  }
}

TEST(ZahlFeldText, PruefungEnglisch) {
  const TZahlMaske m = MaskeLesen(QStringLiteral("###,###,###.##"));
  EXPECT_EQ(TextPruefen(QStringLiteral("310,000.50"), m, Englisch).Wert, 310000.5L);
  EXPECT_EQ(TextPruefen(QStringLiteral("4,8"), m, Englisch).Pruefung, TTextPruefung::Unfertig);
}

class ZahlFeldTest : public ::testing::Test {
protected:
  void SetUp() override {
    fenster.resize(300, 100);
    feld = new TZahlFeld(QStringLiteral("#,###,###.##"), &fenster);
    ganz = new TZahlFeld(QStringLiteral("iii,iii,iii,iii"), &fenster);
    ganz->move(0, 40);
    fenster.show();
  }

  QColor Hintergrund(const TZahlFeld *f) const { return f->palette().color(QPalette::Active, QPalette::Base); }
  static void FokusVerlieren(TZahlFeld *f) {
    QFocusEvent ereignis(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(f, &ereignis);
  }

  QWidget fenster;
  TZahlFeld *feld = nullptr;
  TZahlFeld *ganz = nullptr;
};

TEST_F(ZahlFeldTest, VorgabenDesHauptfensters) {
  QSignalSpy aenderungen(feld, &TZahlFeld::geaendert);
  feld->setWert(4.8L);
  EXPECT_EQ(feld->text(), QStringLiteral("4,80"));
  EXPECT_EQ(feld->Wert(), 4.8L);
  feld->setWert(310000);
  EXPECT_EQ(feld->text(), QStringLiteral("310.000,00"));
  ganz->setGanzzahl(10000);
  EXPECT_EQ(ganz->text(), QStringLiteral("10.000"));
  EXPECT_EQ(ganz->Ganzzahl(), 10000);
  EXPECT_EQ(aenderungen.count(), 0); // values from code raise no change
  EXPECT_TRUE(feld->Gueltig());
  EXPECT_NE(Hintergrund(feld), QColor(255, 0, 0));
  EXPECT_EQ(feld->font().pointSize(), 9);
  EXPECT_TRUE(QFontInfo(feld->font()).fixedPitch());
}

TEST_F(ZahlFeldTest, TippenMeldetJedeAenderungEinmal) {
  feld->setWert(0);
  feld->setFocus();
  feld->selectAll();
  QSignalSpy aenderungen(feld, &TZahlFeld::geaendert);
  QTest::keyClicks(feld, QStringLiteral("12,5"));
  EXPECT_EQ(feld->text(), QStringLiteral("12,5"));
  EXPECT_EQ(aenderungen.count(), 4);
  EXPECT_EQ(feld->Wert(), 12.5L);
  QTest::keyClick(feld, Qt::Key_Backspace);
  EXPECT_EQ(aenderungen.count(), 5);
  // A refused key changes nothing and reports nothing.
  QTest::keyClick(feld, Qt::Key_X);
  EXPECT_EQ(feld->text(), QStringLiteral("12,"));
  EXPECT_EQ(aenderungen.count(), 5);
  // Leaving the field shows the mask's form without a change report.
  FokusVerlieren(feld);
  EXPECT_EQ(feld->text(), QStringLiteral("12,00"));
  EXPECT_EQ(aenderungen.count(), 5);
}

// The sum of the distribution editor is recomputed from the change report: the value read there must
// be the typed one, also when the field held a value set from code before.
TEST_F(ZahlFeldTest, AenderungMeldetDenGetipptenWert) {
  feld->setWert(25);
  feld->setFocus();
  feld->selectAll();
  std::vector<Extended> gelesen; // not a QList: that compares long doubles with their padding bytes
  std::vector<bool> gueltig;
  QObject::connect(feld, &TZahlFeld::geaendert, [&] {
    gelesen.push_back(feld->Wert());
    gueltig.push_back(feld->Gueltig());
  });
  QTest::keyClicks(feld, QStringLiteral("26"));
  QTest::keyClick(feld, Qt::Key_Backspace);
  QTest::keyClick(feld, Qt::Key_Backspace);
  EXPECT_EQ(gelesen, (std::vector<Extended>{2, 26, 2, 0}));
  EXPECT_EQ(gueltig, (std::vector<bool>{true, true, true, false}));
}

TEST_F(ZahlFeldTest, UngueltigIstRotUndGibtNull) {
  feld->setWert(4.8L);
  feld->setFocus();
  feld->selectAll();
  QTest::keyClicks(feld, QStringLiteral("4.8")); // the German thousands dot by mistake
  EXPECT_EQ(feld->text(), QStringLiteral("4.8"));
  EXPECT_FALSE(feld->Gueltig());
  EXPECT_EQ(feld->Wert(), 0);
  EXPECT_EQ(Hintergrund(feld), QColor(255, 0, 0));
  EXPECT_EQ(feld->palette().color(QPalette::Active, QPalette::Text), QColor(0, 0, 0));
  FokusVerlieren(feld); // stays as typed
  EXPECT_EQ(feld->text(), QStringLiteral("4.8"));
  feld->clear();
  EXPECT_FALSE(feld->Gueltig());
  EXPECT_EQ(feld->Wert(), 0);
  feld->setWert(5);
  EXPECT_TRUE(feld->Gueltig());
  EXPECT_NE(Hintergrund(feld), QColor(255, 0, 0));

  ganz->setText(QStringLiteral("2.147.483.648"));
  EXPECT_FALSE(ganz->Gueltig());
  EXPECT_EQ(ganz->Ganzzahl(), 0);
  EXPECT_EQ(Hintergrund(ganz), QColor(255, 0, 0));
  ganz->setText(QStringLiteral("-2.147.483.648"));
  EXPECT_TRUE(ganz->Gueltig());
  EXPECT_EQ(ganz->Ganzzahl(), INT32_MIN);
}

// An optional number (the shape's MIN and MAX of the normal distribution): empty is no number but
// not red; anything else that fails is.
TEST_F(ZahlFeldTest, LeerErlaubtIstNichtRot) {
  feld->setLeerErlaubt(true);
  feld->clear();
  EXPECT_FALSE(feld->Gueltig());
  EXPECT_NE(Hintergrund(feld), QColor(255, 0, 0));
  feld->setText(QStringLiteral("-"));
  EXPECT_EQ(Hintergrund(feld), QColor(255, 0, 0));
  feld->setText(QStringLiteral("  "));
  EXPECT_NE(Hintergrund(feld), QColor(255, 0, 0));
  feld->setLeerErlaubt(false);
  EXPECT_EQ(Hintergrund(feld), QColor(255, 0, 0));
}

TEST_F(ZahlFeldTest, MaskeBegrenztDieZiffern) {
  feld->clear();
  feld->setFocus();
  QTest::keyClicks(feld, QStringLiteral("123456789"));
  EXPECT_EQ(feld->text(), QStringLiteral("1234567"));
  QTest::keyClicks(feld, QStringLiteral(",129"));
  EXPECT_EQ(feld->text(), QStringLiteral("1234567,12"));
  ganz->clear();
  ganz->setFocus();
  QTest::keyClicks(ganz, QStringLiteral("-1234567890123"));
  EXPECT_EQ(ganz->text(), QStringLiteral("-123456789012"));
  EXPECT_FALSE(ganz->Gueltig()); // twelve digits fit the mask but not the 32-bit range
}

TEST_F(ZahlFeldTest, ZuGrosserWertBleibtLesbarUndGenau) {
  auto *summe = new TZahlFeld(QStringLiteral("###.##"), &fenster);
  summe->setWert(1000);
  EXPECT_EQ(summe->text(), QStringLiteral("1000,00"));
  EXPECT_TRUE(summe->Gueltig());
  EXPECT_EQ(summe->Wert(), 1000);
  // The field hands back exactly what the program wrote, not what two decimals show.
  const Extended knapp = 100 - LDBL_EPSILON * 64;
  summe->setWert(knapp);
  EXPECT_EQ(summe->text(), QStringLiteral("100,00"));
  EXPECT_EQ(summe->Wert(), knapp);
  // The user can shorten a long value, not lengthen it.
  summe->setWert(1234.5L);
  summe->setFocus();
  summe->end(false);
  QTest::keyClick(summe, Qt::Key_Backspace);
  EXPECT_EQ(summe->text(), QStringLiteral("1234,5"));
  EXPECT_EQ(summe->Wert(), 1234.5L);
  summe->home(false);
  QTest::keyClick(summe, Qt::Key_9);
  EXPECT_EQ(summe->text(), QStringLiteral("1234,5"));
  QTest::keyClick(summe, Qt::Key_Delete);
  EXPECT_EQ(summe->text(), QStringLiteral("234,5"));
  QTest::keyClick(summe, Qt::Key_9);
  EXPECT_EQ(summe->text(), QStringLiteral("234,5")); // back within the mask, the mask holds again
}

TEST_F(ZahlFeldTest, AnzeigeFelderUndHintergrund) {
  auto *mitte = new TZahlFeld(QStringLiteral("##,###,###.##"), &fenster);
  mitte->setNurAnzeige(true);
  mitte->setWert(4.815L);
  EXPECT_EQ(mitte->text(), QStringLiteral("4,82"));
  EXPECT_FALSE(mitte->isEnabled());
  EXPECT_TRUE(mitte->isReadOnly());
  EXPECT_EQ(mitte->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(mitte->palette().color(QPalette::Disabled, QPalette::Base),
            fenster.palette().color(QPalette::Active, QPalette::Window));

  auto *summe = new TZahlFeld(QStringLiteral("###.##"), &fenster);
  summe->setNurAnzeige(false);
  summe->setWert(100);
  summe->setHintergrund(QColor(0, 128, 0));
  EXPECT_EQ(summe->palette().color(QPalette::Disabled, QPalette::Base), QColor(0, 128, 0));
  summe->setWert(101);
  summe->setHintergrund(QColor(255, 0, 0));
  EXPECT_EQ(summe->palette().color(QPalette::Disabled, QPalette::Base), QColor(255, 0, 0));
  summe->setHintergrund(QColor(0, 128, 0));
  summe->setText(QStringLiteral("x")); // invalid content wins over the chosen colour
  EXPECT_EQ(summe->palette().color(QPalette::Disabled, QPalette::Base), QColor(255, 0, 0));
}

} // namespace
