#pragma once

#include <QString>
#include <functional>

// One-line diagnostics to the system log (syslog(3); macOS routes it to the unified log).
namespace SystemLog {

void write(const QString& line);

// Tests capture the lines instead; an empty sink restores syslog.
using Sink = std::function<void(const QString&)>;
void setSink(Sink sink);

}  // namespace SystemLog
