#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

#include "manage/PalettePreview.h"
#include "support/TestEnvironment.h"

namespace {

class PalettePreviewTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
    data = homePath() + "/data";
    folder = data + "/ButtonPictures/P05";
    QDir().mkpath(folder);
  }

  void picture(const QString& name, const QColor& colour, QSize size = {64, 64}) const {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(folder + "/" + name)) << name.toStdString();
  }

  PalettePreview::Pictures load(const QString& palette = "P05") const {
    return PalettePreview::LoadPreviewPictures(FolderItem(data), palette);
  }

  // What a lone canvas shows of a picture at a transparency, as painted.
  static QImage painted(const QImage& picture, double transparency) {
    PreviewCanvas canvas(nullptr, transparency,
                         [&](QPainter& g) { PalettePreview::DrawPreviewPicture(g, picture, transparency); });
    canvas.setAttribute(Qt::WA_TranslucentBackground);
    return canvas.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  }

  QString data, folder;
};

// The colour of each of the six pictures, or "none".
QStringList colours(const PalettePreview::Pictures& pictures) {
  QStringList out;
  for (const QImage& p : pictures) out << (p.isNull() ? QStringLiteral("none") : p.pixelColor(0, 0).name());
  return out;
}

}  // namespace

TEST_F(PalettePreviewTest, OnlyTwoDigitNamesOfTheSixButtonsAreOpened) {
  picture("00start.png", Qt::red);
  picture("01.jpg", Qt::white);
  picture("10x.png", Qt::blue);
  for (const char* other : {"05.png", "99.png", "5.png", "0a.png", ".00hidden.png"}) picture(other, Qt::green);
  QDir().mkpath(folder + "/02");
  writeFile(folder + "/1", "one");
  writeFile(folder + "/12notes.txt", "not a picture");

  const PalettePreview::Pictures pictures = load();
  EXPECT_EQ(colours(pictures), (QStringList{"#ff0000", "#ffffff", "none", "#0000ff", "none", "none"}));
  EXPECT_EQ(pictures[0].size(), QSize(64, 64));
}

TEST_F(PalettePreviewTest, OfOneButtonsFilesTheLastByNameDecides) {
  struct Case {
    const char* name;
    QStringList files;  // written in this order, each red, green, blue… in turn
    QString shown;
  };
  const Case cases[] = {
      {"the later name wins whatever the order written", {"00b.png", "00a.png"}, "#ff0000"},
      {"a later file that is no picture leaves none", {"00a.png", "00b.txt"}, "none"},
      {"a later subfolder is passed over", {"00a.png", "00b"}, "#ff0000"},
  };
  const QColor inTurn[] = {Qt::red, Qt::green};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    for (qsizetype i = 0; i < c.files.size(); ++i) {
      const QString& name = c.files[i];
      if (name.endsWith(".png")) picture(name, inTurn[i]);
      else if (name.endsWith(".txt")) writeFile(folder + "/" + name, "text");
      else QDir().mkpath(folder + "/" + name);
    }
    EXPECT_EQ(colours(load()).first(), c.shown);
  }
}

TEST_F(PalettePreviewTest, MissingFolderGivesNoPicturesAndIsNotCreated) {
  EXPECT_EQ(colours(load("P07")), QStringList(6, "none"));
  EXPECT_FALSE(QFileInfo::exists(data + "/ButtonPictures/P07"));

  const QString noData = homePath() + "/nowhere";
  EXPECT_EQ(colours(PalettePreview::LoadPreviewPictures(FolderItem(noData), "P05")), QStringList(6, "none"));
  EXPECT_FALSE(QFileInfo::exists(noData));
}

TEST_F(PalettePreviewTest, PictureIsDrawnAtItsOwnSizeFromTheTopLeftAndFaded) {
  // 69 × 69, blue in the five columns and rows beyond the canvas.
  QImage large(69, 69, QImage::Format_ARGB32);
  large.fill(Qt::blue);
  QPainter(&large).fillRect(0, 0, 64, 64, Qt::red);
  large.save(folder + "/00.png");
  picture("01.png", Qt::red, {51, 51});

  const PalettePreview::Pictures pictures = load();
  const QImage big = painted(pictures[0], 0);
  ASSERT_EQ(big.size(), QSize(64, 64));
  EXPECT_EQ(big.pixelColor(63, 63), QColor(Qt::red));
  EXPECT_EQ(big.pixelColor(0, 0), QColor(Qt::red));

  const QImage small = painted(pictures[1], 0);
  EXPECT_EQ(small.pixelColor(50, 50), QColor(Qt::red));
  EXPECT_EQ(small.pixelColor(51, 10).alpha(), 0);
  EXPECT_EQ(small.pixelColor(10, 51).alpha(), 0);

  for (auto [transparency, alpha] : {std::pair{0.0, 255}, {50.0, 128}, {75.0, 64}, {90.0, 26}}) {
    const QColor seen = painted(pictures[0], transparency).pixelColor(5, 5);
    EXPECT_NEAR(seen.alpha(), alpha, 2) << transparency;
    EXPECT_EQ(seen.red(), 255) << transparency;
  }
  EXPECT_EQ(painted(QImage(), 0).pixelColor(5, 5).alpha(), 0);
}
