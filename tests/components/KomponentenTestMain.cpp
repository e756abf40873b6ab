// Test main of the components: the program's rounding mode as at start-up, one application object
// for all widget tests (offscreen), German regional settings whatever the machine has, and no modal
// error box (the tests read the messages instead).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "W32_CLC.h"

int main(int argc, char **argv) {
  kwt::FormatierungInitialisieren();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
