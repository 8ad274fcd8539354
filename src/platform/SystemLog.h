#pragma once

#include <QString>
#include <functional>

// One-line diagnostics to the system log. Off macOS a line goes to the log service's socket
// as a datagram that is taken at once or dropped, so a stalled service never makes the
// program wait; on macOS through syslog(3), which hands it to the unified log.
namespace SystemLog {

void write(const QString& line);

// Tests capture the lines instead; an empty sink restores the system log.
using Sink = std::function<void(const QString&)>;
void setSink(Sink sink);

// Tests stand in for the log service at another socket path; an empty path restores it.
void setSocketPathForTests(const QString& path);

}  // namespace SystemLog
