#pragma once

#include <QByteArray>

// The program's own standard error, written so that no reader can end or hang the program:
// one that has gone, or that has stopped reading, loses the text, never the program.
namespace StandardError {

// At program start, before anything opens a file: a write to a pipe whose reader has gone
// fails instead of ending the program; a standard stream that was closed is opened on the
// null device, so that no file of the user's can take its number; a terminal or pipe behind
// the standard error gets a description of its own that never waits; Qt's own messages are
// written through write() below.
void install();

// Writes what the stream takes at once; the rest is dropped. Safe from any thread.
void write(const QByteArray& bytes);

}  // namespace StandardError
