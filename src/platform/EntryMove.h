#pragma once

#include <filesystem>
#include <functional>

// Moving and copying one directory entry, a file, a folder with everything in it, or a
// symbolic link as the link itself, so that each step completes or changes nothing:
// - no existing entry is ever replaced, also one that appears while the step runs;
// - across file systems the source is first put aside in its own folder, which proves it
//   can be taken away, then copied, the copy verified and flushed, and only then removed;
//   should that removal still stop half way, the source is made whole again from the copy;
// - a moved link still leads where it led, a relative one included.
// Paths are the entries' own byte names, so names that are not valid text move too.
namespace MoveRecord {
class Writer;
}

namespace EntryMove {

namespace fs = std::filesystem;

enum class Result { Done, NameTaken, NameTooLong };

// NameTaken and NameTooLong leave everything as it was; any other failure raises
// IOException, everything then as it was, or the message says where each part is.
Result move(const fs::path& from, const fs::path& to);
Result copy(const fs::path& from, const fs::path& to);
// A move that is one step of a larger one: its steps go into that one's record, which the
// caller ends.
Result move(const fs::path& from, const fs::path& to, MoveRecord::Writer& record);

// The steps a test can make fail as a file system would: the fault answers an errno for the
// step (0 lets it run). A fault that creates an entry at `to` before answering 0 shows a
// name taken meanwhile; one that throws stops the move where it is, as a kill would.
// Copy comes before each entry is copied, Write after each piece of a file is written, Note
// before each line of a move's record is written, Link before each step that gives an entry
// its name where the file system has no rename that refuses an existing name (a second name
// for a file, or a rename over an entry that holds the name): a Rename fault of EINVAL stands
// for such a file system. List comes before a folder is listed, and makes the
// listing fail with the errno it answers.
enum class Step { Rename, Remove, Copy, Write, Note, Link, List };
using Fault = std::function<int(Step step, const fs::path& path, const fs::path& to)>;
void setFault(Fault fault);  // empty: none

}  // namespace EntryMove
