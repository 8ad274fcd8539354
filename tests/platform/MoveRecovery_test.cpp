#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>

#include "common/FileTools.h"
#include "common/RuntimeException.h"
#include "manage/PaletteDeletion.h"
#include "platform/EntryTree.h"
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

// Every link below the root by its target as written: a folder put back has the links the
// user made, not ones rewritten for the move.
std::map<std::string, std::string> linkTargets(const fs::path& root) {
  std::map<std::string, std::string> out;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_symlink()) out[entry.path().lexically_relative(root).native()] = fs::read_symlink(entry.path()).native();
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
    MoveRecord::setDataFolder(root / "data");
  }
  void TearDown() override {
    EntryMove::setFault({});
    MoveRecord::setDataFolder({});
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
    writeBytes(root / "data/PreserveState.txt", "the palettes");
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

  // What the next start tells: every record is its own, so none is left alone.
  QStringList recover() {
    const MoveRecovery::Outcome outcome = MoveRecovery::recover(desktop);
    EXPECT_EQ(outcome.notActedOn, QStringList{});
    return outcome.putRight + outcome.stillLeft;
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
    EXPECT_TRUE(recover().isEmpty());
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
        // Stopped at a step that changes something: a kill while it only looks loses nothing.
        ScopedMoveFault fault([&](Step s, const fs::path&, const fs::path&) {
          if (s != Step::List && ++recoverySteps == 1 + k % 4) throw Killed{};
          return 0;
        });
        try {
          told = recover();
        } catch (const Killed&) {
        }
      }
      const QStringList again = recover();
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
  const auto links = linkTargets(source);
  int back = 0, moved = 0;
  everyKill([&] { EntryMove::move(source, deleted); }, acrossFileSystems, [&](const QStringList& told) {
    ASSERT_LE(told.size(), 1) << told.join("|").toStdString();
    const bool isBack = stands(source);
    EXPECT_NE(isBack, stands(deleted));
    EXPECT_EQ(contentOf(isBack ? source : deleted), whole);
    if (isBack) {
      EXPECT_EQ(linkTargets(source), links);
    }
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
  // Where the file system has no rename that refuses an existing name (a network file system
  // answers EINVAL), a rename takes two steps, each in the record: a kill between them still
  // leaves the picture once, not under two names.
  {
    SCOPED_TRACE("a picture on a file system without a rename that refuses a name");
    everyKill([&] { EntryMove::move(source / "05Face.png", desktop / "05 moved.png"); },
              [](Step s, const fs::path&, const fs::path&) { return s == Step::Rename ? EINVAL : 0; },
              onePlace(source / "05Face.png", desktop / "05 moved.png", fileText(kFace)));
  }
  {
    SCOPED_TRACE("a picture to another file system, each rename in its folder in two steps");
    everyKill([&] { EntryMove::move(source / "05Face.png", desktop / "05 moved.png"); },
              [](Step s, const fs::path& a, const fs::path& b) {
                return s != Step::Rename ? 0 : betweenFolders(s, a, b) ? EXDEV : EINVAL;
              },
              onePlace(source / "05Face.png", desktop / "05 moved.png", fileText(kFace)));
  }
}

// Within one file system the folder goes in one rename, after its links were given targets
// that lead the same way from anywhere: a kill between leaves no link of ours behind.
TEST_F(MoveRecoveryTest, AFolderMovedWithinOneFileSystemLeavesNoRewrittenLinkBehind) {
  makeFixture();
  const auto whole = contentOf(source);
  const auto links = linkTargets(source);
  const auto onePlace = [&](const QStringList& told) {
    EXPECT_LE(told.size(), 1);
    EXPECT_NE(stands(source), stands(deleted));
    EXPECT_EQ(contentOf(stands(source) ? source : deleted), whole);
    if (stands(source)) {
      EXPECT_EQ(linkTargets(source), links);
    }
  };
  everyKill([&] { EntryMove::move(source, deleted); }, {}, onePlace);
  // A folder's rename where none refuses an existing name: an empty folder holds the name first.
  // (A link rewritten in one step replaces its old self, which any file system's rename does.)
  SCOPED_TRACE("on a file system without a rename that refuses a name");
  everyKill([&] { EntryMove::move(source, deleted); },
            [](Step s, const fs::path& a, const fs::path&) {
              return s == Step::Rename && !a.filename().native().starts_with(".tavelin-link") ? EINVAL : 0;
            },
            onePlace);
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

namespace {

// A byte name as records write it.
std::string encoded(const fs::path& p) {
  return QByteArray::fromStdString(p.native()).toPercentEncoding("/").toStdString();
}

// The device and inode, as records written before birth times were noted hold them.
std::string identityWord(const fs::path& p, bool follow = false) {
  struct stat st {};
  if ((follow ? ::stat(p.c_str(), &st) : ::lstat(p.c_str(), &st)) != 0) return "1:1";
  return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
}

std::string readBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class RecordsLeftAloneTest : public MoveRecoveryTest {
 protected:
  // A record's first lines: what is moved where, for which data folder, which entry.
  std::string preamble(const std::string& kind, const fs::path& from, const fs::path& to,
                       const std::string& sourceId, std::optional<fs::path> data = {}, std::string dataId = {}) {
    const fs::path folder = data.value_or(root / "data");
    if (dataId.empty()) dataId = identityWord(folder, true);
    return "Tavelin move record\n" + kind + " " + encoded(from) + " " + encoded(to) + "\ndata " + encoded(folder) +
           " " + dataId + "\nsource " + sourceId + "\n";
  }

  // A picture moved to the Desktop across file systems, stopped in the middle of its copy:
  // the record that must be put right beside the ones left alone.
  void killedMove() {
    int writes = 0;
    ScopedMoveFault fault([&](Step s, const fs::path& a, const fs::path& b) {
      if (s == Step::Write && ++writes == 1) throw Killed{};
      return acrossFileSystems(s, a, b);
    });
    EXPECT_THROW(EntryMove::move(source / "05Face.png", desktop / "05 moved.png"), Killed);
  }

  // Everything of the user's that a record might name.
  std::map<std::string, std::string> usersThings() {
    std::map<std::string, std::string> all;
    for (const fs::path& top : {root / "outside", desktop, root / "data/ButtonPictures", root / "data/PreserveState.txt"})
      for (const auto& [name, what] : contentOf(top)) all[top.native() + "/" + name] = what;
    return all;
  }
};

}  // namespace

// Records that this data folder's program did not write, that name what it did not make, what
// lies outside the places their kind of move acts in, or what is reached through a link, or
// that cannot be read: each is left where it is, the user told with the entries under the
// program's own names that it names, and nothing of the user's is touched, byte for byte; a
// good record beside them is still put right.
TEST_F(RecordsLeftAloneTest, RecordsThatCannotBeShownToBeItsOwnAreLeftAlone) {
  struct Case {
    const char* name;
    std::function<std::string()> record;  // the bytes of move-2.txt, after preparing
    // What the user is told of it; none where it acts on nothing of the user's but says so
    // in its own words.
    std::function<QString(const fs::path& file)> told;
  };
  const auto text = [](const fs::path& p) { return QFile::decodeName(p.c_str()); };
  // The entries under the program's own names that the record names, as the user is told.
  const auto naming = [&](QString line, std::vector<fs::path> entries) {
    if (entries.empty()) return line;
    QStringList names;
    for (const fs::path& p : entries) names << text(p);
    return line + " These entries under Tavelin's own names stay where they are: " + names.join(", ") + ".";
  };
  const fs::path usersAside = root / "data/ButtonPictures/P05.tavelin-moving";
  const auto foreign = [&](std::vector<fs::path> entries = {}) {
    return [=](const fs::path& file) { return naming(text(file) + " was not written for these palettes.", entries); };
  };
  const auto strange = [&](const fs::path& entry, std::vector<fs::path> entries = {}) {
    return [=](const fs::path& file) {
      return naming(text(file) + " names " + text(entry) + ", which is not one of Tavelin's own.", entries);
    };
  };
  const auto throughLink = [&](const fs::path& link, std::vector<fs::path> entries = {}) {
    return [=](const fs::path& file) {
      return naming(text(file) + " names " + text(link) + ", which is reached through a link; Tavelin does not follow one there.",
                    entries);
    };
  };
  const fs::path keep = root / "outside/keep";
  const fs::path state = root / "data/PreserveState.txt";
  const auto id = [](const fs::path& p) { return EntryTree::identityWord(*EntryTree::identityOf(p)); };
  const Case cases[] = {
      {"another data folder",
       [&] {
         fs::create_directories(root / "other");
         return preamble("move", source, deleted, identityWord(source), root / "other") + "across\nplaced\n";
       },
       foreign({usersAside})},
      {"its data folder restored from a backup",
       [&] { return preamble("move", source, deleted, identityWord(source), {}, "1:1") + "across\nplaced\n"; },
       foreign({usersAside})},
      {"a folder of the user's outside the program's folders",
       [&] {
         fs::create_directories(keep.parent_path() / "keep.tavelin-moving");
         return preamble("move", keep, deleted, identityWord(keep)) + "across\naside " +
                encoded(keep.parent_path() / "keep.tavelin-moving") + "\nplaced\n";
       },
       strange(keep, {keep.parent_path() / "keep.tavelin-moving"})},
      {"the Desktop itself as the copy",
       [&] { return preamble("move", source, desktop, identityWord(source)) + "across\nplaced\nundo\n"; },
       strange(desktop, {usersAside})},
      {"a backup of the user's named as a copy",
       [&] {
         writeBytes(source / "30.png.tavelin-copy", "the user's backup");
         return preamble("copy", root / "outside/ok64.png", source / "30.png", identityWord(root / "outside/ok64.png")) +
                "temp " + encoded(source / "30.png.tavelin-copy") + "\n";
       },
       strange(source / "30.png.tavelin-copy", {source / "30.png.tavelin-copy"})},
      {"a link of the user's",
       [&] {
         fs::create_symlink("../../../outside/ok64.png", desktop / "28.png");
         return preamble("move", source / "28 rel.png", desktop / "28.png", "1:1") + "link " +
                encoded("../../../outside/ok64.png") + "\n";
       },
       strange(source / "28 rel.png")},
      {"a file of the user's under the name a source is put aside under",
       [&] {
         writeBytes(source / "40.png.tavelin-moving", "the user's");
         return preamble("move", source / "40.png", desktop / "40.png", "1:1") + "across\naside " +
                encoded(source / "40.png.tavelin-moving") + "\n";
       },
       strange(source / "40.png.tavelin-moving", {source / "40.png.tavelin-moving"})},
      {"a deletion that names a source that is not the palette's folder",
       [&] { return preamble("delete", source, deleted, "1:1") + "state " + EntryTree::stampOf(state) + "\n"; }, strange(source, {usersAside})},
      {"the state file as a copy's destination, with its true identity",
       [&] {
         writeBytes(state.native() + ".tavelin-copy", "the user's");
         return preamble("copy", root / "outside/ok64.png", state, identityWord(root / "outside/ok64.png")) + "temp " +
                encoded(state.native() + ".tavelin-copy") + "\nmade " + id(state.native() + ".tavelin-copy") + "\n";
       },
       strange(state, {state.native() + ".tavelin-copy"})},
      {"the state file as a move's source, with its true identity",
       [&] {
         return preamble("move", state, desktop / "PreserveState.txt", id(state)) + "across\nplaced\n";
       },
       strange(state)},
      {"a file of the user's on the Desktop named as a copy, with its true identity",
       [&] {
         writeBytes(desktop / "05Face.png.tavelin-copy", kFace.substr(0, 10));
         return preamble("move", source / "05Face.png", desktop / "05Face.png", id(source / "05Face.png")) +
                "across\ntemp " + encoded(desktop / "05Face.png.tavelin-copy") + "\nmade " +
                id(desktop / "05Face.png.tavelin-copy") + "\n";
       },
       strange(desktop / "05Face.png.tavelin-copy", {desktop / "05Face.png.tavelin-copy"})},
      {"a folder of the user's at the destination, with its true identity, as the copy",
       [&] {
         writeBytes(deleted / "05Face.png", kFace.substr(0, 10));
         return preamble("move", source, deleted, id(source)) + "across\nplaced\nundo\nmade " + id(deleted) + "\n";
       },
       nullptr},
      {"a link of the user's inside the folder, as a link the move rewrote",
       [&] {
         return preamble("move", source, deleted, id(source)) + "across\nrelink " + encoded(source / ".tavelin-link-1") + " " +
                encoded(source / "inner.png") + " 05Face.png " + encoded("/elsewhere") + "\n";
       },
       nullptr},
      {"a path through a link at the Desktop",
       [&] {
         fs::remove_all(desktop / "DeletedPalettePictures");
         fs::create_directories(root / "outside/deleted/P05");
         fs::create_symlink(root / "outside/deleted", desktop / "DeletedPalettePictures");
         writeBytes(root / "outside/deleted/P05/05Face.png.tavelin-copy", "the user's");
         const fs::path temp = deleted / "05Face.png.tavelin-copy";
         return preamble("move", source / "05Face.png", deleted / "05Face.png", id(source / "05Face.png")) + "across\ntemp " +
                encoded(temp) + "\nmade " + id(temp) + "\n";
       },
       throughLink(desktop / "DeletedPalettePictures", {deleted / "05Face.png.tavelin-copy"})},
      {"a path through a link in the picture folders",
       [&] {
         fs::create_directories(root / "outside/P06");
         fs::create_symlink(root / "outside/P06", root / "data/ButtonPictures/P06");
         writeBytes(root / "outside/P06/07.png.tavelin-moving", "the user's");
         const fs::path from = root / "data/ButtonPictures/P06/07.png";
         return preamble("move", from, desktop / "07.png", "1:1") + "across\naside " + encoded(from.native() + ".tavelin-moving") +
                "\n";
       },
       throughLink(root / "data/ButtonPictures/P06", {root / "data/ButtonPictures/P06/07.png.tavelin-moving"})},
      {"a record that is a link to a record elsewhere",
       [&] {
         writeBytes(root / "outside/record.txt", preamble("move", source, deleted, id(source)) + "across\nplaced\n");
         fs::create_symlink(root / "outside/record.txt", records / "move-2.txt");
         return std::string();
       },
       [&](const fs::path& file) { return text(file) + " is not a file."; }},
      {"not a record", [] { return std::string("notes of the user's\n"); },
       [&](const fs::path& file) { return text(file) + " is not a record of Tavelin's."; }},
      {"a folder named like a record",
       [&] {
         fs::create_directories(records / "move-2.txt");
         return std::string();
       },
       [&](const fs::path& file) { return text(file) + " is not a file."; }},
      {"a pipe named like a record",
       [&] {
         ::mkfifo((records / "move-2.txt").c_str(), 0600);
         return std::string();
       },
       [&](const fs::path& file) { return text(file) + " is not a file."; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    makeFixture();
    writeBytes(keep / "k.png", "kept");
    fs::create_directories(records);
    const fs::path file = records / "move-2.txt";
    const std::string bytes = c.record();
    // The record is made after everything of the user's, as any record is made after what it
    // finds: a clock tick later, so that their birth times tell them apart.
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    if (!stands(file)) writeBytes(file, bytes);
    const auto before = usersThings();
    killedMove();

    const MoveRecovery::Outcome outcome = MoveRecovery::recover(desktop);

    if (c.told) {
      EXPECT_EQ(outcome.notActedOn, QStringList{c.told(file)});
      EXPECT_EQ(outcome.putRight, QStringList{text(source / "05Face.png") + " is back where it was."});
    } else {
      EXPECT_TRUE(outcome.putRight.contains(text(source / "05Face.png") + " is back where it was.")) << outcome.putRight.join("|").toStdString();
    }
    EXPECT_EQ(outcome.stillLeft, QStringList{});
    EXPECT_EQ(contentOf(source / "05Face.png")[""], fileText(kFace));
    EXPECT_EQ(usersThings(), before);
    if (c.told) {
      EXPECT_TRUE(stands(file));
    }
    if (c.told && fs::is_regular_file(fs::symlink_status(file))) {
      EXPECT_EQ(readBytes(file), bytes);
    }
    EXPECT_FALSE(stands(records / "move-1.txt"));
    fs::remove_all(root / "outside");
  }
  if (::geteuid() != 0) {
    SCOPED_TRACE("a record that cannot be opened");
    makeFixture();
    writeBytes(records / "move-2.txt", preamble("move", source, deleted, identityWord(source)));
    fs::permissions(records / "move-2.txt", fs::perms::none);
    EXPECT_EQ(MoveRecovery::recover(desktop).notActedOn,
              QStringList{QFile::decodeName((records / "move-2.txt").c_str()) + " cannot be read: Permission denied."});
    EXPECT_TRUE(stands(records / "move-2.txt"));
  }
  {
    SCOPED_TRACE("the folder of the records is not a folder");
    makeFixture();
    writeBytes(records, "in the way");
    EXPECT_EQ(MoveRecovery::recover(desktop).notActedOn,
              QStringList{QFile::decodeName(records.c_str()) + ", the folder of these records, cannot be read: Not a directory."});
    EXPECT_EQ(readBytes(records), "in the way");
  }
}

// What the user is told is where each entry is: put right, said once; still left, said at
// every start with its place.
TEST_F(MoveRecoveryTest, WhatIsToldIsWhereEachEntryReallyIs) {
  const QString from = QFile::decodeName(source.c_str());
  const auto killedInTheCopy = [&] {
    makeFixture();
    int writes = 0;
    ScopedMoveFault fault([&](Step s, const fs::path& a, const fs::path& b) {
      if (s == Step::Write && ++writes == 2) throw Killed{};
      return acrossFileSystems(s, a, b);
    });
    EXPECT_THROW(EntryMove::move(source, deleted), Killed);
  };
  const fs::path temp = desktop / "DeletedPalettePictures/P05.tavelin-copy";
  const QString tempText = QFile::decodeName(temp.c_str());
  const auto recoverAll = [&] {
    const MoveRecovery::Outcome o = MoveRecovery::recover(desktop);
    EXPECT_EQ(o.notActedOn, QStringList{});
    return std::make_pair(o.putRight, o.stillLeft);
  };
  const auto whole = [&] {
    makeFixture();
    return contentOf(source);
  }();
  {
    SCOPED_TRACE("a record cut inside the line that named the source's place aside");
    killedInTheCopy();
    const fs::path file = records / "move-1.txt";
    const std::string bytes = readBytes(file);
    const size_t aside = bytes.find("aside ");
    ASSERT_NE(aside, std::string::npos);
    fs::resize_file(file, aside + 10);
    EXPECT_EQ(recoverAll(), std::make_pair(QStringList{from + " is back where it was."}, QStringList{}));
    EXPECT_EQ(contentOf(source), whole);
    // The part of the copy that the lost lines named is not the record's to remove: it is named,
    // as are the user's entries that carry the program's names, at every start.
    EXPECT_EQ(MoveRecovery::recover(desktop).unaccounted,
              (QStringList{tempText, QFile::decodeName((desktop / "P05.tavelin-copy").c_str()),
                           QFile::decodeName((root / "data/ButtonPictures/P05.tavelin-moving").c_str())}));
    EXPECT_TRUE(stands(temp));
  }
  {
    SCOPED_TRACE("the Desktop's drive away, then back");
    killedInTheCopy();
    ASSERT_TRUE(stands(temp));
    fs::rename(desktop, root / "Desktop-away");
    const QString left = "An unfinished copy of " + from + " may be left at " + tempText +
                         ", which cannot be reached now. Tavelin removes it once it can.";
    EXPECT_EQ(recoverAll(), std::make_pair(QStringList{from + " is back where it was."}, QStringList{left}));
    EXPECT_EQ(contentOf(source), whole);
    EXPECT_EQ(recoverAll(), std::make_pair(QStringList{}, QStringList{left}));
    fs::rename(root / "Desktop-away", desktop);
    EXPECT_EQ(recoverAll(), std::make_pair(QStringList{"The unfinished copy of " + from + " at " + tempText + " has been removed."},
                                           QStringList{}));
    EXPECT_FALSE(stands(temp));
    EXPECT_EQ(recoverAll(), std::make_pair(QStringList{}, QStringList{}));
  }
  {
    SCOPED_TRACE("the source taken away since: what was copied of it is kept");
    killedInTheCopy();
    fs::remove_all(root / "data/ButtonPictures/P05.tavelin-moving-1");
    const QString kept = from + " is neither where it was nor at " + QFile::decodeName(deleted.c_str()) +
                         ": it was taken away since. What had been copied of it is kept at " + tempText +
                         "; remove that once you no longer need it.";
    EXPECT_EQ(recoverAll(), std::make_pair(QStringList{}, QStringList{kept}));
    EXPECT_EQ(recoverAll(), std::make_pair(QStringList{}, QStringList{kept}));
    EXPECT_TRUE(stands(temp));
  }
  {
    SCOPED_TRACE("a step of the recovery refused: the sentence ends, and it is tried again");
    killedInTheCopy();
    {
      ScopedMoveFault refused([](Step s, const fs::path&, const fs::path&) { return s == Step::Remove ? EPERM : 0; });
      const auto [once, each] = recoverAll();
      EXPECT_EQ(once, QStringList{});
      ASSERT_EQ(each.size(), 1);
      EXPECT_TRUE(each[0].endsWith(": Operation not permitted. Tavelin tries again at its next start.")) << each[0].toStdString();
    }
    EXPECT_EQ(recoverAll(), std::make_pair(QStringList{from + " is back where it was."}, QStringList{}));
    EXPECT_EQ(contentOf(source), whole);
  }
}

// Add Picture stopped in its copy, the picture changed since: no part of the copy stays in the
// picture folder for the folder check to find.
TEST_F(MoveRecoveryTest, AnUnfinishedCopyOfAPictureChangedSinceIsRemoved) {
  makeFixture();
  const fs::path copied = root / "data/ButtonPictures/P06/05Face.png";
  fs::create_directories(copied.parent_path());
  {
    int writes = 0;
    ScopedMoveFault fault([&](Step s, const fs::path&, const fs::path&) {
      if (s == Step::Write && ++writes == 2) throw Killed{};
      return 0;
    });
    EXPECT_THROW(EntryMove::copy(source / "05Face.png", copied), Killed);
  }
  writeBytes(source / "05Face.png", "changed");
  const MoveRecovery::Outcome o = MoveRecovery::recover(desktop);
  EXPECT_EQ(o.putRight, QStringList{QFile::decodeName((source / "05Face.png").c_str()) + " was not copied to " +
                                    QFile::decodeName(copied.parent_path().c_str()) + "; the unfinished copy has been removed."});
  EXPECT_TRUE(fs::is_empty(copied.parent_path()));
  EXPECT_FALSE(stands(records));
}

namespace {

// A deletion of the palette P05 as Delete Palette makes it, its record awaiting the save.
class InterruptedDeletionTest : public MoveRecoveryTest {
 protected:
  void remove(const EntryMove::Fault& fault) {
    makeFixture();
    ScopedMoveFault scoped(fault);
    try {
      PaletteDeletion::clearPictureFolder(FolderItem(QFile::decodeName((root / "data").c_str())),
                                          FolderItem(QFile::decodeName(desktop.c_str())), "P05");
    } catch (const Killed&) {
    }
  }
  fs::path record() const { return records / "move-1.txt"; }
  static QString text(const fs::path& p) { return QFile::decodeName(p.c_str()); }
};

}  // namespace

// What cannot be found or read is unknown, not absent: recovery takes no entry made since the
// record for the one it names, calls a folder back only when it is whole, and decides nothing
// of the palette until its pictures are shown where the deletion put them.
TEST_F(InterruptedDeletionTest, NothingUnprovenIsTakenForProof) {
  const fs::path aside = root / "data/ButtonPictures/P05.tavelin-moving-1";
  {
    SCOPED_TRACE("a folder made since, under the inode number the record holds, is not the palette's");
    remove({});
    ASSERT_TRUE(stands(deleted));
    fs::create_directories(source);
    std::string bytes = readBytes(record());
    const std::string line = "\nsource ";
    const size_t at = bytes.find(line) + line.size();
    const std::string old = bytes.substr(at, bytes.find('\n', at) - at);
    const std::string word = QByteArray::fromPercentEncoding(QByteArray::fromStdString(old)).toStdString();
    const std::string birth = word.substr(word.rfind(':'));
    const std::string reused = identityWord(source);  // its device and inode, with the old life's birth
    bytes.replace(at, old.size(), reused + birth);
    writeBytes(record(), bytes);
    const MoveRecovery::Outcome o = MoveRecovery::recover(desktop);
    EXPECT_TRUE(o.deletions.empty());
    ASSERT_EQ(o.notActedOn.size(), 1);
    EXPECT_TRUE(o.notActedOn[0].startsWith(text(record()) + " names " + text(source) + ", which is not one of Tavelin's own."));
    EXPECT_TRUE(fs::is_empty(source));
    EXPECT_EQ(contentOf(deleted)["05Face.png"], fileText(kFace));
  }
  {
    SCOPED_TRACE("a folder half emptied after its copy had its name, the copy moved away since");
    int removes = 0;
    remove([&](Step s, const fs::path& a, const fs::path& b) {
      if (s == Step::Remove && a.native().find(".tavelin-moving") != std::string::npos && ++removes == 3) throw Killed{};
      return acrossFileSystems(s, a, b);
    });
    ASSERT_TRUE(stands(aside));
    fs::rename(deleted, root / "outside/taken away");
    const auto left = contentOf(aside);
    const MoveRecovery::Outcome o = MoveRecovery::recover(desktop);
    EXPECT_EQ(o.stillLeft, QStringList{text(source) + " was being moved to " + text(deleted) +
                                       " when Tavelin was stopped, and the copy made there is no longer there: what is "
                                       "left of it stays at " + text(aside) + ", and it may not be whole."});
    EXPECT_EQ(o.putRight, QStringList{});
    ASSERT_EQ(o.deletions.size(), 1u);
    EXPECT_EQ(o.deletions[0].decision, MoveRecovery::Deletion::Decision::Waiting);
    EXPECT_FALSE(stands(source));
    EXPECT_EQ(contentOf(aside), left);
    EXPECT_TRUE(stands(record()));
  }
  {
    SCOPED_TRACE("a picture folder that cannot be listed");
    int writes = 0;
    remove([&](Step s, const fs::path& a, const fs::path& b) {
      if (s == Step::Write && ++writes == 2) throw Killed{};
      return acrossFileSystems(s, a, b);
    });
    {
      ScopedMoveFault unreadable([&](Step s, const fs::path& a, const fs::path&) {
        return s == Step::List && a == source.parent_path() ? EIO : 0;
      });
      const MoveRecovery::Outcome o = MoveRecovery::recover(desktop);
      EXPECT_EQ(o.stillLeft, QStringList{text(source) + " could not be put right: Could not list " + text(source.parent_path()) +
                                         ": Input/output error. Tavelin tries again at its next start."});
      EXPECT_EQ(o.putRight, QStringList{});
      EXPECT_TRUE(o.deletions.empty());
    }
    EXPECT_TRUE(stands(aside));
    EXPECT_TRUE(stands(record()));
    const MoveRecovery::Outcome o = MoveRecovery::recover(desktop);
    EXPECT_EQ(o.putRight, QStringList{text(source) + " is back where it was."});
    ASSERT_EQ(o.deletions.size(), 1u);
    EXPECT_EQ(o.deletions[0].decision, MoveRecovery::Deletion::Decision::Kept);
    EXPECT_EQ(contentOf(source)["05Face.png"], fileText(kFace));
  }
}
