// The safe writer and the careful reader on Windows (the cross build, run under Wine): names with
// umlauts, a replaced file, a file another program holds open, a read-only file, a missing folder,
// devices; every failure with its reason, the old file untouched and no temporary file left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "../common/Fehlermeldung.h"
#include "../common/Testordner.h"
#include "Datei.h"
#include "Zitat.h"

using namespace kwt;

namespace {

class DateiWindowsTest : public ::testing::Test {
protected:
  void SetUp() override { ordner = NeuerTestordner("kwt-datei Müller"); }
  void TearDown() override {
    std::error_code weg;
    for (const auto &e : std::filesystem::directory_iterator(DateiPfad(ordner), weg)) {
      ::SetFileAttributesW(e.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::filesystem::remove_all(DateiPfad(ordner), weg);
  }

  std::string Pfad(const std::string &name) const { return ordner + "\\" + name; }
  // The names in the folder as the system shows them: after any write, no temporary file among them.
  std::vector<std::string> Namen() const {
    std::vector<std::string> namen;
    for (const auto &e : std::filesystem::directory_iterator(DateiPfad(ordner))) {
      const std::u8string n = e.path().filename().u8string();
      namen.emplace_back(n.begin(), n.end());
    }
    std::sort(namen.begin(), namen.end());
    return namen;
  }
  // The message of the DateiFehler that `tun` throws.
  static std::string Meldung(const std::function<void()> &tun) { return test::Fehlermeldung<DateiFehler>(tun); }

  std::string ordner;
};

TEST_F(DateiWindowsTest, NeueUndErsetzteDateiMitUmlauten) {
  DateiSicherSchreiben(Pfad("Wérte ä.csv"), "eins\r\n");
  EXPECT_EQ(DateiLesen(Pfad("Wérte ä.csv"), 100), "eins\r\n");
  DateiSicherSchreiben(Pfad("Wérte ä.csv"), std::string("zwei\0\n", 6));
  EXPECT_EQ(DateiLesen(Pfad("Wérte ä.csv"), 100), std::string("zwei\0\n", 6));
  DateiSicherSchreiben(Pfad("Straße 5.kwt"), "");
  EXPECT_EQ(DateiLesen(Pfad("Straße 5.kwt"), 100), "");
  EXPECT_EQ(Namen(), (std::vector<std::string>{"Straße 5.kwt", "Wérte ä.csv"}));
  // Hidden stays hidden.
  ::SetFileAttributesW(DateiPfad(Pfad("Straße 5.kwt")).c_str(), FILE_ATTRIBUTE_HIDDEN);
  DateiSicherSchreiben(Pfad("Straße 5.kwt"), "neu");
  EXPECT_TRUE(::GetFileAttributesW(DateiPfad(Pfad("Straße 5.kwt")).c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

// Windows renames nothing over a file that another program holds open (a spreadsheet with the CSV
// open), whether or not it shares the deletion: the write fails with that reason, the old content
// stays, no temporary file is left, and once the file is closed the same write succeeds.
TEST_F(DateiWindowsTest, OffeneDatei) {
  DateiSicherSchreiben(Pfad("werte.csv"), "alt");
  for (const DWORD teilen : {DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE}}) {
    const HANDLE offen =
        ::CreateFileW(DateiPfad(Pfad("werte.csv")).c_str(), GENERIC_READ, teilen, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(offen, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Meldung([&] { DateiSicherSchreiben(Pfad("werte.csv"), "neu"); }),
              "Die Datei " + PfadZitat(Pfad("werte.csv")) +
                  " kann nicht geschrieben werden: Die Datei ist von einem anderen Programm belegt.")
        << teilen;
    ::CloseHandle(offen);
    EXPECT_EQ(DateiLesen(Pfad("werte.csv"), 100), "alt");
    EXPECT_EQ(Namen(), std::vector<std::string>{"werte.csv"});
  }
  DateiSicherSchreiben(Pfad("werte.csv"), "neu");
  EXPECT_EQ(DateiLesen(Pfad("werte.csv"), 100), "neu");
}

TEST_F(DateiWindowsTest, FehlerMitGrundUndDieAlteDateiBleibt) {
  DateiSicherSchreiben(Pfad("schreibgeschützt.kwt"), "alt");
  ::SetFileAttributesW(DateiPfad(Pfad("schreibgeschützt.kwt")).c_str(), FILE_ATTRIBUTE_READONLY);
  std::filesystem::create_directory(DateiPfad(Pfad("ordner")));
  const std::pair<std::string, std::string> faelle[] = {
      {Pfad("schreibgeschützt.kwt"), "Keine Berechtigung."},
      {Pfad("fehlt\\neu.csv"), "Der Ordner existiert nicht."},
      {Pfad("ordner"), "Das ist ein Ordner."},
  };
  for (const auto &[pfad, grund] : faelle) {
    EXPECT_EQ(Meldung([&] { DateiSicherSchreiben(pfad, "neu"); }),
              "Die Datei " + PfadZitat(pfad) + " kann nicht geschrieben werden: " + grund);
  }
  EXPECT_EQ(DateiLesen(Pfad("schreibgeschützt.kwt"), 100), "alt");
  EXPECT_EQ(Namen(), (std::vector<std::string>{"ordner", "schreibgeschützt.kwt"}));
  // The device NUL is written, not replaced.
  DateiSicherSchreiben("NUL", "verworfen");
}

TEST_F(DateiWindowsTest, LesenNurGewoehnlicheDateienBisZurGrenze) {
  DateiSicherSchreiben(Pfad("genau.kwt"), std::string(1000, 'x'));
  DateiSicherSchreiben(Pfad("groß.kwt"), std::string(1001, 'x'));
  EXPECT_EQ(DateiLesen(Pfad("genau.kwt"), 1000), std::string(1000, 'x'));
  std::filesystem::create_directory(DateiPfad(Pfad("ordner.kwt")));
  const std::pair<std::string, std::string> faelle[] = {
      {Pfad("fehlt.kwt"), "kann nicht gelesen werden: Die Datei existiert nicht."},
      {Pfad("ordner.kwt"), "kann nicht gelesen werden: Das ist ein Ordner."},
      {"NUL", "kann nicht gelesen werden: Das ist keine gewöhnliche Datei"},
      {Pfad("groß.kwt"), "ist zu groß: mehr als 1.000 Bytes."},
  };
  for (const auto &[pfad, text] : faelle) {
    const std::string meldung = Meldung([&] { DateiLesen(pfad, 1000); });
    EXPECT_NE(meldung.find(text), std::string::npos) << meldung;
  }
}

} // namespace
