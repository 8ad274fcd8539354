#include <QGuiApplication>
#include <QScreen>

#include "platform/Screen.h"
#include "support/TestEnvironment.h"

using ScreenTest = TavelinTest;

TEST_F(ScreenTest, MainAvailableAreaIsTheRealScreenUnlessATestSetsOne) {
  const QRect real = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(Screen::mainAvailableArea(), real);

  Screen::setMainAvailableArea(QRect(0, 25, 1440, 875));
  EXPECT_EQ(Screen::mainAvailableArea(), QRect(0, 25, 1440, 875));

  Screen::setMainAvailableArea(std::nullopt);
  EXPECT_EQ(Screen::mainAvailableArea(), real);
}
