#pragma once

#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QTest>
#include <functional>

#include "app/App.h"
#include "common/FileTypes.h"
#include "pictures/winButtonPics.h"
#include "platform/FileDialog.h"
#include "platform/KeyModifiers.h"
#include "store/StoreFixture.h"

// Palette P03 ("Tools", titled "My Tools") current among four, a fresh data folder without
// picture folders, the open-file dialog answered with `chosen` (its filters recorded), the
// held modifier keys chosen by the test and the palette window faked.
class ButtonPicturesTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    data = homePath() + "/data";
    QDir().mkpath(data);
    App::current().appSupportFolder = FolderItem(data);
    FileTypesCommon::Initialize();
    FileTypeJpgPng::Initialize();
    makeStore({"Office", "Garden", "Tools"}, 3);
    KM::paleWinTitle = QStringLiteral("My Tools");
    FileDialog::setOpenFileHandler([this](const QString& filter) {
      filters << filter;
      return chosen;
    });
    KeyModifiers::setProbe([this] { return held; });
  }

  void TearDown() override {
    FileDialog::setOpenFileHandler({});
    KeyModifiers::setProbe({});
    KeyModifiers::setMacMapping(std::nullopt);
    App::current().appSupportFolder = FolderItem();
    StoreTest::TearDown();
  }

  // Opens the window as the menu does and runs body on it while it is shown.
  void withWindow(const std::function<void(winButtonPics&)>& body) {
    ModalSeam::ScopedDriver<winButtonPics> driver([&](winButtonPics& w) { body(w); });
    winButtonPics::instance().ShowModal();
  }

  QString folder() const { return data + "/ButtonPictures/P03"; }
  QString desktop() const { return homePath() + "/Desktop"; }
  QString deleted() const { return desktop() + "/DeletedPalettePictures/P03"; }

  // Saves a picture of that size; each file's colour differs, so a copy can be told apart.
  static void savePicture(const QString& path, QSize size, const char* format = "PNG") {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(static_cast<int>(qHash(path) % 360), 200, 200));
    ASSERT_TRUE(image.save(path, format)) << path.toStdString();
  }

  static QStringList entries(const QString& path) {
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  }

  static QStringList rows(const winButtonPics& w) {
    QStringList out;
    for (int i = 0; i < w.lbButPic->count(); ++i) out << w.lbButPic->item(i)->text();
    return out;
  }

  // A mouse click on the row, as the user makes it.
  static void clickRow(winButtonPics& w, int row) {
    const QRect cell = w.lbButPic->visualItemRect(w.lbButPic->item(row));
    QTest::mouseClick(w.lbButPic->viewport(), Qt::LeftButton, {}, cell.center());
  }

  QString data;
  FolderItem chosen;
  QStringList filters;
  Qt::KeyboardModifiers held = Qt::NoModifier;
};
