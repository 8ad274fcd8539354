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

// Six palettes, the current one P05 ("Rubus", titled "My Palette", 10 × 10, default buttons),
// no change flag set, a fresh data folder, a 1440 × 875 main screen below a 25-point menu bar, fired buttons recorded
// and the held modifier keys chosen by the test.
class PaletteWindowTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
    Screen::setMainAvailableArea(QRect(0, 25, 1440, 875));
    dataFolder = homePath() + "/.local/share/com.orvane.tavelin";
    QDir().mkpath(dataFolder);
    App::current().appSupportFolder = FolderItem(dataFolder);

    KM::resetToInitialValues();
    KM::MakeAlphabetShortcuts();
    KM::CreateFirstPalette();
    for (qint64 i = 1; i <= 5; ++i) {
      KM::DP.emplace_back();
      KM::DefaultValuesPalette(i);
      KM::DP.back().s_Alias = QStringLiteral("Alias%1").arg(i);
    }
    KM::DP.at(5).s_Alias = "Rubus";
    KM::DP.at(5).s_WinTitle = "My Palette";
    KM::ActivatePalette(5);
    KM::paletteContentChange = false;
    KM::paletteActiveChange = false;

    ScriptRunner::setHandler([this](const FolderItem&, const QStringList& texts) { fired << texts; });
    KeyModifiers::setProbe([this] { return held; });
  }

  void TearDown() override {
    window.reset();
    ScriptRunner::setHandler({});
    KeyModifiers::setProbe({});
    Screen::setMainAvailableArea(std::nullopt);
    KM::resetToInitialValues();
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
