#include <sys/stat.h>

#include <QApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTest>

#include "common/winReportError.h"
#include "palette/PaletteFixture.h"

namespace {

// The button as drawn on a transparent ground: backdrop and paint handler only.
QImage drawn(PaletteButton& button) {
  QImage image(button.size(), QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  button.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image;
}

int inkPixels(const QImage& image, const QRect& area) {
  int ink = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) ink += qAlpha(image.pixel(x, y)) > 0;
  return ink;
}

// Menlo or its stand-in: measured, since fontconfig does not flag every monospaced face.
bool monospaced(const QFont& font) {
  const QFontMetricsF metrics(font);
  return metrics.horizontalAdvance(QStringLiteral("i")) == metrics.horizontalAdvance(QStringLiteral("W"));
}

}  // namespace

using PaletteGridTest = PaletteWindowTest;

TEST_F(PaletteGridTest, PictureNamesPickTheirButtons) {
  writePicture("05a.png", Qt::red);
  writePicture("05b.png", Qt::blue);
  writePicture("7", Qt::green);
  writePicture("7.png", Qt::red);
  writePicture("7x.png", Qt::red);
  writePicture("95.png", Qt::yellow);
  writePicture(".12.png", Qt::red);
  writeFile(pictureFolder() + "/33.png", "not a picture");
  QDir().mkpath(pictureFolder() + "/44");

  winMain& w = open();

  // Sorted names, the first two characters when both are digits; "05" twice.
  EXPECT_EQ(w.hasPicture, (std::vector<qint64>{5, 5, 33, 7, 95}));
  EXPECT_EQ(w.cnBut[5]->backdrop().toImage().pixelColor(10, 10), QColor(Qt::blue));  // the last file stays
  EXPECT_EQ(w.cnBut[7]->backdrop().toImage().pixelColor(10, 10), QColor(Qt::green));
  EXPECT_FALSE(w.cnBut[95]->backdrop().isNull());  // below the grid's rows it waits for a bigger grid
  EXPECT_TRUE(w.cnBut[33]->backdrop().isNull());
  EXPECT_TRUE(w.cnBut[12]->backdrop().isNull());
  EXPECT_TRUE(w.cnBut[44]->backdrop().isNull());

  // A file that is no picture: neither a picture nor the number.
  EXPECT_EQ(inkPixels(drawn(*w.cnBut[33]), QRect(0, 0, 64, 64)), 0);
  // Without a file, the number shows.
  EXPECT_GT(inkPixels(drawn(*w.cnBut[34]), QRect(0, 0, 64, 64)), 20);
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(PaletteGridTest, ANamedPipeAmongThePicturesNeitherHangsNorShows) {
  // Opening a pipe would wait for a writer for ever; the per-test time limit catches a hang.
  writePicture("04.png", Qt::red);
  ASSERT_EQ(mkfifo(QFile::encodeName(pictureFolder() + "/05 notes.txt").constData(), 0600), 0);
  winMain& w = open();
  EXPECT_EQ(w.hasPicture, (std::vector<qint64>{4, 5}));
  EXPECT_FALSE(w.cnBut[4]->backdrop().isNull());
  EXPECT_TRUE(w.cnBut[5]->backdrop().isNull());
  w.EraseAllPictures();
  w.RedrawGrid();
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(PaletteGridTest, MissingPictureFolderGivesNumbersOnly) {
  winMain& w = open();
  EXPECT_TRUE(w.hasPicture.empty());
  for (PaletteButton* b : w.cnBut) EXPECT_TRUE(b->backdrop().isNull());
  EXPECT_TRUE(QDir(dataFolder + "/ButtonPictures").exists());  // made by Open
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(PaletteGridTest, RedrawAloneKeepsARemovedPictureEraseFirstDropsIt) {
  writePicture("08.png", Qt::red);
  winMain& w = open();
  ASSERT_FALSE(w.cnBut[8]->backdrop().isNull());
  QFile::remove(pictureFolder() + "/08.png");

  w.RedrawGrid();
  EXPECT_FALSE(w.cnBut[8]->backdrop().isNull());
  EXPECT_TRUE(w.hasPicture.empty());

  // The click on the number label erases and redraws.
  w.show();
  QTest::mouseClick(w.labSeeNum, Qt::LeftButton);
  EXPECT_TRUE(w.cnBut[8]->backdrop().isNull());
}

TEST_F(PaletteGridTest, EveryRefreshLeavesEachButtonShowingItsPictureOrItsNumberOnScreen) {
  writePicture("00.png", Qt::red);
  KM::DP.at(3).s_Alias = "NoPictures";
  winMain& w = open();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

  // What the window last painted, button 00's square.
  const auto onScreen = [&w] {
    QCoreApplication::processEvents();
    const QPoint at = w.cnBut[0]->mapTo(&w, QPoint(0, 0));
    return w.screen()->grabWindow(w.winId()).toImage().copy(QRect(at, QSize(64, 64)));
  };
  const auto count = [](const QImage& image, auto&& wanted) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += wanted(image.pixelColor(x, y));
    return n;
  };
  const auto red = [](const QColor& c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
  const auto dark = [](const QColor& c) { return c.lightness() < 80; };

  QImage shown = onScreen();
  EXPECT_EQ(count(shown, red), 64 * 64);

  KM::ChangeToPalette(3);  // as Cmd+3 does
  shown = onScreen();
  EXPECT_EQ(count(shown, red), 0);
  EXPECT_GT(count(shown, dark), 20);  // the number "00", in black

  KM::ChangeToPalette(5);
  EXPECT_EQ(count(onScreen(), red), 64 * 64);

  // A picture removed while shown: the click on the Name/ID label brings the number back.
  QFile::remove(pictureFolder() + "/00.png");
  QTest::mouseClick(w.labSeeNum, Qt::LeftButton);
  shown = onScreen();
  EXPECT_EQ(count(shown, red), 0);
  EXPECT_GT(count(shown, dark), 20);
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(PaletteGridTest, NumbersAreBlackWhateverTheStyle) {
  QPalette dark = QApplication::palette();
  dark.setColor(QPalette::WindowText, Qt::white);
  dark.setColor(QPalette::Text, Qt::white);
  dark.setColor(QPalette::ButtonText, Qt::white);
  QApplication::setPalette(dark);
  winMain& w = open();
  const QImage image = drawn(*w.cnBut[34]);
  QApplication::setPalette(QApplication::style()->standardPalette());
  int black = 0, light = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.alpha() < 200) continue;
      ++(c.lightness() < 60 ? black : light);
    }
  EXPECT_GT(black, 20);
  EXPECT_EQ(light, 0);
}

TEST_F(PaletteGridTest, GridSizeFollowsRowsAndColumns) {
  struct Case {
    qint64 rows, columns;
    int width, height;
  };
  const Case cases[] = {{10, 10, 640, 670}, {3, 4, 256, 222}, {1, 1, 64, 94}, {10, 1, 64, 670}};
  winMain& w = open();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rows << " x " << c.columns);
    KM::numRows = c.rows;
    KM::numColumns = c.columns;
    w.RedrawGrid();
    const int top = static_cast<int>(c.rows) * 64;
    EXPECT_EQ(w.Width(), c.width);
    EXPECT_EQ(w.Height(), c.height);
    EXPECT_EQ(w.content->size(), QSize(c.width, c.height));
    EXPECT_EQ(w.size(), QSize(c.width, w.content->y() + c.height));  // the menu bar above
    EXPECT_EQ(w.rectBackgroundTip->geometry(), QRect(c.width - 640, top, 640, 30));
    EXPECT_EQ(w.labSeeNum->geometry(), QRect(0, top, 45, 30));
    EXPECT_EQ(w.labTip->geometry(), QRect(45, top, std::max(0, c.width - 65), 30));
    EXPECT_EQ(w.labSeeSC->geometry(), QRect(c.width - 20, top, 20, 30));
  }
  // 3 × 4: the tip spans 45 to 236.
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(PaletteGridTest, VisibilityOfAllHundredButtonsFollowsVis) {
  for (int n : {0, 45, 99}) button(n).Vis = false;
  KM::numRows = 3;
  winMain& w = open();
  for (int n = 0; n < 100; ++n)
    EXPECT_EQ(w.cnBut[static_cast<size_t>(n)]->isHidden(), n == 0 || n == 45 || n == 99) << n;

  // A change of Vis counts only after the next redraw.
  button(45).Vis = true;
  EXPECT_TRUE(w.cnBut[45]->isHidden());
  w.RedrawGrid();
  EXPECT_FALSE(w.cnBut[45]->isHidden());
}

TEST_F(PaletteGridTest, BadgeAndLetterOverThePicture) {
  writePicture("03.png", QColor(0, 0, 255));
  writePicture("04.png", QColor(0, 0, 255));
  writePicture("05.png", QColor(0, 0, 255));
  button(3).ShortcutShow = true;   // "d": badge
  button(4).ShortcutShow = false;  // "e" not shown
  button(5).ShortcutShow = true;
  button(5).Shortcut = KM::noneMark;  // nothing to show
  winMain& w = open();

  const QImage withBadge = drawn(*w.cnBut[3]);
  // White at transparency 75 over blue, at the badge's corner (51, 51), left of the letter.
  const QColor corner = withBadge.pixelColor(51, 51);
  EXPECT_NEAR(corner.red(), 180, 2);
  EXPECT_NEAR(corner.green(), 180, 2);
  EXPECT_EQ(corner.blue(), 255);
  EXPECT_EQ(withBadge.pixelColor(50, 50), QColor(0, 0, 255));  // outside the badge, no number
  EXPECT_EQ(withBadge.pixelColor(20, 30), QColor(0, 0, 255));
  // The letter in DC6E00 inside the badge.
  bool letter = false;
  for (int y = 51; y < 64; ++y)
    for (int x = 54; x < 64; ++x) letter |= withBadge.pixelColor(x, y).red() > withBadge.pixelColor(x, y).blue();
  EXPECT_TRUE(letter);

  for (int n : {4, 5}) {
    const QImage plain = drawn(*w.cnBut[static_cast<size_t>(n)]);
    EXPECT_EQ(plain.pixelColor(51, 51), QColor(0, 0, 255)) << n;
    EXPECT_EQ(plain.pixelColor(60, 60), QColor(0, 0, 255)) << n;
  }
}

TEST_F(PaletteGridTest, StripFontsAndColours) {
  winMain& w = open();
  EXPECT_EQ(w.labSeeNum->font().pixelSize(), 12);
  EXPECT_TRUE(monospaced(w.labSeeNum->font()));
  EXPECT_EQ(w.labSeeSC->font().pixelSize(), 18);
  EXPECT_TRUE(w.labSeeSC->font().bold());
  EXPECT_TRUE(monospaced(w.labSeeSC->font()));
  EXPECT_EQ(w.labTip->palette().color(QPalette::WindowText), QColor(0x93, 0x51, 0x00));
  EXPECT_EQ(w.labSeeSC->palette().color(QPalette::WindowText), QColor(0xFF, 0x93, 0x00));
  EXPECT_EQ(w.labSeeNum->palette().color(QPalette::WindowText), QColor(0, 0, 0));
  EXPECT_EQ(w.rectBackgroundTip->FillColor, QColor(0xFE, 0xFF, 0x96));
  EXPECT_EQ(w.rectBackgroundTip->BorderColorTopLeft, QColor(0xFE, 0xFF, 0x96));
  EXPECT_EQ(w.rectBackgroundTip->BorderColorBottomRight, QColor(0xFE, 0xFF, 0x96));
}

TEST_F(PaletteGridTest, RedrawFailureIsReportedAndLeavesTheSize) {
  KM::numRows = 3;
  winMain& w = open();
  KM::aBtn->resize(50);  // a palette without its 100 buttons
  KM::numRows = 10;
  w.RedrawGrid();
  EXPECT_EQ(logLines, QStringList{"Exception - winMain.RedrawGrid"});
  EXPECT_EQ(w.Height(), 670);  // the size is set before the buttons are read
}
