#include <QFileDialog>
#include <QFileSystemModel>
#include <QSignalSpy>

#include "common/FileTypes.h"
#include "common/RuntimeException.h"
#include "support/TestEnvironment.h"

namespace {
class FileTypesTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
    FileTypesCommon::Initialize();
    FileTypeJpgPng::Initialize();
  }
};

QStringList fields(const FileType& t) {
  return {t.Name, t.Extensions, t.MacType, t.MacCreator, t.MimeType, t.UTI, t.ConformsTo};
}
}  // namespace

TEST_F(FileTypesTest, SetsHoldTheirTypesAsDeclared) {
  const std::pair<std::shared_ptr<const FileType>, QStringList> cases[] = {
      {FileTypesCommon::TextThing(),
       {"text/plain", ".asc;.ascii;.bas;.c;.class;.cp;.cpp;.h;.hp;.hpp;.i3;.java;.m2;.m3;.mak;.text;.txt", "TEXT",
        "????", "", "public.text", "public.content"}},
      {FileTypesCommon::AnyThing(), {"Untitled", "", "", "", "", "", ""}},
      {FileTypesCommon::JpgPng(), {"image", ".png;.jfif;.jpe;.jpeg;.jpg", "", "", "", "", ""}},
      {FileTypeJpgPng::Jpeg(), {"image/jpeg", ".jfif;.jpe;.jpeg;.jpg", "JPEG", "", "", "public.jpeg", "public.image"}},
      {FileTypeJpgPng::Png(), {"image/png", ".png", "PNGf", "", "", "public.png", "public.image"}},
  };
  for (const auto& [type, expected] : cases) {
    ASSERT_TRUE(type);
    EXPECT_EQ(fields(*type), expected);
    EXPECT_TRUE(type->Imported);
    EXPECT_EQ(FileTypeRegistry::find(type->Name), type);  // registered under its name, the same object
  }
  EXPECT_EQ(FileTypeJpgPng::Jpeg(), FileTypeJpgPng::Jpeg());
  EXPECT_EQ(FileTypeJpgPng::All(), "image/jpeg;image/png");
}

TEST_F(FileTypesTest, FilterTextOffersBothCases) {
  EXPECT_EQ(FileTypeRegistry::dialogFilter(FileTypeJpgPng::All()),
            "image/jpeg, image/png (*.jfif *.jpe *.jpeg *.jpg *.png *.JFIF *.JPE *.JPEG *.JPG *.PNG)");
  EXPECT_EQ(FileTypeRegistry::dialogFilter("Untitled"), "Untitled (*)");
  EXPECT_THROW(FileTypeRegistry::dialogFilter("image/gif"), MissingKeyException);
}

TEST_F(FileTypesTest, OpenDialogOffersOnlyThePictures) {
  const QString dir = homePath() + "/pics";
  for (const char* name : {"a.png", "B.PNG", "c.JPG", "d.jpeg", "e.jfif", "notes.txt", "f.gif", "g.png.txt"})
    writeFile(dir + "/" + name, "x");

  QFileDialog dialog(nullptr, {}, dir, FileTypeRegistry::dialogFilter(FileTypeJpgPng::All()));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  auto* model = dialog.findChild<QFileSystemModel*>();
  ASSERT_NE(model, nullptr);
  QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
  dialog.setDirectory(dir);
  const QModelIndex root = model->index(dir);
  for (int tries = 0; tries < 50 && loaded.isEmpty(); ++tries) loaded.wait(100);
  ASSERT_FALSE(loaded.isEmpty());
  QCoreApplication::processEvents();

  QStringList offered;
  for (int row = 0; row < model->rowCount(root); ++row) {
    const QModelIndex i = model->index(row, 0, root);
    if (model->flags(i) & Qt::ItemIsEnabled) offered << model->fileName(i);
  }
  offered.sort();
  EXPECT_EQ(offered, (QStringList{"B.PNG", "a.png", "c.JPG", "d.jpeg", "e.jfif"}));
}
