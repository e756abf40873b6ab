// The safe writer and the careful reader on real files: new and replaced files, permission bits,
// links, devices, FIFOs, descriptors, long names, a full and a read-only file system, and every
// failure with its reason, the old file untouched and no temporary file left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "../common/Fehlermeldung.h"
#include "Datei.h"
#include "Standardausgabe.h"

using namespace kwt;

namespace {

class DateiTest : public ::testing::Test {
protected:
  void SetUp() override {
    char vorlage[] = "/tmp/kwt-datei-XXXXXX";
    ASSERT_NE(::mkdtemp(vorlage), nullptr);
    ordner = vorlage;
  }
  void TearDown() override {
    if (!eingehaengt.empty()) ::umount(eingehaengt.c_str());
    std::filesystem::remove_all(ordner);
  }

  std::string Pfad(const std::string &name) const { return ordner + "/" + name; }
  static std::string Inhalt(const std::string &pfad) {
    std::ifstream datei(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(datei), {}};
  }
  static void Anlegen(const std::string &pfad, const std::string &inhalt, mode_t modus = 0644) {
    std::ofstream(pfad, std::ios::binary) << inhalt;
    ::chmod(pfad.c_str(), modus);
  }
  // The names in a folder: after any write, no temporary file may be among them.
  static std::vector<std::string> Namen(const std::string &wo) {
    std::vector<std::string> namen;
    for (const auto &e : std::filesystem::directory_iterator(wo)) namen.push_back(e.path().filename().string());
    std::sort(namen.begin(), namen.end());
    return namen;
  }
  static mode_t Modus(const std::string &pfad) {
    struct stat st {};
    ::lstat(pfad.c_str(), &st);
    return st.st_mode;
  }
  // The message of the DateiFehler that `tun` throws.
  static std::string Meldung(const std::function<void()> &tun) { return test::Fehlermeldung<DateiFehler>(tun); }
  // A small file system of its own, where this process may mount one (as root, outside most
  // containers); the test is skipped otherwise.
  bool TmpfsEinhaengen(const std::string &optionen) {
    eingehaengt = Pfad("fs");
    std::filesystem::create_directory(eingehaengt);
    if (::mount("tmpfs", eingehaengt.c_str(), "tmpfs", 0, optionen.c_str()) == 0) return true;
    eingehaengt.clear();
    return false;
  }

  std::string ordner, eingehaengt;
};

TEST_F(DateiTest, NeueDateiUndErsetzteDatei) {
  const mode_t vorher = ::umask(027);
  DateiSicherSchreiben(Pfad("werte.csv"), "eins\r\n");
  ::umask(vorher);
  EXPECT_EQ(Inhalt(Pfad("werte.csv")), "eins\r\n");
  EXPECT_EQ(Modus(Pfad("werte.csv")) & 07777, 0640u); // 0666 less the umask, as any new file
  DateiSicherSchreiben(Pfad("werte.csv"), std::string("zwei\0drei", 9));
  EXPECT_EQ(Inhalt(Pfad("werte.csv")), std::string("zwei\0drei", 9));
  DateiSicherSchreiben(Pfad("werte.csv"), "");
  EXPECT_EQ(Inhalt(Pfad("werte.csv")), "");
  EXPECT_EQ(Namen(ordner), std::vector<std::string>{"werte.csv"});
  // A name without a folder is written in the current one.
  const auto arbeitsordner = std::filesystem::current_path();
  std::filesystem::current_path(ordner);
  DateiSicherSchreiben("hier.kwt", "x");
  std::filesystem::current_path(arbeitsordner);
  EXPECT_EQ(Inhalt(Pfad("hier.kwt")), "x");
}

TEST_F(DateiTest, DieRechteDerAltenDateiBleiben) {
  for (const mode_t modus : {0600, 0640, 0751, 0604}) {
    Anlegen(Pfad("a.kwt"), "alt", modus);
    DateiSicherSchreiben(Pfad("a.kwt"), "neu");
    EXPECT_EQ(Modus(Pfad("a.kwt")) & 07777, modus) << std::oct << modus;
    EXPECT_EQ(Inhalt(Pfad("a.kwt")), "neu");
  }
}

TEST_F(DateiTest, EineVerknuepfungBleibtUndIhrZielWirdGeschrieben) {
  std::filesystem::create_directory(Pfad("unter"));
  Anlegen(Pfad("unter/ziel.csv"), "alt", 0600);
  struct Fall {
    const char *link;
    std::string verweis;
    const char *ziel;
  } faelle[] = {
      {"relativ.csv", "unter/ziel.csv", "unter/ziel.csv"},
      {"absolut.csv", Pfad("unter/ziel.csv"), "unter/ziel.csv"},
      {"kette.csv", "relativ.csv", "unter/ziel.csv"},
      {"unter/zurueck.csv", "../unter/ziel.csv", "unter/ziel.csv"},
      {"ins-leere.csv", "unter/neu.csv", "unter/neu.csv"}, // the target is made where the link points
  };
  for (const Fall &f : faelle) {
    ASSERT_EQ(::symlink(f.verweis.c_str(), Pfad(f.link).c_str()), 0) << f.link;
    DateiSicherSchreiben(Pfad(f.link), f.link);
    EXPECT_TRUE(S_ISLNK(Modus(Pfad(f.link)))) << f.link;
    EXPECT_EQ(std::filesystem::read_symlink(Pfad(f.link)).string(), f.verweis);
    EXPECT_EQ(Inhalt(Pfad(f.ziel)), f.link);
  }
  EXPECT_EQ(Modus(Pfad("unter/ziel.csv")) & 07777, 0600u);
  EXPECT_EQ(Namen(Pfad("unter")), (std::vector<std::string>{"neu.csv", "ziel.csv", "zurueck.csv"}));
  // Links in a circle end with a reason, not in a loop.
  ::symlink("kreis2", Pfad("kreis1").c_str());
  ::symlink("kreis1", Pfad("kreis2").c_str());
  EXPECT_NE(Meldung([&] { DateiSicherSchreiben(Pfad("kreis1"), "x"); }).find("Verknüpfungen"), std::string::npos);
}

TEST_F(DateiTest, FifoUndGeraetWerdenBeschriebenNichtErsetzt) {
  ASSERT_EQ(::mkfifo(Pfad("rohr").c_str(), 0600), 0);
  std::string gelesen;
  std::thread leser([&] {
    std::ifstream rohr(Pfad("rohr"), std::ios::binary);
    gelesen.assign(std::istreambuf_iterator<char>(rohr), {});
  });
  DateiSicherSchreiben(Pfad("rohr"), "durch das Rohr\r\n");
  leser.join();
  EXPECT_EQ(gelesen, "durch das Rohr\r\n");
  EXPECT_TRUE(S_ISFIFO(Modus(Pfad("rohr"))));

  // /dev/null itself (root could replace it by a regular file) and a device node of the same kind.
  DateiSicherSchreiben("/dev/null", "weg");
  EXPECT_TRUE(S_ISCHR(Modus("/dev/null")));
  std::vector<std::string> namen{"rohr"};
  if (::mknod(Pfad("null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) {
    DateiSicherSchreiben(Pfad("null"), "weg");
    struct stat st {};
    ::lstat(Pfad("null").c_str(), &st);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(st.st_rdev, ::makedev(1, 3));
    namen.insert(namen.begin(), "null");
  }
  EXPECT_EQ(Namen(ordner), namen);
}

TEST_F(DateiTest, EigeneDeskriptorenAnIhrerStelle) {
  // As `kwt-mc --csv /dev/stdout > datei`: the descriptor's file goes on at its position and stays
  // the same file.
  Anlegen(Pfad("umgeleitet.txt"), "");
  const int fd = ::open(Pfad("umgeleitet.txt").c_str(), O_WRONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, "Kopf\n", 5), 5);
  struct stat vorher {}, nachher {};
  ::stat(Pfad("umgeleitet.txt").c_str(), &vorher);
  for (const std::string &pfad : {"/dev/fd/" + std::to_string(fd), "/proc/self/fd/" + std::to_string(fd)}) {
    DateiSicherSchreiben(pfad, "CSV\n");
  }
  ASSERT_EQ(::write(fd, "Ende\n", 5), 5);
  ::close(fd);
  ::stat(Pfad("umgeleitet.txt").c_str(), &nachher);
  EXPECT_EQ(Inhalt(Pfad("umgeleitet.txt")), "Kopf\nCSV\nCSV\nEnde\n");
  EXPECT_EQ(vorher.st_ino, nachher.st_ino);
  // A pipe, the way /dev/stdout is one in `kwt-mc --csv /dev/stdout | less`.
  int rohr[2];
  ASSERT_EQ(::pipe(rohr), 0);
  DateiSicherSchreiben("/dev/fd/" + std::to_string(rohr[1]), "im Rohr");
  ::close(rohr[1]);
  char puffer[32] = {};
  EXPECT_EQ(::read(rohr[0], puffer, sizeof puffer), 7);
  ::close(rohr[0]);
  EXPECT_EQ(std::string(puffer), "im Rohr");
}

TEST_F(DateiTest, NamenNaheDerGrenze) {
  const std::string lang(250, 'w');
  DateiSicherSchreiben(Pfad(lang), "neu");
  DateiSicherSchreiben(Pfad(lang), "ersetzt");
  EXPECT_EQ(Inhalt(Pfad(lang)), "ersetzt");
  EXPECT_EQ(Namen(ordner), std::vector<std::string>{lang});
  const std::string meldung = Meldung([&] { DateiSicherSchreiben(Pfad(std::string(256, 'w')), "x"); });
  EXPECT_NE(meldung.find("Der Name ist zu lang."), std::string::npos) << meldung;
  EXPECT_NE(meldung.find("…wwww"), std::string::npos) << meldung; // the path quoted shortened, its end kept
}

// Each failure names its reason; an old file stays byte for byte, and no temporary file is left.
TEST_F(DateiTest, FehlerMitGrundUndDieAlteDateiBleibt) {
  Anlegen(Pfad("alt.csv"), std::string("alt\0\r\n", 6));
  std::filesystem::create_directory(Pfad("ordner"));
  const std::pair<std::string, std::string> faelle[] = {
      {Pfad("fehlt/neu.csv"), "Der Ordner existiert nicht."},
      {Pfad("ordner"), "Das ist ein Ordner."},
      {Pfad("alt.csv/neu.csv"), "Ein Teil des Pfads ist kein Ordner."},
  };
  for (const auto &[pfad, grund] : faelle) {
    const std::string meldung = Meldung([&] { DateiSicherSchreiben(pfad, "neu"); });
    EXPECT_EQ(meldung, "Die Datei '" + pfad + "' kann nicht geschrieben werden: " + grund);
  }
  EXPECT_EQ(Meldung([] { DateiSicherSchreiben("", "neu"); }), "Es ist kein Dateiname angegeben.");
  EXPECT_EQ(Inhalt(Pfad("alt.csv")), std::string("alt\0\r\n", 6));
  EXPECT_EQ(Namen(ordner), (std::vector<std::string>{"alt.csv", "ordner"}));
  EXPECT_TRUE(Namen(Pfad("ordner")).empty());
}

TEST_F(DateiTest, VolleFestplatte) {
  if (!TmpfsEinhaengen("size=64k")) GTEST_SKIP() << "kein tmpfs einhängbar (nicht root oder im Container)";
  const std::string datei = eingehaengt + "/werte.csv";
  const std::string alt(20000, 'a');
  DateiSicherSchreiben(datei, alt);
  const std::string meldung = Meldung([&] { DateiSicherSchreiben(datei, std::string(200000, 'n')); });
  EXPECT_NE(meldung.find("kann nicht geschrieben werden: Der Datenträger ist voll."), std::string::npos) << meldung;
  EXPECT_EQ(Inhalt(datei), alt);
  EXPECT_EQ(Namen(eingehaengt), std::vector<std::string>{"werte.csv"});
  // The space of the removed temporary file is free again: a write that fits succeeds.
  DateiSicherSchreiben(datei, std::string(30000, 'b'));
  EXPECT_EQ(Inhalt(datei).size(), 30000u);
}

TEST_F(DateiTest, SchreibgeschuetztesDateisystem) {
  if (!TmpfsEinhaengen("size=64k")) GTEST_SKIP() << "kein tmpfs einhängbar (nicht root oder im Container)";
  const std::string datei = eingehaengt + "/szenario.kwt";
  DateiSicherSchreiben(datei, "alt");
  ASSERT_EQ(::mount("tmpfs", eingehaengt.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
  for (const std::string &ziel : {datei, eingehaengt + "/neu.kwt"}) {
    const std::string meldung = Meldung([&] { DateiSicherSchreiben(ziel, "neu"); });
    EXPECT_NE(meldung.find("Das Dateisystem ist schreibgeschützt."), std::string::npos) << meldung;
  }
  EXPECT_EQ(Inhalt(datei), "alt");
}

TEST_F(DateiTest, LesenNurGewoehnlicheDateienBisZurGrenze) {
  Anlegen(Pfad("genau.kwt"), std::string(1000, 'x'));
  EXPECT_EQ(DateiLesen(Pfad("genau.kwt"), 1000), std::string(1000, 'x'));
  Anlegen(Pfad("gross.kwt"), std::string(1001, 'x'));
  ASSERT_EQ(::mkfifo(Pfad("rohr.kwt").c_str(), 0600), 0);
  std::filesystem::create_directory(Pfad("ordner.kwt"));
  const std::pair<std::string, std::string> faelle[] = {
      {Pfad("fehlt.kwt"), "kann nicht gelesen werden: Die Datei existiert nicht."},
      {Pfad("ordner.kwt"), "kann nicht gelesen werden: Das ist ein Ordner."},
      // A FIFO without a writer would make a plain read wait forever.
      {Pfad("rohr.kwt"), "kann nicht gelesen werden: Das ist keine gewöhnliche Datei"},
      {"/dev/null", "kann nicht gelesen werden: Das ist keine gewöhnliche Datei"},
      {Pfad("gross.kwt"), "ist zu groß: mehr als 1.000 Bytes."},
      {Pfad("genau.kwt/x"), "kann nicht gelesen werden: Ein Teil des Pfads ist kein Ordner."},
  };
  for (const auto &[pfad, text] : faelle) {
    const std::string meldung = Meldung([&] { DateiLesen(pfad, 1000); });
    EXPECT_NE(meldung.find(text), std::string::npos) << meldung;
    EXPECT_EQ(meldung.rfind("Die Datei '" + pfad + "'", 0), 0u) << meldung;
  }
}

// The checked standard output, on descriptor 1 borrowed for the test: a full device, a pipe whose
// reader is gone, a closed descriptor.
TEST(Standardausgabe, DerErsteFehlerBleibtMitSeinemGrund) {
  AusgabeVorbereiten();
  const int gesichert = ::dup(STDOUT_FILENO);
  ASSERT_GE(gesichert, 0);
  std::fflush(stdout);
  auto mit = [&](int fd, const std::string &text) {
    if (fd >= 0) ::dup2(fd, STDOUT_FILENO);
    else ::close(STDOUT_FILENO); // as `kwt-mc >&-`
    int nummer;
    {
      StandardausgabePuffer puffer;
      std::ostream aus(&puffer);
      aus << text;
      nummer = AusgabeFehlernummer(aus);
    }
    ::dup2(gesichert, STDOUT_FILENO);
    return nummer;
  };
  const int voll = ::open("/dev/full", O_WRONLY);
  EXPECT_EQ(mit(voll, "x"), ENOSPC);
  EXPECT_EQ(mit(voll, std::string(200000, 'x')), ENOSPC); // larger than the buffer: written around it
  ::close(voll);
  int rohr[2];
  ASSERT_EQ(::pipe(rohr), 0);
  ::close(rohr[0]);
  EXPECT_EQ(mit(rohr[1], "niemand liest"), EPIPE); // no SIGPIPE: the write reports it
  ::close(rohr[1]);
  ASSERT_EQ(::pipe(rohr), 0);
  EXPECT_EQ(mit(rohr[1], "gelesen"), 0);
  char puffer[16] = {};
  EXPECT_EQ(::read(rohr[0], puffer, sizeof puffer), 7);
  ::close(rohr[0]);
  ::close(rohr[1]);
  EXPECT_EQ(mit(-1, "x"), EBADF);
  // A stream that is no checked standard output only tells that it failed.
  std::ostringstream anderer;
  anderer.setstate(std::ios::badbit);
  EXPECT_EQ(AusgabeFehlernummer(anderer), EIO);
  ::close(gesichert);
}

} // namespace
