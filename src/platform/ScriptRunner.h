#pragma once

#include <QStringList>
#include <functional>

#include "platform/FolderItem.h"

// Runs the script file of the application bundle with a list of texts. On macOS the script
// is a compiled AppleScript run through osascript; elsewhere it is run directly. The texts
// are passed as separate arguments, never through a shell.
namespace ScriptRunner {

// How long a script may run before it is stopped and counted as failed.
inline constexpr int kTimeLimitMs = 5000;

// Runs the script and waits for it. Raises IOException when the script cannot be started,
// ends with an error or does not finish within the time limit (it is then killed).
void run(const FolderItem& script, const QStringList& texts);

// The real run, without the test handler; timeLimitMs for tests of the limit.
void runProcess(const FolderItem& script, const QStringList& texts, int timeLimitMs = kTimeLimitMs);

// Tests record calls instead; an empty handler restores the real run.
using Handler = std::function<void(const FolderItem& script, const QStringList& texts)>;
void setHandler(Handler handler);

}  // namespace ScriptRunner
