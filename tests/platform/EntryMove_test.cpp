#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "common/RuntimeException.h"
#include "support/MoveFaults.h"
#include "support/TestEnvironment.h"

namespace {

namespace fs = std::filesystem;
using EntryMove::Result;
using EntryMove::Step;

fs::path fsPath(const QString& path) { return fs::path(QFile::encodeName(path).toStdString()); }

// Every entry below the root (the root itself as ""), by its own byte name: a file as its
// bytes, a link as its target, a folder as its mode.
std::map<std::string, std::string> treeOf(const fs::path& root) {
  std::map<std::string, std::string> out;
  if (!fs::exists(fs::symlink_status(root))) return out;
  const auto describe = [](const fs::path& p) -> std::string {
    const fs::file_status st = fs::symlink_status(p);
    if (fs::is_symlink(st)) return "link " + fs::read_symlink(p).native();
    if (fs::is_directory(st)) return "folder " + std::to_string(static_cast<int>(st.permissions()));
    if (!fs::is_regular_file(st)) return "other";
    std::ifstream in(p, std::ios::binary);
    return "file " + std::string(std::istreambuf_iterator<char>(in), {});
  };
  out[""] = describe(root);
  if (fs::is_directory(fs::symlink_status(root)))
    for (const auto& entry : fs::recursive_directory_iterator(root))
      out[entry.path().lexically_relative(root).native()] = describe(entry.path());
  return out;
}

void writeBytes(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

class EntryMoveTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
    root = fsPath(homePath());
    // A palette folder as the program keeps them, with a name that is not valid UTF-8, a
    // read-only subfolder and links inside and out.
    writeBytes(root / "outside/ok64.png", "the user's picture");
    source = root / "data/ButtonPictures/P05";
    writeBytes(source / "05Face.png", std::string(200000, 'p'));
    writeBytes(source / "20caf\xe9.png", "latin-1 name");
    writeBytes(source / "old/06.png", "six");
    fs::permissions(source / "old", fs::perms::owner_read | fs::perms::owner_exec);
    fs::create_symlink("05Face.png", source / "inner.png");
    fs::create_symlink("../../../outside/ok64.png", source / "28 rel.png");
    fs::create_directories(root / "Desktop/DeletedPalettePictures");
    target = root / "Desktop/DeletedPalettePictures/P05";
  }
  void TearDown() override {
    EntryMove::setFault({});
    // Qt cannot name a file whose name is not text, nor empty a read-only folder: the test
    // HOME is cleared here.
    for (const fs::path& p : {source / "old", target / "old"})
      if (fs::exists(p)) fs::permissions(p, fs::perms::owner_all);
    fs::remove_all(root / "data");
    fs::remove_all(root / "Desktop");
    TavelinTest::TearDown();
  }

  // Nothing of the move is left anywhere: the source whole under its own name, nothing at
  // the target, no entry put aside.
  void expectUnchanged(const std::map<std::string, std::string>& before) {
    EXPECT_EQ(treeOf(source), before);
    EXPECT_FALSE(fs::exists(fs::symlink_status(target)));
    EXPECT_EQ(treeOf(source.parent_path()).size(), before.size() + 1);  // the folder and P05
    EXPECT_EQ(treeOf(target.parent_path()).size(), 1u);
  }

  fs::path root, source, target;
};

}  // namespace

// The source cannot be taken away whole: whichever step finds that out, the palette keeps
// every picture under its own name and nothing reaches the Desktop.
TEST_F(EntryMoveTest, AMoveAcrossFileSystemsThatCannotFinishChangesNothing) {
  int removals = 0;
  struct Case {
    const char* name;
    EntryMove::Fault fault;
  };
  const Case cases[] = {
      {"the folder cannot leave ButtonPictures",
       [](Step step, const fs::path& from, const fs::path& to) {
         if (withinFolder(step, from, to) && from.filename() == "P05") return EACCES;
         return acrossFileSystems(step, from, to);
       }},
      {"a picture inside cannot be removed after two went",
       [&removals](Step step, const fs::path& from, const fs::path& to) {
         if (step == Step::Remove && from.parent_path().filename().native().find("tavelin-moving") != std::string::npos &&
             ++removals == 3)
           return EPERM;
         return acrossFileSystems(step, from, to);
       }},
      {"the folder itself cannot be removed once emptied",
       [](Step step, const fs::path& from, const fs::path& to) {
         if (step == Step::Remove && from.filename().native().find("tavelin-moving") != std::string::npos) return EBUSY;
         return acrossFileSystems(step, from, to);
       }},
  };
  const auto before = treeOf(source);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    removals = 0;
    ScopedMoveFault fault(c.fault);
    EXPECT_THROW(EntryMove::move(source, target), IOException);
    expectUnchanged(before);
  }
  // A copy that the target's file system cannot hold, and an entry that cannot be copied.
  {
    ScopedMoveFault fault(acrossFileSystems);
    {
      FileSizeLimit full(1000);
      EXPECT_THROW(EntryMove::move(source, target), IOException);
    }
    expectUnchanged(before);
    ASSERT_EQ(::mkfifo((source / "pipe").c_str(), 0600), 0);
    const auto withPipe = treeOf(source);
    EXPECT_THROW(EntryMove::move(source, target), IOException);
    expectUnchanged(withPipe);
  }
#ifdef Q_OS_LINUX
  // The user cannot take the folder out of ButtonPictures, as the system itself refuses it.
  if (::geteuid() != 0) {
    fs::remove(source / "pipe");
    fs::permissions(source.parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
    ScopedMoveFault fault(acrossFileSystems);
    EXPECT_THROW(EntryMove::move(source, target), IOException);
    fs::permissions(source.parent_path(), fs::perms::owner_all);
    expectUnchanged(before);
  }
#endif
}

TEST_F(EntryMoveTest, AMoveAcrossFileSystemsCarriesEveryEntryByItsOwnName) {
  const auto before = treeOf(source);
  ScopedMoveFault fault(acrossFileSystems);
  ASSERT_EQ(EntryMove::move(source, target), Result::Done);
  EXPECT_FALSE(fs::exists(fs::symlink_status(source)));
  auto arrived = treeOf(target);
  // The link that led out of the folder leads to the same picture from its new place.
  EXPECT_EQ(fs::canonical(target / "28 rel.png"), fs::canonical(root / "outside/ok64.png"));
  EXPECT_EQ(arrived["28 rel.png"], "link " + fs::canonical(root / "outside/ok64.png").native());
  arrived.erase("28 rel.png");
  auto expected = before;
  expected.erase("28 rel.png");
  EXPECT_EQ(arrived, expected);
  EXPECT_EQ(treeOf(root / "outside/ok64.png")[""], "file the user's picture");
  EXPECT_EQ(treeOf(source.parent_path()).size(), 1u);
}

// The relative link is given the target it had, read against its old folder; a link inside
// a moved folder that stays inside keeps its relative target.
TEST_F(EntryMoveTest, AMovedLinkStillLeadsWhereItLed) {
  const fs::path picture = fs::canonical(root / "outside/ok64.png");
  for (const bool across : {false, true}) {
    SCOPED_TRACE(across ? "across file systems" : "one file system");
    ScopedMoveFault fault(across ? EntryMove::Fault(acrossFileSystems) : EntryMove::Fault());
    const fs::path moved = root / "Desktop" / (across ? "b.png" : "a.png");
    fs::create_symlink("../../../outside/ok64.png", source / "29 rel.png");
    ASSERT_EQ(EntryMove::move(source / "29 rel.png", moved), Result::Done);
    EXPECT_TRUE(fs::is_symlink(moved));
    EXPECT_EQ(fs::read_symlink(moved), picture);
    EXPECT_FALSE(fs::exists(fs::symlink_status(source / "29 rel.png")));
  }
  // A link that leaves the folder by its name and comes back in leads into the moved folder.
  fs::permissions(source / "old", fs::perms::owner_all);
  fs::create_symlink("../P05/05Face.png", source / "30 back.png");
  fs::create_symlink("../../P05/05Face.png", source / "old/31 back.png");
  for (const bool across : {false, true}) {
    SCOPED_TRACE(across ? "across file systems" : "one file system");
    ScopedMoveFault fault(across ? EntryMove::Fault(acrossFileSystems) : EntryMove::Fault());
    ASSERT_EQ(EntryMove::move(source, target), Result::Done);
    EXPECT_EQ(fs::canonical(target / "28 rel.png"), picture);
    EXPECT_EQ(fs::read_symlink(target / "inner.png"), "05Face.png");
    EXPECT_EQ(fs::read_symlink(target / "30 back.png"), "05Face.png");
    EXPECT_EQ(fs::canonical(target / "old/31 back.png"), fs::canonical(target / "05Face.png"));
    EXPECT_EQ(treeOf(picture)[""], "file the user's picture");
    ASSERT_EQ(EntryMove::move(target, source), Result::Done);
  }
}

// An entry that appears at the target between the look and the rename stays as it is.
TEST_F(EntryMoveTest, ANameTakenMeanwhileIsNeverReplaced) {
  const auto before = treeOf(source);
  for (const bool across : {false, true}) {
    SCOPED_TRACE(across ? "across file systems" : "one file system");
    ScopedMoveFault fault([&](Step step, const fs::path& from, const fs::path& to) {
      if (!betweenFolders(step, from, to)) return 0;
      if (fs::exists(fs::symlink_status(to))) return across ? EXDEV : 0;
      if (fs::is_directory(fs::symlink_status(from))) writeBytes(to / "meanwhile.png", "someone else's");
      else writeBytes(to, "someone else's");
      return across ? EXDEV : 0;
    });
    EXPECT_EQ(EntryMove::move(source, target), Result::NameTaken);
    EXPECT_EQ(EntryMove::move(source / "05Face.png", target / "05Face.png"), Result::NameTaken);
    EXPECT_EQ(treeOf(source), before);
    EXPECT_EQ(treeOf(target / "meanwhile.png")[""], "file someone else's");
    EXPECT_EQ(treeOf(target / "05Face.png")[""], "file someone else's");
    fs::remove_all(target);
  }
}

TEST_F(EntryMoveTest, ACopyNeverReplacesAndLeavesNothingHalfMade) {
  writeBytes(target / "taken.png", "old");
  EXPECT_EQ(EntryMove::copy(source / "05Face.png", target / "taken.png"), Result::NameTaken);
  EXPECT_EQ(treeOf(target / "taken.png")[""], "file old");
  {
    FileSizeLimit full(1000);
    EXPECT_THROW(EntryMove::copy(source / "05Face.png", target / "big.png"), IOException);
  }
  EXPECT_FALSE(fs::exists(target / "big.png"));
  ASSERT_EQ(EntryMove::copy(source / "05Face.png", target / "copy.png"), Result::Done);
  EXPECT_EQ(treeOf(target / "copy.png"), treeOf(source / "05Face.png"));
  EXPECT_TRUE(fs::exists(source / "05Face.png"));
}
