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
namespace EntryMove {

namespace fs = std::filesystem;

enum class Result { Done, NameTaken, NameTooLong };

// NameTaken and NameTooLong leave everything as it was; any other failure raises
// IOException, everything then as it was, or the message says where each part is.
Result move(const fs::path& from, const fs::path& to);
Result copy(const fs::path& from, const fs::path& to);

// The steps a test can make fail as a file system would: the fault answers an errno for the
// step (0 lets it run). A fault that creates an entry at `to` before answering 0 shows a
// name taken meanwhile; one that throws stops the move where it is, as a kill would.
// Copy comes before each entry is copied, Write after each piece of a file is written, Note
// before each line of a move's record is written.
enum class Step { Rename, Remove, Copy, Write, Note };
using Fault = std::function<int(Step step, const fs::path& path, const fs::path& to)>;
void setFault(Fault fault);  // empty: none

}  // namespace EntryMove
