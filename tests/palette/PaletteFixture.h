#pragma once

#include <QDir>
#include <QImage>
#include <QRect>
#include <memory>

#include "app/App.h"
#include "palette/winMain.h"
#include "platform/KeyModifiers.h"
#include "platform/Screen.h"
#include "platform/ScriptRunner.h"
#include "store/KM.h"
#include "support/TestEnvironment.h"

// A current palette P05 ("Rubus", titled "My Palette", 10 × 10, default buttons) in a fresh
// data folder, a 1440 × 875 main screen below a 25-point menu bar, fired buttons recorded
// and the held modifier keys chosen by the test.
class PaletteWindowTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
    Screen::setMainAvailableArea(QRect(0, 25, 1440, 875));
    dataFolder = homePath() + "/.local/share/com.orvane.tavelin";
    QDir().mkpath(dataFolder);
    App::current().appSupportFolder = FolderItem(dataFolder);

    KM::aAlphabetShortcut.clear();
    for (char c = 'a'; c <= 'z'; ++c) KM::aAlphabetShortcut << QString(QChar(c));
    for (char c = 'A'; c <= 'Z'; ++c) KM::aAlphabetShortcut << QString(QChar(c));
    KM::aBtn = std::make_shared<BtnArray>();
    for (int n = 0; n < 100; ++n) {
      Btn b;
      b.ID = n;
      b.sID = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
      b.Row = n / 10;
      b.Col = n % 10;
      b.Shortcut = n < 52 ? KM::aAlphabetShortcut.at(n) : KM::noneMark;
      b.Vis = true;
      KM::aBtn->push_back(std::move(b));
    }
    KM::numRows = 10;
    KM::numColumns = 10;
    KM::paleName = "P05";
    KM::paleAlias = "Rubus";
    KM::paleWinTitle = "My Palette";

    ScriptRunner::setHandler([this](const FolderItem&, const QStringList& texts) { fired << texts; });
    KeyModifiers::setProbe([this] { return held; });
  }

  void TearDown() override {
    window.reset();
    ScriptRunner::setHandler({});
    KeyModifiers::setProbe({});
    Screen::setMainAvailableArea(std::nullopt);
    TavelinTest::TearDown();
  }

  winMain& open() {
    window = std::make_unique<winMain>();
    return *window;
  }

  Btn& button(int n) { return KM::aBtn->at(static_cast<size_t>(n)); }

  QString pictureFolder() const { return dataFolder + "/ButtonPictures/P05"; }
  void writePicture(const QString& name, const QColor& colour, int size = 64) const {
    QDir().mkpath(pictureFolder());
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(pictureFolder() + "/" + name, "PNG")) << name.toStdString();
  }

  QString dataFolder;
  QList<QStringList> fired;
  Qt::KeyboardModifiers held = Qt::NoModifier;
  std::unique_ptr<winMain> window;
};
