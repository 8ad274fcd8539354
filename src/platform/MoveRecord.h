#pragma once

#include <QStringList>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/EntryTree.h"

// The records of the moves, copies and saves in progress, kept in a folder of the data folder,
// so that the next start can finish or undo one that a kill or a power cut stopped half way.
// A record is made only once a move needs more than one step, and goes when the move has
// ended with every entry whole in one place. A palette deletion's record stays until the
// palette list without that palette has been saved. The folder and the records are never
// reached through a link.
namespace MoveRecord {

namespace fs = std::filesystem;
using EntryTree::Identity;

// The data folder whose folder "MovesInProgress" keeps the records; while none is set, moves
// keep no record. Setting it forgets the records waiting for a save.
void setDataFolder(const fs::path& dataFolder);
const fs::path& dataFolder();
fs::path folder();

// One move's, copy's, deletion's or save's record, written as it goes: the file, and then each
// line, reach the disk before the step that the line announces. Its first lines say what is
// moved where, for which data folder, which entry the source is and which Desktop the move
// was made for. Raises IOException when it cannot be written, before that step.
class Writer {
 public:
  // kind "move", "copy", "delete" or "save"; the record is made by the first note, or by
  // begin(). Only a save's source (the file it replaces) may be missing.
  Writer(std::string kind, fs::path from, fs::path to);
  ~Writer();
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  void begin();
  void note(const std::string& verb, const std::vector<fs::path>& paths = {});
  void note(const std::string& verb, const Identity& id);
  // What a rename announces of the steps it takes.
  EntryTree::Announce announcer();
  // Something of the move's own is left where it does not belong: the record stays, for the
  // next start, even once the move has ended.
  void keep() { keep_ = true; }
  bool kept() const { return keep_; }
  // Ends the record: it goes unless it is to be kept.
  void finish();
  const fs::path& file() const { return file_; }

 private:
  void create();
  void write(const std::string& line);

  std::string kind_;
  fs::path from_, to_, file_;
  int fd_ = -1;
  bool broken_ = false;
  bool keep_ = false;
};

struct Line {
  std::string verb;
  std::vector<fs::path> words;  // paths, or an entry's identity
};

struct Record {
  fs::path file;
  // Only the whole lines: a line cut short by a kill announced a step that never began.
  // Empty when the record was stopped before its first line was whole.
  std::vector<Line> lines;
  long long birth = 0;     // when the record was made, in nanoseconds; 0 where unknown
  long long modified = 0;  // when its last line was written
};

struct Found {
  std::vector<Record> records;  // in the order they were made
  // For the user: each entry named like a record, or the folder itself, that could not be
  // read, and why; none of them was opened unless it was a plain file.
  QStringList unreadable;
};

// Every record in the folder. Never waits: only plain files are opened, and none is read
// beyond what a record can hold.
Found left();
// Each raises IOException when it cannot.
void remove(const fs::path& file);
// Adds a line to a record left, flushed before the step it announces.
void append(const fs::path& file, const std::string& verb, const std::vector<fs::path>& paths = {});

// The record of a palette deletion, kept until the state file has been saved without the
// palette; then stateSaved() removes it.
void awaitSave(const fs::path& file);
void stateSaved();

}  // namespace MoveRecord
