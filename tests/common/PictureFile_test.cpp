#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include "common/PictureFile.h"
#include "support/TestEnvironment.h"

using PictureFileTest = TavelinTest;

namespace {
QString savePicture(const QString& path, QSize size, QImage::Format format = QImage::Format_RGB32) {
  QImage image(size, format);
  image.fill(Qt::red);
  EXPECT_TRUE(image.save(path)) << path.toStdString();
  return path;
}
}  // namespace

TEST_F(PictureFileTest, ReadsOnlyWhatIsDrawnAndOnlyFromRegularFiles) {
  const QString dir = homePath();
  const QString small = savePicture(dir + "/69.png", {69, 50});
  EXPECT_EQ(PictureFile::declaredSize(small), QSize(69, 50));
  EXPECT_EQ(PictureFile::readCorner(small, 64).size(), QSize(64, 50));
  EXPECT_EQ(PictureFile::readWhole(small).size(), QSize(69, 50));

  // A huge picture is small on disk but never decoded.
  const QString huge = savePicture(dir + "/huge.png", {5000, 5000}, QImage::Format_Mono);
  EXPECT_EQ(PictureFile::declaredSize(huge), QSize(5000, 5000));
  EXPECT_TRUE(PictureFile::readCorner(huge, 64).isNull());
  EXPECT_TRUE(PictureFile::readWhole(huge).isNull());

  // A named pipe would block an open for ever; a folder or a missing file is no picture.
  const QString fifo = dir + "/05 notes.txt";
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  QDir().mkdir(dir + "/07.png");
  for (const QString& path : {fifo, dir + "/07.png", dir + "/missing.png", QString()}) {
    EXPECT_FALSE(PictureFile::isRegularFile(path)) << path.toStdString();
    EXPECT_FALSE(PictureFile::declaredSize(path).isValid());
    EXPECT_TRUE(PictureFile::readCorner(path, 64).isNull());
    EXPECT_TRUE(PictureFile::readWhole(path).isNull());
  }

  // A link to a picture is read through.
  ASSERT_TRUE(QFile::link(small, dir + "/linked.png"));
  EXPECT_EQ(PictureFile::readCorner(dir + "/linked.png", 64).size(), QSize(64, 50));
}

TEST_F(PictureFileTest, TruncatedOrForeignFilesAreNoPicture) {
  const QString dir = homePath();
  QImage noise(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) noise.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (x + y * 53) % 256));
  ASSERT_TRUE(noise.save(dir + "/whole.png"));
  const QByteArray bytes = readFile(dir + "/whole.png");
  writeFile(dir + "/cut.png", bytes.left(bytes.size() / 2));
  writeFile(dir + "/05notes.txt", "not a picture");

  EXPECT_FALSE(PictureFile::readWhole(dir + "/whole.png").isNull());
  EXPECT_TRUE(PictureFile::readWhole(dir + "/cut.png").isNull());
  EXPECT_TRUE(PictureFile::readWhole(dir + "/05notes.txt").isNull());
  EXPECT_TRUE(PictureFile::readCorner(dir + "/05notes.txt", 64).isNull());
}

TEST_F(PictureFileTest, ButtonNumberFromTheFirstTwoCharacters) {
  const std::pair<QString, std::optional<int>> cases[] = {
      {"05Face.png", 5}, {"99.png", 99}, {"00", 0},        {"5.png", std::nullopt},
      {"5", std::nullopt}, {"", std::nullopt}, {"ab05.png", std::nullopt}, {"0a.png", std::nullopt},
      {u"\u0660\u0661.png"_qs, std::nullopt},  // Arabic-Indic digits are not button numbers
  };
  for (const auto& [name, number] : cases) EXPECT_EQ(PictureFile::buttonNumber(name), number) << name.toStdString();
}
