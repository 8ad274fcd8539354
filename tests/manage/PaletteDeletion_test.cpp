#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <functional>

#include "ManageFixture.h"
#include "common/RuntimeException.h"
#include "manage/PaletteDeletion.h"
#include "platform/UserFolders.h"
#include "support/MoveFaults.h"

namespace {

const QString kQuestion = QStringLiteral(
    "Are you sure that you want to delete a palette? Understand that you may want to remove some Keyboard "
    "Maestro macro that is associated with it.");

using PaletteDeletionTest = ManageTest;

}  // namespace

TEST_F(PaletteDeletionTest, OfferedOnlyWithAnotherLivePaletteAndNotForTheFirst) {
  struct Case {
    const char* name;
    QStringList aliases;  // after P00 "Original"
    qint64 current;
    bool allowed;
  };
  const Case cases[] = {
      {"first palette current", {"Work"}, 0, false},
      {"only live palette", {KM::noneMark}, 0, false},
      {"another current, a freed slot beside", {"Work", KM::noneMark}, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KM::resetToInitialValues();
    KM::MakeAlphabetShortcuts();
    makeStore(c.aliases, c.current);
    EXPECT_EQ(PaletteDeletion::allowed(), c.allowed);
  }
  // Every other slot freed (a hand-edited first slot included): the current one is the last.
  KM::DP.at(0).s_Alias = KM::noneMark;
  EXPECT_FALSE(PaletteDeletion::allowed());
}

TEST_F(PaletteDeletionTest, PictureFolderIsRemovedOnlyWhenEmptyElseKeptOnTheDesktop) {
  const QString deleted = desktop + "/DeletedPalettePictures";
  struct Case {
    const char* name;
    std::function<void()> before;
    QStringList pictures;  // ButtonPictures afterwards
    QStringList desktop;   // the Desktop afterwards
  };
  const Case cases[] = {
      {"no folder", [] {}, {}, {}},
      {"empty folder", [&] { QDir().mkpath(pictures()); }, {}, {}},
      {"only a hidden file", [&] { writeFile(pictures() + "/.DS_Store", "x"); }, {},
       {"DeletedPalettePictures/", "DeletedPalettePictures/P05/", "DeletedPalettePictures/P05/.DS_Store"}},
      {"pictures and a subfolder",
       [&] {
         picture(pictures() + "/00.png", Qt::red);
         QDir().mkpath(pictures() + "/old");
       },
       {},
       {"DeletedPalettePictures/", "DeletedPalettePictures/P05/", "DeletedPalettePictures/P05/00.png",
        "DeletedPalettePictures/P05/old/"}},
      {"another palette's folder stays", [&] { writeFile(pictures("P04") + "/00.png", "four"); },
       {"P04/", "P04/00.png"}, {}},
      {"a link to nothing under the palette's name",
       [&] {
         QDir().mkpath(deleted);
         QFile::link(homePath() + "/gone", deleted + "/P05");
         writeFile(pictures() + "/00.png", "second");
       },
       {},
       {"DeletedPalettePictures/", "DeletedPalettePictures/250307_090503P05/",
        "DeletedPalettePictures/250307_090503P05/P05/", "DeletedPalettePictures/250307_090503P05/P05/00.png",
        "DeletedPalettePictures/P05"}},
      {"a palette of that name deleted before",
       [&] {
         writeFile(deleted + "/P05/00.png", "first");
         writeFile(pictures() + "/00.png", "second");
       },
       {},
       {"DeletedPalettePictures/", "DeletedPalettePictures/250307_090503P05/",
        "DeletedPalettePictures/250307_090503P05/P05/", "DeletedPalettePictures/250307_090503P05/P05/00.png",
        "DeletedPalettePictures/P05/", "DeletedPalettePictures/P05/00.png"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QDir(data).removeRecursively();
    QDir(desktop).removeRecursively();
    QDir().mkpath(data + "/ButtonPictures");
    QDir().mkpath(desktop);
    c.before();
    PaletteDeletion::clearPictureFolder(FolderItem(data), UserFolders::desktop(), "P05");
    EXPECT_EQ(listing(data + "/ButtonPictures").join(" "), c.pictures.join(" "));
    EXPECT_EQ(listing(desktop).join(" "), c.desktop.join(" "));
  }
  // The earlier folder is untouched beside the later one.
  EXPECT_EQ(readFile(deleted + "/P05/00.png"), "first");
  EXPECT_EQ(readFile(deleted + "/250307_090503P05/P05/00.png"), "second");
}

TEST_F(PaletteDeletionTest, ConfirmedDeleteFreesTheSlotAndShowsTheFirstPalette) {
  picture(pictures() + "/00.png", Qt::red);
  KM::aBtn->at(3).Tip = "edited";
  ConfirmationAnswer ok(true);
  EXPECT_TRUE(PaletteDeletion::confirmAndDelete());
  EXPECT_EQ(ok.asked, 1);
  EXPECT_EQ(ok.message, kQuestion);
  EXPECT_EQ(ok.title, "OK or Cancel");
  EXPECT_TRUE(ok.cancelIsDefault);

  const PaletteRecord& freed = KM::DP.at(5);
  EXPECT_EQ(KM::DP.size(), 6u);
  EXPECT_EQ(freed.s_Name, "P05");
  EXPECT_EQ(freed.s_Alias, KM::noneMark);
  EXPECT_EQ(freed.s_WinTitle, "KM P05");
  EXPECT_EQ(freed.i_NumRows, 10);
  EXPECT_EQ(freed.i_NumColumns, 10);
  ASSERT_TRUE(freed.complete());
  EXPECT_EQ(freed.a_Btn->at(3).Tip, "");
  EXPECT_EQ(freed.a_Btn->at(3).Shortcut, "d");

  EXPECT_EQ(KM::idxCP, 0);
  EXPECT_EQ(KM::aBtn, KM::DP.at(0).a_Btn);
  EXPECT_EQ(KM::paleName, "P00");
  EXPECT_EQ(KM::paleAlias, "Original");
  EXPECT_TRUE(KM::paletteActiveChange);
  EXPECT_FALSE(KM::paletteContentChange);
  EXPECT_EQ(view.calls, (QStringList{"erase", "redraw", "title:KM Palette", "tip:Original", "number:P00"}));
  EXPECT_FALSE(QFileInfo::exists(pictures()));
  EXPECT_TRUE(QFileInfo::exists(desktop + "/DeletedPalettePictures/P05/00.png"));
}

TEST_F(PaletteDeletionTest, DeclinedOrFailedDeleteChangesNothing) {
  picture(pictures() + "/00.png", Qt::red);
  const QStringList before = listing(homePath());
  const auto unchanged = [&] {
    EXPECT_EQ(KM::idxCP, 5);
    EXPECT_EQ(KM::DP.at(5).s_Alias, "Rubus");
    EXPECT_EQ(KM::paleAlias, "Rubus");
    EXPECT_EQ(KM::aBtn, KM::DP.at(5).a_Btn);
    EXPECT_FALSE(KM::paletteActiveChange);
    EXPECT_TRUE(view.calls.isEmpty());
  };
  {
    ConfirmationAnswer cancel(false);
    EXPECT_FALSE(PaletteDeletion::confirmAndDelete());
    EXPECT_EQ(cancel.asked, 1);
    unchanged();
    EXPECT_EQ(listing(homePath()), before);
  }
  ConfirmationAnswer ok(true);
  {
    // The Desktop on another file system, and ButtonPictures will not let the folder go: the
    // palette keeps every picture, and nothing reaches the Desktop.
    const ScopedMoveFault fault([](EntryMove::Step step, const std::filesystem::path& from, const std::filesystem::path& to) {
      return withinFolder(step, from, to) ? EACCES : acrossFileSystems(step, from, to);
    });
    EXPECT_THROW(PaletteDeletion::confirmAndDelete(), IOException);
    unchanged();
    EXPECT_EQ(listing(pictures()), QStringList{"00.png"});
    EXPECT_EQ(listing(desktop), QStringList{"DeletedPalettePictures/"});
    QDir(desktop + "/DeletedPalettePictures").removeRecursively();
  }
  {
    // The Desktop set by a path that is not text: nothing is made under another name.
    setDesktopNotText();
    const QStringList homeBefore = listing(homePath());
    try {
      PaletteDeletion::confirmAndDelete();
      ADD_FAILURE() << "deleted without a Desktop";
    } catch (const IOException& error) {
      EXPECT_EQ(error.message(), "The Desktop is set to " + homePath() +
                                     "/B\\xFCro, a path that is not valid UTF-8 text, so Tavelin cannot name it. "
                                     "Nothing is moved there: every file stays where it is.");
    }
    unchanged();
    EXPECT_EQ(listing(homePath()), homeBefore);
    QDir(QFile::decodeName(qgetenv("XDG_CONFIG_HOME"))).removeRecursively();
  }
  // The deleted-pictures folder's name is taken by a plain file: the move cannot happen.
  writeFile(desktop + "/DeletedPalettePictures", "in the way");
  EXPECT_THROW(PaletteDeletion::confirmAndDelete(), IOException);
  unchanged();
  QStringList expected = before + QStringList{"Desktop/DeletedPalettePictures"};
  expected.sort();
  EXPECT_EQ(listing(homePath()).join(" "), expected.join(" "));
  EXPECT_EQ(readFile(desktop + "/DeletedPalettePictures"), "in the way");
}
