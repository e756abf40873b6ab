// kwt-mc's inputs in the valuer's terms: --form and --rnd-modell, what "eingaben" reports, the order
// in which options take effect, scenarios with shapes, and the messages for what they cannot take.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cfenv>
#include <cstdlib>
#include <filesystem>

#include "KwtMcAufruf.h"
#include "Szenario.h"
#include "Voreinstellungen.h"
#include "W32_CLC.h"

using namespace kwt;
using kwt::test::Aufrufen;
using kwt::test::Ausgabe;
using kwt::test::Lesen;
using nlohmann::json;

namespace {

// The double a reader expects for a value the program shows as this decimal text.
double Dezimal(Extended x) {
  std::fesetround(FE_TONEAREST);
  const double d = std::strtod(ExtendedText(x).c_str(), nullptr);
  std::fesetround(FE_UPWARD);
  return d;
}

std::string Liste(const Klassenwerte &prozent) {
  std::string text;
  for (Extended p : prozent) text += (text.empty() ? "" : ",") + ExtendedText(p);
  return text;
}

json Eingaben(const std::vector<std::string> &argumente) {
  std::vector<std::string> mit = argumente;
  for (const char *a : {"--seed", "0", "--versuche", "2000", "--json"}) mit.emplace_back(a);
  const Ausgabe a = Aufrufen(mit);
  EXPECT_EQ(a.status, 0) << a.fehler;
  return Lesen(a.aus)["eingaben"];
}

// --form gives a parameter the bounds and percentages the shape computes, "eingaben" shows them with
// the shape, and the run is the run of those bounds and percentages typed as --lz and --prozent.
TEST(KwtMcFormen, FormWieGetippt) {
  struct Fall {
    const char *option;
    Parameter p;
    FormAngabe angabe;
  };
  const Fall faelle[] = {
      {"lz=normal:4.9:0.15", LZ, {FormArt::Normal, {TextZuExtended("4.9"), TextZuExtended("0.15")}}},
      {"ro=dreieck:300000:340000:380000", RO, {FormArt::Dreieck, {300000, 340000, 380000}}},
      {"ro=pert:300000:320000:380000", RO, {FormArt::Pert, {300000, 320000, 380000}}},
      {"ro=spanne:252000:319200:66.7", RO, {FormArt::Spanne, {252000, 319200, TextZuExtended("66.7")}}},
      {"bwk=normal:72000:4000:62000:80000", BWK, {FormArt::Normal, {72000, 4000, 62000, 80000}}},
      {"bo=gleich:675000:720000", BO, {FormArt::Gleich, {675000, 720000}}},
      {"rnd=pert:35:45:60", RND, {FormArt::Pert, {35, 45, 60}}},
  };
  for (const Fall &f : faelle) {
    const FormErgebnis e = FormBerechnen(f.angabe);
    const std::string kuerzel(ParameterKuerzel[f.p]);
    const Ausgabe mitForm = Aufrufen({"--seed", "3", "--versuche", "3000", "--json", "--form", f.option});
    ASSERT_EQ(mitForm.status, 0) << mitForm.fehler;
    const json j = Lesen(mitForm.aus);
    const json &x = j["eingaben"][kuerzel];
    EXPECT_EQ(x["min"].get<double>(), Dezimal(e.Min)) << f.option;
    EXPECT_EQ(x["max"].get<double>(), Dezimal(e.Max)) << f.option;
    EXPECT_EQ(x["min_text"], ZahlFormatieren(2, true, true, e.Min, false));
    for (int k = 0; k < KlassenAnzahlVerteilung; ++k) {
      EXPECT_EQ(x["prozent"][k].get<double>(), Dezimal(e.Prozent[static_cast<std::size_t>(k)])) << f.option << k;
    }
    EXPECT_EQ(x["form"]["art"], FormEintragVon(f.angabe.Art).Kuerzel);
    ASSERT_EQ(x["form"]["zahlen"].size(), f.angabe.Zahlen.size());
    for (std::size_t i = 0; i < f.angabe.Zahlen.size(); ++i) {
      EXPECT_EQ(x["form"]["zahlen"][i].get<double>(), Dezimal(f.angabe.Zahlen[i])) << f.option;
    }
    // The other parameters keep the defaults and have no shape.
    for (Parameter q : AlleParameter) {
      EXPECT_EQ(j["eingaben"][std::string(ParameterKuerzel[q])].contains("form"), q == f.p) << f.option;
    }

    const Ausgabe getippt =
        Aufrufen({"--seed", "3", "--versuche", "3000", "--json", "--" + kuerzel,
                  ExtendedText(e.Min) + ":" + ExtendedText(e.Max), "--prozent", kuerzel + "=" + Liste(e.Prozent)});
    json ohneEingaben = Lesen(getippt.aus);
    json mitFormOhneEingaben = j;
    EXPECT_EQ(ohneEingaben["eingaben"][kuerzel]["prozent"], x["prozent"]);
    ohneEingaben.erase("eingaben");
    mitFormOhneEingaben.erase("eingaben");
    EXPECT_EQ(mitFormOhneEingaben, ohneEingaben) << f.option;
  }
}

// Without --form or a scenario, "eingaben" holds the window's defaults, 4.8 as 4.8.
TEST(KwtMcFormen, EingabenDerVorgaben) {
  const json x = Eingaben({});
  for (Parameter p : AlleParameter) {
    const json &e = x[std::string(ParameterKuerzel[p])];
    EXPECT_EQ(e["min"].get<double>(), Dezimal(StandardMin[p]));
    EXPECT_EQ(e["max"].get<double>(), Dezimal(StandardMax[p]));
    EXPECT_EQ(e["prozent_text"][4], "25,00");
    EXPECT_FALSE(e.contains("form"));
    EXPECT_FALSE(e.contains("rnd_modell"));
  }
  EXPECT_EQ(x["lz"]["min"].dump(), "4.8");
  EXPECT_EQ(x["lz"]["min_text"], "4,80");
  EXPECT_EQ(x["ro"]["max_text"], "370.000,00");
}

// --rnd-modell sets RND's bounds as the window's "Modernisierung…" does; the percentages stay.
TEST(KwtMcFormen, RestnutzungsdauerModell) {
  struct Fall {
    const char *wert;
    const char *min, *max;
    bool alterAlsGnd;
  };
  const Fall faelle[] = {
      {"80:60:8:12", "36,50", "44,88", false},
      {"80:80:0:5", "12,00", "23,98", false},
      {"80:68:10:10", "38,59", "38,59", false},
      {"80:30:2:2", "50,00", "50,00", false}, // below the relative age: GND - age
      {"80:95:5:5", "23,98", "23,98", true},  // older than GND: counted as GND
  };
  for (const Fall &f : faelle) {
    const json rnd = Eingaben({"--rnd-modell", f.wert})["rnd"];
    EXPECT_EQ(rnd["min_text"], f.min) << f.wert;
    EXPECT_EQ(rnd["max_text"], f.max) << f.wert;
    EXPECT_EQ(rnd["prozent"], Eingaben({})["rnd"]["prozent"]);
    EXPECT_EQ(rnd["rnd_modell"]["alter_als_gnd"], f.alterAlsGnd) << f.wert;
  }
  const json m = Eingaben({"--rnd-modell", "80:60:8:12"})["rnd"]["rnd_modell"];
  EXPECT_EQ(m, json({{"gnd", 80.0}, {"alter", 60.0}, {"punkte_min", 8}, {"punkte_max", 12}, {"alter_als_gnd", false}}));
}

// Options take effect in the order given. What a later option overrides no longer comes from the
// shape (or the remaining-life model), and "eingaben" names it only while it gives exactly what
// the run uses.
TEST(KwtMcFormen, Reihenfolge) {
  const std::string pert = "ro=pert:300000:340000:380000";
  const FormErgebnis e = FormBerechnen({FormArt::Pert, {300000, 340000, 380000}});
  struct Fall {
    std::vector<std::string> argumente;
    const char *parameter;
    bool form, modell;
    const char *min, *max;
  };
  const Fall faelle[] = {
      {{"--form", pert}, "ro", true, false, "300.000,00", "380.000,00"},
      {{"--form", pert, "--prozent", "ro=0,0,10,20,40,20,10,0,0,0"}, "ro", false, false, "300.000,00", "380.000,00"},
      {{"--form", pert, "--ro", "300000:390000"}, "ro", false, false, "300.000,00", "390.000,00"},
      {{"--form", pert, "--verteilung", "linksschief"}, "ro", false, false, "300.000,00", "380.000,00"},
      {{"--prozent", "ro=0,0,10,20,40,20,10,0,0,0", "--ro", "1:2", "--form", pert}, "ro", true, false, "300.000,00",
       "380.000,00"},
      // The same bounds and percentages again: the shape still gives them.
      {{"--form", pert, "--ro", "300000:380000", "--prozent", "ro=" + Liste(e.Prozent)}, "ro", true, false,
       "300.000,00", "380.000,00"},
      {{"--form", "bo=gleich:675000:720000", "--verteilung", "gleich"}, "bo", true, false, "675.000,00", "720.000,00"},
      {{"--form", "rnd=gleich:40:60", "--rnd-modell", "80:60:8:12"}, "rnd", false, true, "36,50", "44,88"},
      {{"--rnd-modell", "80:60:8:12", "--form", "rnd=gleich:40:60"}, "rnd", true, false, "40,00", "60,00"},
      {{"--rnd-modell", "80:60:8:12", "--rnd", "36.5:44.88"}, "rnd", false, true, "36,50", "44,88"},
      {{"--rnd-modell", "80:60:8:12", "--rnd", "36:45"}, "rnd", false, false, "36,00", "45,00"},
  };
  for (const Fall &f : faelle) {
    const json x = Eingaben(f.argumente)[f.parameter];
    const std::string wie = testing::PrintToString(f.argumente);
    EXPECT_EQ(x.contains("form"), f.form) << wie;
    EXPECT_EQ(x.contains("rnd_modell"), f.modell) << wie;
    EXPECT_EQ(x["min_text"], f.min) << wie;
    EXPECT_EQ(x["max_text"], f.max) << wie;
  }
}

// A scenario brings its shapes; one that no longer gives the stored bounds and percentages is
// dropped with a note on the standard error, and the run goes on with what the file stores.
TEST(KwtMcFormen, SzenarioMitForm) {
  const auto pfad = (std::filesystem::temp_directory_path() / "kwt-mc-formen-test.kwt").string();
  const FormAngabe normal{FormArt::Normal, {TextZuExtended("4.9"), TextZuExtended("0.15")}};
  const FormErgebnis e = FormBerechnen(normal);
  Szenario s;
  s.Min = StandardMin;
  s.Max = StandardMax;
  for (Parameter p : AlleParameter) s.Prozent[p] = ZeilenWerte(Zeile::Normal);
  s.Min[LZ] = e.Min;
  s.Max[LZ] = e.Max;
  s.Prozent[LZ] = e.Prozent;
  s.Formen[LZ] = normal;
  s.Versuche = 2000;
  SzenarioSpeichern(pfad, s);
  const Ausgabe mitForm = Aufrufen({"--szenario", pfad, "--seed", "0", "--json"});
  ASSERT_EQ(mitForm.status, 0) << mitForm.fehler;
  EXPECT_EQ(mitForm.fehler, "");
  const json j = Lesen(mitForm.aus);
  EXPECT_EQ(j["eingaben"]["lz"]["form"]["art"], "normal");
  EXPECT_EQ(j["eingaben"]["lz"]["min_text"], "4,45");
  // The same run as the shape given on the command line.
  EXPECT_EQ(mitForm.aus, Aufrufen({"--form", "lz=normal:4.9:0.15", "--versuche", "2000", "--seed", "0", "--json"}).aus);

  s.Max[LZ] = TextZuExtended("5.4");
  SzenarioSpeichern(pfad, s);
  const Ausgabe verworfen = Aufrufen({"--szenario", pfad, "--seed", "0", "--json"});
  EXPECT_EQ(verworfen.status, 0);
  EXPECT_EQ(verworfen.fehler, "kwt-mc: --szenario '" + pfad +
                                  "': Die Form 'normal' im Eintrag 'formen.lz' ergibt nicht die gespeicherten Grenzen "
                                  "und Prozente von Liegenschaftszinssatz; sie wurde verworfen. Grenzen und Prozente "
                                  "gelten, wie sie gespeichert sind.\n");
  const json v = Lesen(verworfen.aus)["eingaben"]["lz"];
  EXPECT_FALSE(v.contains("form"));
  EXPECT_EQ(v["max_text"], "5,40");
  EXPECT_EQ(v["prozent"], j["eingaben"]["lz"]["prozent"]);
  std::filesystem::remove(pfad);
}

// What --form, --rnd-modell and --prozent cannot take: status 2 before any run, and a German message
// naming the option, the number's field or the parameter and class, and the reason.
TEST(KwtMcFormen, FalscheArgumente) {
  const std::pair<std::vector<std::string>, std::string> faelle[] = {
      {{"--form", "lz"}, "Ungültiger Wert für --form: 'lz' (PARAM=FORM:Z1:Z2[:Z3[:Z4]] erwartet)"},
      {{"--form", "xy=gleich:1:2"}, "Ungültiger Parameter für --form: 'xy' (lz, rnd, ro, bwk oder bo erwartet)"},
      {{"--form", "lz=glocke:1:2"}, "Unbekannte Form für --form: 'glocke' (dreieck, pert, normal, spanne oder gleich)"},
      {{"--form", "lz=normal:4.9"},
       "Ungültiger Wert für --form: 'lz=normal:4.9' (normal nimmt MITTEL:SIGMA oder MITTEL:SIGMA:MIN:MAX)"},
      {{"--form", "ro=pert:1:2:3:4"}, "(pert nimmt MIN:MODAL:MAX)"},
      {{"--form", "lz=normal:4.9:0,15"}, "Ungültiger Wert für --form (SIGMA): '0,15' ist keine Zahl"},
      {{"--form", "lz=normal:4.9:0"},
       "Ungültiger Wert für --form: 'lz=normal:4.9:0' (Liegenschaftszinssatz: SIGMA muss größer als 0 sein)"},
      {{"--form", "ro=dreieck:380000:340000:300000"}, "(Jahresrohertrag: MIN darf nicht größer als MODAL sein)"},
      {{"--form", "ro=spanne:7:9:100"}, "(Jahresrohertrag: ANTEIL muss größer als 0 und kleiner als 100 sein)"},
      {{"--form", "ro=gleich:0:1e12"},
       "Ungültiger Wert für --form: 'ro=gleich:0:1e12' (Jahresrohertrag, Maximum: der Betrag muss unter 100000000 "
       "liegen)"},
      {{"--form", "lz=gleich:0:5"}, "(Liegenschaftszinssatz, Minimum: über -100 und nicht 0 erwartet)"},
      {{"--rnd-modell", "80:60:8"}, "Ungültiger Wert für --rnd-modell: '80:60:8' (GND:ALTER:PUNKTE_MIN:PUNKTE_MAX erwartet)"},
      {{"--rnd-modell", "0:60:8:12"}, "Ungültiger Wert für --rnd-modell (GND): '0' (größer als 0 erwartet)"},
      {{"--rnd-modell", "80:-1:8:12"}, "Ungültiger Wert für --rnd-modell (ALTER): '-1' (nicht negativ erwartet)"},
      {{"--rnd-modell", "80:alt:8:12"}, "Ungültiger Wert für --rnd-modell (ALTER): 'alt' ist keine Zahl"},
      {{"--rnd-modell", "80:60:8:21"}, "--rnd-modell (PUNKTE_MAX): '21' (ganze Zahl von 0 bis 20 erwartet)"},
      {{"--rnd-modell", "80:60:-1:12"}, "--rnd-modell (PUNKTE_MIN): '-1' (ganze Zahl von 0 bis 20 erwartet)"},
      {{"--rnd-modell", "80:60:12:8"}, "'80:60:12:8' (PUNKTE_MIN darf nicht über PUNKTE_MAX liegen)"},
      {{"--rnd-modell", "1e9:0:0:0"}, "'1e9:0:0:0' (Restnutzungsdauer, Minimum: der Betrag muss unter 10000000 liegen)"},
      {{"--prozent", "ro=0,0,10,20,40,20,10,0,5,-5"},
       "Ungültiger Wert für --prozent: '-5' (Jahresrohertrag, Klasse 10: ein Anteil unter 0 ist keine "
       "Wahrscheinlichkeit)"},
      {{"--prozent", "lz=-0.01,5,9,10,25,25,10,9,5,1.01"}, "'-0.01' (Liegenschaftszinssatz, Klasse 1: ein Anteil unter 0"},
  };
  for (const auto &[argumente, meldung] : faelle) {
    const Ausgabe a = Aufrufen(argumente);
    EXPECT_EQ(a.status, 2) << meldung;
    EXPECT_NE(a.fehler.find(meldung), std::string::npos) << a.fehler;
    EXPECT_EQ(a.aus, "");
  }
  const Ausgabe hilfe = Aufrufen({"--hilfe"});
  for (const char *text : {"--form PARAM=FORM:Z1:Z2[:Z3[:Z4]]", "--rnd-modell GND:ALTER:PUNKTE_MIN:PUNKTE_MAX",
                           "normal:MITTEL:SIGMA[:MIN:MAX]", "spanne:UNTEN:OBEN:ANTEIL", "pert:MIN:MODAL:MAX"}) {
    EXPECT_NE(hilfe.aus.find(text), std::string::npos) << text;
  }
}

} // namespace
