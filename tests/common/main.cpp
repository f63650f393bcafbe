// Test program entry, shared by every suite: the import shim goes in before any test runs.
#include <gtest/gtest.h>

#include "common/shim.h"

int main(int argc, char **argv) {
  shim::Install();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
