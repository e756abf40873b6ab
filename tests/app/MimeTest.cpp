// The MIME type of scenario files (packaging/mime.xml), compiled by update-mime-database together with
// the desktop's own types, as an installation does: a double-clicked .kwt file must be a scenario,
// although the old KWord templates claim *.kwt too.
//   mime_tests <mime.xml> <freedesktop.org.xml>
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "Szenario.h"

namespace {
QString eigeneXml, desktopXml;
}

class MimeTest : public QObject {
  Q_OBJECT

  QTemporaryDir daten, leer;

private slots:
  void initTestCase() {
    // The database is read from these folders at its first use, which comes after this.
    QVERIFY(QDir(daten.path()).mkpath("mime/packages"));
    QVERIFY(QFile::copy(eigeneXml, daten.filePath("mime/packages/kwt.xml")));
    QVERIFY(QFile::copy(desktopXml, daten.filePath("mime/packages/freedesktop.org.xml")));
    qputenv("XDG_DATA_DIRS", daten.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", leer.path().toLocal8Bit());
    QProcess uebersetzen;
    uebersetzen.start("update-mime-database", {daten.filePath("mime")});
    QVERIFY(uebersetzen.waitForFinished(60000));
    QCOMPARE(uebersetzen.exitCode(), 0);
    QCOMPARE(uebersetzen.readAllStandardError(), QByteArray());
  }

  // By name alone (as a file manager lists a folder) and by content, a saved scenario is one; a
  // KWord template keeps its type where the content is looked at.
  void KwtDateien() {
    const QString szenario = leer.filePath("gutachten.kwt"), kword = leer.filePath("vorlage.kwt");
    kwt::SzenarioSpeichern(szenario.toStdString(), kwt::Szenario{});
    QFile zip(kword);
    QVERIFY(zip.open(QIODevice::WriteOnly));
    zip.write(QByteArray("PK\003\004") + QByteArray(26, '\0') + "mimetypeapplication/x-kword");
    zip.close();

    QMimeDatabase db;
    const QMimeType typ = db.mimeTypeForName("application/x-kwt-szenario");
    QVERIFY(typ.isValid());
    QVERIFY(typ.inherits("application/json"));
    QCOMPARE(typ.suffixes(), QStringList{"kwt"});
    QCOMPARE(db.mimeTypeForFile("Neues Gutachten.kwt", QMimeDatabase::MatchExtension).name(), typ.name());
    QCOMPARE(db.mimeTypeForFile(szenario).name(), typ.name());
    QCOMPARE(db.mimeTypeForFile(szenario, QMimeDatabase::MatchContent).name(), typ.name());
    QCOMPARE(db.mimeTypeForFile(kword, QMimeDatabase::MatchContent).name(), "application/x-kword");
  }
};

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "Aufruf: mime_tests <mime.xml> <freedesktop.org.xml>\n");
    return 2;
  }
  eigeneXml = QString::fromLocal8Bit(argv[1]);
  desktopXml = QString::fromLocal8Bit(argv[2]);
  QCoreApplication app(argc, argv);
  MimeTest test;
  return QTest::qExec(&test, 1, argv);
}

#include "MimeTest.moc"
