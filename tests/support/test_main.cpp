#include <gtest/gtest.h>

#include "app/App.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  App app(argc, argv);
  return RUN_ALL_TESTS();
}
