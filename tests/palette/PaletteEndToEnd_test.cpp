#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTest>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "app/App.h"
#include "app/BundleInfo.h"
#include "help/HelpData.h"
#include "palette/winMain.h"
#include "palette/x_FirePalette.h"
#include "platform/Screen.h"
#include "platform/ScriptRunner.h"
#include "platform/UserFolders.h"
#include "store/KM.h"
#include "support/TestEnvironment.h"

namespace {

using Json = nlohmann::ordered_json;

std::string twoDigits(int n) {
  char digits[12];
  std::snprintf(digits, sizeof digits, "%02d", n);
  return digits;
}

// A state file of three palettes, palette 2 ("Garden", 4 rows × 5 columns) current, the
// window last at top 150, left 220.
std::string stateFile() {
  Json root = Json::array();
  root.push_back({{"LastPaletteIndex", 2}, {"CurrentPalette", 2}, {"ReuseablePalette", ""},
                  {"WinTop", 150}, {"WinLeft", 220}, {"WinHeight", 286}, {"WinWidth", 320}});
  const char* aliases[] = {"Original", "Office", "Garden"};
  for (int p = 0; p < 3; ++p) {
    for (int n = 0; n < 100; ++n) {
      const std::string sID = twoDigits(n);
      root.push_back({{"sID", sID}, {"Shortcut", n < 26 ? std::string(1, char('a' + n)) : "\u2400"},
                      {"Tip", n == 7 ? "Seven" : ""}, {"Info", ""}, {"ShortcutShow", n == 7},
                      {"Vis", !(p == 2 && n == 3)}});
    }
    const std::string name = std::string("P").append(twoDigits(p));
    root.push_back({{"numRows", p == 2 ? 4 : 10}, {"numColumns", p == 2 ? 5 : 10}, {"paleName", name},
                    {"paleAlias", aliases[p]}, {"paleWinTitle", p == 2 ? "Garden Tools" : std::string("KM ").append(name)}});
  }
  return root.dump();
}

class PaletteEndToEndTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
#ifdef Q_OS_MACOS
    GTEST_SKIP() << "the recording script is a shell script; macOS runs the bundle's script through osascript";
#endif
    Screen::setMainAvailableArea(QRect(0, 25, 1440, 875));
    data = UserFolders::applicationSupport().path() + "/" + BundleInfo::identifier;
    writeFile(data + "/PreserveState.txt", QByteArray::fromStdString(stateFile()));
    for (auto [name, colour] : {std::pair{"07.png", Qt::red}, std::pair{"12.png", Qt::green}}) {
      QImage image(64, 64, QImage::Format_ARGB32);
      image.fill(colour);
      QDir().mkpath(data + "/ButtonPictures/P02");
      ASSERT_TRUE(image.save(data + "/ButtonPictures/P02/" + name));
    }

    // The script of a bundle records its arguments; the program's own script path is kept.
    recorder = homePath() + "/Recorder.app/Contents/Resources/FirePalette.scpt";
    writeFile(recorder, "#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"$(dirname \"$0\")/fired.txt\"\n");
    QFile::setPermissions(recorder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ScriptRunner::setHandler([this](const FolderItem& script, const QStringList& texts) {
      scripts << script.path();
      ScriptRunner::runProcess(FolderItem(recorder), texts);
    });
  }

  void TearDown() override {
    window.reset();
    ScriptRunner::setHandler({});
    Screen::setMainAvailableArea(std::nullopt);
    KM::resetToInitialValues();
    TavelinTest::TearDown();
  }

  // One start of the program: the start-up sequence, then the palette window.
  winMain& start() {
    window.reset();
    KM::resetToInitialValues();
    HelpData::helpDict.reset();
    App::current().appSupportFolder = FolderItem();
    App::current().Event_Open();
    App::current().setQuitOnLastWindowClosed(false);  // the test goes on after the close
    window = std::make_unique<winMain>();
    window->show();
    return *window;
  }

  QString fired() const { return QString::fromUtf8(readFile(QFileInfo(recorder).path() + "/fired.txt")); }
  Json saved() const { return Json::parse(readFile(data + "/PreserveState.txt").toStdString()); }

  QString data, recorder;
  QStringList scripts;
  std::unique_ptr<winMain> window;
};

}  // namespace

TEST_F(PaletteEndToEndTest, StartFireCloseAndStartAgain) {
  winMain& w = start();
  EXPECT_EQ(w.windowTitle(), "Garden Tools");
  EXPECT_EQ(w.labTip->text(), "Garden");
  EXPECT_EQ(w.labSeeNum->text(), "P02");
  EXPECT_EQ(w.Width(), 320);
  EXPECT_EQ(w.Height(), 286);
  EXPECT_EQ(w.Top(), 150);
  EXPECT_EQ(w.Left(), 220);
  EXPECT_EQ(w.hasPicture, (std::vector<qint64>{7, 12}));
  EXPECT_EQ(w.cnBut[7]->backdrop().toImage().pixelColor(5, 5), QColor(Qt::red));
  EXPECT_EQ(w.cnBut[12]->backdrop().toImage().pixelColor(5, 5), QColor(Qt::green));
  EXPECT_TRUE(w.cnBut[3]->isHidden());

  // A click and a typed letter each run the script with the palette and the button.
  QTest::mouseClick(w.cnBut[7], Qt::LeftButton);
  QTest::keyClick(&w, 'm');
  EXPECT_EQ(fired(), "P02\n07\nP02\n12\n");
  EXPECT_EQ(scripts, QStringList(2, x_FirePalette::scriptFile().path()));

  // Another palette and another place, then the close box.
  KM::ChangeToPalette(1);
  w.move(w.pos() + QPoint(10, 20));
  w.close();
  const Json header = saved().at(0);
  EXPECT_EQ(header.at("CurrentPalette"), 1);
  EXPECT_EQ(header.at("WinTop"), 170);
  EXPECT_EQ(header.at("WinLeft"), 230);
  EXPECT_EQ(header.at("WinHeight"), 670);
  EXPECT_EQ(header.at("WinWidth"), 640);
  EXPECT_EQ(saved().size(), 1u + 3 * 101);

  // The second start finds everything where it was left; quitting at once writes nothing.
  const QByteArray written = readFile(data + "/PreserveState.txt");
  const QDateTime stamp = QFileInfo(data + "/PreserveState.txt").lastModified();
  winMain& again = start();
  EXPECT_EQ(again.windowTitle(), "KM P01");
  EXPECT_EQ(again.labTip->text(), "Office");
  EXPECT_EQ(again.Top(), 170);
  EXPECT_EQ(again.Left(), 230);
  EXPECT_EQ(again.Height(), 670);
  again.close();
  EXPECT_EQ(readFile(data + "/PreserveState.txt"), written);
  EXPECT_EQ(QFileInfo(data + "/PreserveState.txt").lastModified(), stamp);
  EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}
