#include <gtest/gtest.h>

#include "W32_CLC.h"

int main(int argc, char **argv) {
  kwt::FormatierungInitialisieren();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
