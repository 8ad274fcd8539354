#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>

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

namespace {
QImage noise() {
  QImage image(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (x + y * 53) % 256));
  return image;
}

QByteArray encoded(const char* format, bool progressive) {
  const QString path = QDir::tempPath() + "/tavelin-encoded-" + format;
  QImageWriter writer(path, format);
  writer.setProgressiveScanWrite(progressive);
  EXPECT_TRUE(writer.write(noise())) << format;
  const QByteArray bytes = readFile(path);
  QFile::remove(path);
  return bytes;
}
}  // namespace

TEST_F(PictureFileTest, TruncatedOrForeignFilesAreNoPicture) {
  const QString dir = homePath();
  ASSERT_TRUE(noise().save(dir + "/whole.png"));
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

// Qt's JPEG reader shows a cut-off file grey-filled and its PNG reader does without the end
// chunk's checksum: every cut must still be no picture.
TEST_F(PictureFileTest, AFileCutAnywhereBeforeItsEndMarkIsNoPicture) {
  const QByteArray baseline = encoded("jpeg", false);
  const QByteArray progressive = encoded("jpeg", true);
  const QByteArray png = encoded("png", false);
  // A camera's thumbnail carries its own end mark inside the first segment.
  const QByteArray thumbnail = "\xFF\xE1" + QByteArray("\x00\x0C", 2) + QByteArray("Exif\0\0\xFF\xD8\xFF\xD9", 10);
  const QByteArray withThumbnail = baseline.left(2) + thumbnail + baseline.mid(2);
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  const Case cases[] = {{"baseline.jpg", baseline}, {"progressive.jpg", progressive},
                        {"thumbnail.jpg", withThumbnail}, {"picture.png", png}};
  const QString path = homePath() + "/05.pic";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeFile(path, c.bytes);
    EXPECT_EQ(PictureFile::readWhole(path).size(), QSize(64, 64));
    writeFile(path, c.bytes + "trailing bytes after the end");
    EXPECT_EQ(PictureFile::readWhole(path).size(), QSize(64, 64));
    for (qsizetype cut : {qsizetype(1), qsizetype(2), qsizetype(4), c.bytes.size() / 3, c.bytes.size() * 4 / 5}) {
      writeFile(path, c.bytes.left(c.bytes.size() - cut));
      EXPECT_TRUE(PictureFile::readWhole(path).isNull()) << "cut " << cut;
    }
  }
}
