#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QFileInfo>
#include <nlohmann/json.hpp>

#include "common/ErrorGuard.h"
#include "common/ModalSeam.h"
#include "common/RuntimeException.h"
#include "common/winReportError.h"
#include "palette/PaletteFixture.h"

namespace {
const QByteArray kOldState = "[{\"the\":\"state file of the last run\"}]";
}

// The window opened where the last run left it (120, 300), over an existing state file.
class PaletteCloseTest : public PaletteWindowTest {
 protected:
  void SetUp() override {
    PaletteWindowTest::SetUp();
    KM::initialWinTop = 120;
    KM::initialWinLeft = 300;
    KM::initialWinHeight = 670;
    KM::initialWinWidth = 640;
    writeFile(stateFile(), kOldState);
    QFile file(stateFile());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime);
    file.close();
    stamp = QFileInfo(stateFile()).lastModified();
    open().show();
  }

  QString stateFile() const { return dataFolder + "/PreserveState.txt"; }
  bool rewritten() const { return QFileInfo(stateFile()).lastModified() != stamp || readFile(stateFile()) != kOldState; }
  nlohmann::json saved() const { return nlohmann::json::parse(readFile(stateFile()).toStdString()); }
  // The palette entry of slot i in the saved state.
  nlohmann::json savedPalette(size_t i) const { return saved().at(1 + 101 * i + 100); }

  QDateTime stamp;
};

TEST_F(PaletteCloseTest, NothingChangedWritesNothing) {
  ASSERT_EQ(window->Top(), 120);
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(rewritten());
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(PaletteCloseTest, MovedWindowIsSavedWithoutTheMirrors) {
  window->move(window->pos() + QPoint(15, 40));
  KM::paleAlias = "Renamed";  // a mirror change without the content flag stays out
  window->close();
  ASSERT_TRUE(rewritten());
  const auto header = saved().at(0);
  EXPECT_EQ(header.at("WinTop"), 160);
  EXPECT_EQ(header.at("WinLeft"), 315);
  EXPECT_EQ(header.at("WinHeight"), 670);
  EXPECT_EQ(header.at("WinWidth"), 640);
  EXPECT_EQ(header.at("CurrentPalette"), 5);
  EXPECT_EQ(savedPalette(5).at("paleAlias"), "Rubus");
}

TEST_F(PaletteCloseTest, ContentChangeIsSavedWithTheMirrors) {
  KM::paletteContentChange = true;
  KM::paleWinTitle = "New Title";
  KM::numRows = 4;  // not redrawn: the saved size is the window's
  window->close();
  ASSERT_TRUE(rewritten());
  EXPECT_EQ(savedPalette(5).at("paleWinTitle"), "New Title");
  EXPECT_EQ(savedPalette(5).at("numRows"), 4);
  EXPECT_EQ(saved().at(0).at("WinHeight"), 670);
}

TEST_F(PaletteCloseTest, FailedSaveAsksBeforeAnythingIsLost) {
  struct Case {
    const char* name;
    std::function<void()> breakSave;
    QString reason;  // the start of the reason the message names
  };
  const QByteArray big(200000, 'x');
  const Case cases[] = {
      {"no state text", [] { KM::DP.at(2).a_Btn->resize(50); }, "The palettes could not be made"},
      {"disk full", [] { KM::DP.at(2).s_WinTitle = QString(200000, QLatin1Char('x')); }, "Could not write"},
  };
  for (const Case& c : cases) {
    for (const bool quit : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (quit ? ", quit" : ", keep open"));
      if (!window) open().show();
      KM::paletteActiveChange = true;
      c.breakSave();
      QString asked;
      ModalSeam::ScopedDriver<QMessageBox> answer([&](QMessageBox& box) {
        asked = box.text();
        for (QAbstractButton* b : box.buttons())
          if (b->text() == (quit ? "Quit Without Saving" : "Keep Tavelin Open")) b->click();
      });
      {
        const FileSizeLimit full(100000);
        window->close();
      }

      EXPECT_TRUE(asked.startsWith("Tavelin could not save your palettes.\n\nFile: " + stateFile() +
                                   "\nReason: " + c.reason))
          << asked.toStdString();
      EXPECT_EQ(readFile(stateFile()), kOldState);
      EXPECT_EQ(window->isVisible(), !quit);
      EXPECT_TRUE(KM::paletteActiveChange);
      window.reset();
      KM::resetToInitialValues();
      PaletteWindowTest::TearDown();
      PaletteWindowTest::SetUp();
      writeFile(stateFile(), kOldState);
    }
  }
}

TEST_F(PaletteCloseTest, StateFileThatIsNoPlainFileIsNeverWrittenThrough) {
  // The state file's name given to a link to the user's own folder.
  const QString documents = homePath() + "/Documents";
  writeFile(documents + "/letter.txt", "Dear");
  QFile::remove(stateFile());
  ASSERT_TRUE(QFile::link(documents, stateFile()));
  KM::paletteActiveChange = true;
  ModalSeam::ScopedDriver<QMessageBox> answer([](QMessageBox& box) {
    for (QAbstractButton* b : box.buttons())
      if (b->text() == "Quit Without Saving") b->click();
  });
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(QFileInfo(stateFile()).isSymLink());
  EXPECT_EQ(QDir(documents).entryList(QDir::Files), QStringList{"letter.txt"});
  EXPECT_EQ(readFile(documents + "/letter.txt"), "Dear");
}

TEST_F(PaletteCloseTest, ClosingClosesEveryOtherWindow) {
  guarded(ReportLocation::moduleMethod("KM", "ChangeToPalette"), [] { throw MissingKeyException("s_Alias"); });
  QWidget other;
  other.show();
  window->close();
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
  EXPECT_FALSE(rewritten());
}
