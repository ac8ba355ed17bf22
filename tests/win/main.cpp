// The Windows tests' entry point: nothing runs unless the program is under Wine.

#include <gtest/gtest.h>

#include "tests/win/wine_only.h"

int main(int argc, char** argv) {
  if (!tidora::testing::AllowedToRun("win_tests")) return 2;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
