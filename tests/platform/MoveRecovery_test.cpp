#include <QFile>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "common/FileTools.h"
#include "common/RuntimeException.h"
#include "platform/MoveRecord.h"
#include "platform/MoveRecovery.h"
#include "support/MoveFaults.h"
#include "support/TestEnvironment.h"

namespace {

namespace fs = std::filesystem;
using EntryMove::Step;

void writeBytes(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

bool stands(const fs::path& p) { return fs::exists(fs::symlink_status(p)); }

// A file as a failed comparison shows it: short bytes as they are, long ones by size and hash.
std::string fileText(const std::string& bytes) {
  if (bytes.size() < 100) return "file " + bytes;
  return "file of " + std::to_string(bytes.size()) + " bytes hashed " + std::to_string(std::hash<std::string>{}(bytes));
}

const std::string kFace(150000, 'p');

// Every entry below the root by its own name: a file as its bytes, a folder as such, a link
// by where it leads, inside the tree or out of it, so that a tree reads the same wherever
// it stands.
std::map<std::string, std::string> contentOf(const fs::path& root) {
  std::map<std::string, std::string> out;
  if (!stands(root)) return out;
  // A link's own place, not where it leads.
  const fs::path realRoot = fs::weakly_canonical(root.parent_path()) / root.filename();
  const auto describe = [&](const fs::path& p) -> std::string {
    const fs::file_status st = fs::symlink_status(p);
    if (fs::is_symlink(st)) {
      const fs::path target = fs::read_symlink(p);
      const fs::path leads = fs::weakly_canonical(target.is_absolute() ? target : p.parent_path() / target);
      const fs::path inside = leads.lexically_relative(realRoot);
      if (!inside.empty() && *inside.begin() != "..") return "link inside " + inside.native();
      return "link out to " + leads.native();
    }
    if (fs::is_directory(st)) return "folder";
    std::ifstream in(p, std::ios::binary);
    return fileText(std::string(std::istreambuf_iterator<char>(in), {}));
  };
  out[""] = describe(root);
  if (fs::is_directory(fs::symlink_status(root)))
    for (const auto& entry : fs::recursive_directory_iterator(root))
      out[entry.path().lexically_relative(root).native()] = describe(entry.path());
  return out;
}

class MoveRecoveryTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
    root = fs::path(QFile::encodeName(homePath()).toStdString());
    records = root / "data/MovesInProgress";
    source = root / "data/ButtonPictures/P05";
    desktop = root / "Desktop";
    deleted = desktop / "DeletedPalettePictures/P05";
    MoveRecord::setFolder(records);
  }
  void TearDown() override {
    EntryMove::setFault({});
    MoveRecord::setFolder({});
    // Qt cannot name a file whose name is not text: the test HOME is cleared here.
    fs::remove_all(root / "data");
    fs::remove_all(root / "Desktop");
    TavelinTest::TearDown();
  }

  // A palette folder as the program keeps them, with a name that is not text, a subfolder,
  // links inside, out, and out and back in; beside it and at the Desktop, entries of the
  // user's that carry the names a move gives its own.
  void makeFixture() {
    fs::remove_all(root / "data");
    fs::remove_all(root / "Desktop");
    writeBytes(root / "outside/ok64.png", "the user's picture");
    writeBytes(source / "05Face.png", kFace);
    writeBytes(source / "20caf\xe9.png", "latin-1 name");
    writeBytes(source / "old/06.png", "six");
    fs::create_symlink("05Face.png", source / "inner.png");
    fs::create_symlink("../../../outside/ok64.png", source / "28 rel.png");
    fs::create_symlink("../P05/05Face.png", source / "29 back.png");
    writeBytes(root / "data/ButtonPictures/P05.tavelin-moving", "the user's own");
    writeBytes(desktop / "P05.tavelin-copy", "the user's own too");
    writeBytes(desktop / "05Face.png", "already on the Desktop");
    fs::create_directories(desktop / "DeletedPalettePictures");
  }

  // Every entry that a move names for itself is gone; the user's like-named ones stay.
  void expectNoNameOfOurs() {
    for (const fs::path& top : {root / "data", root / "Desktop"})
      for (const auto& entry : fs::recursive_directory_iterator(top)) {
        const std::string name = entry.path().filename().native();
        if (name.find("tavelin-") == std::string::npos) continue;
        EXPECT_TRUE(entry.path() == root / "data/ButtonPictures/P05.tavelin-moving" ||
                    entry.path() == desktop / "P05.tavelin-copy")
            << entry.path();
      }
    EXPECT_EQ(contentOf(root / "data/ButtonPictures/P05.tavelin-moving")[""], "file the user's own");
    EXPECT_EQ(contentOf(desktop / "P05.tavelin-copy")[""], "file the user's own too");
    EXPECT_EQ(contentOf(desktop / "05Face.png")[""], "file already on the Desktop");
    EXPECT_TRUE(!stands(records) || fs::is_empty(records));
  }

  // Runs the step once whole, then once for each of its steps stopped there as a kill would
  // stop it, each time followed by the next start's recovery, itself stopped once part way
  // and run again. `check` gets what the user was told.
  void everyKill(const std::function<void()>& step, const EntryMove::Fault& base,
                 const std::function<void(const QStringList&)>& check) {
    makeFixture();
    int steps = 0;
    {
      ScopedMoveFault fault([&](Step s, const fs::path& a, const fs::path& b) {
        ++steps;
        return base ? base(s, a, b) : 0;
      });
      step();
    }
    EXPECT_TRUE(MoveRecovery::recover().isEmpty());
    ASSERT_GT(steps, 3);
    for (int k = 1; k <= steps; ++k) {
      SCOPED_TRACE("stopped before step " + std::to_string(k) + " of " + std::to_string(steps));
      makeFixture();
      int calls = 0;
      {
        ScopedMoveFault fault([&](Step s, const fs::path& a, const fs::path& b) {
          if (++calls == k) throw Killed{};
          return base ? base(s, a, b) : 0;
        });
        EXPECT_THROW(step(), Killed);
      }
      QStringList told;
      {
        int recoverySteps = 0;
        ScopedMoveFault fault([&](Step, const fs::path&, const fs::path&) {
          if (++recoverySteps == 1 + k % 4) throw Killed{};
          return 0;
        });
        try {
          told = MoveRecovery::recover();
        } catch (const Killed&) {
        }
      }
      const QStringList again = MoveRecovery::recover();
      if (!again.isEmpty()) told = again;
      expectNoNameOfOurs();
      check(told);
    }
  }

  fs::path root, records, source, desktop, deleted;
};

}  // namespace

// Delete Palette to a Desktop on another file system: whichever step the kill falls on, the
// next start leaves the palette folder whole in one place, under its own name.
TEST_F(MoveRecoveryTest, AFolderMovedAcrossFileSystemsEndsWholeInOnePlace) {
  makeFixture();
  const auto whole = contentOf(source);
  int back = 0, moved = 0;
  everyKill([&] { EntryMove::move(source, deleted); }, acrossFileSystems, [&](const QStringList& told) {
    ASSERT_LE(told.size(), 1) << told.join("|").toStdString();
    const bool isBack = stands(source);
    EXPECT_NE(isBack, stands(deleted));
    EXPECT_EQ(contentOf(isBack ? source : deleted), whole);
    const QString where = QFile::decodeName(source.c_str());
    // Stopped before its record was made, the move had not begun.
    if (told.isEmpty()) EXPECT_TRUE(isBack);
    else EXPECT_EQ(told.front(), isBack ? where + " is back where it was."
                                   : where + " has been moved as asked: it is now " + QFile::decodeName(deleted.c_str()) + ".");
    ++(isBack ? back : moved);
  });
  EXPECT_GT(back, 0);
  EXPECT_GT(moved, 0);
}

// A single picture, a link and a move that finds its name taken, each stopped anywhere.
TEST_F(MoveRecoveryTest, AFileALinkAndANumberedMoveEndWholeInOnePlace) {
  const auto onePlace = [&](const fs::path& from, const fs::path& to, const std::string& content) {
    return [=](const QStringList& told) {
      EXPECT_LE(told.size(), 1) << told.join("|").toStdString();
      EXPECT_TRUE(!told.isEmpty() || stands(from));
      EXPECT_NE(stands(from), stands(to));
      EXPECT_EQ(contentOf(stands(from) ? from : to)[""], content);
    };
  };
  {
    SCOPED_TRACE("a picture");
    everyKill([&] { EntryMove::move(source / "05Face.png", desktop / "05 moved.png"); }, acrossFileSystems,
              onePlace(source / "05Face.png", desktop / "05 moved.png", fileText(kFace)));
  }
  {
    SCOPED_TRACE("a link");
    const std::string leads = "link out to " + fs::canonical(root / "outside/ok64.png").native();
    everyKill([&] { EntryMove::move(source / "28 rel.png", desktop / "28.png"); }, acrossFileSystems,
              onePlace(source / "28 rel.png", desktop / "28.png", leads));
  }
  {
    SCOPED_TRACE("a name taken at the Desktop");
    everyKill(
        [&] {
          FileTools::MoveRenameIfNecessary(FolderItem(QFile::decodeName((source / "05Face.png").c_str())),
                                           FolderItem(QFile::decodeName(desktop.c_str())));
        },
        acrossFileSystems, onePlace(source / "05Face.png", desktop / "1_05Face.png", fileText(kFace)));
  }
}

// Within one file system the folder goes in one rename, after its links were given targets
// that lead the same way from anywhere: a kill between leaves no link of ours behind.
TEST_F(MoveRecoveryTest, AFolderMovedWithinOneFileSystemLeavesNoRewrittenLinkBehind) {
  makeFixture();
  const auto whole = contentOf(source);
  everyKill([&] { EntryMove::move(source, deleted); }, {}, [&](const QStringList& told) {
    EXPECT_LE(told.size(), 1);
    EXPECT_NE(stands(source), stands(deleted));
    EXPECT_EQ(contentOf(stands(source) ? source : deleted), whole);
  });
}

// Add Picture's copy never leaves a part of a file under its real name.
TEST_F(MoveRecoveryTest, AnUnfinishedCopyIsRemovedAndTheSourceStays) {
  const fs::path copied = root / "data/ButtonPictures/P06/05Face.png";
  everyKill(
      [&] {
        fs::create_directories(copied.parent_path());
        EntryMove::copy(source / "05Face.png", copied);
      },
      acrossFileSystems,
      [&](const QStringList&) {
        EXPECT_EQ(contentOf(source / "05Face.png")[""], fileText(kFace));
        if (stands(copied)) {
          EXPECT_EQ(contentOf(copied), contentOf(source / "05Face.png"));
        }
      });
}

// A record that the disk cannot take stops the move before its first step.
TEST_F(MoveRecoveryTest, AMoveWhoseRecordCannotBeWrittenChangesNothing) {
  makeFixture();
  const auto whole = contentOf(source);
  ScopedMoveFault fault([](Step s, const fs::path& a, const fs::path& b) {
    return s == Step::Note ? ENOSPC : acrossFileSystems(s, a, b);
  });
  try {
    EntryMove::move(source, deleted);
    ADD_FAILURE() << "the move went on without its record";
  } catch (const IOException& error) {
    EXPECT_TRUE(error.message().contains("No space left on device")) << error.message().toStdString();
  }
  EXPECT_EQ(contentOf(source), whole);
  EXPECT_FALSE(stands(deleted));
  expectNoNameOfOurs();
}
