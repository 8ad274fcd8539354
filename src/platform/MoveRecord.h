#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The records of the moves and copies in progress, kept in a folder of the program's own, so
// that the next start can finish or undo one that a kill or a power cut stopped half way.
// A record is made only once a move needs more than one step, and goes when the move has
// ended with every entry whole in one place.
namespace MoveRecord {

namespace fs = std::filesystem;

// The folder the records are kept in; while none is set, moves keep no record.
void setFolder(const fs::path& folder);
const fs::path& folder();

// One move's or copy's record, written as it goes: the file, and then each line, reach the
// disk before the step that the line announces. Raises IOException when it cannot be
// written, before that step.
class Writer {
 public:
  // kind "move" or "copy"; the record is made by the first note.
  Writer(std::string kind, fs::path from, fs::path to);
  ~Writer();
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  void note(const std::string& verb, const std::vector<fs::path>& paths = {});
  // Something of the move's own is left where it does not belong: the record stays, for the
  // next start, even once the move has ended.
  void keep() { keep_ = true; }
  // Ends the record: it goes unless it is to be kept.
  void finish();

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
  std::vector<fs::path> paths;
};

struct Record {
  fs::path file;
  std::vector<Line> lines;  // the first says what was moved or copied, and where to
};

// Every record in the folder, in the order they were made, each with its whole lines: a
// line cut short by a kill announced a step that never began.
std::vector<Record> left();
// Each raises IOException when it cannot.
void remove(const fs::path& file);
// Adds a line to a record left, flushed before the step it announces.
void append(const fs::path& file, const std::string& verb);

}  // namespace MoveRecord
