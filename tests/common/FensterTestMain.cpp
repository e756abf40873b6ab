// Test main of the GoogleTest programs that build widgets: the program's rounding mode as at
// start-up, one application object for all tests (offscreen unless a platform is asked for), and
// German regional settings whatever the machine has. The Qt Test programs get the same from
// Fenstertest.h.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "W32_CLC.h"

int main(int argc, char **argv) {
  kwt::FormatierungInitialisieren();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication anwendung(argc, argv);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
