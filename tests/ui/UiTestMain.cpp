// Test main of the windows: a QApplication (offscreen unless a display is asked for), the German locale,
// and the program's rounding mode, as at start-up.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "W32_CLC.h"

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication anwendung(argc, argv);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  kwt::FormatierungInitialisieren();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
