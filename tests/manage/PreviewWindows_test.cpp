#include <QScreen>
#include <QTest>
#include <functional>

#include "ManageFixture.h"
#include "manage/winChangeAlias.h"
#include "manage/winDeletePalette.h"

namespace {

using PreviewWindowsTest = ManageTest;

using Opener = std::function<void(const std::function<void(PreviewWindow&)>&)>;
const std::pair<const char*, Opener> kWindows[] = {
    {"winChangeAlias", [](const auto& use) { openAndDrive<winChangeAlias>(use); }},
    {"winDeletePalette", [](const auto& use) { openAndDrive<winDeletePalette>(use); }},
};

}  // namespace

TEST_F(PreviewWindowsTest, SixFadedButtonsInTheTopLeftCornerOfBothWindows) {
  for (const char* key : {"00", "01", "02", "10", "11", "12"}) picture(pictures() + "/" + key + ".png", Qt::red);
  for (const auto& [name, open] : kWindows) {
    SCOPED_TRACE(name);
    open([&](PreviewWindow& w) {
      struct Expected {
        PreviewCanvas* canvas;
        QImage picture;
        QPoint place;
        double transparency;
      };
      const Expected expected[] = {
          {w.cnBut00, w.myPict00, {20, 20}, 0},  {w.cnBut01, w.myPict01, {96, 20}, 50},
          {w.cnBut02, w.myPict02, {172, 20}, 75}, {w.cnBut10, w.myPict10, {20, 96}, 50},
          {w.cnBut11, w.myPict11, {96, 96}, 75},  {w.cnBut12, w.myPict12, {172, 96}, 90},
      };
      QCoreApplication::processEvents();
      const QImage screen = w.screen()->grabWindow(w.winId()).toImage();
      const QColor background = w.palette().color(QPalette::Window);
      for (const Expected& e : expected) {
        EXPECT_EQ(e.canvas->geometry(), QRect(e.place, QSize(64, 64)));
        EXPECT_EQ(e.canvas->transparency(), e.transparency);
        EXPECT_FALSE(e.picture.isNull());
        // Red over the window's background, fainter the further from button 00.
        const QColor seen = screen.pixelColor(e.place + QPoint(30, 30));
        const double opacity = 1.0 - e.transparency / 100.0;
        EXPECT_NEAR(seen.red(), 255 * opacity + background.red() * (1 - opacity), 3);
        EXPECT_NEAR(seen.green(), background.green() * (1 - opacity), 3);
      }
      EXPECT_EQ(w.labNameID->text(), "P05");
    });
  }
}

TEST_F(PreviewWindowsTest, NoCloseBoxNoKeyAnswersAndAWindowManagerCloseIsCancel) {
  for (const auto& [name, open] : kWindows) {
    SCOPED_TRACE(name);
    bool stillOpen = false;
    open([&](PreviewWindow& w) {
      EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
      EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
      EXPECT_EQ(w.minimumSize(), QSize(500, 400));
      EXPECT_EQ(w.maximumSize(), QSize(500, 400));
      for (QPushButton* button : w.findChildren<QPushButton*>()) {
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(button, Qt::Key_Escape);
      }
      stillOpen = w.isVisible();
      w.close();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(KM::idxCP, 5);
    EXPECT_EQ(KM::DP.at(5).s_Alias, "Rubus");
    EXPECT_TRUE(view.calls.isEmpty());
    EXPECT_FALSE(KM::paletteActiveChange);
  }
  EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
}
