#pragma once

#include <QDir>
#include <QMessageBox>
#include <QTest>
#include <memory>

#include "app/App.h"
#include "common/ModalSeam.h"
#include "common/TextColour.h"
#include "construct/winConstruct.h"
#include "platform/KeyModifiers.h"
#include "store/StoreFixture.h"

// The first palette (P00, 10 × 10, letters a-Z on buttons 00-51, all visible, none shown)
// current, a data folder without pictures, the palette window faked, message dialogs
// recorded and answered, and the held modifier keys chosen by the test.
class ConstructTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    dataFolder = homePath() + "/data";
    QDir().mkpath(dataFolder);
    App::current().appSupportFolder = FolderItem(dataFolder);
    makeStore({QStringLiteral("Other")});
    KeyModifiers::setProbe([this] { return held; });
  }
  void TearDown() override {
    window.reset();
    KeyModifiers::setProbe({});
    App::current().appSupportFolder = FolderItem();
    StoreTest::TearDown();
  }

  winConstruct& open() {
    window.reset();
    window = std::make_unique<winConstruct>();
    return *window;
  }

  Btn& button(int n) { return KM::aBtn->at(static_cast<size_t>(n)); }

  static void press(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3)); }
  void arrow(UpDownPicker& picker, bool up, bool shift = false) {
    held = shift ? Qt::ShiftModifier : Qt::NoModifier;
    (up ? picker.udChangeVal->upArrow : picker.udChangeVal->downArrow)->click();
    held = Qt::NoModifier;
  }

  QString pictureFolder() const { return dataFolder + "/ButtonPictures/" + KM::paleName; }

  // Idle, Chosen or Pending, as the edit area's buttons show it.
  std::string editState() const {
    const winConstruct& w = *window;
    if (!w.pbCancel->isEnabled() && !w.pbOK->isEnabled() && w.pbDone->isEnabled()) return "Idle";
    if (w.pbCancel->isEnabled() && !w.pbOK->isEnabled() && w.pbDone->isEnabled()) return "Chosen";
    if (w.pbCancel->isEnabled() && w.pbOK->isEnabled() && !w.pbDone->isEnabled()) return "Pending";
    return "mixed";
  }

  QString dataFolder;
  Qt::KeyboardModifiers held = Qt::NoModifier;
  QStringList dialogs;  // message dialogs shown: text, a line end, the explanation
  ModalSeam::ScopedDriver<QMessageBox> answerDialogs{[this](QMessageBox& box) {
    dialogs << box.text() + "\n" + box.informativeText();
    box.buttons().first()->click();
  }};
  std::unique_ptr<winConstruct> window;
};
