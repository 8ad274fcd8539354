#include <gtest/gtest.h>

#include "app/App.h"
#include "platform/StandardError.h"

int main(int argc, char** argv) {
  // As the program starts: no test may end for a write to a stream whose reader has gone.
  StandardError::install();
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  App app(argc, argv);
  return RUN_ALL_TESTS();
}
