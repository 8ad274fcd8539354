#pragma once

#include <QObject>
#include <functional>

// SIGTERM, SIGINT and SIGHUP (a logout sends SIGTERM) reach the program as an ordinary
// event: the signal handler only writes a byte to a pipe, and the event loop calls the
// action, so no Qt call ever runs inside the handler.
namespace TerminationSignals {

// Calls action in the event loop of context's thread for each such signal from now on.
void install(QObject* context, std::function<void()> action);

}  // namespace TerminationSignals
