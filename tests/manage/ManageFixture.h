#pragma once

#include <QDir>
#include <QDirIterator>
#include <QImage>

#include "app/App.h"
#include "common/ModalSeam.h"
#include "common/winOKCancel.h"
#include "help/HelpData.h"
#include "platform/Clock.h"
#include "manage/WindowDriving.h"
#include "store/StoreFixture.h"

// Six palettes, P05 "Rubus" current (titled "My Palette"), P00 "Original"; a data folder
// and a Desktop in the test HOME; the clock at 7 March 2025, 09:05:03; help loaded.
class ManageTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    data = homePath() + "/data";
    desktop = homePath() + "/Desktop";
    QDir().mkpath(data);
    App::current().appSupportFolder = FolderItem(data);
    makeStore({"Alias1", "Alias2", "Alias3", "Alias4", "Rubus"}, 5);
    KM::DP.at(5).s_WinTitle = "My Palette";
    KM::ActivatePalette(5);
    Clock::setNow(Clock::LocalDateTime{2025, 3, 7, 9, 5, 3, 0});
    HelpData::FillDictionaryFromHELP_TEXT();
  }
  void TearDown() override {
    HelpData::helpDict.reset();
    Clock::setNow(std::nullopt);
    App::current().appSupportFolder = FolderItem();
    StoreTest::TearDown();
  }

  QString pictures(const QString& palette = "P05") const { return data + "/ButtonPictures/" + palette; }
  void picture(const QString& path, const QColor& colour) const {
    QDir().mkpath(QFileInfo(path).path());
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "PNG")) << path.toStdString();
  }

  // Every entry below the folder, hidden ones too, as paths relative to it; folders end in "/".
  static QStringList listing(const QString& root) {
    QStringList out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
      it.next();
      out << QDir(root).relativeFilePath(it.filePath()) + (it.fileInfo().isDir() ? "/" : "");
    }
    out.sort();
    return out;
  }

  QString data, desktop;
};

// Answers every confirmation with OK or Cancel and counts the questions.
struct ConfirmationAnswer {
  explicit ConfirmationAnswer(bool ok)
      : driver([this, ok](winOKCancel& w) {
          ++asked;
          message = w.labMessage->text();
          title = w.windowTitle();
          cancelIsDefault = w.pbCancel->isDefault();
          (ok ? w.pbOK : w.pbCancel)->click();
        }) {}
  int asked = 0;
  QString message, title;
  bool cancelIsDefault = false;
  ModalSeam::ScopedDriver<winOKCancel> driver;
};
